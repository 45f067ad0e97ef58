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
#include "core/wertentwicklung.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace orvanta {

namespace {

using v2d = double __attribute__((vector_size(16)));

// Endkapital for G lanes at once, W lanes to a vector of type V; lane l
// computes exactly Endkapital(N, K0[l], r, w[l]) with r12[l] = r / 12.
template <class V, int W, int G>
[[gnu::always_inline]] inline void endkapitalGruppe(std::int32_t N, const double* K0,
                                                    const double* r12, const double* w,
                                                    double* out) {
    constexpr int Z = G / W;
    V K[Z], r[Z], w12[Z], kw[12][Z];
    for (int v = 0; v < Z; ++v) {
        V wv{};
        for (int l = 0; l < W; ++l) {
            K[v][l] = K0[v * W + l];
            r[v][l] = r12[v * W + l];
            wv[l] = w[v * W + l];
        }
        for (int k = 0; k < 12; ++k)
            kw[k][v] = static_cast<double>(k) * wv;
        w12[v] = 12.0 * wv;
    }
    // Fully unrolled so that the sums and capitals stay in registers.
    for (std::int32_t jahr = 0; jahr < N; ++jahr) {
        V s[Z];
#pragma GCC unroll 8
        for (int v = 0; v < Z; ++v)
            s[v] = V{};
#pragma GCC unroll 12
        for (int k = 0; k < 12; ++k)
#pragma GCC unroll 8
            for (int v = 0; v < Z; ++v)
                s[v] += r[v] * (K[v] - kw[k][v]);
#pragma GCC unroll 8
        for (int v = 0; v < Z; ++v)
            K[v] = (s[v] + K[v]) - w12[v];
    }
    for (int v = 0; v < Z; ++v)
        for (int l = 0; l < W; ++l)
            out[v * W + l] = K[v][l];
}

// The same at a rate whose twelfth is zero. Each term r/12 * (K - k w) is
// then a signed zero and their sum from +0 is +0, as long as K - k w stays
// finite (the caller checks that with nullratenTauglich), so a year is
// K := (0 + K) - 12 w.
template <class V, int W, int G>
[[gnu::always_inline]] inline void endkapitalNullGruppe(std::int32_t N, const double* K0,
                                                        const double*, const double* w,
                                                        double* out) {
    constexpr int Z = G / W;
    V K[Z], w12[Z];
    for (int v = 0; v < Z; ++v) {
        V wv{};
        for (int l = 0; l < W; ++l) {
            K[v][l] = K0[v * W + l];
            wv[l] = w[v * W + l];
        }
        w12[v] = 12.0 * wv;
    }
    for (std::int32_t jahr = 0; jahr < N; ++jahr)
#pragma GCC unroll 8
        for (int v = 0; v < Z; ++v)
            K[v] = (V{} + K[v]) - w12[v];
    for (int v = 0; v < Z; ++v)
        for (int l = 0; l < W; ++l)
            out[v * W + l] = K[v][l];
}

inline bool nullratenTauglich(std::int32_t N, double K, double w) {
    return N <= 1000000 && std::fabs(K) <= 1e300 && std::fabs(w) <= 1e290;
}

using TKern = void (*)(std::int32_t, const double*, const double*, const double*, double*);

// The kernels for this processor, with the number of lanes each call takes.
// Every lane's operations are the same IEEE operations in either width.
struct TKerne {
    int Gruppe;
    TKern Allgemein;
    TKern Null;
};

void allgemeinSse2(std::int32_t N, const double* K0, const double* r12, const double* w,
                   double* out) {
    endkapitalGruppe<v2d, 2, 8>(N, K0, r12, w, out);
}
void nullSse2(std::int32_t N, const double* K0, const double* r12, const double* w, double* out) {
    endkapitalNullGruppe<v2d, 2, 8>(N, K0, r12, w, out);
}

#if defined(__x86_64__) || defined(__i386__)
using v4d = double __attribute__((vector_size(32)));

__attribute__((target("avx2"))) void allgemeinAvx2(std::int32_t N, const double* K0,
                                                   const double* r12, const double* w,
                                                   double* out) {
    endkapitalGruppe<v4d, 4, 16>(N, K0, r12, w, out);
}
__attribute__((target("avx2"))) void nullAvx2(std::int32_t N, const double* K0, const double* r12,
                                              const double* w, double* out) {
    endkapitalNullGruppe<v4d, 4, 16>(N, K0, r12, w, out);
}
#endif

const TKerne& kerne() {
    static const TKerne k = [] {
#if defined(__x86_64__) || defined(__i386__)
        if (__builtin_cpu_supports("avx2"))
            return TKerne{16, allgemeinAvx2, nullAvx2};
#endif
        return TKerne{8, allgemeinSse2, nullSse2};
    }();
    return k;
}

// What a chain searches: the possible withdrawal (w varies, capital fixed),
// the required capital (capital varies, w = Monatsrente), or the same for
// ohne Kapitalverzehr, one year at a time. The same kinds as SicherSuchen's.
using Art = TSicherArt;

struct Kette {
    Kette(Art a, std::int32_t n) : art(a), jahre(a == Art::KapitalEwig ? 1 : n), waechter(jahre) {}
    Art art;
    std::int32_t jahre; // of one Endkapital
    double r = 0;
    double r12 = 0;
    double fest = 0; // capital of an Entnahme search, w of a Kapital search
    double wert = 0; // the varying w or K
    TSchrittWaechter waechter;
    bool aktiv = true;
    int duplikatVon = -1;
    double* ziel = nullptr;

