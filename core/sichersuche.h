#pragma once
// The searches of the withdrawal phase that solve Endkapital = 0 (or, without
// consumption of the capital, Endkapital after one year = the capital) with a
// fixed step. The step converges only while it shrinks the distance; over
// long periods it overshoots and diverges, at negative rates it creeps. The
// documented step runs while it is quick and keeps making progress; past
// that, the same equation is solved by bracketing and bisection to the same
// stopping rule. The fast calculation and the plain transcription share this,
// so both stop and finish alike.

#include <cstdint>

namespace orvanta {

enum class TSicherArt {
    Entnahme,    // monthly withdrawal w from a fixed capital: |Endkapital(N, K, r, w)| <= 1
    Kapital,     // capital K for a fixed withdrawal: |Endkapital(N, K, r, w)| <= 1
    KapitalEwig, // capital K that one year keeps: Endkapital(1, K, r, w) =: E >= 0, |K - E| <= 1
};

// Repetitions the documented step may take before the safeguarded method
// finishes: about two million years of Endkapital, at most 100 000 steps.
constexpr std::int64_t SchnelleSchritte(std::int32_t jahre) {
    constexpr std::int64_t Budget = 2000000, Hoechstens = 100000, Mindestens = 1000;
    const std::int64_t n = jahre > 1 ? jahre : 1;
    const std::int64_t s = Budget / n;
    return s > Hoechstens ? Hoechstens : s < Mindestens ? Mindestens : s;
}

// Watches one documented search: false once it has to be finished by
// SicherSuchen (too many steps, no new smallest distance for a while, or a
// distance that is no longer finite).
class TSchrittWaechter {
public:
    // A converging step shrinks the distance every time.
    static constexpr std::int64_t OhneFortschritt = 100;

    explicit TSchrittWaechter(std::int32_t jahre) : FGrenze(SchnelleSchritte(jahre)) {}

    // Called before every step with the distance that made the search go
    // on and the value the step starts from.
    bool Weiter(double abstand, double wert) {
        const double a = abstand < 0 ? -abstand : abstand;
        if (!(a <= 1.7976931348623157e308))
            return false;
        if (FSchritte == 0 || a < FBester) {
            FBester = a;
            FBesterSchritt = FSchritte;
            FBesterWert = wert;
        }
        ++FSchritte;
        return FSchritte - FBesterSchritt <= OhneFortschritt && FSchritte <= FGrenze;
    }

    // The value of the smallest distance seen: where the safeguarded method starts.
    double BesterWert() const { return FBesterWert; }
    std::int64_t Schritte() const { return FSchritte; }

private:
    std::int64_t FGrenze;
    std::int64_t FSchritte = 0;
    std::int64_t FBesterSchritt = 0;
    double FBester = 0;
    double FBesterWert = 0;
};

// Solves the search's equation from start by bracketing and bisection with
// secant steps. fest is the fixed capital (Entnahme) or the fixed monthly
// withdrawal (Kapital, KapitalEwig). Returns the first value found that
// meets the stopping rule; where rounding leaves none (capitals far beyond
// money), the value with the smallest distance. The floating-point flags are
// left as they were.
double SicherSuchen(TSicherArt art, std::int32_t jahre, double fest, double r, double start);

} // namespace orvanta
