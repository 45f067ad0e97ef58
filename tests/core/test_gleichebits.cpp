// The calculation object's operations against the plain transcription: every
// bit of record, tables and commission figures, and the same error text.

#include "tests/support/calccompare.h"
#include "tests/support/testplans.h"

#include "core/provisionsink.h"
#include "core/referencecalc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

using namespace orvanta;

namespace {

struct Lauf {
    TPerformCalc calc;
    TProvisionsProtokoll provision;
    std::string fehler;
};

// The calculation steps of a recalculation, as the main window runs them.
void neuberechnung(Lauf& l, bool plain) {
    l.calc.Provision = &l.provision;
    try {
        UebernehmeRentenkapital(l.calc.Rec);
        if (plain)
            referenz::BerechneAufbauphase(l.calc);
        else
            l.calc.BerechneAufbauphase();
        UebernehmeRentenkapital(l.calc.Rec);
        if (plain)
            referenz::BerechneEntnahmephase(l.calc);
        else
            l.calc.BerechneEntnahmephase();
    } catch (const std::exception& e) {
        l.fehler = e.what();
    }
    l.calc.Provision = nullptr;
}

bool gleich(const TProvisionsProtokoll& a, const TProvisionsProtokoll& b) {
    const auto bits = [](const auto& x, const auto& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    if (!bits(a.AP, b.AP) || !bits(a.AP_FRV, b.AP_FRV) || a.BP.size() != b.BP.size() ||
        a.FRV.size() != b.FRV.size())
        return false;
    for (std::size_t k = 0; k < a.BP.size(); ++k)
        if (!bits(a.BP[k], b.BP[k]))
            return false;
    for (std::size_t k = 0; k < a.FRV.size(); ++k)
        if (!bits(a.FRV[k], b.FRV[k]))
            return false;
    return true;
}

void vergleiche(const TPerformCalc& plan, const std::string& name) {
    Lauf schnell{plan, {}, {}}, plain{plan, {}, {}};
    neuberechnung(schnell, false);
    neuberechnung(plain, true);
    EXPECT_EQ(schnell.fehler, plain.fehler) << name;
    EXPECT_TRUE(orvanta::testing::gleicheRechnung(schnell.calc, plain.calc)) << name;
    EXPECT_TRUE(gleich(schnell.provision, plain.provision)) << name;
}

class Zufall {
public:
    explicit Zufall(std::uint64_t seed) : gen_(seed) {}
    int ganz(int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen_); }
    double zahl(double a, double b) { return std::uniform_real_distribution<double>(a, b)(gen_); }
    bool ja(int prozent) { return ganz(1, 100) <= prozent; }
    // Money with cents, as typed.
    double betrag(double a, double b) { return ganz(int(a * 100), int(b * 100)) / 100.0; }

private:
    std::mt19937_64 gen_;
};

TPerformCalc zufallsplan(Zufall& z) {
    TPerformCalc c;
    TPlanRecord& r = c.Rec;
    r.Anlageart = z.ja(95) ? z.ganz(1, 3) : z.ganz(0, 4);
    r.Laufzeit = z.ganz(0, 45);
    r.Einzahlungsdauer = z.ja(70) ? r.Laufzeit : z.ganz(0, r.Laufzeit + 2);
    r.Sparbetrag = z.betrag(25, 2000);
    r.Anlagebetrag = z.betrag(1000, 500000);
    const int uebertragung[] = {0, 12, 24, 36};
    r.Uebertragungsmonate = uebertragung[z.ganz(0, 3)];
    r.Zins_SystemEinmalanlage = z.ganz(0, 8) * 0.5;
    r.Dynamik = z.ja(50) ? 5 : 0;
    for (double& p : r.Performance) {
        if (z.ja(60))
            p = z.ganz(0, 9); // the settings' choices
        else if (z.ja(70))
            p = z.ganz(-6, 24) * 0.5; // file-only rates, negative ones included
        else
            p = z.zahl(-3, 12);
    }
    r.Eintrittsalter = z.ganz(18, 70);
    r.Geschlecht = z.ganz(1, 2);
    r.MitEinrichtungsgebuehr = z.ja(70);
    r.AgioZahlungsart = z.ganz(1, 2);
    r.Agio_Satz = z.ganz(0, 12) * 0.5;
    r.Agio_Ratenzuschlag = z.ganz(0, 5);
    r.MitManagementFee = z.ja(60);
    r.ManagementFee = z.ganz(0, 8) * 0.25;
    r.MitDepotgebuehr = z.ja(60);
    r.Depotgebuehr = z.betrag(0, 60);
    r.AP_Provisionssatz = z.ganz(0, 10) * 0.5;
    const double bp[] = {0.1, 0.2, 0.25};
    r.BP_Provisionssatz = bp[z.ganz(0, 2)];
    r.BP_Performance = z.ganz(1, 4);
    r.AP_Provisionssatz_FRV = z.ganz(0, 10) * 0.5;
    r.Anlagestrategie = z.ganz(1, 4);

    r.AuszBeginn = z.ja(10) ? 20 : z.ganz(50, 80);
    if (z.ja(20))
        r.AuszDauer = AuszDauerOhneKapitalverzehr;
    else
        r.AuszDauer = z.ganz(1, std::min(75, 100 - r.AuszBeginn));
    r.Monatsrente = z.ja(10) ? 0 : z.betrag(50, 5000);
    r.Rentenkapital = z.ja(10) ? 0 : z.betrag(1000, 2000000);
    r.Kapital_aus_Einzahlung = z.ja(40);
    r.Kapital_Szenario = z.ganz(2, 4);
    return c;
}

} // namespace

TEST(GleicheBits, DeliveredDemoPlan) {
    TPerformCalc c = orvanta::testing::Demoplan();
    TPlanRecord& r = c.Rec;
    vergleiche(c, "Demo");
    r.Kapital_aus_Einzahlung = 1;
    vergleiche(c, "Demo aus Einzahlung");
    r.AuszDauer = AuszDauerOhneKapitalverzehr;
    vergleiche(c, "Demo ohne Kapitalverzehr");
}

TEST(GleicheBits, ManyRandomPlans) {
    Zufall z(20260917);
    for (int k = 0; k < 250; ++k) {
        const TPerformCalc plan = zufallsplan(z);
        vergleiche(plan, "Plan " + std::to_string(k));
        if (HasFailure())
            break;
    }
}

TEST(GleicheBits, FailingPlansReportTheSameError) {
    Zufall z(7);
    for (int k = 0; k < 40; ++k) {
        TPerformCalc plan = zufallsplan(z);
        TPlanRecord& r = plan.Rec;
        switch (k % 5) {
        case 0:
            r.BP_Performance = 7;
            break;
        case 1:
            r.AuszDauer = 0;
            break;
        case 2:
            r.AuszDauer = -z.ganz(1, 5);
            break;
        case 3:
            r.Performance[z.ganz(0, 5)] = 300;
            break;
        case 4:
            r.Sparbetrag = r.Anlagebetrag = 1e307;
            r.Rentenkapital = 1e306;
            break;
        }
        Lauf schnell{plan, {}, {}};
        neuberechnung(schnell, false);
        vergleiche(plan, "Fehlerplan " + std::to_string(k));
        if (HasFailure())
            break;
    }
}
