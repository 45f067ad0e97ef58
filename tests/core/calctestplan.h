#pragma once
// Plans for the calculation tests, built in code.

#include "core/performcalc.h"

#include <cstring>
#include <string>

namespace orvanta::testplan {

// Aufbauplan without costs: Sparbetrag 100, one year, every scenario at `rate`.
inline TPerformCalc sparplan(double rate, int laufzeit = 1) {
    TPerformCalc c;
    TPlanRecord& r = c.Rec;
    r.Anlageart = KindAufbauplan;
    r.Sparbetrag = 100;
    r.Laufzeit = laufzeit;
    r.Einzahlungsdauer = laufzeit;
    r.Eintrittsalter = 35;
    r.Geschlecht = GeschlechtMaennlich;
    r.AgioZahlungsart = AgioSofort;
    r.Anlagestrategie = StrategieF;
    r.BP_Performance = 3;
    for (double& p : r.Performance)
        p = rate;
    r.AuszBeginn = 65;
    r.AuszEnde = 95;
    r.AuszEndeArt = Ende95;
    r.AuszDauer = 30;
    r.Kapital_Szenario = 3;
    return c;
}

// Withdrawal only: Rentenkapital rk, Monatsrente mr, scenarios 0, 0, 3, 6, 9, 6.
inline TPerformCalc entnahme(double rk, double mr, int dauer, int beginn = 65) {
    TPerformCalc c = sparplan(0, 0);
    TPlanRecord& r = c.Rec;
    const double perf[6] = {0, 0, 3, 6, 9, 6};
    std::memcpy(r.Performance, perf, sizeof perf);
    r.Rentenkapital = rk;
    r.Monatsrente = mr;
    r.AuszBeginn = beginn;
    r.AuszDauer = dauer;
    return c;
}

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

inline bool gleicheRechnung(const TPerformCalc& a, const TPerformCalc& b) {
    return std::memcmp(&a.Rec, &b.Rec, sizeof a.Rec) == 0 &&
           gleicheTabellen(a.Aufbautabelle, b.Aufbautabelle) &&
           gleicheTabellen(a.Entnahmetabelle, b.Entnahmetabelle);
}

} // namespace orvanta::testplan
