#include "core/kostenuebersicht.h"

#include "core/fpcheck.h"

#include <cmath>
#include <cstring>

namespace orvanta {

namespace {

using TVier = std::array<double, 4>; // slots 1..4

// Kapital of slots 1..4 of the plan calculated at the given returns.
TVier endkapital(TPlanRecord plan, const TVier& rendite) {
    std::memset(plan.Performance, 0, sizeof plan.Performance);
    for (int i = 1; i <= 4; ++i)
        plan.Performance[i] = rendite[static_cast<size_t>(i - 1)];
    TPerformCalc calc;
    calc.Rec = plan;
    calc.BerechneAufbauphase();
    return {calc.Rec.Kapital[1], calc.Rec.Kapital[2], calc.Rec.Kapital[3], calc.Rec.Kapital[4]};
}

struct TKapital {
    TVier Wert{};
    // The capital left the range of a double: larger than any value sought.
    std::array<bool, 4> ZuGross{};
};

// The plan without the three costs. An Einrichtungsgebühr paid at once is
// paid into it in month 0 as well: without costs the accumulation is linear
// in what is paid in, so that payment grows like a lump sum of its amount,
// calculated beside the plan and added.
class TVergleichsplan {
public:
    explicit TVergleichsplan(const TPlanRecord& rec) : Plan(rec) {
        Plan.MitEinrichtungsgebuehr = 0;
        Plan.MitManagementFee = 0;
        Plan.MitDepotgebuehr = 0;
        Einmal = Plan;
        Einmal.Anlageart = KindEinmalanlage;
        Einmal.Anlagebetrag = rec.AgioBetrag;
        MitEinmal =
            rec.MitEinrichtungsgebuehr && rec.AgioZahlungsart == AgioSofort && rec.AgioBetrag != 0;
    }

    // Without the Einrichtungsgebühr paid at once: DepotwertOhneKosten.
    TVier OhneKosten(const TVier& rendite) const { return endkapital(Plan, rendite); }

    TKapital Kapital(const TVier& rendite) const {
        TKapital k;
        try {
            k.Wert = mitEinmal(rendite);
        } catch (const EMathError&) {
            // One scenario beyond the range must not cost the others their
            // figure: each on its own.
            for (size_t i = 0; i < 4; ++i) {
                try {
                    k.Wert[i] = mitEinmal(TVier{rendite[i], rendite[i], rendite[i], rendite[i]})[i];
                } catch (const EMathError&) {
                    k.ZuGross[i] = true;
                }
            }
        }
        return k;
    }

private:
    TVier mitEinmal(const TVier& rendite) const {
        TVier k = endkapital(Plan, rendite);
        if (!MitEinmal)
            return k;
        const TVier e = endkapital(Einmal, rendite);
        for (size_t i = 0; i < 4; ++i) {
            k[i] += e[i];
            CheckFinite(k[i]);
        }
        return k;
    }

    TPlanRecord Plan;
    TPlanRecord Einmal;
    bool MitEinmal = false;
};

// Per slot the return r' (% p.a.) at which the plan reaches ziel, by
// bisection; nothing where the range holds none. The slot's own return r,
// where it lies in the range, bounds the search as well: r' is exactly r when
// the plan reaches ziel there, and costs never give a return above r.
std::array<std::optional<double>, 4> vergleichsrenditen(const TVergleichsplan& plan,
                                                        const TVier& rendite, const TVier& ziel) {
    using namespace Vergleichsrendite;
    TVier unten, oben;
    unten.fill(Untergrenze);
    oben.fill(Obergrenze);
    const TKapital amRand[2] = {plan.Kapital(unten), plan.Kapital(oben)};
    const TKapital beiR = plan.Kapital(rendite);
    std::array<std::optional<double>, 4> ergebnis;
    std::array<bool, 4> offen{};
    for (size_t i = 0; i < 4; ++i) {
        const bool erreichbar = !amRand[0].ZuGross[i] && amRand[0].Wert[i] <= ziel[i] &&
                                (amRand[1].ZuGross[i] || ziel[i] <= amRand[1].Wert[i]);
        if (!erreichbar)
            continue;
        const bool rImBereich = rendite[i] >= Untergrenze && rendite[i] <= Obergrenze;
        if (rImBereich && !beiR.ZuGross[i] && beiR.Wert[i] == ziel[i]) {
            ergebnis[i] = rendite[i];
            continue;
        }
        if (rImBereich) {
            if (beiR.ZuGross[i] || beiR.Wert[i] > ziel[i])
                oben[i] = rendite[i];
            else
                unten[i] = rendite[i];
        }
        offen[i] = true;
    }
    auto breiter = [&] {
        for (size_t i = 0; i < 4; ++i)
            if (offen[i] && oben[i] - unten[i] > Genauigkeit)
                return true;
        return false;
    };
    while (breiter()) {
        TVier mitte;
        for (size_t i = 0; i < 4; ++i)
            mitte[i] = unten[i] + (oben[i] - unten[i]) / 2;
        const TKapital k = plan.Kapital(mitte);
        for (size_t i = 0; i < 4; ++i) {
            if (!k.ZuGross[i] && k.Wert[i] < ziel[i])
                unten[i] = mitte[i];
            else
                oben[i] = mitte[i];
        }
    }
    for (size_t i = 0; i < 4; ++i)
        if (offen[i])
            ergebnis[i] = unten[i] + (oben[i] - unten[i]) / 2;
    return ergebnis;
}

double euro(double summe) {
    const double v = summe / Kostenskala;
    CheckFinite(v);
    return v;
}

} // namespace

std::optional<TKostenuebersicht> Kostenuebersicht(const TPerformCalc& calc) {
    const TPlanRecord& rec = calc.Rec;
    const TKostensummen& summen = calc.Kostensummen;
    if (!summen.Berechnet || rec.Laufzeit < 1)
        return std::nullopt;
    // The runs below test flags of their own; the caller's stay as they were.
    const TFlagSicherung flags;
    const bool agioSofort = rec.MitEinrichtungsgebuehr && rec.AgioZahlungsart == AgioSofort;
    const TVergleichsplan vergleich(rec);
    const TVier rendite = {rec.Performance[1], rec.Performance[2], rec.Performance[3],
                           rec.Performance[4]};
    const TVier ohneKosten = vergleich.OhneKosten(rendite);

    TKostenuebersicht u;
    TVier ziel;
    for (size_t k = 0; k < 4; ++k) {
        const size_t i = k + 1;
        TKostenSzenario& s = u[k];
        s.Einzahlungen = summen.Einzahlungen;
        s.Einrichtungsgebuehr = agioSofort ? rec.AgioBetrag : euro(summen.Agioraten[i]);
        s.Managementgebuehr = euro(summen.Managementgebuehr[i]);
        s.Depotgebuehr = euro(summen.Depotgebuehr[i]);
        s.KostenGesamt = s.Einrichtungsgebuehr + s.Managementgebuehr + s.Depotgebuehr;
        CheckFinite(s.KostenGesamt);
        s.DepotwertOhneKosten = ohneKosten[k];
        s.DepotwertMitKosten = rec.Kapital[i];
        ziel[k] = s.DepotwertMitKosten;
    }
    const auto vergleichsrendite = vergleichsrenditen(vergleich, rendite, ziel);
    for (size_t k = 0; k < 4; ++k)
        if (vergleichsrendite[k])
            u[k].Renditeminderung = rendite[k] - *vergleichsrendite[k];
    return u;
}

} // namespace orvanta
