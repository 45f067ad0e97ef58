// The cost overview against plans worked out by hand, its Renditeminderung
// against the plan without costs run at r', and the calculation it reads
// left as it was.

#include "tests/support/calccompare.h"
#include "tests/support/testplans.h"

#include "core/fpcheck.h"
#include "core/kostenuebersicht.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvanta;
using orvanta::testing::sparplan;

namespace {

TPerformCalc gerechnet(TPerformCalc c) {
    c.BerechneAufbauphase();
    return c;
}

// Kapital of scenario i of the plan without the three costs at return r.
double ohneKosten(TPlanRecord r, int i, double rendite) {
    r.MitEinrichtungsgebuehr = r.MitManagementFee = r.MitDepotgebuehr = 0;
    r.Performance[i] = rendite;
    TPerformCalc c;
    c.Rec = r;
    c.BerechneAufbauphase();
    return c.Rec.Kapital[i];
}

// Expected Renditeminderung: absent, or present whatever its value (the
// bisection test below checks such values).
constexpr double Fehlt = NAN;
constexpr double Vorhanden = INFINITY;

// A plan of 100 EUR a month (or a lump sum), every scenario at one rate,
// with the costs given.
struct THandfall {
    const char* Name;
    int Art, Laufzeit;
    double Betrag, Rate;
    int Agio; // 0: none, else AgioZahlungsart at 5 % without surcharge
    int Strategie;
    double Management, Depot;
    // Expected for scenario 1:
    double Einzahlungen, Einrichtung, Managementgebuehr, Depotgebuehr, Renditeminderung;

