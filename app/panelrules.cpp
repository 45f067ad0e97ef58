#include "app/panelrules.h"

#include "core/errors.h"
#include "reports/reporttexts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvanta {

std::int32_t Trunc(double value) {
    const double whole = std::trunc(value);
    // NaN fails both comparisons and is refused as well.
    if (!(whole >= static_cast<double>(std::numeric_limits<std::int32_t>::min()) &&
          whole <= static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        throw ERangeError();
    return static_cast<std::int32_t>(whole);
}

std::int32_t AddChecked(std::int32_t a, std::int32_t b) {
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    if (sum < std::numeric_limits<std::int32_t>::min() ||
        sum > std::numeric_limits<std::int32_t>::max())
        throw ERangeError();
    return static_cast<std::int32_t>(sum);
}

int LaufzeitMinimum(int kind) {
    return kind == KindEinmalanlage ? 0 : 1;
}

bool RaiseAuszBeginn(TPlanRecord& rec) {
    const std::int32_t ende = AddChecked(rec.Eintrittsalter, rec.Laufzeit);
    if (rec.AuszBeginn >= ende)
        return false;
    rec.AuszBeginn = ende;
    return true;
}

std::int32_t LaufzeitHoechstwert(std::int32_t eintrittsalter) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{LetzterEntnahmebeginn} - eintrittsalter, 0, HoechsteLaufzeit));
}

std::int32_t EintrittsalterHoechstwert(std::int32_t laufzeit) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{LetzterEntnahmebeginn} - laufzeit, 0, HoechstesEintrittsalter));
}

bool EntnahmeAlterBereinigen(TPlanRecord& rec) {
    const std::int64_t ende = std::int64_t{rec.Eintrittsalter} + rec.Laufzeit;
    if (ende < 0 || ende > LetzterEntnahmebeginn)
        return false; // Alter or Anlagedauer have to come down first
    bool geaendert = false;
    if (rec.AuszBeginn > LetzterEntnahmebeginn) {
        rec.AuszBeginn = static_cast<std::int32_t>(ende);
        geaendert = true;
    }
    if (rec.AuszEnde > HoechstesAlter) {
        rec.AuszEnde = rec.AuszBeginn + 1;
        geaendert = true;
    }
    return geaendert;
}

std::string EntnahmeAlterFehler(const TPlanRecord& rec) {
    const std::int64_t ende = std::int64_t{rec.Eintrittsalter} + rec.Laufzeit;
    const std::string hoechst = std::to_string(LetzterEntnahmebeginn);
    if (ende > LetzterEntnahmebeginn)
        return "Alter " + std::to_string(rec.Eintrittsalter) + " und Anlagedauer " +
               std::to_string(rec.Laufzeit) + " ergeben einen Entnahmebeginn mit " +
               std::to_string(ende) + " Jahren; die Entnahme beginnt spätestens mit " + hoechst +
               " Jahren.\nBitte Alter oder Anlagedauer verringern.";
    if (rec.AuszBeginn > LetzterEntnahmebeginn)
        return "Entnahme ab Alter " + std::to_string(rec.AuszBeginn) +
               " Jahre: die Entnahme beginnt spätestens mit " + hoechst + " Jahren.";
    return {};
}

std::optional<std::int32_t> IndividuellEndAge(std::int32_t auszBeginn, std::int32_t auszEnde) {
    if (auszBeginn < auszEnde)
        return std::nullopt;
    return AddChecked(auszBeginn, 1);
}

std::int32_t ClampEinzahlungsdauer(std::int32_t einzahlungsdauer, std::int32_t laufzeit) {
    return einzahlungsdauer > laufzeit ? laufzeit : einzahlungsdauer;
}

TAmountField ParkAmount(TPlanRecord& rec, int oldKind, int newKind, TAmountField field) {
    switch (oldKind) {
    case KindAufbauplan:
        rec.Sparbetrag = field.Shown;
        // Staying an Aufbauplan (a click that re-runs the rule without a
        // change of kind) must not put the lump sum into the monthly amount.
        if (newKind != KindAufbauplan)
            field.Shown = rec.Anlagebetrag;
        field.ValueMin = 1;
        break;
    case KindEinmalanlage:
        rec.Anlagebetrag = field.Shown;
        if (newKind == KindAufbauplan) {
            field.Shown = rec.Sparbetrag;
            field.ValueMin = 1;
        }
        break;
    case KindSystemEinmalanlage:
        rec.Anlagebetrag = field.Shown;
        field.ValueMin = 1;
        if (newKind == KindAufbauplan)
            field.Shown = rec.Sparbetrag;
        break;
    default:
        break;
    }
    if (newKind == KindSystemEinmalanlage) {
        field.ValueMin = 2500;
        if (field.Shown < 2500)
            field.Shown = 2500;
    }
    return field;
}

TZahlungsartState ZahlungsartRegeln(TPlanRecord& rec, int kind) {
    const bool mitAgio = rec.MitEinrichtungsgebuehr != 0;
    if (kind == KindEinmalanlage || kind == KindSystemEinmalanlage)
        rec.AgioZahlungsart = AgioSofort;
    TZahlungsartState s;
    s.VerteiltEnabled = mitAgio && kind == KindAufbauplan;
    s.ZahlungVisible = mitAgio && kind != KindSystemEinmalanlage;
    s.UebertragungVisible = kind == KindSystemEinmalanlage;
    s.EinmaligChecked = rec.AgioZahlungsart == AgioSofort;
    s.VerteiltChecked = rec.AgioZahlungsart == AgioRatierlich;
    return s;
}

TAnlageartState AnlageartRegeln(int kind) {
    TAnlageartState s;
    s.BetragCaption = kind == KindAufbauplan ? "Monats&betrag Aufbauplan" : "&Betrag Einmalanlage";
    s.UebertragungEnabled = kind == KindSystemEinmalanlage;
    s.EinzahlungsdauerEnabled = kind == KindAufbauplan;
    return s;
}

int GroupValueOrDefault(std::optional<int> checked, int whenNone) {
    return checked ? *checked : whenNone;
}

double DynamikFromCheck(bool checked) {
    return checked ? 5.0 : 0.0;
}
bool DynamikChecked(double dynamik) {
    return dynamik == 5.0;
}
bool DynamikWaehlbar(int kind, double laufzeit) {
    return kind == KindAufbauplan && laufzeit != 0;
}

std::string BerichtstitelCp1252(std::int32_t strategie) {
    // "\x96" is the en dash in Windows-1252; the names are plain ASCII.
    std::string title =
        "Modellrechnung \x96 " + reports::StrategieName(strategie).toLatin1().toStdString();
    if (title.size() > 255)
        title.resize(255);
    return title;
}

} // namespace orvanta
