#pragma once
// Number patterns as the windows and report pages use them: "0" a digit always
// shown, "#" a digit shown if significant, "." the place of the decimal
// separator, "," thousands grouping, any other character copied unchanged.

#include "core/formatsettings.h"

#include <string>
#include <string_view>

namespace orvanta {

// Formats value with pattern, rounding to the decimals the pattern shows.
// The result is UTF-8 (suffixes such as " €" are copied as they stand).
std::string FormatFloat(std::string_view pattern, double value,
                        const TFormatSettings& fs = FormatSettings());

} // namespace orvanta
