#include "tests/support/tempdir.h"

#include "core/formatsettings.h"
#include "core/frvdata.h"
#include "core/inouterror.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace orvanta;
using orvanta::testing::TempDir;

namespace {

class FRVDaten : public ::testing::Test {
protected:
    void SetUp() override {
        SetFormatSettings(TFormatSettings{',', '.'});
        tabelle_.resize(31);
    }
    void TearDown() override { SetFormatSettings(TFormatSettings{}); }

    // A file in the documented layout: eight header lines, years, N, four
    // rates, then per year three lines and N values "y.00j,5".
    static std::string datei(int jahre, int n, const char* rates[4], int bloecke) {
        std::string s;
        for (int z = 1; z <= 8; ++z)
            s += "Kopfzeile " + std::to_string(z) + "\r\n";
        s += std::to_string(jahre) + "\r\n" + std::to_string(n) + "\r\n";
        for (int i = 0; i < 4; ++i)
            s += std::string(rates[i]) + "\r\n";
        for (int y = 1; y <= bloecke; ++y) {
            s += "Jahr " + std::to_string(y) + "\r\n--\r\n--\r\n";
            for (int j = 1; j <= n; ++j)
                s += std::to_string(y) + ".00" + std::to_string(j) + ",5\r\n";
        }
        return s;
    }

    bool lookup(int years = 30) {
        return load_FRV_Data(FRV_Praefix, 1, 35, 100, 1, 5, years, rates_, tabelle_, dir_.str());
    }

    TempDir dir_;
    TPerformanceDataArray tabelle_;
    double rates_[4] = {0, 3, 6, 9};
    const std::string name_ = "G002 m 35 100 1 5 30.txt";
};

const char* kRates[4] = {"0", "3", "6", "9"};

} // namespace

TEST_F(FRVDaten, FileNameWithRegionalSeparator) {
    EXPECT_EQ(FRV_Dateiname("G002", 1, 35, 100, 1, 5, 30), name_);
    EXPECT_EQ(FRV_Dateiname("G002", 2, 40, 150.5, 3, 0, 25), "G002 w 40 150,5 3 0 25.txt");
    EXPECT_EQ(FRV_Dateiname("G002", 0, 40, 150.5, 3, 0, 25), "G002 w 40 150,5 3 0 25.txt");
    // Round amounts keep their digits: no exponent form in the name.
    EXPECT_EQ(FRV_Dateiname("G002", 1, 35, 100000, 1, 5, 30), "G002 m 35 100000 1 5 30.txt");
    EXPECT_EQ(FRV_Dateiname("G002", 1, 35, 2500000, 1, 0, 30), "G002 m 35 2500000 1 0 30.txt");
    SetFormatSettings(TFormatSettings{'.', ','});
    EXPECT_EQ(FRV_Dateiname("G002", 1, 40, 150.5, 3, 0, 25), "G002 m 40 150.5 3 0 25.txt");
}

TEST_F(FRVDaten, FileForARoundAmountIsFound) {
    dir_.write("G002 m 35 100000 1 5 30.txt", datei(30, 4, kRates, 30));
    EXPECT_TRUE(load_FRV_Data(FRV_Praefix, 1, 35, 100000, 1, 5, 30, rates_, tabelle_, dir_.str()));
    EXPECT_EQ(tabelle_[30].FRV_Wert[4], 30004.5);
}

TEST_F(FRVDaten, LookupForAPlanTakesItsFieldsAndTheShownRates) {
    dir_.write(name_, datei(30, 4, kRates, 30));
    TPlanRecord rec{};
    rec.Anlageart = KindAufbauplan;
    rec.Geschlecht = GeschlechtMaennlich;
    rec.Eintrittsalter = 35;
    rec.Sparbetrag = 100;
    rec.FRV_Parameter = 1;
    rec.Dynamik = 5;
    rec.Laufzeit = rec.Einzahlungsdauer = 30;
    // Slots 0 and 5 are not compared: only the four shown columns are.
    const double perf[6] = {7, 0, 3, 6, 9, 7};
    for (int i = 0; i < 6; ++i)
        rec.Performance[i] = perf[i];
    EXPECT_TRUE(FRVLookupApplies(rec));
    EXPECT_EQ(FRV_DateinameFuerPlan(rec), name_);
    ASSERT_TRUE(LadeFRVFuerPlan(rec, tabelle_, dir_.str()));
    EXPECT_EQ(tabelle_[30].FRV_Wert[4], 30004.5);

    rec.Einzahlungsdauer = 29;
    EXPECT_FALSE(FRVLookupApplies(rec));
    rec.Einzahlungsdauer = 30;
    rec.Anlageart = KindEinmalanlage;
    EXPECT_FALSE(FRVLookupApplies(rec));
}

TEST_F(FRVDaten, NumberReadings) {
    EXPECT_EQ(FRV_Wert("12.345,67"), 12345.67);
    EXPECT_EQ(FRV_Wert("6.5"), 65);
    EXPECT_EQ(FRV_Wert("6,5"), 6.5);
    EXPECT_EQ(FRV_Wert(""), 0);
    EXPECT_EQ(FRV_Wert("n/a"), 0);
    EXPECT_EQ(FRV_Ganzzahl(" 30\t"), 30);
    EXPECT_EQ(FRV_Ganzzahl("12.7"), 12); // "." read as ","
    EXPECT_EQ(FRV_Ganzzahl("-3,9"), -3);
    EXPECT_EQ(FRV_Ganzzahl("drei"), 0);
    EXPECT_EQ(FRV_Ganzzahl("3000000000"), 0);
    // The delivered files are read with their decimal comma whatever the region.
    for (const TFormatSettings fs : {TFormatSettings{'.', ','}, TFormatSettings{'.', '\''}}) {
        SetFormatSettings(fs);
        EXPECT_EQ(FRV_Wert("6.5"), 65); // the full stop is always dropped
        EXPECT_EQ(FRV_Wert("12.345,67"), 12345.67);
        EXPECT_EQ(FRV_Wert("6,5"), 6.5);
        EXPECT_EQ(FRV_Ganzzahl("12.7"), 12);
        EXPECT_EQ(FRV_Ganzzahl("-3,9"), -3);
    }
}

