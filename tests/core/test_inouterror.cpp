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

namespace {

// The system's error numbers behind the same situations: errno on POSIX,
// GetLastError() on Windows. Every row runs on the system it belongs to.
struct Fall {
    int err;
    const char* text;
};
#ifdef _WIN32
constexpr int IoFehler = 23; // ERROR_CRC
const std::vector<Fall> BekannteGruende = {
    {2, "Datei nicht gefunden"},     // ERROR_FILE_NOT_FOUND
    {3, "Datei nicht gefunden"},     // ERROR_PATH_NOT_FOUND
    {5, "Dateizugriff verweigert"},  // ERROR_ACCESS_DENIED
    {32, "Dateizugriff verweigert"}, // ERROR_SHARING_VIOLATION
    {19, "Dateizugriff verweigert"}, // ERROR_WRITE_PROTECT
};
// 100 is also the short-read code, 5 that of "Dateizugriff verweigert".
const std::vector<int> AndereNummern = {IoFehler, 100, 112, 4, 145};
const std::vector<Fall> Erklaerungen = {
    {112, "E/A-Fehler 112 (kein Speicherplatz auf dem Datenträger)"},
    {1295, "E/A-Fehler 1295 (das Speicherkontingent ist erschöpft)"},
    {223, "E/A-Fehler 223 (die Datei ist zu groß)"},
    {4, "E/A-Fehler 4 (zu viele geöffnete Dateien)"},
    {64, "E/A-Fehler 64 (die Netzwerkverbindung ist unterbrochen)"},
    {IoFehler, "E/A-Fehler 23 (Lese- oder Schreibfehler des Datenträgers)"},
    {145, "E/A-Fehler 145"}, // ERROR_DIR_NOT_EMPTY
    {4242, "E/A-Fehler 4242"},
};
#else
constexpr int IoFehler = EIO;
const std::vector<Fall> BekannteGruende = {
    {ENOENT, "Datei nicht gefunden"},    {ENOTDIR, "Datei nicht gefunden"},
    {EACCES, "Dateizugriff verweigert"}, {EROFS, "Dateizugriff verweigert"},
    {EISDIR, "Dateizugriff verweigert"},
};
// EIO is 5 and ENETDOWN 100 on Linux: the numbers of the access and
// short-read codes.
const std::vector<int> AndereNummern = {EIO, 100, ENOSPC, EFBIG, EMFILE, ENOTEMPTY};
const std::vector<Fall> Erklaerungen = {
    {ENOSPC, "E/A-Fehler 28 (kein Speicherplatz auf dem Datenträger)"},
    {EDQUOT, "E/A-Fehler 122 (das Speicherkontingent ist erschöpft)"},
    {EFBIG, "E/A-Fehler 27 (die Datei ist zu groß)"},
    {EMFILE, "E/A-Fehler 24 (zu viele geöffnete Dateien)"},
    {ENETDOWN, "E/A-Fehler 100 (die Netzwerkverbindung ist unterbrochen)"},
    {EIO, "E/A-Fehler 5 (Lese- oder Schreibfehler des Datenträgers)"},
    // Numbers without words keep the plain form.
    {ENOTEMPTY, "E/A-Fehler 39"},
    {4242, "E/A-Fehler 4242"},
};
#endif

} // namespace

TEST(InOutError, KnownReasonsHaveTheirTexts) {
    for (const Fall& f : BekannteGruende)
        EXPECT_EQ(InOutErrorText(InOutErrorCode(f.err)), f.text) << f.err;
    EXPECT_EQ(InOutErrorText(IoReadBeyondEnd), "Versuch hinter dem Dateiende zu lesen");
}

TEST(InOutError, OtherErrorNumbersNeverPassForTheKnownReasons) {
    for (int err : AndereNummern) {
        const int code = InOutErrorCode(err);
        EXPECT_NE(code, IoFileNotFound) << err;
        EXPECT_NE(code, IoAccessDenied) << err;
        EXPECT_NE(code, IoReadBeyondEnd) << err;
        EXPECT_EQ(InOutErrorText(code).rfind("E/A-Fehler " + std::to_string(err), 0), 0u) << err;
    }

    try {
        ThrowInOutErrno(IoFehler);
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.what(), "E/A-Fehler " + std::to_string(IoFehler) +
                                " (Lese- oder Schreibfehler des Datenträgers)");
        EXPECT_NE(e.Code, IoAccessDenied);
    }
}

// The number stays for the support line; the words say what happened.
TEST(InOutError, SystemErrorsAreExplainedInGerman) {
    for (const Fall& f : Erklaerungen)
        EXPECT_EQ(InOutErrorText(InOutErrorCode(f.err)), f.text) << f.err;
    // The runtime's own codes are no system error numbers and get no words.
    EXPECT_EQ(InOutErrorText(28), "E/A-Fehler 28");
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
    orvanta::testing::TStueckweise f(TTextFile::LineEnds::Any, "eins\nzwei\ndr", 4, IoFehler);
    EXPECT_EQ(alleZeilen(f), (std::vector<std::string>{"eins", "zwei"}));
    EXPECT_EQ(f.Error(), IoFehler);
    EXPECT_TRUE(f.AtEnd());

    TTextFile fehlt(TTextFile::LineEnds::Any);
    EXPECT_FALSE(fehlt.Open("/nonexistent/orvanta/datei.txt"));
    EXPECT_EQ(InOutErrorCode(fehlt.Error()), IoFileNotFound);
}
