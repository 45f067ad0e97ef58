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

// Shortest decimal form that reads back to the same double, in positional
// notation with decSep in place of the decimal point ("100000", "150,5",
// "0,001"). Never an exponent: values far outside the range of money and
// rates come out long (1e20 as "100000000000000000000", 1e-10 as
// "0,0000000001"); the sign of -0 is kept ("-0"). "NAN", "INF" and "-INF"
// stand for the values that are not finite.
std::string FloatToShortest(double value, char decSep);

} // namespace orvanta
