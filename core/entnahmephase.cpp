// The withdrawal phase of TPerformCalc. Same operations in the same order as
// the plain transcription, so the same bits, but much faster:
// - the searches of all scenarios run side by side in vector registers, so
//   the processor overlaps their long chains of dependent additions;
// - each search guesses its next values ahead: the capital after N years is
//   exactly affine in the searched value, so an exact model of it (in wider
//   precision) foretells the next steps of the documented loop. The guesses
//   are computed for real in spare lanes at once, and each step takes the
//   computed value of its lane only when that lane started from the value
//   the step before actually gave; a wrong guess costs lanes, never bits;
// - scenarios with identical inputs are searched once;
// - at a return of exactly 0 % every interest term is zero, and the year
//   reduces to K := (0 + K) - 12 w with the same bits;
// - the required return settles whole blocks of its p sequence at once
//   (renditesuche.h) and runs single tries only near the answer.
// A search whose documented step is slow or diverges is finished by the
// safeguarded method shared with the plain transcription. The searches that
// can end in an error (the perpetual withdrawal, a duration of 0 years) run
// first, scenario by scenario, so the first error is the one the documented
// order meets.

#include "core/calcdetail.h"
#include "core/fpcheck.h"
#include "core/performcalc.h"
#include "core/referencecalc.h"
#include "core/renditesuche.h"
#include "core/sichersuche.h"
#include "core/suchlauf.h"
#include "core/wertentwicklung.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace orvanta {

void TPerformCalc::BerechneEntnahmephase() {
    PruefeBereich(Rec);
    TPlanRecord rec = Rec;
    TPerformanceDataArray tabelle;
    ClearFpFlags();

    const double RK = rec.Rentenkapital;
    const double MR = rec.Monatsrente;
    const std::int32_t N = rec.AuszDauer;
    const bool ewig = N == AuszDauerOhneKapitalverzehr;
    std::array<double, AnzahlSzenarien> NIW, Entnahmesumme = {}, Jahreszins = {}, r12, KE;

    for (int i = 0; i < AnzahlSzenarien; ++i) {
        KE[i] = RK;
        rec.Kapital_Einzahlungsende[i] = detail::KapitalEinzahlungsende(rec, Aufbautabelle, i);
        r12[i] = rec.Performance[i] / 100 / 12;
    }

    const std::int64_t n = detail::EntnahmeMonate(rec);
    if (n >= 0) {
        tabelle.reserve(static_cast<std::size_t>(n / 12) + 1);
        for (std::int64_t m = 0; m <= n; ++m) {
            if (m > 0) {
                const bool jahresende = m % 12 == 0;
                for (int i = 0; i < AnzahlSzenarien; ++i) {
                    double v = KE[i];
                    Jahreszins[i] += r12[i] * KE[i];
                    if (jahresende) {
                        v += Jahreszins[i];
                        Jahreszins[i] = 0;
                    }
                    if (v > 0)
                        Entnahmesumme[i] += v >= MR ? MR : v;
                    v = std::max(v - MR, 0.0);
                    NIW[i] = v;
                    KE[i] = v;
                }
            } else {
                for (int i = 0; i < AnzahlSzenarien; ++i)
                    NIW[i] = KE[i];
            }
            if (m % 12 == 0) {
                TPerformanceData& z = tabelle.emplace_back();
                z.Betrag = MR;
                z.Alter = static_cast<std::int32_t>(rec.AuszBeginn + m / 12 - 1);
                z.Jahr = static_cast<double>(m) / 12;
                for (int i = 0; i < AnzahlSzenarien; ++i) {
                    z.Summe[i] = Entnahmesumme[i];
                    z.NIW[i] = NIW[i];
                }
            }
        }
    }
    for (int i = 0; i < AnzahlSzenarien; ++i)
        rec.Kapital_Entnahme[i] = KE[i];

    CheckFpFlagsAfter(rec, tabelle);

    // The searches that can fail, in the documented order of the scenarios;
    // the others are queued for the side-by-side run.
    TSuchlauf lauf(N, ewig);
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        const double performance = rec.Performance[i];
        const double r = performance / 100;
        rec.Entnahme_ewig[i] =
            referenz::EwigeEntnahme(RK, r, TEntnahmeSuche::EntnahmeEwig, performance);
        rec.Entnahme_moeglich[i] = rec.Entnahme_ewig[i];
        rec.Entnahme_aus_Einzahlung[i] = rec.Entnahme_ewig[i];
        rec.Kapital_erforderlich[i] = 0;
        if (!ewig) {
            // The documented step divides by the duration.
            if (N == 0 && (std::fabs(RK) > 1 || std::fabs(rec.Kapital_Einzahlungsende[i]) > 1)) {
                std::feraiseexcept(FE_DIVBYZERO);
                CheckFpFlags();
            }
            lauf.Kette(TSicherArt::Entnahme, r, RK, rec.Entnahme_ewig[i],
                       &rec.Entnahme_moeglich[i]);
            lauf.Kette(TSicherArt::Entnahme, r, rec.Kapital_Einzahlungsende[i],
                       rec.Entnahme_ewig[i], &rec.Entnahme_aus_Einzahlung[i]);
            lauf.Kette(TSicherArt::Kapital, r, MR, RK, &rec.Kapital_erforderlich[i]);
        } else {
            // Without consumption of the capital the withdrawal from the
            // accumulated capital is the perpetual one of that capital.
            rec.Entnahme_aus_Einzahlung[i] =
                referenz::EwigeEntnahme(rec.Kapital_Einzahlungsende[i], r,
                                        TEntnahmeSuche::EntnahmeAusEinzahlung, performance);
            if (performance > 0.1)
                lauf.Kette(TSicherArt::KapitalEwig, r, MR, RK, &rec.Kapital_erforderlich[i]);
        }
        CheckFpFlagsAfter(rec);
    }

    lauf.Laufen();
    rec.Erforderliche_Wertentwicklung =
        WertentwicklungErreichbar(rec) ? ErforderlicheWertentwicklungSchnell(N, RK, MR) : 0;

    CheckFpFlagsAfter(rec);
    detail::PruefeEntnahmeErgebnis(rec, tabelle);
    detail::UebernimmEntnahmeErgebnis(Rec, rec);
    Entnahmetabelle = std::move(tabelle);
}

} // namespace orvanta
