#include "tools/recalculation.h"

#include "core/sterbetafel.h"
#include "platform/datalocation.h"

#include <QFile>

namespace orvanta::tool {

void Recalculate(TPerformCalc& calc, const std::string& sterbetafelDir) {
    Neuberechnen(calc, TSterbetafel(sterbetafelDir));
}

void RecalculateAsProgram(TPerformCalc& calc) {
    Recalculate(calc, QFile::encodeName(findDataLocation().deliveredDir).toStdString());
}

std::string FrvFolder() {
    return QFile::encodeName(findDataLocation().documentsDir).toStdString();
}

} // namespace orvanta::tool
