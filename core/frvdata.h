#pragma once
// FRV comparison values: prepared text files, one per customer profile,
// holding the value of a fund-linked pension insurance at the end of every
// year for the four scenario returns.

#include "core/performcalc.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

inline constexpr const char* FRV_Praefix = "G002";

// "G002 m 35 100 1 5 30.txt": prefix, "m" for sex 1 else "w", age, monthly
// amount and Dynamik in shortest form with the regional decimal separator,
// profile number, years.
std::string FRV_Dateiname(const std::string& prefix, std::int32_t sex, std::int32_t age,
                          double monthlyAmount, std::int32_t profile, double dynamik,
                          std::int32_t years);

// Lines 9 and 10: trimmed, every "." read as ",", converted with the regional
// decimal separator and cut to its whole part; 0 for anything else.
std::int32_t FRV_Ganzzahl(std::string_view line);

// Rates and values: every "." dropped as a thousands separator, the rest
// converted with the regional decimal separator; 0 for anything else.
double FRV_Wert(std::string_view line);

// Looks up the file for the plan in directory and, when its four rates equal
// rates[0..3] (Performance[1..4]) exactly, fills FRV_Wert[1..N] of rows
// 1..years of table. Returns whether the file was found and matched. A
// missing file is "not found"; a file that exists but cannot be read raises
// EInOutError. Reading past the end gives empty lines (value 0).
bool load_FRV_Data(const std::string& prefix, std::int32_t sex, std::int32_t age,
                   double monthlyAmount, std::int32_t profile, double dynamik, std::int32_t years,
                   const double rates[4], TPerformanceDataArray& table,
                   const std::string& directory);

// The comparison is looked up only for an Aufbauplan paid in over the whole
// Anlagedauer.
bool FRVLookupApplies(const TPlanRecord& rec);

// File name and lookup for the plan in rec: sex, age, Sparbetrag,
// FRV_Parameter, Dynamik, Laufzeit and Performance[1..4] with the prefix "G002".
std::string FRV_DateinameFuerPlan(const TPlanRecord& rec);
bool LadeFRVFuerPlan(const TPlanRecord& rec, TPerformanceDataArray& table,
                     const std::string& directory);

} // namespace orvanta