    // The model: without rounding a year is K := (1 + 12 r12) K - (r12 Σ k w + 12 w),
    // so after the years E = A K - G (r12 Σ k w + 12 w), with the k w and
    // 12 w as the calculation rounds them.
    long double A = 1, G = 0;
    long double abzugFest = 0; // G (r12 Σ k w + 12 w) of a Kapital search
    int tiefe = 16;            // values guessed ahead in a round
    std::size_t ersteBahn = 0, bahnen = 0;

    double K0() const { return art == Art::Entnahme ? fest : wert; }
    double w() const { return art == Art::Entnahme ? wert : fest; }

    long double abzug(double wv) const {
        long double summe = 0;
        for (int k = 0; k < 12; ++k)
            summe += static_cast<double>(k) * wv;
        return G * (static_cast<long double>(r12) * summe + static_cast<double>(12.0 * wv));
    }

    // The capital after the years at x, without the calculation's rounding.
    double geschaetzt(double x) const {
        if (art == Art::Entnahme)
            return static_cast<double>(A * fest - abzug(x));
        return static_cast<double>(A * x - abzugFest);
    }
};

class TSuchlauf {
public:
    TSuchlauf(std::int32_t jahre, bool ewig) : N_(jahre), ewig_(ewig) {
        d12N_ = static_cast<double>(std::int64_t{12} * jahre);
        dN_ = static_cast<double>(jahre);
    }

    void kette(Art art, double r, double fest, double start, double* ziel) {
        Kette k(art, N_);
        k.r = r;
        k.r12 = r / 12;
        k.fest = fest;
        k.wert = start;
        k.ziel = ziel;
        for (std::size_t j = 0; j < ketten_.size(); ++j) {
            const Kette& a = ketten_[j];
            if (a.duplikatVon < 0 && a.art == art && gleich(a.r12, k.r12) && gleich(a.fest, fest) &&
                gleich(a.wert, start)) {
                k.duplikatVon = static_cast<int>(j);
                k.aktiv = false;
                break;
            }
        }
        if (k.duplikatVon < 0) {
            const long double a = 1 + 12 * static_cast<long double>(k.r12);
            for (std::int32_t jahr = 0; jahr < k.jahre; ++jahr) {
                k.G += k.A;
                k.A *= a;
            }
            if (art != Art::Entnahme)
                k.abzugFest = k.abzug(fest);
        }
        ketten_.push_back(k);
    }

    // Runs every chain to its end. Their floating-point flags do not count
    // (an overflowing search is finished by the safeguarded method), as in
    // the plain transcription.
    void laufen() {
        const TFlagSicherung flags;
        const std::int32_t N = ewig_ ? 1 : N_;
        std::vector<int> offen; // chains still searching, duplicates excluded
        for (std::size_t j = 0; j < ketten_.size(); ++j)
            if (ketten_[j].duplikatVon < 0)
                offen.push_back(static_cast<int>(j));
        while (!offen.empty()) {
            bahnen_.clear();
            for (int j : offen)
                raten(ketten_[j]);
            rechnen(N);
            for (int j : offen)
                uebernehmen(ketten_[j]);
            offen.erase(std::remove_if(offen.begin(), offen.end(),
                                       [this](int j) { return !ketten_[j].aktiv; }),
                        offen.end());
        }
        for (Kette& k : ketten_)
            *k.ziel = k.duplikatVon < 0 ? k.wert : ketten_[k.duplikatVon].wert;
    }

private:
    static constexpr int HoechsteTiefe = 32;

    struct Bahn {
        double K0, r12, w, E;
    };

