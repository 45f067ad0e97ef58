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

bool TryReadTypedNumber(std::string_view text, double& value, const TFormatSettings& fs) {
    const char group = fs.ThousandSeparator;
    if (group == fs.DecimalSeparator || text.find(group) == std::string_view::npos)
        return TryStrToFloat(text, value, fs);

    // Rebuilt without the grouping separators; the others become the decimal
    // separator, and TryStrToFloat refuses a second one.
    std::string plain;
    plain.reserve(text.size());
    std::size_t runStart = std::string_view::npos; // first digit of the current run
    bool runIsGroup = false;                       // the current run follows a grouping separator
    bool afterDecimal = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (IsDigit(ch)) {
            if (runStart == std::string_view::npos)
                runStart = i;
            plain += ch;
            continue;
        }
        if (ch != group) {
            if (ch == fs.DecimalSeparator)
                afterDecimal = true;
            plain += ch;
            runStart = std::string_view::npos;
            runIsGroup = false;
            continue;
        }
        // Digits before: a group of three after an earlier separator, or a
        // leading group of one to three digits that is a number of its own.
        bool groups = false;
        if (!afterDecimal && runStart != std::string_view::npos) {
            const std::size_t before = i - runStart;
            groups = runIsGroup ? before == 3 : before <= 3 && !(text[runStart] == '0');
        }
        // Digits after: exactly three, then another separator, the decimal
        // separator or the end.
        if (groups) {
            std::size_t j = i + 1;
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            groups = j - (i + 1) == 3 &&
                     (j == text.size() || text[j] == group || text[j] == fs.DecimalSeparator);
        }
        if (groups) {
            runIsGroup = true;
        } else {
            plain += fs.DecimalSeparator;
            afterDecimal = true;
            runIsGroup = false;
        }
        runStart = std::string_view::npos;
    }
    return TryStrToFloat(plain, value, fs);
}

} // namespace orvanta
