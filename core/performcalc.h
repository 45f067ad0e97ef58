#pragma once
// The calculation object: the plan record and the result tables of the last
// accumulation and withdrawal calculation.

#include "core/planrecord.h"

#include <cstdint>
#include <vector>

namespace orvanta {

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

class TPerformCalc {
public:
    TPerformCalc();

    TPlanRecord Rec;                      // all zero until the first load
    TPerformanceDataArray Aufbautabelle;  // accumulation, Laufzeit + 1 rows
    TPerformanceDataArray Entnahmetabelle; // withdrawal, one row per year
};

} // namespace orvanta
