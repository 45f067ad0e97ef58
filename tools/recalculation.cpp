#include "tools/recalculation.h"

#include "core/sterbetafel.h"
#include "platform/datalocation.h"

#include <QFileInfo>

namespace orvanta::tool {

void Recalculate(TPerformCalc& calc, const std::string& sterbetafelDir) {
    Neuberechnen(calc, TSterbetafel(sterbetafelDir));
}

void RecalculateForPlan(TPerformCalc& calc, const std::string& planFile) {
    const DataLocation ort = findDataLocation();
    const QString planDir = QFileInfo(QString::fromLocal8Bit(planFile.c_str())).absolutePath();
    const QString dir = firstFolderHolding({planDir, ort.dataDir, ort.deliveredDir},
                                           QString::fromLatin1(TSterbetafel::Dateiname));
    Recalculate(calc, dir.toLocal8Bit().toStdString());
}

} // namespace orvanta::tool
