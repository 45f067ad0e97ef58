#include "core/numbertext.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orvanta {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool TextToFloat(std::string_view s, double& value, char decSep) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';

    // Rebuilt in the C form for from_chars, which ignores the locale.
    std::string digits;
    long long pointExp = 0; // decimal exponent contributed by the digits' position
    bool anyDigit = false;
    bool seenSep = false;
    long long intDigits = 0; // significant digits before the separator
    bool leading = true;     // still in leading zeros
    long long leadingFracZeros = 0;
    for (; i < n; ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            anyDigit = true;
            digits += c;
            if (!seenSep) {
                if (!(leading && c == '0')) {
                    leading = false;
                    ++intDigits;
                }
            } else if (leading) {
                if (c == '0')
                    ++leadingFracZeros;
                else
                    leading = false;
            }
        } else if (c == decSep && !seenSep) {
            seenSep = true;
            digits += '.';
        } else {
            break;
        }
    }
    if (!anyDigit)
        return false;
    long long exponent = 0;
    std::string expText;
    if (i < n && (s[i] == 'E' || s[i] == 'e')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            expText += s[i++];
        const std::size_t start = i;
        while (i < n && isDigit(s[i])) {
            if (exponent < 100000)
                exponent = exponent * 10 + (s[i] - '0');
            expText += s[i++];
        }
        if (i == start)
            return false;
        if (!expText.empty() && expText[0] == '-')
            exponent = -exponent;
    }
    while (i < n && s[i] == ' ')
        ++i;
    if (i != n)
        return false;

    std::string text = negative ? "-" + digits : digits;
    if (!expText.empty())
        text += "e" + expText;
    double v = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        if (leading) { // all digits zero
            v = 0;
        } else {
            // Position of the first significant digit decides: far below 1 is
            // an underflow to zero, above it a number beyond double.
            pointExp = intDigits > 0 ? intDigits : -leadingFracZeros;
            if (pointExp + exponent > 0)
                return false;
            v = 0;
        }
        v = negative ? -v : v;
    } else if (res.ec != std::errc() || res.ptr != text.data() + text.size()) {
        return false;
    }
    if (!std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool TextToInt(std::string_view s, std::int32_t& value) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    if (i == s.size())
        return false;
    long long v = 0;
    for (; i < s.size(); ++i) {
        if (!isDigit(s[i]))
            return false;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<std::int32_t>::max() ||
        v < std::numeric_limits<std::int32_t>::min())
        return false;
    value = static_cast<std::int32_t>(v);
    return true;
}

std::string FloatToShortest(double value, char decSep) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    // Fixed notation with the fewest digits that read back to the same
    // double: never an exponent, whatever the magnitude. The largest double
    // takes 309 digits, the smallest subnormal 326 characters.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    std::string out(buf, res.ptr);
    for (char& c : out)
        if (c == '.')
            c = decSep;
    return out;
}

} // namespace orvanta
