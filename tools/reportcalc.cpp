#include "tools/reportcalc.h"

#include "core/sterbetafel.h"

namespace orvanta::tool {

void RecalculateForReport(TPerformCalc& calc, const std::string& programDir) {
    const TSterbetafel tafel(programDir);
    calc.Rec.AuszDauer = Entnahmedauer(calc.Rec, tafel).Jahre;
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneAufbauphase();
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneEntnahmephase();
}

} // namespace orvanta::tool
