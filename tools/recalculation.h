#pragma once
// The recalculation the main window runs, for the tool's calc and report.

#include "core/performcalc.h"
#include "core/sterbetafel.h"

#include <string>

namespace orvanta::tool {

// Neuberechnen with the mortality table in sterbetafelDir.
void Recalculate(TPerformCalc& calc, const std::string& sterbetafelDir);

// Recalculate with the mortality table beside the plan file when it lies
// there, else the one in the data folder, else the delivered one (the same
// table the program would use for this plan).
void RecalculateForPlan(TPerformCalc& calc, const std::string& planFile);

} // namespace orvanta::tool
