// The year tables as CSV: the file format German spreadsheets read, and which
// rows and columns each table carries.

#include "core/csvexport.h"
#include "core/formatsettings.h"
#include "tests/support/testplans.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace orvanta;

namespace {

TPlanRecord planMitRaten() {
    TPlanRecord rec = orvanta::testing::LeererPlan();
    const double raten[AnzahlSzenarien] = {1, 0, 3, 6, 9.5, 12};
    std::memcpy(rec.Performance, raten, sizeof raten);
    return rec;
}

// Row i carries i in every field, scenario k the value i * 1000 + k + 0.125.
TPerformanceDataArray tabelle(int zeilen) {
    TPerformanceDataArray t(static_cast<std::size_t>(zeilen));
    for (int i = 0; i < zeilen; ++i) {
        TPerformanceData& z = t[static_cast<std::size_t>(i)];
        z.Jahr = i + 0.75; // truncated, never rounded
        z.Alter = 40 + i;
        z.Betrag = 100.005 * i;
        for (int k = 0; k < AnzahlSzenarien; ++k) {
            z.NIW[k] = i * 1000 + k + 0.125;
            z.Summe[k] = -(i * 10 + k + 0.5);
        }
    }
    return t;
}

// Restores the program's regional settings after a test changed them.
struct FormatGuard {
    TFormatSettings saved = FormatSettings();
    ~FormatGuard() { SetFormatSettings(saved); }
};

} // namespace

struct FeldFall {
    const char* text;
    const char* erwartet;
};

class CsvFeldTest : public ::testing::TestWithParam<FeldFall> {};

TEST_P(CsvFeldTest, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CsvFeld(GetParam().text), GetParam().erwartet);
}

INSTANTIATE_TEST_SUITE_P(Felder, CsvFeldTest,
                         ::testing::Values(FeldFall{"Jahr", "Jahr"}, FeldFall{"1234,50", "1234,50"},
                                           FeldFall{"", ""}, FeldFall{"a;b", "\"a;b\""},
                                           FeldFall{"Sagt \"ja\"", "\"Sagt \"\"ja\"\"\""},
                                           FeldFall{"zwei\nZeilen", "\"zwei\nZeilen\""},
                                           FeldFall{"cr\r", "\"cr\r\""}));

struct BetragFall {
    double wert;
    const char* erwartet;
};

class CsvBetragTest : public ::testing::TestWithParam<BetragFall> {};

// The file always has a decimal comma and no grouping, whatever the regional
// settings of the program that writes it.
TEST_P(CsvBetragTest, GermanTwoDecimalsWithoutGrouping) {
    FormatGuard guard;
    for (const TFormatSettings fs : {TFormatSettings{',', '.'}, TFormatSettings{'.', ','}}) {
        SetFormatSettings(fs);
        EXPECT_EQ(CsvBetrag(GetParam().wert), GetParam().erwartet);
    }
}

INSTANTIATE_TEST_SUITE_P(Betraege, CsvBetragTest,
                         ::testing::Values(BetragFall{0, "0,00"}, BetragFall{-0.001, "0,00"},
                                           BetragFall{2.675, "2,68"}, BetragFall{-2.675, "-2,68"},
                                           BetragFall{1234567.891, "1234567,89"},
                                           BetragFall{99.995, "100,00"}));

TEST(CsvText, ByteOrderMarkSemicolonsAndCrLf) {
    const std::string text = CsvText({{"Jahr", "a;b"}, {"1", "2,50"}});
    EXPECT_EQ(text, "\xEF\xBB\xBFJahr;\"a;b\"\r\n1;2,50\r\n");
    EXPECT_EQ(CsvText({}), "\xEF\xBB\xBF");
}

TEST(CsvTabellen, NamesOfTheTables) {
    EXPECT_EQ(CsvTabelleAusName("aufbau"), CsvTabelle::Aufbau);
    EXPECT_EQ(CsvTabelleAusName("entnahme"), CsvTabelle::Entnahme);
    EXPECT_EQ(CsvTabelleAusName("provision"), CsvTabelle::Provision);
    for (const char* falsch : {"", "Aufbau", "aufbau ", "tabelle"})
        EXPECT_FALSE(CsvTabelleAusName(falsch)) << falsch;
}

