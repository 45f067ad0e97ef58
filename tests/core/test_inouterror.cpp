#include "core/errors.h"
#include "core/inouterror.h"
#include "core/textfile.h"

#include "tests/support/stueckweise.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

using namespace orvanta;

TEST(InOutError, KnownReasonsHaveTheirTexts) {
    EXPECT_EQ(InOutErrorText(InOutErrorCode(ENOENT)), "Datei nicht gefunden");
    EXPECT_EQ(InOutErrorText(InOutErrorCode(ENOTDIR)), "Datei nicht gefunden");
    EXPECT_EQ(InOutErrorText(InOutErrorCode(EACCES)), "Dateizugriff verweigert");
    EXPECT_EQ(InOutErrorText(InOutErrorCode(EROFS)), "Dateizugriff verweigert");
    EXPECT_EQ(InOutErrorText(IoReadBeyondEnd), "Versuch hinter dem Dateiende zu lesen");
}

TEST(InOutError, OtherErrorNumbersNeverPassForTheKnownReasons) {
    // EIO is 5 and ENETDOWN 100 on Linux: the numbers of the access and
    // short-read codes.
    for (int err : {EIO, 100, ENOSPC, EFBIG, EMFILE}) {
        const int code = InOutErrorCode(err);
        EXPECT_NE(code, IoFileNotFound) << err;
        EXPECT_NE(code, IoAccessDenied) << err;
        EXPECT_NE(code, IoReadBeyondEnd) << err;
        EXPECT_EQ(InOutErrorText(code), "E/A-Fehler " + std::to_string(err)) << err;
    }
    EXPECT_EQ(InOutErrorText(InOutErrorCode(EIO)), "E/A-Fehler 5");
    EXPECT_EQ(InOutErrorText(InOutErrorCode(100)), "E/A-Fehler 100");

    try {
        ThrowInOutErrno(EIO);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "E/A-Fehler 5");
        EXPECT_NE(e.Code, IoAccessDenied);
    }
}

namespace {

std::vector<std::string> alleZeilen(TTextFile& f) {
    std::vector<std::string> zeilen;
    std::string z;
    while (f.ReadLine(z))
        zeilen.push_back(z);
    return zeilen;
}

} // namespace

TEST(TextFile, LineEndsAcrossReadBoundaries) {
    using V = std::vector<std::string>;
    for (std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{100}}) {
        orvanta::testing::TStueckweise any(TTextFile::LineEnds::Any, "a\r\nb\rc\n\nd\r\n", piece,
                                           0);
        EXPECT_EQ(alleZeilen(any), (V{"a", "b", "c", "", "d"})) << piece;
        EXPECT_EQ(any.Error(), 0);
        EXPECT_TRUE(any.AtEnd());

        orvanta::testing::TStueckweise lf(TTextFile::LineEnds::Lf, "a\r\nb\rc\nlast", piece, 0);
        EXPECT_EQ(alleZeilen(lf), (V{"a", "b\rc", "last"})) << piece;
    }
}

TEST(TextFile, ReadErrorKeepsItsNumberAndDropsTheCutLine) {
    orvanta::testing::TStueckweise f(TTextFile::LineEnds::Any, "eins\nzwei\ndr", 4, EIO);
    EXPECT_EQ(alleZeilen(f), (std::vector<std::string>{"eins", "zwei"}));
    EXPECT_EQ(f.Error(), EIO);
    EXPECT_TRUE(f.AtEnd());

    TTextFile fehlt(TTextFile::LineEnds::Any);
    EXPECT_FALSE(fehlt.Open("/nonexistent/orvanta/datei.txt"));
    EXPECT_EQ(fehlt.Error(), ENOENT);
}
