#include "core/performcalc.h"

#include <cstring>

namespace orvanta {

TPerformCalc::TPerformCalc() { std::memset(&Rec, 0, sizeof Rec); }

} // namespace orvanta
