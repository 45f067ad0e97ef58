#include "core/suchlauf.h"

#include "core/fpcheck.h"
#include "core/performcalc.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

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

// The kernels for this processor: for 1 to 8 vectors of Breite lanes each,
// so a round pays only for the lanes it fills. Every lane's operations are
// the same IEEE operations in either width.
struct TKerne {
    int Breite;
    TKern Allgemein[8];
    TKern Null[8];
};

template <int Z>
void allgemeinSse2(std::int32_t N, const double* K0, const double* r12, const double* w,
                   double* out) {
    endkapitalGruppe<v2d, 2, 2 * Z>(N, K0, r12, w, out);
}
template <int Z>
void nullSse2(std::int32_t N, const double* K0, const double* r12, const double* w, double* out) {
    endkapitalNullGruppe<v2d, 2, 2 * Z>(N, K0, r12, w, out);
}

#if defined(__x86_64__) || defined(__i386__)
using v4d = double __attribute__((vector_size(32)));

template <int Z>
__attribute__((target("avx2"))) void
allgemeinAvx2(std::int32_t N, const double* K0, const double* r12, const double* w, double* out) {
    endkapitalGruppe<v4d, 4, 4 * Z>(N, K0, r12, w, out);
}
template <int Z>
__attribute__((target("avx2"))) void nullAvx2(std::int32_t N, const double* K0, const double* r12,
                                              const double* w, double* out) {
    endkapitalNullGruppe<v4d, 4, 4 * Z>(N, K0, r12, w, out);
}
#endif

const TKerne& kerne() {
    static const TKerne k = [] {
#if defined(__x86_64__) || defined(__i386__)
        if (__builtin_cpu_supports("avx2"))
            return TKerne{4,
                          {allgemeinAvx2<1>, allgemeinAvx2<2>, allgemeinAvx2<3>, allgemeinAvx2<4>,
                           allgemeinAvx2<5>, allgemeinAvx2<6>, allgemeinAvx2<7>, allgemeinAvx2<8>},
                          {nullAvx2<1>, nullAvx2<2>, nullAvx2<3>, nullAvx2<4>, nullAvx2<5>,
                           nullAvx2<6>, nullAvx2<7>, nullAvx2<8>}};
#endif
        return TKerne{2,
                      {allgemeinSse2<1>, allgemeinSse2<2>, allgemeinSse2<3>, allgemeinSse2<4>,
                       allgemeinSse2<5>, allgemeinSse2<6>, allgemeinSse2<7>, allgemeinSse2<8>},
                      {nullSse2<1>, nullSse2<2>, nullSse2<3>, nullSse2<4>, nullSse2<5>, nullSse2<6>,
                       nullSse2<7>, nullSse2<8>}};
    }();
    return k;
}

bool gleich(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The nearest double above v.
double aufwaerts(long double v) {
    double d = static_cast<double>(v);
    if (static_cast<long double>(d) < v)
        d = std::nextafter(d, HUGE_VAL);
    return d;
}

// Unit roundoffs of double and long double, and the absolute error of a
// product that underflows.
constexpr double U = 0x1p-53;
constexpr double V = static_cast<double>(std::numeric_limits<long double>::epsilon() / 2);
constexpr double Eta = 0x1p-1074;

// The documented loop's condition.
bool weiterSuchen(TSicherArt art, double x, double E) {
    return art == TSicherArt::KapitalEwig ? E < 0 || std::fabs(x - E) > 1 : std::fabs(E) > 1;
}

// At 0 % a year is K := K - c (c = 12 w), rounded once: the computed
// capital after N years errs by at most U Σ_(m=1..N) |K - m c| (times
// 1 + 1e-9 for the errors' own part). The sum in closed form; an index m*
// off by one where the terms change sign costs at most 2 |c|, the long
// double rounding of the closed form at most its last term.
double fehlerBeiNull(double K, double c, std::int32_t N) {
    if (c < 0) {
        K = -K;
        c = -c;
    }
    const long double n = N, cl = c, Kl = K;
    long double summe;
    if (c == 0 || K <= 0) {
        summe = n * std::fabs(Kl) + cl * n * (n + 1) / 2;
    } else {
        const long double m = std::min(n, std::floor(Kl / cl));
        summe =
            m * Kl - cl * m * (m + 1) / 2 + cl * (n * (n + 1) / 2 - m * (m + 1) / 2) - (n - m) * Kl;
    }
    const long double rest = 2 * cl + 16 * V * (n * std::fabs(Kl) + cl * n * (n + 1));
    return static_cast<double>((summe + rest) * U * (1 + 1e-9L)) * (1 + 4 * U);
}

// |v| for every v in [lo, hi].
void betrag(double lo, double hi, double& aLo, double& aHi) {
    aLo = lo > 0 ? lo : hi < 0 ? -hi : 0;
    aHi = std::fabs(lo) > std::fabs(hi) ? std::fabs(lo) : std::fabs(hi);
}

} // namespace

