#include "core/cp1252.h"
#include "core/planrecord.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace orvanta;

TEST(Cp1252, EveryByteSurvivesTheTripThroughUtf8) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    const std::string utf8 = Cp1252ToUtf8(all);
    std::string back;
    EXPECT_TRUE(TryUtf8ToCp1252(utf8, back));
    EXPECT_TRUE(back == all);
}

TEST(Cp1252, GermanTextAndTheHighBlock) {
    EXPECT_EQ(Utf8ToCp1252("ä ö ü ß €"), "\xE4 \xF6 \xFC \xDF \x80");
    EXPECT_EQ(Cp1252ToUtf8("\xC4\xD6\xDC \x80"), "ÄÖÜ €");
    // The 0x80..0x9F block is not Latin-1.
    EXPECT_EQ(Cp1252ToUtf8("\x84\x93\x96\x8A\x9F"), "„“–ŠŸ");
    EXPECT_EQ(Utf8ToCp1252("„Modellrechnung – Šŧ“"), "\x84Modellrechnung \x96 \x8A?\x93");
}

TEST(Cp1252, UnmappableAndMalformedInputBecomesQuestionMarks) {
    std::string out;
    EXPECT_FALSE(TryUtf8ToCp1252("Ω", out));
    EXPECT_EQ(Utf8ToCp1252("aΩb😀c"), "a?b?c");
    // U+0080 is a control character, not the euro sign's byte.
    EXPECT_EQ(Utf8ToCp1252("\xC2\x80"), "?");
    // Truncated, stray continuation, overlong and surrogate sequences.
    EXPECT_EQ(Utf8ToCp1252("x\xC3"), "x?");
    EXPECT_EQ(Utf8ToCp1252("\xA4y"), "?y");
    EXPECT_EQ(Utf8ToCp1252("\xC0\xAF").find_first_not_of('?'), std::string::npos);
    EXPECT_EQ(Utf8ToCp1252("\xED\xA0\x80").find_first_not_of('?'), std::string::npos);
    EXPECT_FALSE(TryUtf8ToCp1252("\xE2\x82", out));
}

TEST(Cp1252, ShortStringHelpersCountCharactersNotUtf8Bytes) {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    // 40 umlauts are 80 UTF-8 bytes but fit the 40 characters of the field.
    std::string umlauts;
    for (int k = 0; k < 45; ++k)
        umlauts += "ü";
    ShortStringFromUtf8(rec.Passwort_2, umlauts);
    EXPECT_EQ(rec.Passwort_2.Len, 40);
    EXPECT_EQ(ShortStringToUtf8(rec.Passwort_2).size(), 80u);

    ShortStringFromUtf8(rec.Nachname, "Müller-Lüdenscheidt");
    ShortStringFromUtf8(rec.Nachname, "Ott");
    EXPECT_EQ(ShortStringToUtf8(rec.Nachname), "Ott");
}
