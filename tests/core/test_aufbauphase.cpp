#include "tests/support/calccompare.h"
#include "tests/support/testplans.h"

#include "core/provisionsink.h"
#include "core/referencecalc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace orvanta;
using orvanta::testing::sparplan;

namespace {

double summeBetraege(const TPerformanceDataArray& t) {
    double s = 0;
    for (const TPerformanceData& z : t)
        s += z.Betrag;
    return s;
}

} // namespace

TEST(Aufbauphase, WorkedExampleOneYearAtSixPercent) {
    TPerformCalc c = sparplan(6);
    c.BerechneAufbauphase();
    ASSERT_EQ(c.Aufbautabelle.size(), 2u);
    const TPerformanceData& j0 = c.Aufbautabelle[0];
    const TPerformanceData& j1 = c.Aufbautabelle[1];
    EXPECT_EQ(j0.NIW[3], 0);
    EXPECT_EQ(j0.Summe[3], 0);
    EXPECT_EQ(j0.Betrag, 100);
    EXPECT_EQ(j0.Alter, 34);
    EXPECT_EQ(j1.Jahr, 1);
    EXPECT_EQ(j1.Alter, 35);
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        EXPECT_NEAR(j1.NIW[i], 1239, 1e-9);
        EXPECT_EQ(j1.Summe[i], 1200);
        EXPECT_EQ(c.Rec.Kapital[i], j1.NIW[i]);
        EXPECT_EQ(j1.FRV_Wert[i], 0);
    }
    EXPECT_EQ(c.Rec.Anlagesumme, 1200);
    EXPECT_EQ(c.Rec.AgioMonate, 12);
}

TEST(Aufbauphase, LaufzeitZeroKeepsStartingCapitalAndAgio) {
    TPerformCalc c = sparplan(6, 0);
    c.Rec.Anlageart = KindEinmalanlage;
    c.Rec.Anlagebetrag = 5000;
    c.Rec.Agio_Satz = 5;
    c.Rec.AgioBetrag = 77; // from an earlier run
    c.Aufbautabelle.resize(3);
    c.BerechneAufbauphase();
    EXPECT_TRUE(c.Aufbautabelle.empty());
    EXPECT_EQ(c.Rec.AgioBetrag, 77);
    EXPECT_EQ(c.Rec.AgioMonate, 12);
    EXPECT_EQ(c.Rec.Anlagesumme, 5000);
    for (double k : c.Rec.Kapital)
        EXPECT_EQ(k, 5000);

    c.Rec.Anlageart = KindAufbauplan;
    c.BerechneAufbauphase();
    for (double k : c.Rec.Kapital)
        EXPECT_EQ(k, 0);
}

TEST(Aufbauphase, PaymentsStopAfterEinzahlungsdauer) {
    TPerformCalc c = sparplan(0, 5);
    c.Rec.Einzahlungsdauer = 2;
    c.Rec.Dynamik = 5;
    c.BerechneAufbauphase();
    const TPerformanceDataArray& t = c.Aufbautabelle;
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[0].Betrag, 100);
    EXPECT_EQ(t[1].Betrag, 100); // the contribution paid during year 1
    EXPECT_DOUBLE_EQ(t[2].Betrag, 105);
    EXPECT_EQ(t[3].Betrag, 0);
    EXPECT_EQ(t[5].Betrag, 0);
    EXPECT_DOUBLE_EQ(t[5].Summe[2], 1200 + 1260);
    EXPECT_DOUBLE_EQ(c.Rec.Kapital[2], 2460); // 0 %: nothing but the payments
    // Anlagesumme and Bewertungssumme ignore the Dynamik.
    EXPECT_EQ(c.Rec.Anlagesumme, 2400);
}

TEST(Aufbauphase, BewertungssummeIsCappedAtThirtySixYears) {
    TPerformCalc c = sparplan(0, 40);
    c.Rec.AP_Provisionssatz = 2;
    c.Rec.Agio_Satz = 5;
    c.Rec.Dynamik = 5;
    TProvisionsProtokoll protokoll;
    c.Provision = &protokoll;
    c.BerechneAufbauphase();
    EXPECT_DOUBLE_EQ(protokoll.AP, 2.0 / 100 * (36 * 12 * 100.0));
    EXPECT_DOUBLE_EQ(c.Rec.AgioBetrag, 5.0 / 100 * (36 * 12 * 100.0));
    EXPECT_EQ(c.Rec.Anlagesumme, 40 * 12 * 100.0);
}

