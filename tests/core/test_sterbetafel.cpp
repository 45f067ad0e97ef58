#include "tests/support/stueckweise.h"
#include "tests/support/tempdir.h"

#include "core/formatsettings.h"
#include "core/sterbetafel.h"

#include <gtest/gtest.h>

using namespace orvanta;
using orvanta::testing::TempDir;

namespace {

class Sterbetafel : public ::testing::Test {
protected:
    void SetUp() override { SetFormatSettings(TFormatSettings{',', '.'}); }
    void TearDown() override { SetFormatSettings(TFormatSettings{}); }

    TSterbetafel laden(const std::string& inhalt) {
        dir_.write(TSterbetafel::Dateiname, inhalt);
        return TSterbetafel(dir_.str());
    }

    TempDir dir_;
};

std::string zehnZeilen() {
    std::string s = "Alter;Maenner;Frauen\r\n";
    for (int a = 0; a < 10; ++a)
        s += std::to_string(a) + ";" + std::to_string(70 - a) + ",25;" + std::to_string(80 - a) +
             ",5\r\n";
    return s;
}

} // namespace

TEST_F(Sterbetafel, MissingHeaderOnlyOrEmptyFileGiveAnEmptyTable) {
    EXPECT_TRUE(TSterbetafel(dir_.str()).Zeilen().empty());
    EXPECT_TRUE(laden("Alter;Maenner;Frauen\r\n").Zeilen().empty());
    EXPECT_TRUE(laden("").Zeilen().empty());
    const TSterbetafel leer;
    EXPECT_EQ(leer.Zeile(65), nullptr);
    EXPECT_EQ(leer.Lebenserwartung(65, 1), 0);
}

TEST_F(Sterbetafel, ReadsTheDecimalCommaWhateverTheRegion) {
    const TSterbetafel t = laden("Kopf\n65;17,5;20,75;Quelle 2004\n66; 16,9 ;20\n");
    ASSERT_EQ(t.Zeilen().size(), 2u);
    EXPECT_EQ(t.Lebenserwartung(65, 1), 17.5);
    EXPECT_EQ(t.Lebenserwartung(65, 2), 20.75);
    EXPECT_EQ(t.Lebenserwartung(66, 1), 16.9);
    EXPECT_EQ(t.Lebenserwartung(65, 3), 0);

    // With a full stop as the regional decimal separator the delivered file
    // reads the same, and a full stop in the file is a decimal point too.
    for (const TFormatSettings fs :
         {TFormatSettings{'.', ','}, TFormatSettings{'.', '\''}, TFormatSettings{',', '.'}}) {
        SetFormatSettings(fs);
        const TSterbetafel t2 = laden("Kopf\n65;17,5;20,75\n66;16.9;20\n67;1.000;x\n");
        ASSERT_EQ(t2.Zeilen().size(), 3u) << fs.DecimalSeparator;
        EXPECT_EQ(t2.Lebenserwartung(65, 1), 17.5);
        EXPECT_EQ(t2.Lebenserwartung(65, 2), 20.75);
        EXPECT_EQ(t2.Lebenserwartung(66, 1), 16.9);
        EXPECT_EQ(t2.Lebenserwartung(67, 1), 1); // never a thousands separator
        EXPECT_EQ(t2.Lebenserwartung(67, 2), 0); // "x" ends the loading
    }
}

TEST_F(Sterbetafel, LoadingStopsSilentlyAtTheFirstBadLine) {
    // Letters in the age after ten good lines: eleven rows, the last all zero.
    TSterbetafel t = laden(zehnZeilen() + "abc;1,0;2,0\r\n20;3,0;4,0\r\n");
    ASSERT_EQ(t.Zeilen().size(), 11u);
    EXPECT_EQ(t.Zeilen()[10].Alter, 0);
    EXPECT_EQ(t.Zeilen()[10].Maenner, 0);
    EXPECT_EQ(t.Zeilen()[9].Frauen, 71.5);

    // A bad female value keeps the fields converted before it.
    t = laden("Kopf\n30;45,5;x\n31;44;49\n");
    ASSERT_EQ(t.Zeilen().size(), 1u);
    EXPECT_EQ(t.Zeilen()[0].Alter, 30);
    EXPECT_EQ(t.Zeilen()[0].Maenner, 45.5);
    EXPECT_EQ(t.Zeilen()[0].Frauen, 0);

    // Too few fields: the missing one converts from empty text and fails.
    t = laden("Kopf\n30;45,5\n31;44;49\n");
    EXPECT_EQ(t.Zeilen().size(), 1u);

    // An empty line in the middle ends the loading with a zero row.
    t = laden("Kopf\n30;45;50\n\n31;44;49\n");
    ASSERT_EQ(t.Zeilen().size(), 2u);
    EXPECT_EQ(t.Zeilen()[1].Alter, 0);
}

TEST_F(Sterbetafel, ReadErrorKeepsTheRowsReadBeforeIt) {
    // The read fails part-way through the eleventh line: the ten lines
    // before it stay, the cut line is not converted.
    orvanta::testing::TStueckweise datei(TTextFile::LineEnds::Any, zehnZeilen() + "10;60,2", 7,
                                         EIO);
    TSterbetafel t;
    t.Laden(datei);
    ASSERT_EQ(t.Zeilen().size(), 10u);
    EXPECT_EQ(t.Zeilen()[9].Alter, 9);
    EXPECT_EQ(t.Zeilen()[9].Frauen, 71.5);
    EXPECT_EQ(t.Lebenserwartung(0, 1), 70.25);

    // The same file without the error loads all eleven rows.
    orvanta::testing::TStueckweise ganz(TTextFile::LineEnds::Any, zehnZeilen() + "10;60,2;70", 7,
                                        0);
    t.Laden(ganz);
    EXPECT_EQ(t.Zeilen().size(), 11u);
}

TEST_F(Sterbetafel, LookupTakesTheFirstRowAndClampsOutsideTheRange) {
    std::string s = "Alter;M;F\n";
    for (int a = 0; a <= 100; ++a) {
        s += std::to_string(a) + ";" + std::to_string(a) + ",5;1\n";
        if (a == 60)
            s += "50;99;99\n"; // duplicate: the first occurrence counts
    }
    const TSterbetafel t = laden(s);
    EXPECT_EQ(t.Lebenserwartung(50, 1), 50.5);
    EXPECT_EQ(t.Lebenserwartung(105, 1), 100.5);
    EXPECT_EQ(t.Lebenserwartung(-1, 1), 0.5);

    // An age inside the range without a row of its own has no row.
    const TSterbetafel luecke = laden("Kopf\n60;20;24\n70;13;16\n");
    EXPECT_EQ(luecke.Zeile(65), nullptr);
    EXPECT_EQ(luecke.Lebenserwartung(65, 1), 0);
    EXPECT_EQ(luecke.Lebenserwartung(59, 1), 20);
    EXPECT_EQ(luecke.Lebenserwartung(71, 2), 16);
}

TEST_F(Sterbetafel, DeliveredTableLoadsCompletely) {
    const char* quelle = std::getenv("ORVANTA_SOURCE_DIR");
    if (quelle == nullptr)
        GTEST_SKIP() << "ORVANTA_SOURCE_DIR not set";
    const TSterbetafel t(std::string(quelle) + "/data");
    ASSERT_GT(t.Zeilen().size(), 90u);
    EXPECT_EQ(t.Zeilen().front().Alter, 0);
    for (const Sterbetafel_Zeile& z : t.Zeilen()) {
        EXPECT_GT(z.Maenner, 0) << z.Alter;
        EXPECT_GT(z.Frauen, 0) << z.Alter;
    }
}
