#pragma once
// The cost overview of a calculated plan, per shown scenario: what the
// customer pays in, what the Einrichtungsgebühr, the management fee and the
// depot fee take in euro, the depot value with and without them, and by how
// many percentage points a year they reduce the return.

#include "core/performcalc.h"

#include <array>
#include <optional>

namespace orvanta {

struct TKostenSzenario {
    double Einzahlungen = 0;
    double Einrichtungsgebuehr = 0;
    double Managementgebuehr = 0;
    double Depotgebuehr = 0;
    double KostenGesamt = 0;
    double DepotwertOhneKosten = 0;
    double DepotwertMitKosten = 0;
    // Percentage points p.a.; none when no return of the searched range
    // reaches DepotwertMitKosten (a capital eaten up by the fees).
    std::optional<double> Renditeminderung;
};

// Scenarios 1..4, the columns windows and reports show.
using TKostenuebersicht = std::array<TKostenSzenario, 4>;

// The range and precision (% p.a.) of the search for the return without costs.
namespace Vergleichsrendite {
inline constexpr double Untergrenze = -99.0;
inline constexpr double Obergrenze = 100.0;
inline constexpr double Genauigkeit = 1e-6;
} // namespace Vergleichsrendite

// The overview of the last accumulation of calc; nothing for a plan without
// one (Laufzeit 0, or not calculated). The euro figures come from the sums
// the accumulation keeps beside its steps; DepotwertOhneKosten is Kapital
// of the same plan calculated without the three costs. Renditeminderung is
// the scenario's return minus the return r' at which that plan, with an
// Einrichtungsgebühr paid at once added to the capital in month 0, reaches
// DepotwertMitKosten, found by bisection in the range above. EMathError for
// a figure beyond the range of a double.
std::optional<TKostenuebersicht> Kostenuebersicht(const TPerformCalc& calc);

} // namespace orvanta
