#pragma once
// The accumulation and withdrawal calculations transcribed step by step,
// one scenario and one repetition after the other, without any shortcut.
// The calculation object's own operations must give the same bits; tests
// and the benchmark compare them with this. The object's operations share
// its two short scalar searches.

#include "core/performcalc.h"

namespace orvanta::referenz {

// Same contract as TPerformCalc::BerechneAufbauphase.
void BerechneAufbauphase(TPerformCalc& calc);

// Same contract as TPerformCalc::BerechneEntnahmephase.
void BerechneEntnahmephase(TPerformCalc& calc);

// Step 1 of the withdrawal searches: the monthly withdrawal that capital K
// pays for ever at yearly rate r. EKonvergenzError (text for suche and
// performance) when it makes no progress, EMathError when it overflows.
double EwigeEntnahme(double K, double r, TEntnahmeSuche suche, double performance);

// Step 5: the required return in % p.a. for Rentenkapital RK and Monatsrente
// MR over N years (999: ohne Kapitalverzehr), when 12 MR <= RK.
double ErforderlicheWertentwicklung(std::int32_t N, double RK, double MR);

} // namespace orvanta::referenz
