#include "tests/support/calccompare.h"
#include "tests/support/tempdir.h"
#include "tests/support/testplans.h"

#include "core/referencecalc.h"
#include "core/sterbetafel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using namespace orvanta;
using orvanta::testing::entnahme;

namespace {

// Fast and plain must agree, also on the error they report.
std::string fehlerText(TPerformCalc c, bool plain) {
    try {
        if (plain)
            referenz::BerechneEntnahmephase(c);
        else
            c.BerechneEntnahmephase();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(Entnahmephase, OhneKapitalverzehrRunsToNinetyFive) {
    TPerformCalc c = entnahme(100000, 500, AuszDauerOhneKapitalverzehr);
    c.BerechneEntnahmephase();
    const TPerformanceDataArray& t = c.Entnahmetabelle;
    ASSERT_EQ(t.size(), 31u);
    EXPECT_EQ(t.front().Alter, 64);
    EXPECT_EQ(t.back().Alter, 94);
    EXPECT_EQ(t.back().Jahr, 30);
    EXPECT_EQ(t.front().NIW[2], 100000);
    EXPECT_EQ(t.front().Summe[2], 0);
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        EXPECT_EQ(c.Rec.Entnahme_moeglich[i], c.Rec.Entnahme_ewig[i]);
        // No accumulation: its capital of 0 pays nothing, whatever Rentenkapital pays.
        EXPECT_EQ(c.Rec.Entnahme_aus_Einzahlung[i], 0);
    }
    // The perpetual withdrawal keeps the capital: one year of it leaves RK.
    const double r = 6.0 / 100;
    EXPECT_NEAR(Endkapital(1, 100000, r, c.Rec.Entnahme_ewig[3]), 100000, 0.01);
    // No finite capital suffices at 0 %; above 0.1 % the capital of a lasting Monatsrente.
    EXPECT_EQ(c.Rec.Kapital_erforderlich[1], 0);
    const double K = c.Rec.Kapital_erforderlich[3];
    EXPECT_NEAR(Endkapital(1, K, r, 500), K, 1.0);
    EXPECT_GT(c.Rec.Erforderliche_Wertentwicklung, 0);
    EXPECT_GE(Endkapital(1, 100000, c.Rec.Erforderliche_Wertentwicklung / 100, 500), 100000);
}

TEST(Entnahmephase, OhneKapitalverzehrWithdrawsForEverFromTheAccumulatedCapital) {
    TPerformCalc c = orvanta::testing::sparplan(0, 25);
    const double perf[AnzahlSzenarien] = {0, 0, 3, 6, 9, 6};
    std::memcpy(c.Rec.Performance, perf, sizeof perf);
    c.Rec.Rentenkapital = 150000;
    c.Rec.Monatsrente = 500;
    c.Rec.AuszDauer = AuszDauerOhneKapitalverzehr;
    c.BerechneAufbauphase();
    TPerformCalc plain = c;
    c.BerechneEntnahmephase();
    referenz::BerechneEntnahmephase(plain);
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, plain));

    for (int i = 0; i < AnzahlSzenarien; ++i) {
        const double K = c.Rec.Kapital_Einzahlungsende[i];
        ASSERT_GT(K, 0) << i;
        ASSERT_NE(K, c.Rec.Rentenkapital) << i;
        const double w = c.Rec.Entnahme_aus_Einzahlung[i];
        if (perf[i] == 0) {
            EXPECT_EQ(w, 0) << i;
            continue;
        }
        // Bit for bit the perpetual withdrawal of a Rentenkapital of that size.
        TPerformCalc gleichesKapital =
            orvanta::testing::entnahme(K, 500, AuszDauerOhneKapitalverzehr);
        gleichesKapital.BerechneEntnahmephase();
        EXPECT_EQ(std::memcmp(&w, &gleichesKapital.Rec.Entnahme_ewig[i], sizeof w), 0) << i;
        EXPECT_NE(w, c.Rec.Entnahme_ewig[i]) << i;
        EXPECT_NEAR(Endkapital(1, K, perf[i] / 100, w), K, 0.01) << i;
    }
    // The other results still belong to Rentenkapital.
    TPerformCalc nurRente = orvanta::testing::entnahme(150000, 500, AuszDauerOhneKapitalverzehr);
    nurRente.BerechneEntnahmephase();
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        EXPECT_EQ(c.Rec.Entnahme_ewig[i], nurRente.Rec.Entnahme_ewig[i]) << i;
        EXPECT_EQ(c.Rec.Entnahme_moeglich[i], nurRente.Rec.Entnahme_ewig[i]) << i;
        EXPECT_EQ(c.Rec.Kapital_erforderlich[i], nurRente.Rec.Kapital_erforderlich[i]) << i;
    }
}

