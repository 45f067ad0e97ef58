#pragma once
// Two calculations compared bit for bit, field by field, cost sums included.

#include "core/performcalc.h"

#include <cstring>

namespace orvanta::testing {

// Bit for bit, field by field (the padding of a row is not significant).
inline bool gleicheZeilen(const TPerformanceData& a, const TPerformanceData& b) {
    const auto gleich = [](const auto& x, const auto& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    return gleich(a.Betrag, b.Betrag) && a.Alter == b.Alter && gleich(a.Jahr, b.Jahr) &&
           gleich(a.Summe, b.Summe) && gleich(a.FRV_Wert, b.FRV_Wert) && gleich(a.NIW, b.NIW);
}

inline bool gleicheTabellen(const TPerformanceDataArray& a, const TPerformanceDataArray& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (!gleicheZeilen(a[k], b[k]))
            return false;
    return true;
}

inline bool gleicheKostensummen(const TKostensummen& a, const TKostensummen& b) {
    const auto gleich = [](const auto& x, const auto& y) {
        return std::memcmp(&x, &y, sizeof x) == 0;
    };
    return a.Berechnet == b.Berechnet && gleich(a.Einzahlungen, b.Einzahlungen) &&
           gleich(a.Agioraten, b.Agioraten) && gleich(a.Managementgebuehr, b.Managementgebuehr) &&
           gleich(a.Depotgebuehr, b.Depotgebuehr);
}

inline bool gleicheRechnung(const TPerformCalc& a, const TPerformCalc& b) {
    return std::memcmp(&a.Rec, &b.Rec, sizeof a.Rec) == 0 &&
           gleicheTabellen(a.Aufbautabelle, b.Aufbautabelle) &&
           gleicheTabellen(a.Entnahmetabelle, b.Entnahmetabelle) &&
           gleicheKostensummen(a.Kostensummen, b.Kostensummen);
}

} // namespace orvanta::testing
