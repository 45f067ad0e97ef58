#pragma once
// Numbers as text with the regional separators: the conversions the mortality
// table, the FRV files and the messages of the calculations use.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

// Decimal text as the runtime reads it: blanks around it, an optional sign,
// digits with at most one decimal separator (decSep), an optional exponent
// ("E" or "e", sign, digits). No thousands separators. False for anything
// else and for numbers beyond the range of double.
bool TextToFloat(std::string_view text, double& value, char decSep);

// Whole number: leading blanks, an optional sign, decimal digits; false for
// anything else and for numbers outside the 32-bit range.
bool TextToInt(std::string_view text, std::int32_t& value);

// Shortest decimal form that reads back to the same double, with decSep in
// place of the decimal point ("100", "150,5", "1e+20").
std::string FloatToShortest(double value, char decSep);

} // namespace orvanta
