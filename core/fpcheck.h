#pragma once
// Floating-point errors of the calculations. The arithmetic runs with the
// exceptions masked; the sticky flags are cleared before a calculation and
// tested afterwards, so overflow, invalid operations and division by zero
// still end the calculation with the runtime's German text.

#include "core/errors.h"

#include <cfenv>
#include <cmath>

namespace orvanta {

inline constexpr const char* TextGleitkommaueberlauf = "Gleitkommaüberlauf";
inline constexpr const char* TextUngueltigeGleitkommaoperation = "Ungültige Gleitkommaoperation";
inline constexpr const char* TextGleitkommadivisionDurchNull = "Gleitkommadivision durch Null";

// The compiler may sink pure arithmetic past the flag test; routing the
// results through memory here pins every computation of v (and of anything
// already stored to memory) before this point.
template <class T> inline void FpFence(const T& v) {
    asm volatile("" : : "m"(v) : "memory");
}

inline void ClearFpFlags() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

inline bool FpFlagsRaised() {
    return std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID) != 0;
}

// Throws for a raised flag. When several are raised, the one that usually
// comes first wins: a division by zero or an overflow yields infinities,
// and only those turn into invalid operations (inf - inf, 0 * inf).
inline void CheckFpFlags() {
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    if (raised == 0)
        return;
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_DIVBYZERO)
        throw EMathError(TextGleitkommadivisionDurchNull);
    if (raised & FE_OVERFLOW)
        throw EMathError(TextGleitkommaueberlauf);
    throw EMathError(TextUngueltigeGleitkommaoperation);
}

// An infinity or NaN that came in with the record raises no flag; it must
// still never reach the record or a table.
inline void CheckFinite(double v) {
    if (std::isnan(v))
        throw EMathError(TextUngueltigeGleitkommaoperation);
    if (std::isinf(v))
        throw EMathError(TextGleitkommaueberlauf);
}

} // namespace orvanta

namespace orvanta {

// Keeps the flags of a stretch of arithmetic whose own flags do not count
// (a search that is finished another way when it overflows): restores them
// as they were when it goes out of scope.
// Not with fegetexceptflag/fesetexceptflag: MinGW-w64 10's fesetexceptflag
// writes 0 to MXCSR, unmasking every exception, and the next division by
// zero then ends the program instead of raising a flag.
class TFlagSicherung {
public:
    TFlagSicherung() : FFlags(std::fetestexcept(FE_ALL_EXCEPT)) {}
    ~TFlagSicherung() {
        std::feclearexcept(FE_ALL_EXCEPT);
        if (FFlags != 0)
            std::feraiseexcept(FFlags);
    }
    TFlagSicherung(const TFlagSicherung&) = delete;
    TFlagSicherung& operator=(const TFlagSicherung&) = delete;

private:
    int FFlags;
};

// Pins the given values, then tests the flags.
template <class... T> inline void CheckFpFlagsAfter(const T&... v) {
    (FpFence(v), ...);
    CheckFpFlags();
}

} // namespace orvanta