struct TSuchlauf::TKette {
    TKette(TSicherArt art, std::int32_t jahre)
        : Art(art), Jahre(art == TSicherArt::KapitalEwig ? 1 : jahre),
          Grenze(SchnelleSchritte(Jahre)) {}

    TSicherArt Art;
    std::int32_t Jahre; // of one Endkapital
    double R = 0, R12 = 0;
    double Fest = 0; // capital of an Entnahme search, w of a Kapital search
    double Wert = 0; // the varying w or K
    bool Aktiv = true;
    int DuplikatVon = -1;
    double* Ziel = nullptr;

    // The watcher of the documented loop (TSchrittWaechter), its best
    // distance held as an interval where a step was settled by the model.
    std::int64_t Grenze;
    std::int64_t Schritte = 0, BesterSchritt = 0;
    double BesterLo = 0, BesterHi = 0, BesterWert = 0;

    // The model: without rounding a year is K := a K - (r12 Σ k w + 12 w)
    // with a = 1 + 12 r12, so after the years E = A K - G (r12 Σ k w + 12 w),
    // with the k w and 12 w as the calculation rounds them. A, G and what
    // depends only on the fixed input are worked out in long double.
    double AK = 0;    // A, or A times the capital of an Entnahme search
    double GR = 0;    // G r12
    double GD = 0;    // G
    double Abzug = 0; // G (r12 Σ k w + 12 w) of a Kapital search
    // |computed E - model| <= FehlerK |K| + FehlerW |w| + Fehler0 + 8 U |model|;
    // GroesseK |K| + GroesseW |w| bounds every value the years compute.
    double FehlerK = 0, FehlerW = 0, Fehler0 = 0, GroesseK = 0, GroesseW = 0;

    int Tiefe = 1;    // lanes of a round
    int Bewiesen = 0; // steps settled by the model in this round
    bool Beweisbar = false;
    std::size_t ErsteBahn = 0, Bahnen = 0;

    double K0(double x) const { return Art == TSicherArt::Entnahme ? Fest : x; }
    double W(double x) const { return Art == TSicherArt::Entnahme ? x : Fest; }

    double modell(double x) const {
        if (Art != TSicherArt::Entnahme)
            return AK * x - Abzug;
        double summe = 0;
        for (int k = 1; k < 12; ++k)
            summe += static_cast<double>(k) * x;
        return AK - (GR * summe + GD * (12.0 * x));
    }

