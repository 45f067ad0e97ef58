#include "core/performcalc.h"

#include "core/formatsettings.h"
#include "core/fpcheck.h"
#include "core/numbertext.h"
#include "core/sterbetafel.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace orvanta {

TPerformCalc::TPerformCalc() {
    std::memset(&Rec, 0, sizeof Rec);
}

double Jahreszins(double K, double r, double w) {
    double summe = 0;
    for (int k = 0; k <= 11; ++k)
        summe += r / 12 * (K - k * w);
    return summe;
}

double Endkapital(std::int32_t N, double K, double r, double w) {
    for (std::int32_t jahr = 0; jahr < N; ++jahr)
        K = Jahreszins(K, r, w) + K - 12 * w;
    return K;
}

bool UebernehmeRentenkapital(TPlanRecord& rec) {
    if (!rec.Kapital_aus_Einzahlung || rec.Kapital_Szenario <= 1)
        return false;
    if (rec.Kapital_Szenario >= AnzahlSzenarien)
        throw ERangeError();
    rec.Rentenkapital = rec.Kapital[rec.Kapital_Szenario];
    return true;
}

namespace {

// Round half to even, as the runtime rounds; the sum must fit a whole number.
std::int64_t runde(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18)
        throw EMathError(TextUngueltigeGleitkommaoperation);
    return static_cast<std::int64_t>(std::nearbyint(v));
}

std::int32_t alsJahre(std::int64_t v) {
    if (v < std::numeric_limits<std::int32_t>::min() ||
        v > std::numeric_limits<std::int32_t>::max())
        throw ERangeError();
    return static_cast<std::int32_t>(v);
}

} // namespace

TEntnahmedauer Entnahmedauer(TPlanRecord& rec, const TSterbetafel& tafel) {
    std::int64_t jahre = 0;
    switch (rec.AuszEndeArt) {
    case EndeIndividuell:
        jahre = std::int64_t{rec.AuszEnde} - rec.AuszBeginn;
        break;
    case EndeLebenserwartung:
        jahre = runde(tafel.Lebenserwartung(rec.Eintrittsalter, rec.Geschlecht)) +
                rec.Eintrittsalter - rec.AuszBeginn;
        break;
    case EndeLebenserwartungGeburt:
        jahre = runde(tafel.Lebenserwartung(0, rec.Geschlecht)) - rec.AuszBeginn;
        break;
    case Ende95:
        jahre = EntnahmeEndalter - std::int64_t{rec.AuszBeginn};
        break;
    case EndeOhneKapitalverzehr:
        jahre = AuszDauerOhneKapitalverzehr;
        break;
    default:
        jahre = 0;
        break;
    }
    TEntnahmedauer ergebnis;
    if (jahre <= 0) {
        rec.AuszEndeArt = EndeIndividuell;
        rec.AuszEnde = alsJahre(std::int64_t{rec.AuszBeginn} + 1);
        ergebnis.Jahre = 1;
        ergebnis.AufIndividuellGesetzt = true;
        return ergebnis;
    }
    // A mortality table row or an end age from a damaged file must not
    // produce a withdrawal phase the window could never show.
    if (!AuszDauerImBereich(jahre))
        throw ERangeError();
    ergebnis.Jahre = static_cast<std::int32_t>(jahre);
    return ergebnis;
}

void Neuberechnen(TPerformCalc& calc, const TSterbetafel& tafel) {
    calc.Rec.AuszDauer = Entnahmedauer(calc.Rec, tafel).Jahre;
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneAufbauphase();
    UebernehmeRentenkapital(calc.Rec);
    calc.BerechneEntnahmephase();
}

std::string KonvergenzText(TEntnahmeSuche suche, double performance) {
    const char* was = "";
    switch (suche) {
    case TEntnahmeSuche::EntnahmeEwig:
        was = "der Entnahme ohne Kapitalverzehr";
        break;
    case TEntnahmeSuche::EntnahmeAusEinzahlung:
        was = "der möglichen Entnahme aus der Einzahlungsphase";
        break;
    case TEntnahmeSuche::Wertentwicklung:
        return "Die Suche nach der erforderlichen Wertentwicklung kommt zu keinem Ergebnis.";
    }
    return std::string("Die Suche nach ") + was + " kommt bei einer Wertentwicklung von " +
           FloatToShortest(performance, FormatSettings().DecimalSeparator) +
           " % zu keinem Ergebnis.";
}

} // namespace orvanta
