#pragma once
// The required return of the withdrawal phase as the window and the coverage
// page show it. When the first year's withdrawals alone exceed the capital
// (12 x Monatsrente > Rentenkapital), no return reaches them: the calculation
// leaves Erforderliche_Wertentwicklung at 0 and stored files keep that, but
// shown as "0,00 %" a customer would read "no return needed".

#include "core/planrecord.h"

namespace orvanta {

// The text shown in place of the percentage when it cannot be reached.
inline constexpr const char* WertentwicklungNichtErreichbar = "nicht erreichbar";

// False exactly when the calculation gave up the search for a return.
bool WertentwicklungErreichbar(const TPlanRecord& r);

} // namespace orvanta
