#pragma once
// The calculation object: the plan record and the result tables of the last
// accumulation and withdrawal calculation.

#include "core/errors.h"
#include "core/planrecord.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvanta {

class TProvisionSink;
class TSterbetafel;

// One row per year, year 0 first; shared by the accumulation and the withdrawal table.
struct TPerformanceData {
    double Betrag = 0;
    std::int32_t Alter = 0;
    double Jahr = 0;
    double Summe[6] = {};
    double FRV_Wert[6] = {};
    double NIW[6] = {};
};
using TPerformanceDataArray = std::vector<TPerformanceData>;

// What the accumulation counts as paid in and what it deducts as costs,
// summed beside its steps for the cost overview (kostenuebersicht.h). The
// cost sums are kept in units of 2^64 euro (amounts times Kostenskala): a
// power of two scales exactly, and no sum of amounts that each fit a double
// can then overflow and raise a flag in the calculation itself.
inline constexpr double Kostenskala = 0x1p-64;
struct TKostensummen {
    bool Berechnet = false;  // by an accumulation with Laufzeit >= 1
    double Einzahlungen = 0; // euro: the sum paid in at the end (SparSumme)
    double Agioraten[6] = {};
    double Managementgebuehr[6] = {};
    double Depotgebuehr[6] = {};
};

// A search of the withdrawal phase that makes no more progress. Without this
// limit such a search would repeat for ever.
class EKonvergenzError : public EOrvantaError {
public:
    using EOrvantaError::EOrvantaError;
};

class TPerformCalc {
public:
    TPerformCalc();

    TPlanRecord Rec;                       // all zero until the first load
    TPerformanceDataArray Aufbautabelle;   // accumulation, Laufzeit + 1 rows
    TPerformanceDataArray Entnahmetabelle; // withdrawal, one row per year
    TKostensummen Kostensummen;            // of the last accumulation

    // Receives the commission figures of every successful accumulation
    // calculation; not owned, may be null.
    TProvisionSink* Provision = nullptr;

    // Accumulation phase from the record: Aufbautabelle, Kapital, Anlagesumme,
    // AgioBetrag, AgioMonate, BP_Summe, FRV_Summe, Kostensummen and the
    // commission figures.
    // On an error (EMathError, ERangeError, also for durations and ages
    // outside PruefeGrenzen) record, table and sums keep their previous contents.
    void BerechneAufbauphase();

    // Withdrawal phase from the record and the last row of the Aufbautabelle:
    // Entnahmetabelle and the withdrawal results of the record. On an error
    // (EMathError, EKonvergenzError, ERangeError) record and table keep their
    // previous contents.
    void BerechneEntnahmephase();
};

// Interest of one year on capital K at yearly rate r (6 % = 0.06) when w is
// withdrawn at the start of every month.
double Jahreszins(double K, double r, double w);

// Capital after N years of monthly withdrawals w; K itself for N <= 0.
double Endkapital(std::int32_t N, double K, double r, double w);

// Takes the capital of the chosen scenario as the starting capital of the
// withdrawal phase when the user asked for it (Kapital_aus_Einzahlung and
// Kapital_Szenario > 1). True when Rentenkapital was replaced, so that the
// window shows it. ERangeError for a Kapital_Szenario beyond the scenarios.
bool UebernehmeRentenkapital(TPlanRecord& rec);

struct TEntnahmedauer {
    std::int32_t Jahre = 0;
    // The rule found no positive duration and switched the record to an
    // individual end one year after AuszBeginn (AuszEndeArt 1, AuszEnde set):
    // the window shows AuszEnde and checks "individuell".
    bool AufIndividuellGesetzt = false;
};

// Length of the withdrawal phase by AuszEndeArt; 999 = ohne Kapitalverzehr.
// The caller stores Jahre in AuszDauer. ERangeError for a length beyond
// 150 years other than 999.
TEntnahmedauer Entnahmedauer(TPlanRecord& rec, const TSterbetafel& tafel);

// The recalculation the main window runs, without a window: the withdrawal
// duration into AuszDauer, then the accumulation and withdrawal phases with
// the capital taken over from the accumulation where the plan asks for it.
// Errors of the calculation throw.
void Neuberechnen(TPerformCalc& calc, const TSterbetafel& tafel);

// Limits of the perpetual-withdrawal search and the required-return scan,
// shared with the plain transcription so both stop at the same repetition.
// The searches that solve Endkapital have their own watcher (sichersuche.h).
struct TSuchwaechter {
    // A search whose distance from its goal reached no new minimum within
    // this many repetitions makes no progress any more.
    static constexpr std::int64_t OhneFortschritt = 100000;
    // No converging search of a real plan comes near this.
    static constexpr std::int64_t Hoechstzahl = 10000000;
    // The required return rises in steps of 0.005 %: this is 5000 % p.a.
    static constexpr std::int64_t HoechstzahlRendite = 1000000;

    std::int64_t Schritte = 0;
    std::int64_t BesterSchritt = 0;
    double Bester = 0;

    // Called before every repetition with the distance that made the search
    // go on; false when the search has to be given up.
    bool Weiter(double abstand) {
        const double a = abstand < 0 ? -abstand : abstand;
        if (Schritte == 0 || a < Bester) {
            Bester = a;
            BesterSchritt = Schritte;
        }
        ++Schritte;
        return Schritte - BesterSchritt <= OhneFortschritt && Schritte <= Hoechstzahl;
    }
};

enum class TEntnahmeSuche {
    // The searches that can still be given up; the possible withdrawal and
    // the required capital over a duration always end (SicherSuchen).
    EntnahmeEwig, // perpetual withdrawal
    EntnahmeAusEinzahlung,
    Wertentwicklung, // required return (not per scenario)
};

// The German message for a search that was given up.
std::string KonvergenzText(TEntnahmeSuche suche, double performance);

} // namespace orvanta
