#pragma once
// The plans the tests run on, built in code, by name: one builder each, so
// that a test says which plan it means instead of filling a record again.

#include "core/performcalc.h"
#include "core/planrecord.h"

namespace orvanta::testing {

// Every field zero, as a record before its first load.
TPlanRecord LeererPlan();

// A plan as an adviser would have it: Aufbauplan of 200 € a month over 25
// years for a man of 40, a stored lump sum of 10 000 €, withdrawals from 65 to 85.
TPlanRecord BeispielPlan();

// The plan with the delivered passwords ("berater", "vertrieb", "direktion"),
// links of its own and both phases to be printed.
TPlanRecord MitPasswoertern(TPlanRecord r);

// Aufbauplan without costs: Sparbetrag 100 over `laufzeit` years, every
// scenario at `rate`, withdrawals from 65 to 95.
TPerformCalc sparplan(double rate, int laufzeit = 1);

// The demo plan's calculation: sparplan over 30 years with Dynamik 5,
// scenarios 0, 0, 3, 6, 9, 6, withdrawals of 500 a month from 100 000.
TPerformCalc Demoplan();

// Withdrawal only: Rentenkapital rk, Monatsrente mr, scenarios 0, 0, 3, 6, 9, 6.
TPerformCalc entnahme(double rk, double mr, int dauer, int beginn = 65);

// Withdrawal only, as a file can hold it: an Einmalanlage of rk with
// Anlagedauer 0, withdrawals of mr a month "individuell" up to age 150 over
// `dauer` years, the six rates `raten` (slots 0 and 5 only a file sets).
TPerformCalc entnahmeBis150(double rk, double mr, int dauer, const double (&raten)[6]);

// Aufbauplan without costs or returns and with commission rates: every
// commission figure follows from the rates.
TPlanRecord Provisionsplan(int laufzeit);

// What a hand-filled plan for the report tests holds.
struct TPlanSpec {
    int Laufzeit = 30;
    int Entnahmejahre = 20; // rows 1..H of the withdrawal table; < 0: empty table
    int Anlageart = KindAufbauplan;
    bool Einzahlung = true;
    bool Entnahme = true;
    int AuszEndeArt = Ende95;
};

// A record and tables that look like a calculated plan, filled by hand so
// that pages can be laid out without running the calculations. Values grow
// by the scenario rate; a withdrawal scenario at 0 % runs out of capital.
void FillPlan(TPerformCalc& calc, const TPlanSpec& plan);

} // namespace orvanta::testing
