#pragma once
// The accumulation and withdrawal calculations transcribed step by step,
// one scenario and one repetition after the other, without any shortcut.
// The calculation object's own operations must give the same bits; tests
// and the benchmark compare them with this. The object's operations also
// fall back on it to find which error a failing calculation meets first.

#include "core/performcalc.h"

namespace orvanta::referenz {

// Same contract as TPerformCalc::BerechneAufbauphase.
void BerechneAufbauphase(TPerformCalc& calc);

// Same contract as TPerformCalc::BerechneEntnahmephase.
void BerechneEntnahmephase(TPerformCalc& calc);

} // namespace orvanta::referenz
