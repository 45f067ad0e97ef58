#pragma once
// The searches of the withdrawal phase that solve Endkapital (the possible
// withdrawals and the required capital of every scenario), run side by side
// with the bits of their documented loops. Each documented step needs the
// capital after N years at the current value: up to 2 000 000 / N steps of
// N years each before the safeguarded search takes over (sichersuche.h).
//
// Most steps are settled without running the years. Without rounding the
// capital after N years is affine in the searched value, so a model in wider
// precision gives it up to the rounding of the calculation, and a bound of
// that rounding (from the sizes of the values it rounds) turns the model
// into an interval that holds the computed capital. Where every capital in
// the interval leads to the same next value, the same decisions of the
// loop and of its watcher, that is the step. The other steps run the years
// in vector lanes; spare lanes run the steps the model foretells after
// them, and a step takes such a lane only when it started from the value the
// step before gave.

#include "core/sichersuche.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvanta {

class TSuchlauf {
public:
    // jahre is AuszDauer; ohne Kapitalverzehr the searches are of one year.
    TSuchlauf(std::int32_t jahre, bool ewig);
    ~TSuchlauf();
    TSuchlauf(const TSuchlauf&) = delete;
    TSuchlauf& operator=(const TSuchlauf&) = delete;

    // Queues a search of kind art at rate r: fest is the fixed capital
    // (Entnahme) or the fixed monthly withdrawal (Kapital, KapitalEwig),
    // start the value the documented loop starts from. The result goes to
    // *ziel. A search with the same inputs as an earlier one is run once.
    void Kette(TSicherArt art, double r, double fest, double start, double* ziel);

    // Runs every queued search to its end. Their floating-point flags do not
    // count (an overflowing search is finished by the safeguarded method),
    // as in the plain transcription; the flags are left as they were.
    void Laufen();

private:
    struct TKette;
    struct TBahn {
        double K0, R12, W, E;
    };

    bool beweisen(TKette& k) const;
    void weiter(TKette& k, double E) const;
    double schritt(TSicherArt art, double x, double E) const;
    void raten(TKette& k);
    void uebernehmen(TKette& k);
    void rechnen(std::int32_t N);

    std::int32_t FJahre;
    bool FEwig;
    double FD12N = 0, FDN = 0;
    std::vector<TKette> FKetten;
    std::vector<TBahn> FBahnen;
    std::vector<std::size_t> FAllgemein, FNull;
};

} // namespace orvanta
