#include "tools/reportcalc.h"

#include "core/sterbetafel.h"

#include <filesystem>

namespace orvanta::tool {

void RecalculateForReport(TPerformCalc& calc, const std::string& dataDir,
                          const std::string& programDir) {
    const bool besideData =
        std::filesystem::exists(std::filesystem::path(dataDir) / TSterbetafel::Dateiname);
    const TSterbetafel tafel(besideData ? dataDir : programDir);
    calc.Rec.AuszDauer = Entnahmedauer(calc.Rec, tafel).Jahre;
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneAufbauphase();
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneEntnahmephase();
}

} // namespace orvanta::tool
