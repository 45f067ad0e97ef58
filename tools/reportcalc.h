#pragma once
// The recalculation the main window runs before a print, for the tool.

#include "core/performcalc.h"

#include <string>

namespace orvanta::tool {

// Withdrawal duration from the mortality table in programDir, then the
// accumulation and withdrawal phases with the capital taken over from the
// accumulation where the plan asks for it. Errors of the calculation throw.
void RecalculateForReport(TPerformCalc& calc, const std::string& programDir);

} // namespace orvanta::tool