TEST(Entnahmephase, PerpetualSearchOnTheAccumulatedCapitalReportsItsErrors) {
    // Nothing to withdraw from Rentenkapital, but the accumulated capital's
    // search at 300 % diverges: both calculations stop with the same error.
    TPerformCalc c = entnahme(0, 0, AuszDauerOhneKapitalverzehr);
    c.Rec.Performance[3] = 300;
    c.Rec.Laufzeit = 1;
    c.Aufbautabelle.resize(1);
    for (double& v : c.Aufbautabelle[0].NIW)
        v = 80000;
    EXPECT_EQ(fehlerText(c, false), "Gleitkommaüberlauf");
    EXPECT_EQ(fehlerText(c, true), "Gleitkommaüberlauf");
    // With a duration the same capital is searched from Entnahme_ewig as before.
    c.Rec.Performance[3] = 6;
    c.Rec.AuszDauer = 20;
    TPerformCalc plain = c;
    c.BerechneEntnahmephase();
    referenz::BerechneEntnahmephase(plain);
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, plain));
    EXPECT_LE(std::fabs(Endkapital(20, 80000, 0.06, c.Rec.Entnahme_aus_Einzahlung[3])), 1);
}

TEST(Entnahmephase, BeginBeyondNinetyFiveSimulatesNothing) {
    TPerformCalc c = entnahme(100000, 500, AuszDauerOhneKapitalverzehr, 97);
    c.Entnahmetabelle.resize(4);
    c.BerechneEntnahmephase();
    EXPECT_TRUE(c.Entnahmetabelle.empty());
    for (double k : c.Rec.Kapital_Entnahme)
        EXPECT_EQ(k, 100000);
}

TEST(Entnahmephase, CapitalThatRunsOut) {
    TPerformCalc c = entnahme(10500, 1000, 3);
    c.BerechneEntnahmephase();
    const TPerformanceDataArray& t = c.Entnahmetabelle;
    ASSERT_EQ(t.size(), 4u);
    // Scenario 1 at 0 %: ten full withdrawals, then the 500 that is left.
    EXPECT_EQ(t[1].Summe[1], 10500);
    EXPECT_EQ(t[1].NIW[1], 0);
    EXPECT_EQ(t[2].Summe[1], 10500);
    EXPECT_EQ(t[3].NIW[1], 0);
    EXPECT_EQ(c.Rec.Kapital_Entnahme[1], 0);
    EXPECT_EQ(t[3].Betrag, 1000);
    // 12 × Monatsrente beyond the capital: no required return.
    EXPECT_EQ(c.Rec.Erforderliche_Wertentwicklung, 0);
}

TEST(Entnahmephase, NoCapital) {
    TPerformCalc c = entnahme(0, 500, 20);
    c.BerechneEntnahmephase();
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        EXPECT_EQ(c.Rec.Entnahme_ewig[i], 0);
        EXPECT_EQ(c.Rec.Entnahme_moeglich[i], 0);
    }
    EXPECT_EQ(c.Rec.Erforderliche_Wertentwicklung, 0);
}

