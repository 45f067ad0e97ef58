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

} // namespace orvanta
