#pragma once
// The recalculation the main window runs before a print, for the tool.

#include "core/performcalc.h"

#include <string>

namespace orvanta::tool {

// The steps of the calc command: withdrawal duration from the mortality
// table, then the accumulation and withdrawal phases with the capital taken
// over from the accumulation where the plan asks for it. The table is read
// from dataDir (beside the data file, as calc does) when it lies there, else
// from programDir. Errors of the calculation throw.
void RecalculateForReport(TPerformCalc& calc, const std::string& dataDir,
                          const std::string& programDir);

} // namespace orvanta::tool