TEST(Entnahmephase, ZeroPercentScenarioOverNYears) {
    for (int N : {1, 10, 30, 45}) {
        TPerformCalc c = entnahme(100000, 500, N);
        c.BerechneEntnahmephase();
        const double w = c.Rec.Entnahme_moeglich[1];
        EXPECT_NEAR(w, 100000.0 / (12 * N), 1.0 / (12 * N)) << N;
        EXPECT_LE(std::fabs(Endkapital(N, 100000, 0, w)), 1);
        const double K = c.Rec.Kapital_erforderlich[1];
        EXPECT_NEAR(K, 12.0 * N * 500, 1.0);
        EXPECT_LE(std::fabs(Endkapital(N, K, 0, 500)), 1);
        // The plain loop's stopping point: the first p of the 0.005 steps that suffices.
        const double p = c.Rec.Erforderliche_Wertentwicklung;
        if (12 * 500.0 <= 100000) {
            EXPECT_GE(Endkapital(N, 100000, p / 100, 500), 0);
            if (p > 0) {
                EXPECT_LT(Endkapital(N, 100000, (p - 0.005) / 100, 500), 0);
            }
        }
    }
}

TEST(Entnahmephase, AccumulatedCapitalComesFromTheLastRow) {
    TPerformCalc c = orvanta::testing::sparplan(6, 10);
    c.Rec.Rentenkapital = 50000;
    c.Rec.Monatsrente = 300;
    c.Rec.AuszDauer = 20;
    c.BerechneAufbauphase();
    c.BerechneEntnahmephase();
    for (int i = 0; i < AnzahlSzenarien; ++i)
        EXPECT_EQ(c.Rec.Kapital_Einzahlungsende[i], c.Aufbautabelle.back().NIW[i]);
    EXPECT_LE(std::fabs(Endkapital(20, c.Rec.Kapital_Einzahlungsende[2], 0.06,
                                   c.Rec.Entnahme_aus_Einzahlung[2])),
              1);

    c.Rec.Laufzeit = 0;
    c.BerechneAufbauphase();
    c.BerechneEntnahmephase();
    for (double k : c.Rec.Kapital_Einzahlungsende)
        EXPECT_EQ(k, 0);
}

TEST(Entnahmephase, NegativeDurationIsRefusedBeforeAnySearch) {
    // A negative duration leaves the end capital fixed, so the documented
    // loop would repeat for ever; no window produces it, and it is refused
    // before anything is calculated.
    TPerformCalc c = entnahme(100000, 500, 30);
    c.BerechneEntnahmephase();
    const TPerformCalc vorher = c;
    c.Rec.AuszDauer = -5;
    const std::string text = fehlerText(c, false);
    EXPECT_EQ(text, "Fehler bei Bereichsprüfung");
    EXPECT_EQ(text, fehlerText(c, true));
    EXPECT_THROW(c.BerechneEntnahmephase(), ERangeError);
    c.Rec.AuszDauer = 30;
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, vorher));
}

TEST(Entnahmephase, FloatingPointErrorsAndTheirOrder) {
    TPerformCalc c = entnahme(100000, 500, 0);
    // Duration 0: the search divides by 12 × 0.
    EXPECT_EQ(fehlerText(c, false), "Gleitkommadivision durch Null");
    EXPECT_EQ(fehlerText(c, true), "Gleitkommadivision durch Null");

    // At 300 % the perpetual search diverges until it overflows.
    c = entnahme(100000, 500, 30);
    c.Rec.Performance[0] = 300;
    EXPECT_EQ(fehlerText(c, false), "Gleitkommaüberlauf");
    EXPECT_EQ(fehlerText(c, true), "Gleitkommaüberlauf");

    // Scenario 0 fails first (overflow) before its division by zero...
    c.Rec.AuszDauer = 0;
    EXPECT_EQ(fehlerText(c, false), "Gleitkommaüberlauf");
    EXPECT_EQ(fehlerText(c, true), "Gleitkommaüberlauf");
    // ...but a later scenario's overflow comes after scenario 0's division by zero.
    c.Rec.Performance[0] = 0;
    c.Rec.Performance[3] = 300;
    EXPECT_EQ(fehlerText(c, false), "Gleitkommadivision durch Null");
    EXPECT_EQ(fehlerText(c, false), fehlerText(c, true));

    // An infinite capital never reaches the record.
    c = entnahme(HUGE_VAL, 500, 30);
    EXPECT_NE(fehlerText(c, false), "");
    EXPECT_EQ(fehlerText(c, false), fehlerText(c, true));
}