TEST(Aufbauphase, AgioInInstalmentsFollowsLaufzeit) {
    struct Fall {
        int laufzeit;
        int monate;
    };
    for (const Fall f : {Fall{1, 12}, Fall{2, 24}, Fall{3, 36}}) {
        TPerformCalc c = sparplan(0, f.laufzeit);
        c.Rec.MitEinrichtungsgebuehr = 1;
        c.Rec.AgioZahlungsart = AgioRatierlich;
        c.Rec.Agio_Satz = 5;
        c.Rec.Agio_Ratenzuschlag = 4;
        c.BerechneAufbauphase();
        EXPECT_EQ(c.Rec.AgioMonate, f.monate);
        const double agio = 5.0 / 100 * (f.laufzeit * 12 * 100.0);
        const double rate = (agio + (f.monate - 1) / 12.0 * agio * 4 / 100 / 2) / f.monate;
        // At 0 % the capital is the payments less every instalment.
        EXPECT_NEAR(c.Rec.Kapital[1], f.laufzeit * 1200.0 - f.monate * rate, 1e-9)
            << "Laufzeit " << f.laufzeit;

        // Strategy Z, or an Agio paid at once, never reduces the capital.
        c.Rec.Anlagestrategie = StrategieZ;
        c.BerechneAufbauphase();
        EXPECT_EQ(c.Rec.Kapital[1], f.laufzeit * 1200.0);
        c.Rec.Anlagestrategie = StrategieF;
        c.Rec.AgioZahlungsart = AgioSofort;
        c.BerechneAufbauphase();
        EXPECT_EQ(c.Rec.Kapital[1], f.laufzeit * 1200.0);
    }
}

TEST(Aufbauphase, CostsCanMakeTheCapitalNegative) {
    TPerformCalc c = sparplan(0, 2);
    c.Rec.Anlageart = KindEinmalanlage;
    c.Rec.Anlagebetrag = 100;
    c.Rec.MitDepotgebuehr = 1;
    c.Rec.Depotgebuehr = 80;
    c.BerechneAufbauphase();
    EXPECT_EQ(c.Rec.Kapital[0], -60);
    EXPECT_EQ(c.Aufbautabelle[1].NIW[0], 20);
}

TEST(Aufbauphase, SystemeinmalanlageMovesTheSumInMonthlySteps) {
    TPerformCalc c = sparplan(0, 2);
    c.Rec.Anlageart = KindSystemEinmalanlage;
    c.Rec.Anlagebetrag = 12000;
    c.Rec.Uebertragungsmonate = 12;
    c.Rec.Zins_SystemEinmalanlage = 0;
    c.BerechneAufbauphase();
    EXPECT_EQ(c.Aufbautabelle[0].Betrag, 1000);
    EXPECT_EQ(c.Aufbautabelle[1].NIW[0], 12000);
    EXPECT_EQ(c.Aufbautabelle[2].Betrag, 0);
    EXPECT_EQ(c.Rec.Kapital[0], 12000);
    EXPECT_EQ(c.Aufbautabelle[1].Summe[0], 12000);

    // The rest earns interest until it moves: more than the lump sum arrives.
    c.Rec.Zins_SystemEinmalanlage = 3;
    c.BerechneAufbauphase();
    EXPECT_GT(c.Rec.Kapital[0], 12000);
    EXPECT_LT(c.Rec.Kapital[0], 12000 * 1.03);

    // A transfer period beyond the payment period never moves the rest.
    c.Rec.Zins_SystemEinmalanlage = 0;
    c.Rec.Uebertragungsmonate = 24;
    c.Rec.Einzahlungsdauer = 1;
    c.BerechneAufbauphase();
    EXPECT_EQ(c.Rec.Kapital[0], 6000);
}

TEST(Aufbauphase, SystemeinmalanlageWithoutTransferPeriodIsOneTransferInMonthZero) {
    for (int monate : {0, -3}) {
        TPerformCalc c = sparplan(0, 3);
        c.Rec.Anlageart = KindSystemEinmalanlage;
        c.Rec.Anlagebetrag = 10000;
        c.Rec.Uebertragungsmonate = monate;
        c.Rec.Zins_SystemEinmalanlage = 2;
        c.BerechneAufbauphase();
        EXPECT_EQ(c.Aufbautabelle[0].Betrag, 10000);
        EXPECT_EQ(c.Aufbautabelle[1].Betrag, 0);
        EXPECT_EQ(c.Rec.Kapital[0], 10000) << monate;
        TPerformCalc ref = sparplan(0, 3);
        ref.Rec = c.Rec;
        referenz::BerechneAufbauphase(ref);
        EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, ref));
    }
}

TEST(Aufbauphase, EqualRatesGiveEqualColumns) {
    TPerformCalc c = sparplan(7, 12);
    c.Rec.MitManagementFee = 1;
    c.Rec.ManagementFee = 1.5;
    c.Rec.MitDepotgebuehr = 1;
    c.Rec.Depotgebuehr = 25;
    c.BerechneAufbauphase();
    for (const TPerformanceData& z : c.Aufbautabelle)
        for (int i = 1; i < AnzahlSzenarien; ++i)
            EXPECT_EQ(std::memcmp(&z.NIW[i], &z.NIW[0], sizeof(double)), 0);
}

