#pragma once
// printf-style formatting as the windows use it for grid cells and captions
// ("    %9f", "    %4d", "%3.1f", " %2.1f "): a format text with
// %[-][width][.precision]type specifiers, where type is
//   d  whole number; the precision is the least number of digits,
//   f  fixed-point number with the regional decimal separator and no
//      grouping; the precision is the number of decimals, 2 when none is given,
//   s  text, cut to the precision when one is given,
//   %  (written %%) a percent sign.
// width (or "*", taken from the arguments) pads on the left, or on the right
// with "-". Numbers are rounded half away from zero after taking the value to
// 15 significant digits, as every other display of the program does.
// A specifier that does not fit its argument, or a missing argument, throws
// EConvertError with the runtime's German text.

#include "core/formatsettings.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace orvanta {

class TFormatArg {
public:
    enum Kind { Int, Float, Text };
    TFormatArg(int v) : FKind(Int), FInt(v) {}
    TFormatArg(long v) : FKind(Int), FInt(v) {}
    TFormatArg(long long v) : FKind(Int), FInt(v) {}
    TFormatArg(double v) : FKind(Float), FFloat(v) {}
    TFormatArg(const char* v) : FKind(Text), FText(v) {}
    TFormatArg(std::string_view v) : FKind(Text), FText(v) {}
    TFormatArg(const std::string& v) : FKind(Text), FText(v) {}

    Kind kind() const { return FKind; }
    std::int64_t intValue() const { return FInt; }
    double floatValue() const { return FFloat; }
    std::string_view textValue() const { return FText; }

private:
    Kind FKind;
    std::int64_t FInt = 0;
    double FFloat = 0;
    std::string_view FText;
};

std::string FormatPrintf(std::string_view format, std::initializer_list<TFormatArg> args,
                         const TFormatSettings& fs = FormatSettings());

// The fixed-point form behind "%.<decimals>f": no padding, no grouping.
std::string FormatFixedDecimals(double value, int decimals,
                                const TFormatSettings& fs = FormatSettings());

} // namespace orvanta