TEST(Entnahmephase, DuplicateScenariosAndDemoMatchThePlainTranscription) {
    for (int N : {30, AuszDauerOhneKapitalverzehr, 1, 75}) {
        TPerformCalc a = entnahme(100000, 500, N, N == 75 ? 20 : 65);
        a.Rec.Laufzeit = 1;
        a.Aufbautabelle.resize(1);
        for (double& v : a.Aufbautabelle[0].NIW)
            v = 80000;
        TPerformCalc b = a;
        a.BerechneEntnahmephase();
        referenz::BerechneEntnahmephase(b);
        EXPECT_TRUE(orvanta::testing::gleicheRechnung(a, b)) << N;
    }
}

TEST(Rentenkapital, TakenFromTheChosenScenario) {
    TPlanRecord r{};
    for (int i = 0; i < AnzahlSzenarien; ++i)
        r.Kapital[i] = 1000 * i;
    r.Rentenkapital = 7;
    r.Kapital_aus_Einzahlung = 0;
    r.Kapital_Szenario = 3;
    EXPECT_FALSE(UebernehmeRentenkapital(r));
    EXPECT_EQ(r.Rentenkapital, 7);
    r.Kapital_aus_Einzahlung = 1;
    EXPECT_TRUE(UebernehmeRentenkapital(r));
    EXPECT_EQ(r.Rentenkapital, 3000);
    r.Kapital_Szenario = 1;
    EXPECT_FALSE(UebernehmeRentenkapital(r));
    r.Kapital_Szenario = 6;
    EXPECT_THROW(UebernehmeRentenkapital(r), ERangeError);
    EXPECT_EQ(r.Rentenkapital, 3000);
}

namespace {

class EntnahmedauerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_.write(TSterbetafel::Dateiname,
                   "Alter;Maenner;Frauen\n0;75,5;80,5\n35;40,5;45,5\n36;41,5;46,4\n");
        tafel_.Laden(dir_.path().string());
        rec_ = TPlanRecord{};
        rec_.Eintrittsalter = 35;
        rec_.AuszBeginn = 65;
        rec_.AuszEnde = 85;
        rec_.Geschlecht = GeschlechtMaennlich;
    }
    orvanta::testing::TempDir dir_;
    TSterbetafel tafel_;
    TPlanRecord rec_;
};

} // namespace

TEST_F(EntnahmedauerTest, ByKindOfEnd) {
    rec_.AuszEndeArt = EndeIndividuell;
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 20);
    rec_.AuszEndeArt = Ende95;
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 30);
    rec_.AuszEndeArt = EndeOhneKapitalverzehr;
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 999);
    // Life expectancy 40.5 rounds to 40 (half to even): age 75, ten years from 65.
    rec_.AuszEndeArt = EndeLebenserwartung;
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 10);
    rec_.Eintrittsalter = 36; // 41.5 rounds to 42: age 78
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 13);
    rec_.Geschlecht = GeschlechtWeiblich; // 46.4 rounds to 46: age 82
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 17);
    // At birth: 80.5 rounds to 80.
    rec_.AuszEndeArt = EndeLebenserwartungGeburt;
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 15);
    EXPECT_EQ(rec_.AuszEndeArt, 3);
    EXPECT_EQ(rec_.AuszEnde, 85);
}

