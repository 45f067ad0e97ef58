#pragma once
// The recalculation the main window runs, for the tool's calc and report.

#include "core/performcalc.h"
#include "core/sterbetafel.h"

#include <string>

namespace orvanta::tool {

// Neuberechnen with the mortality table in sterbetafelDir.
void Recalculate(TPerformCalc& calc, const std::string& sterbetafelDir);

// Recalculate with the mortality table the program reads: the delivered one
// (beside the tool in the build folder, in ../share/orvanta when installed).
void RecalculateAsProgram(TPerformCalc& calc);

// The folder the program looks up the FRV files in: the working directory in
// the build folder, the delivered files' folder when installed.
std::string FrvFolder();

} // namespace orvanta::tool
