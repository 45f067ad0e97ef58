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
        while (marken_.size() <= marke) {
            double p = marken_.back();
            for (int i = 0; i < Abstand; ++i)
                p = p + 0.005;
            marken_.push_back(p);
        }
        if (!(letzter_ <= j && letzter_ / Abstand == j / Abstand)) {
            letzter_ = static_cast<std::int64_t>(marke) * Abstand;
            letzterWert_ = marken_[marke];
        }
        for (; letzter_ < j; ++letzter_)
            letzterWert_ = letzterWert_ + 0.005;
        return letzterWert_;
    }

private:
    static constexpr int Abstand = 256;
    std::vector<double> marken_{0.0};
    std::int64_t letzter_ = 0; // the last value asked for, to go on from
    double letzterWert_ = 0;
};

class TRenditeScan {
public:
    TRenditeScan(std::int32_t N, double RK, double MR)
        : jahre_(N == AuszDauerOhneKapitalverzehr ? 1 : N),
          ziel_(N == AuszDauerOhneKapitalverzehr ? RK : 0), RK_(RK), MR_(MR) {
        // The terms of Jahreszins: k * w and 12 * w with the same rounding.
        for (int k = 0; k < 12; ++k)
            kw_[k] = static_cast<double>(k) * MR;
        w12_ = 12 * MR;
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
        const double E = Endkapital(jahre_, RK_, folge_[Grenze] / 100, MR_);
        FpFence(E);
        if (E < ziel_) {
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
        const double p = folge_[j];
        ClearFpFlags();
        const double E = Endkapital(jahre_, RK_, p / 100, MR_);
        FpFence(E);
        return FpFlagsRaised() || !(E < ziel_);
    }

    // True when every try from a to b provably goes on without a flag: the
    // years run on intervals [lo, hi] that hold the computed capital of
    // every rate r/12 in [rlo, rhi] (all >= 0, as p >= 0). Each bound is the
    // same rounded operation on the bounds, which encloses the rounded
    // results because rounding is monotonic; a finite enclosure excludes
    // overflow and invalid operations, and there is no division.
    bool gehtWeiter(std::int64_t a, std::int64_t b) {
        const TFlagSicherung flags; // the bounds may overflow; that only means "not proved"
        const double rlo = folge_[a] / 100 / 12;
        const double rhi = folge_[b] / 100 / 12;
        double lo = RK_, hi = RK_;
        for (std::int32_t jahr = 0; jahr < jahre_; ++jahr) {
            double slo = 0, shi = 0;
            for (int k = 0; k < 12; ++k) {
                const double alo = lo - kw_[k];
                const double ahi = hi - kw_[k];
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
            lo = (slo + lo) - w12_;
            hi = (shi + hi) - w12_;
            if (!(std::isfinite(lo) && std::isfinite(hi)))
                return false;
        }
        return hi < ziel_;
    }

    // The scan stops at try j: its p, or the error its flags mean.
    double ende(std::int64_t j) {
        const double p = folge_[j];
        ClearFpFlags();
        const double E = Endkapital(jahre_, RK_, p / 100, MR_);
        CheckFpFlagsAfter(E);
        return p;
    }

    std::int32_t jahre_;
    double ziel_, RK_, MR_;
    double kw_[12] = {}, w12_ = 0;
    TRenditeFolge folge_;
};

} // namespace

double ErforderlicheWertentwicklungSchnell(std::int32_t N, double RK, double MR) {
    return TRenditeScan(N, RK, MR).Laufen();
}

} // namespace orvanta