TEST_F(FRVDaten, MatchingFileFillsTheFourColumnsOfEveryYear) {
    dir_.write(name_, datei(30, 4, kRates, 30));
    ASSERT_TRUE(lookup());
    for (int y = 1; y <= 30; ++y)
        for (int j = 1; j <= 4; ++j)
            EXPECT_EQ(tabelle_[y].FRV_Wert[j], y * 1000 + j + 0.5) << y << " " << j;
    for (const TPerformanceData& z : tabelle_) {
        EXPECT_EQ(z.FRV_Wert[0], 0);
        EXPECT_EQ(z.FRV_Wert[5], 0);
    }
    for (double v : tabelle_[0].FRV_Wert)
        EXPECT_EQ(v, 0);
}

TEST_F(FRVDaten, OtherRatesOrNamesAreNotFound) {
    const char* andere[4] = {"0", "4", "6", "9"};
    dir_.write(name_, datei(30, 4, andere, 30));
    EXPECT_FALSE(lookup());
    for (const TPerformanceData& z : tabelle_)
        for (double v : z.FRV_Wert)
            EXPECT_EQ(v, 0);

    // "6.5" reads as 65, so a file written with a full stop never matches 6.5 %.
    const char* punkt[4] = {"0", "3", "6.5", "9"};
    dir_.write(name_, datei(30, 4, punkt, 30));
    rates_[2] = 6.5;
    EXPECT_FALSE(lookup());
    rates_[2] = 65;
    EXPECT_TRUE(lookup());

    // A file named with the other separator is not the plan's file.
    dir_.write("G002 m 35 150.5 1 5 30.txt", datei(30, 4, kRates, 30));
    rates_[2] = 6;
    EXPECT_FALSE(load_FRV_Data(FRV_Praefix, 1, 35, 150.5, 1, 5, 30, rates_, tabelle_, dir_.str()));
    EXPECT_FALSE(load_FRV_Data(FRV_Praefix, 2, 35, 100, 1, 5, 30, rates_, tabelle_, dir_.str()));
}

TEST_F(FRVDaten, FewerValuesPerYearAndShortFiles) {
    // Line 10 holding 2: blocks of 3 + 2 lines, columns 3 and 4 stay 0.
    dir_.write(name_, datei(30, 2, kRates, 30));
    ASSERT_TRUE(lookup());
    EXPECT_EQ(tabelle_[30].FRV_Wert[2], 30002.5);
    EXPECT_EQ(tabelle_[30].FRV_Wert[3], 0);
    EXPECT_EQ(tabelle_[1].FRV_Wert[1], 1001.5);

    // 25 year blocks for 30 years: the rest reads past the end as 0.
    tabelle_.assign(31, TPerformanceData{});
    dir_.write(name_, datei(25, 4, kRates, 25));
    ASSERT_TRUE(lookup());
    EXPECT_EQ(tabelle_[25].FRV_Wert[4], 25004.5);
    EXPECT_EQ(tabelle_[26].FRV_Wert[1], 0);

    // A file that ends in the rates fails against a rate that is not 0.
    dir_.write(name_, datei(30, 4, kRates, 0).substr(0, 60));
    EXPECT_FALSE(lookup());

    // More than four values per year: only the four checked columns are kept,
    // and the year blocks stay in step.
    tabelle_.assign(31, TPerformanceData{});
    dir_.write(name_, datei(30, 6, kRates, 30));
    ASSERT_TRUE(lookup());
    EXPECT_EQ(tabelle_[2].FRV_Wert[4], 2004.5);
    EXPECT_EQ(tabelle_[2].FRV_Wert[5], 0);

    // A table shorter than the years is filled as far as it goes.
    tabelle_.assign(3, TPerformanceData{});
    EXPECT_TRUE(lookup());
    EXPECT_EQ(tabelle_[2].FRV_Wert[1], 2001.5);
}

TEST_F(FRVDaten, UnreadableFileIsAnInputOutputError) {
#ifdef _WIN32
    GTEST_SKIP() << "who may read a file is an access list on Windows, not a mode";
#endif
    if (orvanta::testing::RunsAsRoot())
        GTEST_SKIP() << "root reads every file";
    dir_.write(name_, datei(30, 4, kRates, 30));
    std::filesystem::permissions(dir_.path() / name_, std::filesystem::perms::none);
    try {
        lookup();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "Dateizugriff verweigert");
    }
}

TEST_F(FRVDaten, ReadErrorShowsTheSystemsErrorNumber) {
    // Reading the process's own memory from address 0 fails with EIO (5),
    // which must not pass for "Dateizugriff verweigert" nor for the short
    // read code.
#ifdef _WIN32
    GTEST_SKIP() << "no /proc on Windows";
#endif
    if (!std::filesystem::exists("/proc/self/mem"))
        GTEST_SKIP() << "no /proc";
    std::filesystem::create_symlink("/proc/self/mem", dir_.path() / name_);
    try {
        lookup();
        FAIL();
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "E/A-Fehler 5 (Lese- oder Schreibfehler des Datenträgers)");
        EXPECT_NE(e.Code, IoAccessDenied);
        EXPECT_NE(e.Code, IoReadBeyondEnd);
    }
}
