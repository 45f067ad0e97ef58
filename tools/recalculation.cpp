#include "tools/recalculation.h"

#include "core/sterbetafel.h"

#include <filesystem>

namespace orvanta::tool {

void Recalculate(TPerformCalc& calc, const std::string& sterbetafelDir) {
    Recalculate(calc, TSterbetafel(sterbetafelDir));
}

void Recalculate(TPerformCalc& calc, const TSterbetafel& tafel) {
    calc.Rec.AuszDauer = Entnahmedauer(calc.Rec, tafel).Jahre;
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneAufbauphase();
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneEntnahmephase();
}

void RecalculateForReport(TPerformCalc& calc, const std::string& dataDir,
                          const std::string& programDir) {
    const bool besideData =
        std::filesystem::exists(std::filesystem::path(dataDir) / TSterbetafel::Dateiname);
    Recalculate(calc, besideData ? dataDir : programDir);
}

} // namespace orvanta::tool