TEST_F(EntnahmedauerTest, FallsBackToOneIndividualYear) {
    struct Fall {
        int art;
        int beginn;
        int geschlecht;
    };
    // 95 Jahre from 95 or later; an unknown kind; no life expectancy for sex 0;
    // an individual end before the start.
    for (const Fall f : {Fall{4, 95, 1}, Fall{4, 101, 1}, Fall{7, 65, 1}, Fall{0, 65, 1},
                         Fall{2, 65, 0}, Fall{1, 90, 1}}) {
        rec_.AuszEndeArt = f.art;
        rec_.AuszBeginn = f.beginn;
        rec_.Geschlecht = f.geschlecht;
        rec_.AuszEnde = 85;
        const TEntnahmedauer d = Entnahmedauer(rec_, tafel_);
        EXPECT_EQ(d.Jahre, 1) << f.art << " " << f.beginn;
        EXPECT_TRUE(d.AufIndividuellGesetzt);
        EXPECT_EQ(rec_.AuszEndeArt, 1);
        EXPECT_EQ(rec_.AuszEnde, f.beginn + 1);
    }
    // An empty table gives no life expectancy either.
    rec_.AuszEndeArt = EndeLebenserwartung;
    rec_.AuszBeginn = 65;
    EXPECT_TRUE(Entnahmedauer(rec_, TSterbetafel()).AufIndividuellGesetzt);
    rec_.AuszEndeArt = Ende95;
    EXPECT_FALSE(Entnahmedauer(rec_, tafel_).AufIndividuellGesetzt);
}

TEST(Entnahmephase, DamagedDurationsAreRefusedBeforeAnythingIsAllocated) {
    // Each of these ran for minutes or ended in std::bad_alloc; now both
    // calculations refuse them at once and keep record and tables.
    struct Fall {
        std::int32_t TPlanRecord::*feld;
        std::int32_t wert;
    };
    for (const Fall f :
         {Fall{&TPlanRecord::Laufzeit, 30000000}, Fall{&TPlanRecord::Laufzeit, 8388638},
          Fall{&TPlanRecord::Laufzeit, 2147483647}, Fall{&TPlanRecord::AuszDauer, 2147483647},
          Fall{&TPlanRecord::AuszBeginn, -2147483647 - 1}}) {
        TPerformCalc c = orvanta::testing::sparplan(6, 30);
        c.BerechneAufbauphase();
        c.BerechneEntnahmephase();
        const TPerformCalc vorher = c;
        c.Rec.*f.feld = f.wert;
        EXPECT_THROW(c.BerechneAufbauphase(), ERangeError) << f.wert;
        EXPECT_THROW(referenz::BerechneAufbauphase(c), ERangeError) << f.wert;
        EXPECT_EQ(fehlerText(c, false), "Fehler bei Bereichsprüfung");
        EXPECT_EQ(fehlerText(c, true), "Fehler bei Bereichsprüfung");
        EXPECT_TRUE(orvanta::testing::gleicheTabellen(c.Aufbautabelle, vorher.Aufbautabelle));
        EXPECT_TRUE(orvanta::testing::gleicheTabellen(c.Entnahmetabelle, vorher.Entnahmetabelle));
    }
}

TEST_F(EntnahmedauerTest, LengthBeyondTheWindowsBoundsIsARangeError) {
    // A damaged mortality table row gives a life expectancy of 2^31 - 1 years.
    dir_.write(TSterbetafel::Dateiname, "Alter;Maenner;Frauen\n0;2147483647;81,28\n");
    tafel_.Laden(dir_.path().string());
    rec_.AuszEndeArt = EndeLebenserwartungGeburt;
    EXPECT_THROW(Entnahmedauer(rec_, tafel_), ERangeError);
    rec_.AuszEndeArt = EndeIndividuell;
    rec_.AuszBeginn = 0;
    rec_.AuszEnde = 150; // the longest the window allows
    EXPECT_EQ(Entnahmedauer(rec_, tafel_).Jahre, 150);
    rec_.AuszEnde = 151;
    EXPECT_THROW(Entnahmedauer(rec_, tafel_), ERangeError);
}
