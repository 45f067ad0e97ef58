#include "tools/recalculation.h"

#include "core/sterbetafel.h"
#include "platform/datalocation.h"

#include <QFileInfo>

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

void RecalculateForPlan(TPerformCalc& calc, const std::string& planFile) {
    const DataLocation ort = findDataLocation();
    const QString planDir = QFileInfo(QString::fromLocal8Bit(planFile.c_str())).absolutePath();
    const QString dir = firstFolderHolding({planDir, ort.dataDir, ort.deliveredDir},
                                           QString::fromLatin1(TSterbetafel::Dateiname));
    Recalculate(calc, dir.toLocal8Bit().toStdString());
}

} // namespace orvanta::tool
