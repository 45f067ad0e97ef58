#include "core/numberparse.h"

#include <charconv>
#include <cmath>
#include <string>

namespace orvanta {

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

bool TryStrToFloat(std::string_view text, double& value, const TFormatSettings& fs) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);

    // Rebuilt in the C form that from_chars reads, independent of the
    // process locale.
    std::string c;
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (IsDigit(ch)) {
            c += ch;
            ++digits;
        } else if (ch == fs.DecimalSeparator && !point) {
            c += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        c += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            c += text[i];
            ++i;
        }
        int expDigits = 0;
        for (; i < text.size() && IsDigit(text[i]); ++i, ++expDigits)
            c += text[i];
        if (expDigits == 0)
            return false;
    }
    if (i != text.size())
        return false;

    double parsed = 0.0;
    const auto [end, ec] = std::from_chars(c.data(), c.data() + c.size(), parsed);
    if (end != c.data() + c.size())
        return false;
    if (ec == std::errc::result_out_of_range) {
        if (!negativeExponent)
            return false;
        parsed = 0.0;
    } else if (ec != std::errc() || !std::isfinite(parsed)) {
        return false;
    }
    // "-0" is plain zero: nothing downstream should see a negative zero.
    value = (negative && parsed != 0.0) ? -parsed : parsed;
    return true;
}

} // namespace orvanta
