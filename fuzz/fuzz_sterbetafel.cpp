// The mortality table reader and the withdrawal duration it gives for the
// demo plan set to "Lebenserwartung".

#include "fuzzinput.h"

#include "core/errors.h"
#include "core/performcalc.h"
#include "core/planrecord.h"
#include "core/sterbetafel.h"
#include "core/textfile.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvanta;
    static fuzz::TEingabeDatei datei;
    TTextFile text(TTextFile::LineEnds::Any);
    if (!text.Open(datei.Setzen(data, size)))
        return 0;
    TSterbetafel tafel;
    tafel.Laden(text);
    for (std::int32_t alter : {0, 35, 67, 120, -1})
        for (std::int32_t geschlecht : {GeschlechtMaennlich, GeschlechtWeiblich})
            (void)tafel.Lebenserwartung(alter, geschlecht);

    TPlanRecord rec;
    std::memset(&rec, 0, sizeof rec);
    rec.Eintrittsalter = 35;
    rec.Geschlecht = GeschlechtMaennlich;
    rec.Laufzeit = 30;
    rec.AuszBeginn = 65;
    rec.AuszEndeArt = EndeLebenserwartung;
    try {
        (void)Entnahmedauer(rec, tafel);
    } catch (const EOrvantaError&) {
    }
    return 0;
}
