#pragma once
// The required return of the withdrawal phase, found fast with the bits of
// the documented scan. The scan tries p = 0, 0.005, 0.010, … (each value the
// previous one plus 0.005, so with the rounding of those additions) and stops
// at the first p whose end capital is no longer short of the goal: 0 after N
// years, or Rentenkapital after one year without consumption of the capital.
// Near the answer that takes some 37 000 tries of up to 150 years each.
//
// Here whole blocks of tries are settled at once: the end capital of every
// p in a block is enclosed by one run of the years on the block's lowest and
// highest rate. Every operation of the calculation rounds monotonically, so
// the rounded result for any value inside an interval lies between the
// rounded results at its ends; the enclosure therefore holds for the
// computed values themselves, bit for bit, not only for exact arithmetic.
// A block whose enclosure lies wholly short of the goal and finite can
// neither stop the scan nor raise a floating-point error; other blocks are
// halved, and single tries are run as the scan runs them. The first try
// that stops the scan or raises an error is thus the scan's own.

#include <cstdint>

namespace orvanta {

// What the documented scan gives: p, or the error it ends with
// (EMathError for a floating-point error, EKonvergenzError after
// TSuchwaechter::HoechstzahlRendite steps). N is AuszDauer (999: without
// consumption of the capital).
double ErforderlicheWertentwicklungSchnell(std::int32_t N, double RK, double MR);

} // namespace orvanta