TEST(Aufbauphase, CommissionFiguresPerYear) {
    TPerformCalc c = sparplan(6, 3);
    c.Rec.AP_Provisionssatz = 3;
    c.Rec.BP_Provisionssatz = 0.2;
    c.Rec.AP_Provisionssatz_FRV = 4;
    c.Rec.Dynamik = 5;
    TProvisionsProtokoll p;
    c.Provision = &p;
    c.BerechneAufbauphase();
    EXPECT_DOUBLE_EQ(p.AP, 3.0 / 100 * 3600);
    ASSERT_EQ(p.BP.size(), 3u);
    ASSERT_EQ(p.FRV.size(), 3u);
    double bp = 0, frv = 0;
    for (int j = 0; j < 3; ++j) {
        bp += p.BP[j].BP;
        frv += p.FRV[j].FRV;
        EXPECT_EQ(p.BP[j].BP_Summe, bp);
        EXPECT_EQ(p.BP[j].BP_Gesamt, bp + p.AP);
        EXPECT_EQ(p.FRV[j].FRV_Summe, frv);
        EXPECT_EQ(p.FRV[j].FRV_Gesamt, p.AP_FRV + frv);
    }
    EXPECT_EQ(c.Rec.BP_Summe, bp);
    EXPECT_EQ(c.Rec.FRV_Summe, frv);
    // FRV commission on the contribution of the year just ended, before the Dynamik.
    EXPECT_DOUBLE_EQ(p.FRV[0].FRV, 100.0 * 12 * 4 / 100);
    EXPECT_DOUBLE_EQ(p.FRV[1].FRV, 105.0 * 12 * 4 / 100);
    // The trailing commission follows the scenario's capital at the half-years.
    EXPECT_GT(p.BP[2].BP, p.BP[0].BP);

    // A lump sum replaces AP and BP but leaves the FRV figures of the last savings plan.
    c.Rec.Anlageart = KindEinmalanlage;
    c.Rec.Anlagebetrag = 10000;
    c.BerechneAufbauphase();
    EXPECT_DOUBLE_EQ(p.AP, 300);
    EXPECT_EQ(p.FRV.size(), 3u);
    EXPECT_EQ(c.Rec.FRV_Summe, 0);
}

TEST(Aufbauphase, ScenarioIndexOfTheTrailingCommissionIsRangeChecked) {
    TPerformCalc c = sparplan(6, 3);
    c.BerechneAufbauphase();
    const TPerformCalc vorher = c;
    for (int index : {7, 6, -1}) {
        c.Rec.BP_Performance = index;
        try {
            c.BerechneAufbauphase();
            FAIL() << index;
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), "Fehler bei Bereichsprüfung");
        }
        c.Rec.BP_Performance = 3;
        EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, vorher));
        c.Rec.BP_Performance = index;
        EXPECT_THROW(referenz::BerechneAufbauphase(c), ERangeError);
    }
    // Without a single month the index is never used.
    c.Rec.Laufzeit = 0;
    EXPECT_NO_THROW(c.BerechneAufbauphase());
}

TEST(Aufbauphase, FloatingPointErrorsKeepThePreviousResults) {
    TPerformCalc c = sparplan(6, 30);
    c.BerechneAufbauphase();
    const TPerformCalc vorher = c;

    c.Rec.Sparbetrag = 1e306;
    try {
        c.BerechneAufbauphase();
        FAIL();
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "Gleitkommaüberlauf");
    }
    c.Rec.Sparbetrag = 100;
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, vorher));

    // An infinity in the record raises no flag but must not reach the table either.
    c.Rec.Anlagebetrag = std::numeric_limits<double>::infinity();
    c.Rec.Anlageart = KindEinmalanlage;
    EXPECT_THROW(c.BerechneAufbauphase(), EMathError);
    c.Rec.Anlageart = KindAufbauplan;
    c.Rec.Anlagebetrag = 0;
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, vorher));

    c.Rec.Performance[2] = std::numeric_limits<double>::quiet_NaN();
    try {
        c.BerechneAufbauphase();
        FAIL();
    } catch (const EMathError& e) {
        EXPECT_STREQ(e.what(), "Ungültige Gleitkommaoperation");
    }
}

TEST(Aufbauphase, SinkHearsNothingFromAFailedRun) {
    TPerformCalc c = sparplan(6, 2);
    TProvisionsProtokoll p;
    c.Provision = &p;
    c.Rec.AP_Provisionssatz = 1;
    c.Rec.BP_Performance = 9;
    EXPECT_THROW(c.BerechneAufbauphase(), ERangeError);
    EXPECT_EQ(p.AP, 0);
    EXPECT_TRUE(p.BP.empty());
}

TEST(Aufbauphase, BetragOfEinmalanlageIsZero) {
    TPerformCalc c = sparplan(3, 4);
    c.Rec.Anlageart = KindEinmalanlage;
    c.Rec.Anlagebetrag = 1000;
    c.BerechneAufbauphase();
    EXPECT_EQ(summeBetraege(c.Aufbautabelle), 0);
    EXPECT_EQ(c.Aufbautabelle[4].Summe[0], 1000);
}