    static bool gleich(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

    // The documented loop's condition and step.
    static bool weiterSuchen(Art art, double x, double E) {
        return art == Art::KapitalEwig ? E < 0 || std::fabs(x - E) > 1 : std::fabs(E) > 1;
    }
    double schritt(Art art, double x, double E) const {
        switch (art) {
        case Art::Entnahme:
            return x + E / d12N_ / 75;
        case Art::Kapital:
            return x - E / dN_ / 10;
        case Art::KapitalEwig:
            break;
        }
        return x - (E - x) / 20;
    }

    // Lanes for the chain's current value and the values the model foretells.
    void raten(Kette& k) {
        k.ersteBahn = bahnen_.size();
        k.bahnen = 0;
        double x = k.wert;
        for (int t = 0; t < k.tiefe; ++t) {
            if (k.art == Art::Entnahme)
                bahnen_.push_back({k.fest, k.r12, x, 0});
            else
                bahnen_.push_back({x, k.r12, k.fest, 0});
            ++k.bahnen;
            const double E = k.geschaetzt(x);
            if (!weiterSuchen(k.art, x, E))
                break;
            x = schritt(k.art, x, E);
            if (!std::isfinite(x))
                break;
        }
    }

    // The chain's steps as the documented loop takes them, as long as each
    // lane started from the value the step before gave.
    void uebernehmen(Kette& k) {
        std::size_t genutzt = 0;
        while (genutzt < k.bahnen) {
            weiter(k, bahnen_[k.ersteBahn + genutzt].E);
            ++genutzt;
            if (!k.aktiv || genutzt == k.bahnen)
                break;
            const Bahn& naechste = bahnen_[k.ersteBahn + genutzt];
            if (!gleich(k.wert, k.art == Art::Entnahme ? naechste.w : naechste.K0))
                break;
        }
        // Guess further while the guesses hold, less far after a wrong one.
        if (genutzt == k.bahnen)
            k.tiefe = std::min(2 * k.tiefe, HoechsteTiefe);
        else
            k.tiefe = std::max(2, static_cast<int>(genutzt));
    }

    void rechnen(std::int32_t N) {
        const TKerne& kern = kerne();
        const std::size_t G = static_cast<std::size_t>(kern.Gruppe);
        // Lanes at 0 % take the short kernel, the others the full one.
        for (int null = 0; null < 2; ++null) {
            auto& index = null ? nullIndex_ : allgemeinIndex_;
            index.clear();
            for (std::size_t b = 0; b < bahnen_.size(); ++b) {
                const Bahn& x = bahnen_[b];
                const bool istNull = x.r12 == 0 && nullratenTauglich(N, x.K0, x.w);
                if (istNull == (null == 1))
                    index.push_back(b);
            }
            for (std::size_t a = 0; a < index.size(); a += G) {
                // A group not filled up gets harmless lanes.
                double K0[16] = {}, r12[16] = {}, w[16] = {}, out[16];
                const std::size_t n = std::min(G, index.size() - a);
                for (std::size_t l = 0; l < n; ++l) {
                    const Bahn& x = bahnen_[index[a + l]];
                    K0[l] = x.K0;
                    r12[l] = x.r12;
                    w[l] = x.w;
                }
                (null ? kern.Null : kern.Allgemein)(N, K0, r12, w, out);
                for (std::size_t l = 0; l < n; ++l)
                    bahnen_[index[a + l]].E = out[l];
            }
        }
    }

    // One step of a chain's documented loop, given the capital just computed.
    void weiter(Kette& k, double E) {
        if (!weiterSuchen(k.art, k.wert, E)) {
            k.aktiv = false;
            return;
        }
        const double abstand = k.art == Art::KapitalEwig ? k.wert - E : E;
        if (!k.waechter.Weiter(abstand, k.wert)) {
            k.wert = SicherSuchen(k.art, k.jahre, k.fest, k.r, k.waechter.BesterWert());
            k.aktiv = false;
            return;
        }
        k.wert = schritt(k.art, k.wert, E);
    }

    std::int32_t N_;
    bool ewig_;
    double d12N_ = 0, dN_ = 0;
    std::vector<Kette> ketten_;
    std::vector<Bahn> bahnen_;
    std::vector<std::size_t> allgemeinIndex_, nullIndex_;
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
    double NIW[6], Entnahmesumme[6] = {}, Jahreszins[6] = {}, r12[6], KE[6];

    for (int i = 0; i < 6; ++i) {
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
                for (int i = 0; i < 6; ++i) {
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
                for (int i = 0; i < 6; ++i)
                    NIW[i] = KE[i];
            }
            if (m % 12 == 0) {
                TPerformanceData& z = tabelle.emplace_back();
                z.Betrag = MR;
                z.Alter = static_cast<std::int32_t>(rec.AuszBeginn + m / 12 - 1);
                z.Jahr = static_cast<double>(m) / 12;
                for (int i = 0; i < 6; ++i) {
                    z.Summe[i] = Entnahmesumme[i];
                    z.NIW[i] = NIW[i];
                }
            }
        }
    }
    for (int i = 0; i < 6; ++i)
        rec.Kapital_Entnahme[i] = KE[i];

    CheckFpFlagsAfter(rec, tabelle);

    // The searches that can fail, in the documented order of the scenarios;
    // the others are queued for the side-by-side run.
    TSuchlauf lauf(N, ewig);
    for (int i = 0; i < 6; ++i) {
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

    lauf.laufen();
    rec.Erforderliche_Wertentwicklung =
        WertentwicklungErreichbar(rec) ? ErforderlicheWertentwicklungSchnell(N, RK, MR) : 0;

    CheckFpFlagsAfter(rec);
    detail::PruefeEntnahmeErgebnis(rec, tabelle);
    detail::UebernimmEntnahmeErgebnis(Rec, rec);
    Entnahmetabelle = std::move(tabelle);
}

} // namespace orvanta
