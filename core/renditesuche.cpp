#include "core/renditesuche.h"

#include "core/fpcheck.h"
#include "core/performcalc.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <vector>

namespace orvanta {

namespace {

// The tries of the scan, p_j = p_(j-1) + 0.005 as the scan adds them. Every
// 256th value is kept, the others are added up from there again.
class TRenditeFolge {
public:
    double operator[](std::int64_t j) {
        const std::size_t marke = static_cast<std::size_t>(j / Abstand);
        while (FMarken.size() <= marke) {
            double p = FMarken.back();
            for (int i = 0; i < Abstand; ++i)
                p = p + 0.005;
            FMarken.push_back(p);
        }
        if (!(FLetzter <= j && FLetzter / Abstand == j / Abstand)) {
            FLetzter = static_cast<std::int64_t>(marke) * Abstand;
            FLetzterWert = FMarken[marke];
        }
        for (; FLetzter < j; ++FLetzter)
            FLetzterWert = FLetzterWert + 0.005;
        return FLetzterWert;
    }

private:
    static constexpr int Abstand = 256;
    std::vector<double> FMarken{0.0};
    std::int64_t FLetzter = 0; // the last value asked for, to go on from
    double FLetzterWert = 0;
};

class TRenditeScan {
public:
    TRenditeScan(std::int32_t N, double RK, double MR)
        : FJahre(N == AuszDauerOhneKapitalverzehr ? 1 : N),
          FZiel(N == AuszDauerOhneKapitalverzehr ? RK : 0), FRK(RK), FMR(MR) {
        // The terms of Jahreszins: k * w and 12 * w with the same rounding.
        for (int k = 0; k < 12; ++k)
            FKw[k] = static_cast<double>(k) * MR;
        FW12 = 12 * MR;
    }

    double Laufen() {
        // Blocks of growing length from p = 0, so that a low answer costs
        // few tries and a high one few blocks.
        constexpr std::int64_t Grenze = TSuchwaechter::HoechstzahlRendite;
        std::int64_t a = 0;
        for (std::int64_t laenge = 256; a < Grenze; laenge *= 2) {
            const std::int64_t b = std::min(a + laenge - 1, Grenze - 1);
            const std::int64_t j = erstes(a, b);
            if (j >= 0)
                return ende(j);
            a = b + 1;
        }
        // The last try: the scan gives up when it would go on.
        ClearFpFlags();
        const double E = Endkapital(FJahre, FRK, FFolge[Grenze] / 100, FMR);
        FpFence(E);
        if (E < FZiel) {
            ClearFpFlags();
            throw EKonvergenzError(KonvergenzText(TEntnahmeSuche::Wertentwicklung, 0));
        }
        return ende(Grenze);
    }

private:
    static constexpr std::int64_t Blatt = 8; // tries run one by one

    // The first try in a..b that stops the scan or raises a flag; -1 when none.
    std::int64_t erstes(std::int64_t a, std::int64_t b) {
        if (b - a < Blatt) {
            for (std::int64_t j = a; j <= b; ++j)
                if (stoppt(j))
                    return j;
            return -1;
        }
        if (gehtWeiter(a, b))
            return -1;
        const std::int64_t m = a + (b - a) / 2;
        const std::int64_t j = erstes(a, m);
        return j >= 0 ? j : erstes(m + 1, b);
    }

    // One try as the scan makes it.
    bool stoppt(std::int64_t j) {
        const double p = FFolge[j];
        ClearFpFlags();
        const double E = Endkapital(FJahre, FRK, p / 100, FMR);
        FpFence(E);
        return FpFlagsRaised() || !(E < FZiel);
    }

    // True when every try from a to b provably goes on without a flag: the
    // years run on intervals [lo, hi] that hold the computed capital of
    // every rate r/12 in [rlo, rhi] (all >= 0, as p >= 0). Each bound is the
    // same rounded operation on the bounds, which encloses the rounded
    // results because rounding is monotonic; a finite enclosure excludes
    // overflow and invalid operations, and there is no division.
    bool gehtWeiter(std::int64_t a, std::int64_t b) {
        const TFlagSicherung flags; // the bounds may overflow; that only means "not proved"
        const double rlo = FFolge[a] / 100 / 12;
        const double rhi = FFolge[b] / 100 / 12;
        double lo = FRK, hi = FRK;
        for (std::int32_t jahr = 0; jahr < FJahre; ++jahr) {
            double slo = 0, shi = 0;
            for (int k = 0; k < 12; ++k) {
                const double alo = lo - FKw[k];
                const double ahi = hi - FKw[k];
                double tlo, thi;
                if (alo >= 0) {
                    tlo = rlo * alo;
                    thi = rhi * ahi;
                } else if (ahi <= 0) {
                    tlo = rhi * alo;
                    thi = rlo * ahi;
                } else {
                    tlo = rhi * alo;
                    thi = rhi * ahi;
                }
                slo = slo + tlo;
                shi = shi + thi;
            }
            lo = (slo + lo) - FW12;
            hi = (shi + hi) - FW12;
            if (!(std::isfinite(lo) && std::isfinite(hi)))
                return false;
        }
        return hi < FZiel;
    }

    // The scan stops at try j: its p, or the error its flags mean.
    double ende(std::int64_t j) {
        const double p = FFolge[j];
        ClearFpFlags();
        const double E = Endkapital(FJahre, FRK, p / 100, FMR);
        CheckFpFlagsAfter(E);
        return p;
    }

    std::int32_t FJahre;
    double FZiel, FRK, FMR;
    double FKw[12] = {}, FW12 = 0;
    TRenditeFolge FFolge;
};

} // namespace

double ErforderlicheWertentwicklungSchnell(std::int32_t N, double RK, double MR) {
    return TRenditeScan(N, RK, MR).Laufen();
}

} // namespace orvanta