    // The bound of the rounding, year by year. With e the error of the
    // capital K^ entering a year, the year's operations (12 differences,
    // products and partial sums, then two more) err by at most
    //   U [(126 |r12| + 2) |K^| + (550 |r12| + 12) |w|] + 13 Eta
    // (factors (1 + U)^20 aside; the partial sums weigh term j 12 - j
    // times, and |k w| <= k |w| (1 + U)), and the error entering the next
    // year is |a| e plus that, the year being affine with slope a. |K^| is
    // at most |a|^n |K| + Σ_(m<n) |a|^m (66 |r12| + 12) |w| + e. All of it
    // is linear in |K| and |w|, so three coefficients carry it.
    void aufstellen() {
        const TFlagSicherung flags; // an overflowing model only settles no step
        const long double a = 1 + 12 * static_cast<long double>(R12);
        const double rho = std::fabs(R12);
        const double aa = aufwaerts(std::fabs(a));
        const double gamma = 1 + 1e-10;
        // At 0 % the terms are exact zeros and only K - 12 w rounds.
        const double q = U * gamma * (R12 == 0 ? 1 : 126 * rho + 2);
        const double proW = (66 * rho + 12) * (1 + 4 * U); // r12 Σ |k w| + |12 w| per |w|
        const double lokalW = U * gamma * (550 * rho + 12) * (1 + 4 * U);
        long double A = 1, G = 0;
        double dK = 0, dW = 0, dE = 0, kK = 1, gAbs = 0, maxK = 1;
        for (std::int32_t jahr = 0; jahr < Jahre; ++jahr) {
            const double kW = gAbs * proW;
            dK = aa * dK + q * (kK + dK);
            dW = aa * dW + q * (kW + dW) + lokalW;
            dE = aa * dE + q * dE + 13;
            gAbs += kK;
            kK *= aa;
            maxK = maxK > kK ? maxK : kK;
            G += A;
            A *= a;
        }
        const auto abzug = [&](double w) {
            long double summe = 0;
            for (int k = 0; k < 12; ++k)
                summe += static_cast<double>(k) * w;
            return G * (static_cast<long double>(R12) * summe + static_cast<double>(12.0 * w));
        };
        if (Art == TSicherArt::Entnahme) {
            AK = static_cast<double>(A * Fest);
            GR = static_cast<double>(G * static_cast<long double>(R12));
            GD = static_cast<double>(G);
        } else {
            AK = static_cast<double>(A);
            Abzug = static_cast<double>(abzug(Fest));
        }
        // Then the model's own rounding: a^N and G in long double, their
        // rounding to double, the sum Σ k w and the few operations of the
        // model in double; 1 + 1e-9 covers the rounding of this bound itself
        // (a few thousand operations on positive numbers).
        FehlerK = (dK + ((2.0 * Jahre + 3) * V + 3 * U) * kK) * (1 + 1e-9);
        FehlerW = (dW + ((3.0 * Jahre + 20) * V + 14 * U) * gAbs * proW) * (1 + 1e-9);
        // A normal number: arithmetic with subnormal ones is slow.
        Fehler0 = dE > 0 ? std::fmax(dE * Eta * (1 + 1e-9), DBL_MIN) : 0;
        // Sums and products of a year reach (12 |r12| + 2) times the capital.
        const double faktor = 2 * (12 * rho + 2);
        GroesseK = faktor * (maxK + dK);
        GroesseW = faktor * (gAbs * proW + 11 + dW);
    }

    // 1 when a distance in [lo, hi] is smaller than the best so far, 0 when
    // not, -1 when the interval does not tell.
    int kleinerAlsBester(double lo, double hi) const {
        if (Schritte == 0 || hi < BesterLo)
            return 1;
        return lo >= BesterHi ? 0 : -1;
    }

    bool weiterNach(std::int64_t schritte, std::int64_t besterSchritt) const {
        return schritte - besterSchritt <= TSchrittWaechter::OhneFortschritt && schritte <= Grenze;
    }

    void abgeben() {
        Wert = SicherSuchen(Art, Jahre, Fest, R, BesterWert);
        Aktiv = false;
    }
};

TSuchlauf::TSuchlauf(std::int32_t jahre, bool ewig) : FJahre(jahre), FEwig(ewig) {
    FD12N = static_cast<double>(std::int64_t{12} * jahre);
    FDN = static_cast<double>(jahre);
}

TSuchlauf::~TSuchlauf() = default;

void TSuchlauf::Kette(TSicherArt art, double r, double fest, double start, double* ziel) {
    TKette k(art, FJahre);
    k.R = r;
    k.R12 = r / 12;
    k.Fest = fest;
    k.Wert = start;
    k.Ziel = ziel;
    for (std::size_t j = 0; j < FKetten.size(); ++j) {
        const TKette& a = FKetten[j];
        if (a.DuplikatVon < 0 && a.Art == art && gleich(a.R12, k.R12) && gleich(a.Fest, fest) &&
            gleich(a.Wert, start)) {
            k.DuplikatVon = static_cast<int>(j);
            k.Aktiv = false;
            break;
        }
    }
    if (k.DuplikatVon < 0)
        k.aufstellen();
    FKetten.push_back(k);
}

