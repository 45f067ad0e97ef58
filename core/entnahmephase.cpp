// The withdrawal phase of TPerformCalc. Same operations in the same order as
// the plain transcription, so the same bits, but much faster:
// - the searches of all scenarios run side by side, eight capital
//   calculations at a time in vector registers, so the processor overlaps
//   their long chains of dependent additions;
// - scenarios with identical inputs are searched once;
// - at a return of exactly 0 % every interest term is zero, and the year
//   reduces to K := (0 + K) - 12 w with the same bits;
// - the required return tries the next values of its p sequence in spare
//   lanes ahead of time and stops at the first p the plain loop stops at.
// A search whose documented step is slow or diverges is finished by the
// safeguarded method shared with the plain transcription. The searches that
// can end in an error (the perpetual withdrawal, a duration of 0 years) run
// first, scenario by scenario, so the first error is the one the documented
// order meets; only a required-return scan that raised a flag is repeated
// step by step to find its error.

#include "core/calcdetail.h"
#include "core/fpcheck.h"
#include "core/performcalc.h"
#include "core/referencecalc.h"
#include "core/sichersuche.h"
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

namespace {

using v2d = double __attribute__((vector_size(16)));

// Endkapital for G lanes at once (G even); lane l computes exactly
// Endkapital(N, K0[l], r, w[l]) with r12[l] = r / 12.
template <int G>
void endkapitalLanes(std::int32_t N, const double* K0, const double* r12, const double* w,
                     double* out) {
    constexpr int V = G / 2;
    v2d K[V], r[V], w12[V], kw[12][V];
    for (int v = 0; v < V; ++v) {
        K[v] = v2d{K0[2 * v], K0[2 * v + 1]};
        r[v] = v2d{r12[2 * v], r12[2 * v + 1]};
        const v2d wv = v2d{w[2 * v], w[2 * v + 1]};
        for (int k = 0; k < 12; ++k)
            kw[k][v] = static_cast<double>(k) * wv;
        w12[v] = 12.0 * wv;
    }
    // Fully unrolled so that the sums and capitals stay in registers.
    for (std::int32_t jahr = 0; jahr < N; ++jahr) {
        v2d s[V];
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v)
            s[v] = v2d{0.0, 0.0};
#pragma GCC unroll 12
        for (int k = 0; k < 12; ++k)
#pragma GCC unroll 8
            for (int v = 0; v < V; ++v)
                s[v] += r[v] * (K[v] - kw[k][v]);
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v)
            K[v] = (s[v] + K[v]) - w12[v];
    }
    for (int v = 0; v < V; ++v) {
        out[2 * v] = K[v][0];
        out[2 * v + 1] = K[v][1];
    }
}

// Endkapital at a rate whose twelfth is zero. Each term r/12 * (K - k w) is
// then a signed zero and their sum from +0 is +0, as long as K - k w stays
// finite (the caller checks that with nullratenTauglich), so a year is
// K := (0 + K) - 12 w. And 0 + K differs from K only for K = -0, where
// subtracting 12 w gives the same result unless 12 w is +0.
inline double endkapitalNull(std::int32_t N, double K, double w) {
    const double w12 = 12 * w;
    if (w12 == 0 && !std::signbit(w12)) {
        for (std::int32_t jahr = 0; jahr < N; ++jahr)
            K = (0.0 + K) - w12;
        return K;
    }
    for (std::int32_t jahr = 0; jahr < N; ++jahr)
        K = K - w12;
    return K;
}

inline bool nullratenTauglich(std::int32_t N, double K, double w) {
    return N <= 1000000 && std::fabs(K) <= 1e300 && std::fabs(w) <= 1e290;
}

// What a chain searches: the possible withdrawal (w varies, capital fixed),
// the required capital (capital varies, w = Monatsrente), or the same for
// ohne Kapitalverzehr, one year at a time. The same kinds as SicherSuchen's.
using Art = TSicherArt;

struct TKette {
    TKette(Art a, std::int32_t n) : art(a), jahre(a == Art::KapitalEwig ? 1 : n), waechter(jahre) {}
    Art art;
    std::int32_t jahre; // of one Endkapital
    double r = 0;
    double r12 = 0;
    double fest = 0; // capital of an Entnahme search, w of a Kapital search
    double wert = 0; // the varying w or K
    TSchrittWaechter waechter;
    double abstand = 0, abstandVorher = 0; // last two distances from the goal
    double rest = 0;                       // estimated repetitions still ahead
    bool aktiv = true;
    int duplikatVon = -1;
    double* ziel = nullptr;

    double K0() const { return art == Art::Entnahme ? fest : wert; }
    double w() const { return art == Art::Entnahme ? wert : fest; }
};

class TSuchlauf {
public:
    TSuchlauf(std::int32_t jahre, double RK, double MR, bool ewig)
        : FN(jahre), FRK(RK), FMR(MR), FEwig(ewig) {
        FMonate = static_cast<double>(std::int64_t{12} * jahre);
        FJahre = static_cast<double>(jahre);
    }

