#include "core/wertentwicklung.h"

namespace orvanta {

bool WertentwicklungErreichbar(const TPlanRecord& r) {
    // The same comparison as the withdrawal calculation's, so that both
    // always agree.
    return !(12 * r.Monatsrente > r.Rentenkapital);
}

} // namespace orvanta