void TSuchlauf::Laufen() {
    const TFlagSicherung flags;
    const std::int32_t N = FEwig ? 1 : FJahre;
    std::vector<int> offen; // chains still searching, duplicates excluded
    for (std::size_t j = 0; j < FKetten.size(); ++j)
        if (FKetten[j].DuplikatVon < 0)
            offen.push_back(static_cast<int>(j));
    while (!offen.empty()) {
        FBahnen.clear();
        // Settle what the model can, one step of each chain in turn, so that
        // the chains' independent arithmetic overlaps.
        for (int j : offen) {
            FKetten[j].Bewiesen = 0;
            FKetten[j].Beweisbar = true;
        }
        for (bool weiterBeweisen = true; weiterBeweisen;) {
            weiterBeweisen = false;
            for (int j : offen) {
                TKette& k = FKetten[j];
                if (!k.Beweisbar)
                    continue;
                k.Beweisbar = k.Aktiv && beweisen(k);
                k.Bewiesen += k.Beweisbar;
                weiterBeweisen |= k.Beweisbar;
            }
        }
        for (int j : offen) {
            TKette& k = FKetten[j];
            k.Bahnen = 0;
            if (!k.Aktiv)
                continue;
            // After settled steps one lane; in a stretch that the model
            // cannot settle, more and more lanes run ahead.
            if (k.Bewiesen > 0)
                k.Tiefe = 1;
            raten(k);
        }
        rechnen(N);
        for (int j : offen)
            if (FKetten[j].Bahnen > 0)
                uebernehmen(FKetten[j]);
        offen.erase(
            std::remove_if(offen.begin(), offen.end(), [this](int j) { return !FKetten[j].Aktiv; }),
            offen.end());
    }
    for (TKette& k : FKetten)
        *k.Ziel = k.DuplikatVon < 0 ? k.Wert : FKetten[k.DuplikatVon].Wert;
}

double TSuchlauf::schritt(TSicherArt art, double x, double E) const {
    switch (art) {
    case TSicherArt::Entnahme:
        return x + E / FD12N / 75;
    case TSicherArt::Kapital:
        return x - E / FDN / 10;
    case TSicherArt::KapitalEwig:
        break;
    }
    return x - (E - x) / 20;
}

// One step settled by the model, when every capital its interval allows
// gives the same decisions and the same next value (each of them is
// monotonic in the capital). False, with nothing changed, when it does not.
bool TSuchlauf::beweisen(TKette& k) const {
    const double x = k.Wert;
    const double K0 = std::fabs(k.K0(x)), w = std::fabs(k.W(x));
    if (!(k.GroesseK * K0 + k.GroesseW * w < 1e300))
        return false; // no overflow inside the years, or no bound
    const double e = k.modell(x);
    // 8 U |e| also covers the rounding of e - delta and e + delta.
    const double delta = (k.R12 == 0 ? fehlerBeiNull(k.K0(x), 12.0 * k.W(x), k.Jahre) +
                                           2 * U * k.Jahre * std::fabs(12.0 * w) + DBL_MIN
                                     : k.FehlerK * K0 + k.FehlerW * w + k.Fehler0) +
                         8 * U * std::fabs(e);
    const double lo = e - delta, hi = e + delta;
    if (!(std::isfinite(lo) && std::isfinite(hi)))
        return false;

    double aLo, aHi; // the distance the watcher sees
    if (k.Art == TSicherArt::KapitalEwig) {
        const double dLo = x - hi, dHi = x - lo;
        if (lo >= 0 && dHi <= 1 && dLo >= -1) {
            k.Aktiv = false;
            return true;
        }
        if (!(hi < 0 || dLo > 1 || dHi < -1))
            return false;
        betrag(dLo, dHi, aLo, aHi);
    } else {
        if (lo >= -1 && hi <= 1) {
            k.Aktiv = false;
            return true;
        }
        if (!(lo > 1 || hi < -1))
            return false;
        betrag(lo, hi, aLo, aHi);
    }
    if (!(aHi <= DBL_MAX))
        return false;
    const int kleiner = k.kleinerAlsBester(aLo, aHi);
    if (kleiner < 0)
        return false;
    const bool abgeben = !k.weiterNach(k.Schritte + 1, kleiner ? k.Schritte : k.BesterSchritt);
    const double naechster = schritt(k.Art, x, lo);
    if (!abgeben && !gleich(naechster, schritt(k.Art, x, hi)))
        return false;

    if (kleiner) {
        k.BesterLo = aLo;
        k.BesterHi = aHi;
        k.BesterSchritt = k.Schritte;
        k.BesterWert = x;
    }
    ++k.Schritte;
    if (abgeben)
        k.abgeben();
    else
        k.Wert = naechster;
    return true;
}