    void kette(Art art, double r, double fest, double start, double* ziel) {
        TKette k(art, FN);
        k.r = r;
        k.r12 = r / 12;
        k.fest = fest;
        k.wert = start;
        k.ziel = ziel;
        for (std::size_t j = 0; j < FKetten.size(); ++j) {
            const TKette& a = FKetten[j];
            if (a.duplikatVon < 0 && a.art == art && gleich(a.r12, k.r12) && gleich(a.fest, fest) &&
                gleich(a.wert, start)) {
                k.duplikatVon = static_cast<int>(j);
                k.aktiv = false;
                break;
            }
        }
        FKetten.push_back(k);
    }

    void rendite(bool aktiv) { FPAktiv = aktiv; }

    // False when the required return passed its limit of steps. The caller
    // tests the flags: only the return scan's count, the chains' overflows
    // are finished by the safeguarded method.
    bool laufen(double& p) {
        const std::int32_t N = FEwig ? 1 : FN;
        std::vector<int> offen; // chains still searching, duplicates excluded
        for (std::size_t j = 0; j < FKetten.size(); ++j)
            if (FKetten[j].duplikatVon < 0)
                offen.push_back(static_cast<int>(j));
        double pNaechst = 0; // next p to try ahead, built by the same additions
        std::int64_t pIndex = 0;

        std::vector<double> K0, r12, w, out;
        std::vector<int> spur; // chain of each lane, -1 for the return search
        std::vector<int> allgemein, null;
        while (true) {
            allgemein.clear();
            null.clear();
            for (int j : offen) {
                const TKette& k = FKetten[j];
                if (k.r12 == 0 && nullratenTauglich(N, k.K0(), k.w()))
                    null.push_back(j);
                else
                    allgemein.push_back(j);
            }
            // One group of eight lanes costs about as much as one lane: the
            // chains with the most repetitions still ahead go first, so the
            // longest search sets the pace and the others fill in around it.
            if (allgemein.size() > Gruppe) {
                for (int j : allgemein)
                    FKetten[j].rest = restSchaetzung(FKetten[j]);
                std::nth_element(
                    allgemein.begin(), allgemein.begin() + Gruppe, allgemein.end(),
                    [this](int a, int b) { return FKetten[a].rest > FKetten[b].rest; });
                allgemein.resize(Gruppe);
            }
            if (allgemein.empty() && null.empty() && !FPAktiv)
                break;
            if (allgemein.empty() && !FPAktiv) {
                // Only chains at 0 % are left: finish them without rounds.
                for (int j : null) {
                    TKette& k = FKetten[j];
                    while (k.aktiv && k.r12 == 0 && nullratenTauglich(N, k.K0(), k.w()))
                        weiter(k, endkapitalNull(N, k.K0(), k.w()));
                }
                entferneFertige(offen);
                continue;
            }
            K0.clear();
            r12.clear();
            w.clear();
            spur.clear();
            for (int j : allgemein) {
                const TKette& k = FKetten[j];
                K0.push_back(k.K0());
                r12.push_back(k.r12);
                w.push_back(k.w());
                spur.push_back(j);
            }
            if (FPAktiv) {
                const std::size_t lanes = std::max<std::size_t>(Gruppe, (K0.size() + 1) / 2 * 2);
                while (K0.size() < lanes) {
                    K0.push_back(FRK);
                    r12.push_back(pNaechst / 100 / 12);
                    w.push_back(FMR);
                    spur.push_back(-1);
                    pNaechst = pNaechst + 0.005;
                }
            }
            rechnen(N, K0, r12, w, out);
            for (int j : null) {
                TKette& k = FKetten[j];
                weiter(k, endkapitalNull(N, k.K0(), k.w()));
            }
            for (std::size_t l = 0; l < spur.size(); ++l) {
                if (spur[l] >= 0) {
                    weiter(FKetten[spur[l]], out[l]);
                } else if (FPAktiv) {
                    // The plain loop: while cond(p): give up after too many, p += 0.005.
                    const bool bedingung = FEwig ? out[l] < FRK : out[l] < 0;
                    if (!bedingung) {
                        p = FPAktuell;
                        FPAktiv = false;
                    } else if (++pIndex > TSuchwaechter::HoechstzahlRendite) {
                        return false;
                    } else {
                        FPAktuell = FPAktuell + 0.005;
                    }
                }
            }
            FpFence(out);
            entferneFertige(offen);
        }
        for (TKette& k : FKetten)
            *k.ziel = k.duplikatVon < 0 ? k.wert : FKetten[k.duplikatVon].wert;
        return true;
    }

private:
    static constexpr std::size_t Gruppe = 8;

    void entferneFertige(std::vector<int>& offen) {
        offen.erase(
            std::remove_if(offen.begin(), offen.end(), [this](int j) { return !FKetten[j].aktiv; }),
            offen.end());
    }

