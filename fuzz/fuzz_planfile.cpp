// The data file as the program meets it at start: loaded, then the whole
// recalculation (withdrawal duration from the delivered mortality table,
// accumulation, withdrawal, FRV lookup). Errors with a German text are the
// expected outcome of a damaged file; anything else is a finding.

#include "fuzzinput.h"

#include "core/errors.h"
#include "core/frvdata.h"
#include "core/performcalc.h"
#include "core/planfile.h"
#include "core/sterbetafel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvanta;
    static fuzz::TEingabeDatei datei;
    static const TSterbetafel tafel(fuzz::DatenVerzeichnis());
    TPerformCalc calc;
    try {
        LoadPlanRecord(calc.Rec, datei.Setzen(data, size));
        calc.Rec.Zugriffsstufe = 3; // the comparison too
        Neuberechnen(calc, tafel);
        if (FRVLookupApplies(calc.Rec))
            LadeFRVFuerPlan(calc.Rec, calc.Aufbautabelle, fuzz::DatenVerzeichnis());
    } catch (const EOrvantaError&) {
    }
    return 0;
}
