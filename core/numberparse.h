#pragma once
// Reading numbers the user typed, with the regional decimal separator.

#include "core/formatsettings.h"

#include <string_view>

namespace orvanta {

// Parses a decimal number: optional blanks, an optional sign, digits with at
// most one decimal separator (fs.DecimalSeparator; at least one digit in
// all), an optional exponent ("E5", "e-3"), optional blanks. Thousands
// separators are refused on purpose: with German settings "1.5" typed out of
// English habit must not silently become 15. A result beyond the range of a
// double is refused; one too small to represent becomes 0.
// Returns false and leaves value unchanged when the text is not such a number.
bool TryStrToFloat(std::string_view text, double& value,
                   const TFormatSettings& fs = FormatSettings());

// A number as the user types it into a field: as TryStrToFloat, and a
// thousands separator (fs.ThousandSeparator) is allowed where it groups
// thousands. It groups when the digits before it are a leading group of one
// to three digits (not a lone zero, not starting with 0) or an earlier group,
// and exactly three digits follow it before the next separator, the decimal
// separator or the end. Any other one is taken for the decimal separator, so
// "150.50" is 150,50 and "1.5" is 1,5 in German settings, never 15050 or 15;
// "1.000" stays 1000 and "1.000.000,50" 1000000,5.
bool TryReadTypedNumber(std::string_view text, double& value,
                        const TFormatSettings& fs = FormatSettings());

} // namespace orvanta