    TPerformCalc plan() const {
        TPerformCalc c = sparplan(Rate, Laufzeit);
        TPlanRecord& r = c.Rec;
        r.Anlageart = Art;
        r.Anlagebetrag = Betrag;
        r.MitEinrichtungsgebuehr = Agio != 0;
        r.AgioZahlungsart = Agio;
        r.Agio_Satz = 5;
        r.Anlagestrategie = Strategie;
        r.MitManagementFee = Management != 0;
        r.ManagementFee = Management;
        r.MitDepotgebuehr = Depot != 0;
        r.Depotgebuehr = Depot;
        return c;
    }
};

constexpr int Plan = KindAufbauplan, Einmal = KindEinmalanlage, F = StrategieF;
const THandfall Handfaelle[] = {
    {"OhneKosten", Plan, 10, 0, 6, 0, F, 0, 0, 12000, 0, 0, 0, 0},
    {"NurDepotgebuehr", Plan, 7, 0, 0, 0, F, 0, 30, 8400, 0, 0, 7 * 30, Vorhanden},
    // 2 % a year of a capital that earns nothing: 0.98^5 of it remains, and
    // the same plan without costs gets there at -2 %.
    {"NurManagementgebuehrBei0", Einmal, 5, 10000, 0, 0, F, 2, 0, 10000, 0,
     10000 - 10000 * std::pow(0.98, 5), 0, 2},
    // 5 % of 5 years of 100 EUR in 36 instalments; none deducted with strategy Z.
    {"AgioInRaten", Plan, 5, 0, 0, AgioRatierlich, F, 0, 0, 6000, 300, 0, 0, Vorhanden},
    {"AgioInRatenStrategieZ", Plan, 5, 0, 0, AgioRatierlich, StrategieZ, 0, 0, 6000, 0, 0, 0, 0},
    // 500 EUR paid at once beside 10 000: 10 500 (1 + r')^10 = 10 000 * 1.06^10.
    {"AgioSofort", Einmal, 10, 10000, 6, AgioSofort, F, 0, 0, 10000, 500, 0, 0,
     6 - 100 * (1.06 * std::pow(10000.0 / 10500, 0.1) - 1)},
    // The fee eats the capital: no return reaches a negative value.
    {"DepotgebuehrZehrtAuf", Einmal, 5, 100, 6, 0, F, 0, 50, 100, 0, 0, 250, Fehlt},
};

void PrintTo(const THandfall& f, std::ostream* os) {
    *os << f.Name;
}

class Handgerechnet : public ::testing::TestWithParam<THandfall> {};

TEST_P(Handgerechnet, Kennzahlen) {
    const THandfall& f = GetParam();
    const TPerformCalc c = gerechnet(f.plan());
    const auto u = Kostenuebersicht(c);
    ASSERT_TRUE(u);
    const TKostenSzenario& s = (*u)[0];
    EXPECT_DOUBLE_EQ(s.Einzahlungen, f.Einzahlungen);
    EXPECT_NEAR(s.Einrichtungsgebuehr, f.Einrichtung, 1e-9);
    EXPECT_NEAR(s.Managementgebuehr, f.Managementgebuehr, 1e-9);
    EXPECT_NEAR(s.Depotgebuehr, f.Depotgebuehr, 1e-9);
    EXPECT_EQ(s.KostenGesamt, s.Einrichtungsgebuehr + s.Managementgebuehr + s.Depotgebuehr);
    EXPECT_EQ(s.DepotwertMitKosten, c.Rec.Kapital[1]);
    EXPECT_EQ(s.DepotwertOhneKosten, ohneKosten(c.Rec, 1, c.Rec.Performance[1]));
    // At 0 % nothing grows, so without costs the depot holds just as much more.
    const bool agioSofort = c.Rec.MitEinrichtungsgebuehr && c.Rec.AgioZahlungsart == AgioSofort;
    if (c.Rec.Performance[1] == 0 && !agioSofort) {
        EXPECT_NEAR(s.DepotwertOhneKosten - s.DepotwertMitKosten, s.KostenGesamt, 1e-9);
    }
    if (std::isnan(f.Renditeminderung)) {
        EXPECT_FALSE(s.Renditeminderung);
    } else if (f.Renditeminderung == Vorhanden) {
        EXPECT_TRUE(s.Renditeminderung);
    } else if (s.KostenGesamt == 0) {
        EXPECT_EQ(s.Renditeminderung, 0.0); // exactly, not found by bisection
    } else {
        EXPECT_NEAR(s.Renditeminderung.value_or(NAN), f.Renditeminderung, 1e-6);
    }
    // The sums are the same in every scenario except the management fee.
    for (const TKostenSzenario& t : *u) {
        EXPECT_EQ(t.Einzahlungen, s.Einzahlungen);
        EXPECT_EQ(t.Depotgebuehr, s.Depotgebuehr);
    }
}

INSTANTIATE_TEST_SUITE_P(Kostenuebersicht, Handgerechnet, ::testing::ValuesIn(Handfaelle),
                         [](const auto& info) { return std::string(info.param.Name); });

// Plans the bisection works on: instalments, a lump sum with the fee paid at
// once (paid in beside it, in one record), a Systemeinmalanlage; all costs.
TPerformCalc mitAllenKosten(int art, int zahlungsart) {
    TPerformCalc c;
    c.Rec = orvanta::testing::BeispielPlan();
    c.Rec.Anlageart = art;
    c.Rec.Anlagebetrag = 25000;
    c.Rec.Uebertragungsmonate = 24;
    c.Rec.Dynamik = 5;
    c.Rec.AgioZahlungsart = zahlungsart;
    c.Rec.MitManagementFee = 1;
    c.Rec.ManagementFee = 1.5;
    c.Rec.MitDepotgebuehr = 1;
    c.Rec.Depotgebuehr = 35.7;
    return gerechnet(c);
}

TEST(Kostenuebersicht, RenditeminderungReachesDepotwertMitKosten) {
    for (const auto& [art, zahlungsart] : {std::pair{KindAufbauplan, AgioRatierlich},
                                           {KindEinmalanlage, AgioSofort},
                                           {KindSystemEinmalanlage, AgioRatierlich}}) {
        const TPerformCalc c = mitAllenKosten(art, zahlungsart);
        TPlanRecord ohne = c.Rec;
        if (zahlungsart == AgioSofort)
            ohne.Anlagebetrag += c.Rec.AgioBetrag;
        const auto u = Kostenuebersicht(c);
        ASSERT_TRUE(u);
        for (int i = 1; i <= 4; ++i) {
            const TKostenSzenario& s = (*u)[size_t(i - 1)];
            ASSERT_TRUE(s.Renditeminderung) << art << " " << i;
            EXPECT_GT(*s.Renditeminderung, 0);
            const double r = c.Rec.Performance[i] - *s.Renditeminderung;
            EXPECT_LE(ohneKosten(ohne, i, r - Vergleichsrendite::Genauigkeit),
                      s.DepotwertMitKosten);
            EXPECT_GE(ohneKosten(ohne, i, r + Vergleichsrendite::Genauigkeit),
                      s.DepotwertMitKosten);
        }
    }
}

TEST(Kostenuebersicht, NoneWithoutAccumulation) {
    EXPECT_FALSE(Kostenuebersicht(sparplan(6, 10))); // never calculated
    TPerformCalc c = gerechnet(sparplan(6, 10));
    EXPECT_TRUE(Kostenuebersicht(c));
    c.Rec.Laufzeit = 0;
    c.BerechneAufbauphase();
    EXPECT_FALSE(Kostenuebersicht(c));
}

TEST(Kostenuebersicht, LeavesTheCalculationAsItWas) {
    const TPerformCalc c = mitAllenKosten(KindAufbauplan, AgioSofort);
    const TPerformCalc vorher = c;
    std::feclearexcept(FE_ALL_EXCEPT);
    std::feraiseexcept(FE_INEXACT);
    ASSERT_TRUE(Kostenuebersicht(c));
    EXPECT_EQ(std::fetestexcept(FE_ALL_EXCEPT), FE_INEXACT);
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(c, vorher));
}

} // namespace
