#pragma once
// Consistency rules of the main window's input panel, expressed on the plan
// record and small plain values, so that they can be tested without a window.
// The window applies the outcomes to its controls.

#include "core/planrecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvanta {

// The codes of Anlageart, AuszEndeArt and the other enumerated fields are
// named beside the record in core/planrecord.h.

// Cuts a number to its whole part; outside the 32-bit range (or not a number)
// it fails with "Fehler bei Bereichsprüfung".
std::int32_t Trunc(double value);

// Sum of two record integers without silent wrap-around: a file may hold any value.
std::int32_t AddChecked(std::int32_t a, std::int32_t b);

// Lower bound of the Anlagedauer: an Einmalanlage may have no accumulation years.
int LaufzeitMinimum(int kind);

// The withdrawal phase never starts before the accumulation phase ends.
// Returns true when AuszBeginn was raised.
bool RaiseAuszBeginn(TPlanRecord& rec);

// The latest start of withdrawals: one year before the highest age, so that
// an end age after it ("individuell", the fall-back of the end rule) exists.
inline constexpr std::int32_t LetzterEntnahmebeginn = HoechstesAlter - 1;
inline constexpr std::int32_t HoechstesEintrittsalter = 100;

// The largest Anlagedauer for an Alter and the largest Alter for an
// Anlagedauer: their sum is the earliest start of withdrawals, which the
// raise above must never move past LetzterEntnahmebeginn. The fields refuse
// more with their "zu groß" message.
std::int32_t LaufzeitHoechstwert(std::int32_t eintrittsalter);
std::int32_t EintrittsalterHoechstwert(std::int32_t laufzeit);

// A start of withdrawals past LetzterEntnahmebeginn (or an end age past the
// highest age), as a plan file may hold it, goes back to the end of the
// accumulation once Alter and Anlagedauer allow that; the end age then lies
// one year after the start. True when an age changed.
bool EntnahmeAlterBereinigen(TPlanRecord& rec);

// Why the plan's ages cannot be calculated, in German; empty when they can.
std::string EntnahmeAlterFehler(const TPlanRecord& rec);

// "individuell": an end age not after the start age becomes start + 1.
// Returns the new end age, or nothing when the end age may stay.
std::optional<std::int32_t> IndividuellEndAge(std::int32_t auszBeginn, std::int32_t auszEnde);

// The payment period of an Aufbauplan is never longer than the Anlagedauer.
std::int32_t ClampEinzahlungsdauer(std::int32_t einzahlungsdauer, std::int32_t laufzeit);

// The amount field serves Sparbetrag (Aufbauplan) and Anlagebetrag (both
// lump-sum kinds). A change of the kind parks the shown amount in its record
// field and brings the other one back.
struct TAmountField {
    double Shown = 0;    // what the amount field shows
    double ValueMin = 1; // its lower bound
};
// oldKind is the kind in the record before the change, newKind the kind the
// buttons now show. Writes the parked amount into rec.
TAmountField ParkAmount(TPlanRecord& rec, int oldKind, int newKind, TAmountField field);

// Outcome of the payment rule for the Einrichtungsgebühr on both windows.
struct TZahlungsartState {
    bool VerteiltEnabled = false;     // "ratierlich" / "ratierliche Entrichtung"
    bool ZahlungVisible = false;      // "&Zahlung Einrichtungsgebühr" with its buttons
    bool UebertragungVisible = false; // "Übertragungsdauer", "12", "24", "36", "Monate"
    bool EinmaligChecked = false;     // "sofort" / "sofortige Entrichtung"
    bool VerteiltChecked = false;     // "ratierlich" / "ratierliche Entrichtung"
};
// Applies the rule to rec.AgioZahlungsart (a lump sum always pays at once) and
// returns what the buttons show.
TZahlungsartState ZahlungsartRegeln(TPlanRecord& rec, int kind);

// Enabling that follows from the kind of investment.
struct TAnlageartState {
    const char* BetragCaption; // caption of LB_Anlagebetrag
    bool UebertragungEnabled;  // RB_12, RB_24, RB_36
    bool EinzahlungsdauerEnabled;
};
TAnlageartState AnlageartRegeln(int kind);

// Radio groups read as one integer: the value of the checked button, or the
// group's fixed value when none is checked.
int GroupValueOrDefault(std::optional<int> checked, int whenNone);

// Save rules that are not plain copies (BP_Provisionssatz: BPProvisionssatz
// in core/planrecord.h, shared with the commission settings).
double DynamikFromCheck(bool checked); // 5.0 or 0.0
bool DynamikChecked(double dynamik);   // ticked when the value is 5.0
// "Dynamik" can be chosen only where the accumulation applies it: an
// Aufbauplan with accumulation years.
bool DynamikWaehlbar(int kind, double laufzeit);

// Berichtstitel in Windows-1252: "Modellrechnung – " + the strategy name of
// the reports, at most 255 bytes.
std::string BerichtstitelCp1252(std::int32_t strategie);

} // namespace orvanta
