#pragma once
// Number patterns as the windows and report pages use them: "0" a digit always
// shown, "#" a digit shown if significant, "." the place of the decimal
// separator, "," thousands grouping, any other character copied unchanged.
//
// Details every caller may rely on:
// - The value is first taken to 15 significant decimal digits, then rounded
//   half away from zero to the decimals the pattern shows. So 2.675 shows as
//   2,68 with "0.00" although the nearest double lies just below 2.675: the
//   user sees the number that was typed, not its binary approximation.
// - Negative numbers get a leading "-" in front of the whole text; a value
//   that rounds to zero never shows as "-0".
// - "," anywhere in the pattern switches grouping on (every three digits,
//   zeros from "0" placeholders included). Only the first "." counts.
// - A pattern that ends with "." and no placeholder after it shows no decimal
//   separator ("##0." shows 5 for 5.2). The separator appears only when at
//   least one decimal digit is shown.
// - Integer digits beyond the pattern's placeholders are never cut.
// - Text in single or double quotes is copied without the quotes; there is no
//   scientific notation and no ";" sections (no window uses them).
// - An empty pattern gives the general format.
// - Infinity and NaN show as "INF", "-INF" and "NAN" (they must not reach a
//   window, but formatting must never fail).

#include "core/formatsettings.h"

#include <string>
#include <string_view>

namespace orvanta {

// Formats value with pattern, rounding to the decimals the pattern shows.
// The result is UTF-8 (suffixes such as " €" are copied as they stand).
std::string FormatFloat(std::string_view pattern, double value,
                        const TFormatSettings& fs = FormatSettings());

// The general format: the shortest decimal form with at most 15 significant
// digits, no grouping ("12,5", "0,3" for 0.1 + 0.2, "-7"). Numbers of 10^15
// and above or below 10^-5 use an exponent ("1E20", "1,5E-6"); the parser
// below reads those back.
std::string FormatFloatGeneral(double value, const TFormatSettings& fs = FormatSettings());

// Fixed-point form with the given number of decimals and no grouping
// ("1,00", "-3", "1234,57"), rounded as FormatFloat rounds.
std::string FormatFloatFixed(double value, int decimals,
                             const TFormatSettings& fs = FormatSettings());

} // namespace orvanta
