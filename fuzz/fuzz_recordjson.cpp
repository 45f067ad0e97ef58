// make's reader: a JSON source turned into a plan record, which is then
// recalculated as the program would after loading the file make writes.

#include "fuzzinput.h"

#include "core/errors.h"
#include "core/performcalc.h"
#include "core/sterbetafel.h"
#include "tools/recordjson.h"

#include <QByteArray>
#include <QJsonDocument>

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvanta;
    static const TSterbetafel tafel(fuzz::DatenVerzeichnis());
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!doc.isObject())
        return 0;
    TPerformCalc calc;
    std::memset(&calc.Rec, 0, sizeof calc.Rec);
    try {
        tool::PlanRecordFromJson(calc.Rec, doc.object());
        (void)tool::PlanRecordJsonText(calc.Rec);
        Neuberechnen(calc, tafel);
    } catch (const EOrvantaError&) {
    }
    return 0;
}