// One step of the documented loop, given the capital just computed.
void TSuchlauf::weiter(TKette& k, double E) const {
    const double x = k.Wert;
    if (!weiterSuchen(k.Art, x, E)) {
        k.Aktiv = false;
        return;
    }
    const double a = std::fabs(k.Art == TSicherArt::KapitalEwig ? x - E : E);
    if (!(a <= DBL_MAX)) {
        k.abgeben();
        return;
    }
    int kleiner = k.kleinerAlsBester(a, a);
    if (kleiner < 0) {
        // The best distance so far came from a settled step: compute it.
        const double b = k.BesterWert;
        const double Eb = Endkapital(k.Jahre, k.K0(b), k.R, k.W(b));
        k.BesterLo = k.BesterHi = std::fabs(k.Art == TSicherArt::KapitalEwig ? b - Eb : Eb);
        kleiner = a < k.BesterLo;
    }
    if (kleiner) {
        k.BesterLo = k.BesterHi = a;
        k.BesterSchritt = k.Schritte;
        k.BesterWert = x;
    }
    ++k.Schritte;
    if (!k.weiterNach(k.Schritte, k.BesterSchritt)) {
        k.abgeben();
        return;
    }
    k.Wert = schritt(k.Art, x, E);
}

// Lanes for the chain's current value and the values the model foretells.
void TSuchlauf::raten(TKette& k) {
    k.ErsteBahn = FBahnen.size();
    double x = k.Wert;
    for (int t = 0; t < k.Tiefe; ++t) {
        FBahnen.push_back({k.K0(x), k.R12, k.W(x), 0});
        ++k.Bahnen;
        const double E = k.modell(x);
        if (!weiterSuchen(k.Art, x, E))
            break;
        x = schritt(k.Art, x, E);
        if (!std::isfinite(x))
            break;
    }
}

// The chain's steps as the documented loop takes them, as long as each
// lane started from the value the step before gave.
void TSuchlauf::uebernehmen(TKette& k) {
    std::size_t genutzt = 0;
    while (genutzt < k.Bahnen) {
        weiter(k, FBahnen[k.ErsteBahn + genutzt].E);
        ++genutzt;
        if (!k.Aktiv || genutzt == k.Bahnen)
            break;
        const TBahn& naechste = FBahnen[k.ErsteBahn + genutzt];
        if (!gleich(k.Wert, k.Art == TSicherArt::Entnahme ? naechste.W : naechste.K0))
            break;
    }
    // Further ahead while the guesses hold, less far after a wrong one.
    if (genutzt == k.Bahnen)
        k.Tiefe = std::min(2 * k.Tiefe, 32);
    else
        k.Tiefe = std::max(1, static_cast<int>(genutzt));
}

void TSuchlauf::rechnen(std::int32_t N) {
    const TKerne& kern = kerne();
    const std::size_t B = static_cast<std::size_t>(kern.Breite);
    // Lanes at 0 % take the short kernel, the others the full one.
    for (int null = 0; null < 2; ++null) {
        std::vector<std::size_t>& index = null ? FNull : FAllgemein;
        index.clear();
        for (std::size_t b = 0; b < FBahnen.size(); ++b) {
            const TBahn& x = FBahnen[b];
            const bool istNull = x.R12 == 0 && nullratenTauglich(N, x.K0, x.W);
            if (istNull == (null == 1))
                index.push_back(b);
        }
        for (std::size_t a = 0; a < index.size(); a += 8 * B) {
            // The last vector of a call may get harmless lanes.
            double K0[32] = {}, r12[32] = {}, w[32] = {}, out[32];
            const std::size_t n = std::min(8 * B, index.size() - a);
            for (std::size_t l = 0; l < n; ++l) {
                const TBahn& x = FBahnen[index[a + l]];
                K0[l] = x.K0;
                r12[l] = x.R12;
                w[l] = x.W;
            }
            (null ? kern.Null : kern.Allgemein)[(n + B - 1) / B - 1](N, K0, r12, w, out);
            for (std::size_t l = 0; l < n; ++l)
                FBahnen[index[a + l]].E = out[l];
        }
    }
}

} // namespace orvanta
