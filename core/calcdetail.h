#pragma once
// Pieces shared by the calculation object's operations and the plain
// transcription: the commission figures of one run and the final checks
// before results are written back.

#include "core/performcalc.h"

#include <cstdint>
#include <vector>

namespace orvanta::detail {

struct TProvisionsJahr {
    double BP = 0;
    double BP_Summe = 0;
    double BP_Gesamt = 0;
    bool MitFRV = false;
    double FRV = 0;
    double FRV_Summe = 0;
    double AP_FRV = 0;
    double FRV_Gesamt = 0;
};

struct TProvisionsZahlen {
    double AP = 0;
    std::vector<TProvisionsJahr> Jahre; // index 0 is year 1
};

// Hands the figures to the sink in the order the calculation produced them.
void Liefern(const TProvisionsZahlen& zahlen, TProvisionSink* sink);

// Everything the accumulation writes must be finite (EMathError otherwise).
void PruefeAufbauErgebnis(const TPlanRecord& rec, const TPerformanceDataArray& tabelle,
                          const TProvisionsZahlen& zahlen);

// Everything the withdrawal calculation writes must be finite.
void PruefeEntnahmeErgebnis(const TPlanRecord& rec, const TPerformanceDataArray& tabelle);

// Copies the fields the accumulation writes.
void UebernimmAufbauErgebnis(TPlanRecord& ziel, const TPlanRecord& quelle);
// Copies the fields the withdrawal calculation writes.
void UebernimmEntnahmeErgebnis(TPlanRecord& ziel, const TPlanRecord& quelle);

// Number of months after month 0 of the withdrawal simulation; negative
// when there is no simulation.
inline std::int64_t EntnahmeMonate(const TPlanRecord& rec) {
    return rec.AuszDauer == AuszDauerOhneKapitalverzehr
               ? (EntnahmeEndalter - static_cast<std::int64_t>(rec.AuszBeginn)) * 12
               : static_cast<std::int64_t>(rec.AuszDauer) * 12;
}

// Accumulated capital per scenario that the withdrawal phase starts from.
inline double KapitalEinzahlungsende(const TPlanRecord& rec, const TPerformanceDataArray& aufbau,
                                     int i) {
    // A table left empty (never calculated) counts as no accumulation.
    return rec.Laufzeit >= 1 && !aufbau.empty() ? aufbau.back().NIW[i] : 0.0;
}

} // namespace orvanta::detail
