#include "core/planrecord.h"
#include "core/xorcodierung.h"
#include "core/zugriff.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace orvanta;

namespace {

TPasswoerter Demo() {
    return {"berater", "vertrieb", "direktion"};
}

} // namespace

TEST(Zugriff, EachPasswordUnlocksItsLevel) {
    EXPECT_EQ(Zugangsstufe("berater", Demo()), 1);
    EXPECT_EQ(Zugangsstufe("vertrieb", Demo()), 2);
    EXPECT_EQ(Zugangsstufe("direktion", Demo()), 3);
}

TEST(Zugriff, WrongEntriesUnlockNothing) {
    for (const char* entry : {"", "Berater", "berater ", "berate", "beraterx", "direktio",
                              "direktionn", "b", "*******"})
        EXPECT_EQ(Zugangsstufe(entry, Demo()), 0) << entry;
    // An embedded zero byte is no end of the text.
    EXPECT_EQ(Zugangsstufe(std::string("berater\0", 8), Demo()), 0);
}

TEST(Zugriff, EmptyStoredPasswordNeverMatches) {
    EXPECT_EQ(Zugangsstufe("", {"", "", ""}), 0);
    EXPECT_EQ(Zugangsstufe("", {"", "vertrieb", ""}), 0);
    EXPECT_EQ(Zugangsstufe("vertrieb", {"", "vertrieb", ""}), 2);
    // A text that is a prefix of a stored password or vice versa is no match.
    EXPECT_EQ(Zugangsstufe("a", {"ab", "", std::string("a\0", 2)}), 0);
}

TEST(Zugriff, HighestLevelWinsWhenPasswordsAreEqual) {
    EXPECT_EQ(Zugangsstufe("gleich", {"gleich", "gleich", "gleich"}), 3);
    EXPECT_EQ(Zugangsstufe("gleich", {"gleich", "gleich", "anders"}), 2);
    EXPECT_EQ(Zugangsstufe("gleich", {"gleich", "anders", "gleich"}), 3);
}

TEST(Zugriff, EqualBytesComparesWholeTextsOnly) {
    EXPECT_TRUE(GleicheBytes("", ""));
    EXPECT_TRUE(GleicheBytes("\xFC\x80", "\xFC\x80"));
    EXPECT_FALSE(GleicheBytes("abc", "abd"));
    EXPECT_FALSE(GleicheBytes("abc", "ab"));
    EXPECT_FALSE(GleicheBytes("ab", "abc"));
    EXPECT_FALSE(GleicheBytes(std::string("ab\0", 3), "ab"));
    EXPECT_FALSE(GleicheBytes("x", ""));
}

TEST(Zugriff, TypedEntryIsComparedAsWindows1252) {
    const TPasswoerter pw = {"Schl\xFC"
                             "ssel",
                             "", "Euro\x80"};
    EXPECT_EQ(ZugangsstufeUtf16(u"Schlüssel", pw), 1);
    EXPECT_EQ(ZugangsstufeUtf16(u"Euro€", pw), 3);
    // A character outside Windows-1252 is not taken for '?'.
    EXPECT_EQ(ZugangsstufeUtf16(u"Ω", {"?", "", ""}), 0);
    EXPECT_EQ(ZugangsstufeUtf16(u"\xD83D", {"?", "", ""}), 0); // half of a pair
}

TEST(Zugriff, PasswordsAreUnscrambledFromTheRecord) {
    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    // 40 characters: longer than the key, so the tail is stored as it stands.
    const std::string lang = "ein-sehr-langes-Passwort-mit-40-Zeichen!";
    ASSERT_EQ(lang.size(), 40u);
    rec.Passwort_1.assign(XorCodierung("berater"));
    rec.Passwort_2.assign(XorCodierung(""));
    rec.Passwort_3.assign(XorCodierung(lang));
    const TPasswoerter pw = KlartextPasswoerter(rec);
    EXPECT_EQ(pw[0], "berater");
    EXPECT_EQ(pw[1], "");
    EXPECT_EQ(pw[2], lang);
    EXPECT_NE(rec.Passwort_1.view(), "berater");
    EXPECT_EQ(Zugangsstufe(lang, pw), 3);
    EXPECT_EQ(Zugangsstufe("", pw), 0);
}

TEST(Zugriff, WhatTheLevelsOpen) {
    EXPECT_FALSE(ProvisionFreigegeben(0));
    EXPECT_TRUE(ProvisionFreigegeben(1));
    EXPECT_TRUE(ProvisionFreigegeben(2));
    EXPECT_FALSE(FRVFreigegeben(2));
    EXPECT_TRUE(FRVFreigegeben(3));
    EXPECT_TRUE(FRVFreigegeben(7));
    EXPECT_FALSE(ProvisionFreigegeben(-1));
}