    // Rough number of repetitions a chain still needs, from how fast its
    // distance shrank in the last step; only the order of work depends on it.
    static double restSchaetzung(const TKette& k) {
        const double a = std::fabs(k.abstand);
        const double vorher = std::fabs(k.abstandVorher);
        if (!(vorher > 0) || !(a < vorher) || !(a > 1))
            return 1e30;
        const double q = a / vorher;
        const double schwund = q > 0.5 ? (1 - q) * 1.4427 : 1 - binaerExponent(q);
        return static_cast<double>(binaerExponent(a)) / schwund;
    }

    static int binaerExponent(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        return static_cast<int>((bits >> 52) & 0x7ff) - 1023;
    }

    static bool gleich(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

    void rechnen(std::int32_t N, std::vector<double>& K0, std::vector<double>& r12,
                 std::vector<double>& w, std::vector<double>& out) {
        const std::size_t n = K0.size();
        out.resize(n);
        std::size_t l = 0;
        for (; l + 8 <= n; l += 8)
            endkapitalLanes<8>(N, &K0[l], &r12[l], &w[l], &out[l]);
        if (l < n) {
            // Fill the last group with harmless lanes.
            double k[8] = {}, r[8] = {}, ww[8] = {}, o[8];
            const std::size_t rest = n - l;
            std::copy_n(&K0[l], rest, k);
            std::copy_n(&r12[l], rest, r);
            std::copy_n(&w[l], rest, ww);
            if (rest <= 2)
                endkapitalLanes<2>(N, k, r, ww, o);
            else if (rest <= 4)
                endkapitalLanes<4>(N, k, r, ww, o);
            else
                endkapitalLanes<8>(N, k, r, ww, o);
            std::copy_n(o, rest, &out[l]);
        }
    }

    // One step of a chain's documented loop, given the capital just computed.
    void weiter(TKette& k, double E) {
        bool weiterSuchen;
        double abstand;
        if (k.art == Art::KapitalEwig) {
            weiterSuchen = E < 0 || std::fabs(k.wert - E) > 1;
            abstand = k.wert - E;
        } else {
            weiterSuchen = std::fabs(E) > 1;
            abstand = E;
        }
        if (!weiterSuchen) {
            k.aktiv = false;
            return;
        }
        k.abstandVorher = k.abstand;
        k.abstand = abstand;
        if (!k.waechter.Weiter(abstand, k.wert)) {
            k.wert = SicherSuchen(k.art, k.jahre, k.fest, k.r, k.waechter.BesterWert());
            k.aktiv = false;
            return;
        }
        switch (k.art) {
        case Art::Entnahme:
            k.wert = k.wert + E / FMonate / 75;
            break;
        case Art::Kapital:
            k.wert = k.wert - E / FJahre / 10;
            break;
        case Art::KapitalEwig:
            k.wert = k.wert - (E - k.wert) / 20;
            break;
        }
    }

    std::int32_t FN;
    double FRK, FMR;
    bool FEwig;
    double FMonate = 0, FJahre = 0;
    std::vector<TKette> FKetten;
    bool FPAktiv = false;
    double FPAktuell = 0;
};

} // namespace

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
    TSuchlauf lauf(N, RK, MR, ewig);
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
            lauf.kette(Art::Entnahme, r, RK, rec.Entnahme_ewig[i], &rec.Entnahme_moeglich[i]);
            lauf.kette(Art::Entnahme, r, rec.Kapital_Einzahlungsende[i], rec.Entnahme_ewig[i],
                       &rec.Entnahme_aus_Einzahlung[i]);
            lauf.kette(Art::Kapital, r, MR, RK, &rec.Kapital_erforderlich[i]);
        } else {
            // Without consumption of the capital the withdrawal from the
            // accumulated capital is the perpetual one of that capital.
            rec.Entnahme_aus_Einzahlung[i] =
                referenz::EwigeEntnahme(rec.Kapital_Einzahlungsende[i], r,
                                        TEntnahmeSuche::EntnahmeAusEinzahlung, performance);
            if (performance > 0.1)
                lauf.kette(Art::KapitalEwig, r, MR, RK, &rec.Kapital_erforderlich[i]);
        }
        CheckFpFlagsAfter(rec);
    }

    const bool renditeSuchen = WertentwicklungErreichbar(rec);
    lauf.rendite(renditeSuchen);
    double p = 0;
    const bool imRahmen = lauf.laufen(p);
    FpFence(rec);
    const bool flagge = FpFlagsRaised();
    ClearFpFlags();
    if (renditeSuchen && (flagge || !imRahmen))
        p = referenz::ErforderlicheWertentwicklung(N, RK, MR);
    rec.Erforderliche_Wertentwicklung = renditeSuchen ? p : 0;

    CheckFpFlagsAfter(rec);
    detail::PruefeEntnahmeErgebnis(rec, tabelle);
    detail::UebernimmEntnahmeErgebnis(Rec, rec);
    Entnahmetabelle = std::move(tabelle);
}

} // namespace orvanta