TEST(CsvTabellen, AccumulationYearsOneOnwardWithTheFourShownScenarios) {
    const auto zeilen = CsvAufbau(planMitRaten(), tabelle(4));
    ASSERT_EQ(zeilen.size(), 4u); // header and years 1..3; row 0 is the plan's start
    EXPECT_EQ(zeilen[0], (CsvZeile{"Jahr", "Alter", "Monatsbetrag (EUR)",
                                   "Netto-Depotwert 0,0 % (EUR)", "Netto-Depotwert 3,0 % (EUR)",
                                   "Netto-Depotwert 6,0 % (EUR)", "Netto-Depotwert 9,5 % (EUR)"}));
    EXPECT_EQ(zeilen[1],
              (CsvZeile{"1", "41", "100,01", "1001,13", "1002,13", "1003,13", "1004,13"}));
    EXPECT_EQ(zeilen[3][0], "3");
    EXPECT_EQ(CsvAufbau(planMitRaten(), {}).size(), 1u);
}

TEST(CsvTabellen, WithdrawalFromItsStartWithCapitalAndSums) {
    const auto zeilen = CsvEntnahme(planMitRaten(), tabelle(3));
    ASSERT_EQ(zeilen.size(), 4u); // header and rows 0..2
    ASSERT_EQ(zeilen[0].size(), 11u);
    EXPECT_EQ(zeilen[0][2], "Monatliche Entnahme (EUR)");
    EXPECT_EQ(zeilen[0][7], "Summe der Entnahmen 0,0 % (EUR)");
    EXPECT_EQ(zeilen[0][10], "Summe der Entnahmen 9,5 % (EUR)");
    EXPECT_EQ(zeilen[1], (CsvZeile{"0", "40", "0,00", "1,13", "2,13", "3,13", "4,13", "-1,50",
                                   "-2,50", "-3,50", "-4,50"}));
    EXPECT_EQ(zeilen[3][0], "2");
    EXPECT_EQ(zeilen[3][10], "-24,50");
}

TEST(CsvTabellen, CommissionWithAndWithoutFrvColumns) {
    TProvisionsProtokoll p;
    p.SetzeAP(50);
    p.SetzeBP(1, 1.5, 1.5, 51.5);
    p.SetzeBP(2, 2.25, 3.75, 53.75);
    p.SetzeFRV(1, 18, 18, 40, 58);

    const auto ohne = CsvProvision(p, false);
    ASSERT_EQ(ohne.size(), 3u);
    EXPECT_EQ(ohne[0], (CsvZeile{"Jahr", "VM47 (EUR)", "VM47 kumuliert (EUR)"}));
    EXPECT_EQ(ohne[2], (CsvZeile{"2", "2,25", "3,75"}));

    const auto mit = CsvProvision(p, true);
    ASSERT_EQ(mit.size(), 3u);
    EXPECT_EQ(mit[0].size(), 5u);
    EXPECT_EQ(mit[1], (CsvZeile{"1", "1,50", "1,50", "18,00", "18,00"}));
    // A year without FRV figures keeps its columns, empty.
    EXPECT_EQ(mit[2], (CsvZeile{"2", "2,25", "3,75", "", ""}));
}

TEST(CsvTabellen, FileOfACalculationPicksTheTable) {
    TPerformCalc calc;
    calc.Rec = planMitRaten();
    calc.Aufbautabelle = tabelle(2);
    calc.Entnahmetabelle = tabelle(5);
    TProvisionsProtokoll p;
    p.SetzeAP(1);
    p.SetzeBP(1, 1, 1, 2);
    EXPECT_EQ(CsvDatei(CsvTabelle::Aufbau, calc, p, false),
              CsvText(CsvAufbau(calc.Rec, calc.Aufbautabelle)));
    EXPECT_EQ(CsvDatei(CsvTabelle::Entnahme, calc, p, false),
              CsvText(CsvEntnahme(calc.Rec, calc.Entnahmetabelle)));
    EXPECT_EQ(CsvDatei(CsvTabelle::Provision, calc, p, true), CsvText(CsvProvision(p, true)));
}
