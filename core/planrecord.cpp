#include "core/planrecord.h"

namespace orvanta {

double BPProvisionssatz(std::int32_t bpSatz) {
    switch (bpSatz) {
    case 1:
        return 0.1;
    case 2:
        return 0.2;
    case 3:
        return 0.25;
    default:
        return 0;
    }
}

} // namespace orvanta
