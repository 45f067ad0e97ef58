#include "core/sichersuche.h"

#include "core/fpcheck.h"
#include "core/performcalc.h"

#include <cfenv>
#include <cmath>

namespace orvanta {

namespace {

struct TPunkt {
    double x = 0;
    double f = 0; // signed distance; its sign tells the side of the solution
};

class TGleichung {
public:
    TGleichung(TSicherArt art, std::int32_t jahre, double fest, double r)
        : FArt(art), FJahre(jahre), FFest(fest), FR(r) {}

    // Distance at x; sets FFertig when x meets the search's stopping rule.
    TPunkt bei(double x) {
        TPunkt p{x, 0};
        switch (FArt) {
        case TSicherArt::Entnahme:
            p.f = Endkapital(FJahre, FFest, FR, x);
            FFertig = std::fabs(p.f) <= 1;
            break;
        case TSicherArt::Kapital:
            p.f = Endkapital(FJahre, x, FR, FFest);
            FFertig = std::fabs(p.f) <= 1;
            break;
        case TSicherArt::KapitalEwig: {
            const double E = Endkapital(1, x, FR, FFest);
            p.f = x - E;
            FFertig = !(E < 0 || std::fabs(x - E) > 1);
            break;
        }
        }
        if (std::isfinite(p.f) &&
            (!std::isfinite(FBeste.f) || std::fabs(p.f) < std::fabs(FBeste.f)))
            FBeste = p;
        return p;
    }

    bool FFertig = false;
    TPunkt FBeste{0, NAN};

private:
    TSicherArt FArt;
    std::int32_t FJahre;
    double FFest, FR;
};

bool entgegengesetzt(const TPunkt& a, const TPunkt& b) {
    return (a.f < 0 && b.f > 0) || (a.f > 0 && b.f < 0);
}

double mitte(double a, double b) {
    return a / 2 + b / 2; // no overflow for values of opposite sign near the limit
}

// Secant root of the line through a and b, or NaN.
double sekante(const TPunkt& a, const TPunkt& b) {
    const double d = b.f - a.f;
    if (d == 0 || !std::isfinite(d))
        return NAN;
    return a.x - a.f * ((b.x - a.x) / d);
}

} // namespace

double SicherSuchen(TSicherArt art, std::int32_t jahre, double fest, double r, double start) {
    const TFlagSicherung flags;
    TGleichung g(art, jahre, fest, r);

    TPunkt a = g.bei(start);
    if (g.FFertig || !std::isfinite(a.f))
        return start;

    // The distance is linear in the sought value up to rounding: a second
    // point and the secant through both usually land on a solution at once.
    const double d = std::fmax(std::fabs(start), 1.0) / 1024;
    TPunkt b = g.bei(start + d);
    if (g.FFertig)
        return b.x;
    TPunkt lo = a, hi = b;
    bool klammer = std::isfinite(b.f) && entgegengesetzt(a, b);
    if (!klammer && std::isfinite(b.f)) {
        const double x = sekante(a, b);
        if (std::isfinite(x)) {
            const TPunkt s = g.bei(x);
            if (g.FFertig)
                return s.x;
            if (std::isfinite(s.f)) {
                klammer = entgegengesetzt(a, s);
                lo = a;
                hi = s;
            }
        }
    }

    // Widen from the closest point towards the other side until the sign
    // changes (or the values leave the range of double).
    if (!klammer) {
        const TPunkt p = g.FBeste;
        const double steigung = std::isfinite(b.f) ? (b.f - a.f) / (b.x - a.x) : 0;
        if (!(steigung != 0) || !std::isfinite(steigung))
            return p.x;
        const double richtung = (p.f > 0) == (steigung > 0) ? -1.0 : 1.0;
        double schritt =
            std::fmax(std::fabs(p.f / steigung), std::fmax(std::fabs(p.x), 1.0) / 1024);
        TPunkt vorher = p;
        for (int k = 0; k < 2200 && !klammer; ++k) {
            const double x = p.x + richtung * schritt;
            if (!std::isfinite(x))
                break;
            const TPunkt q = g.bei(x);
            if (g.FFertig)
                return q.x;
            if (!std::isfinite(q.f))
                break;
            if (entgegengesetzt(vorher, q)) {
                lo = vorher;
                hi = q;
                klammer = true;
            }
            vorher = q;
            schritt *= 2;
        }
        if (!klammer)
            return g.FBeste.x;
    }

    // Secant steps inside the bracket, every other step a bisection, so the
    // bracket at least halves every two steps.
    for (int k = 0; k < 4400; ++k) {
        const double m = mitte(lo.x, hi.x);
        if (m == lo.x || m == hi.x)
            break; // neighbouring doubles: rounding leaves no value that meets the rule
        double x = k % 2 == 0 ? sekante(lo, hi) : m;
        if (!(std::isfinite(x) && (x - lo.x) * (x - hi.x) < 0))
            x = m;
        const TPunkt q = g.bei(x);
        if (g.FFertig)
            return q.x;
        if (!std::isfinite(q.f))
            break;
        if (entgegengesetzt(lo, q))
            hi = q;
        else
            lo = q;
    }
    return g.FBeste.x;
}

} // namespace orvanta
