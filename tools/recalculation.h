#pragma once
// The recalculation the main window runs, for the tool's calc and report.

#include "core/performcalc.h"
#include "core/sterbetafel.h"

#include <string>

namespace orvanta::tool {

// Withdrawal duration from the mortality table in sterbetafelDir, then the
// accumulation and withdrawal phases with the capital taken over from the
// accumulation where the plan asks for it. Errors of the calculation throw.
void Recalculate(TPerformCalc& calc, const std::string& sterbetafelDir);
// The same with a mortality table already loaded.
void Recalculate(TPerformCalc& calc, const TSterbetafel& tafel);

// Recalculate with the mortality table beside the plan file when it lies
// there, else the one in the data folder, else the delivered one (the same
// table the program would use for this plan).
void RecalculateForPlan(TPerformCalc& calc, const std::string& planFile);

} // namespace orvanta::tool
