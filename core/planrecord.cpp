#include "core/planrecord.h"

#include "core/errors.h"

namespace orvanta {

double BPProvisionssatz(std::int32_t bpSatz) {
    switch (bpSatz) {
    case 1:
        return 0.1;
    case 2:
        return 0.2;
    case 3:
        return 0.25;
    default:
        return 0;
    }
}

double AngewandteDynamik(const TPlanRecord& rec) {
    return rec.Anlageart == KindAufbauplan ? rec.Dynamik : 0.0;
}

bool AuszDauerImBereich(std::int64_t jahre) {
    return (jahre >= 0 && jahre <= HoechstesAlter) || jahre == AuszDauerOhneKapitalverzehr;
}

TGrenzfehler PruefeGrenzen(const TPlanRecord& rec) {
    struct TFeld {
        const char* name;
        std::int32_t wert, max;
        bool ohneVerzehrErlaubt = false; // AuszDauer may also be 999
    };
    const TFeld felder[] = {
        {"Laufzeit", rec.Laufzeit, HoechsteLaufzeit},
        {"Einzahlungsdauer", rec.Einzahlungsdauer, HoechsteLaufzeit},
        {"Eintrittsalter", rec.Eintrittsalter, HoechstesAlter},
        {"AuszBeginn", rec.AuszBeginn, HoechstesAlter},
        {"AuszEnde", rec.AuszEnde, HoechstesAlter},
        {"AuszDauer", rec.AuszDauer, HoechstesAlter, true},
    };
    for (const TFeld& f : felder) {
        const bool ohneVerzehr = f.ohneVerzehrErlaubt && f.wert == AuszDauerOhneKapitalverzehr;
        if ((f.wert < 0 || f.wert > f.max) && !ohneVerzehr)
            return TGrenzfehler{f.name, f.wert, 0, f.max, f.ohneVerzehrErlaubt};
    }
    return {};
}

void PruefeBereich(const TPlanRecord& rec) {
    if (PruefeGrenzen(rec).Feld != nullptr)
        throw ERangeError();
}

} // namespace orvanta
