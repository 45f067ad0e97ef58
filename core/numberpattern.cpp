#include "core/numberpattern.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace orvanta {

namespace {

// A finite number as decimal digits: |value| = 0.Digits * 10^Exponent.
// Digits has no leading or trailing zeros; it is empty for zero.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

void StripTrailingZeros(TDecimal& d) {
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    if (d.Digits.empty()) {
        d.Exponent = 0;
        d.Negative = false;
    }
}

// Takes the value to 15 significant digits, as the displays always did: the
// rounding to the shown decimals then works on what the user typed (2.675),
// not on the binary neighbour (2.67499999999999982...).
TDecimal ToDecimal(double value) {
    TDecimal d;
    d.Negative = std::signbit(value);
    // The correctly rounded digits, as printf's "%.14e" gives them, at a
    // fraction of its cost: a report formats thousands of amounts.
    char buf[64];
    const auto written = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value),
                                       std::chars_format::scientific, 14);
    *written.ptr = '\0';
    // buf is "d.dddddddddddddde[+-]xx".
    d.Digits.reserve(15);
    d.Digits.push_back(buf[0]);
    const char* p = buf + 2;
    while (*p >= '0' && *p <= '9')
        d.Digits.push_back(*p++);
    const int exp10 = (*p == 'e') ? std::atoi(p + 1) : 0;
    d.Exponent = exp10 + 1;
    // Leading zero only for the value zero itself.
    if (d.Digits.front() == '0')
        d.Digits.clear();
    StripTrailingZeros(d);
    return d;
}

// Rounds half away from zero so that at most `decimals` digits stand after
// the decimal point.
void RoundTo(TDecimal& d, int decimals) {
    if (d.Digits.empty())
        return;
    const long keep = static_cast<long>(d.Exponent) + decimals;
    if (keep >= static_cast<long>(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        StripTrailingZeros(d);
        return;
    }
    const bool up = d.Digits[static_cast<size_t>(keep)] >= '5';
    d.Digits.resize(static_cast<size_t>(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && d.Digits[static_cast<size_t>(i)] == '9') {
            d.Digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.Digits[static_cast<size_t>(i)];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        }
    }
    StripTrailingZeros(d);
}

// Integer digits of a rounded decimal ("" for a value below 1).
std::string IntegerDigits(const TDecimal& d) {
    if (d.Exponent <= 0)
        return {};
    std::string s = d.Digits.substr(0, std::min<size_t>(d.Digits.size(), d.Exponent));
    s.resize(static_cast<size_t>(d.Exponent), '0');
    return s;
}

// Decimal digits of a rounded decimal, without trailing zeros.
std::string FractionDigits(const TDecimal& d) {
    if (d.Digits.empty())
        return {};
    if (d.Exponent >= 0)
        return d.Exponent < static_cast<int>(d.Digits.size()) ? d.Digits.substr(d.Exponent)
                                                              : std::string();
    return std::string(static_cast<size_t>(-d.Exponent), '0') + d.Digits;
}

std::string NonFinite(double value) {
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// One piece of a parsed pattern.
struct TToken {
    enum Kind { Literal, IntDigit, Point, FracDigit } kind;
    std::string text; // Literal only
};

struct TPattern {
    std::vector<TToken> tokens;
    int intPlaceholders = 0;
    int minIntDigits = 0; // from the first "0" before the point to the point
    int fracPlaceholders = 0;
    int minFracDigits = 0; // up to the last "0" after the point
    bool grouping = false;
};

TPattern ParsePattern(std::string_view pattern) {
    TPattern pat;
    bool afterPoint = false;
    int firstZero = -1;
    auto literal = [&pat](std::string_view s) {
        if (!pat.tokens.empty() && pat.tokens.back().kind == TToken::Literal)
            pat.tokens.back().text += s;
        else
            pat.tokens.push_back({TToken::Literal, std::string(s)});
    };
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\'' || c == '"') {
            const size_t end = pattern.find(c, i + 1);
            const size_t stop = end == std::string_view::npos ? pattern.size() : end;
            literal(pattern.substr(i + 1, stop - i - 1));
            i = stop;
        } else if (c == '#' || c == '0') {
            if (afterPoint) {
                ++pat.fracPlaceholders;
                if (c == '0')
                    pat.minFracDigits = pat.fracPlaceholders;
                pat.tokens.push_back({TToken::FracDigit, {}});
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = pat.intPlaceholders;
                ++pat.intPlaceholders;
                pat.tokens.push_back({TToken::IntDigit, {}});
            }
        } else if (c == '.') {
            if (!afterPoint) {
                afterPoint = true;
                pat.tokens.push_back({TToken::Point, {}});
            }
        } else if (c == ',') {
            pat.grouping = true;
        } else {
            literal(pattern.substr(i, 1));
        }
    }
    if (firstZero >= 0)
        pat.minIntDigits = pat.intPlaceholders - firstZero;
    // Without any integer placeholder the integer digits still have to go
    // somewhere: in front of the point, or at the end of a pattern of text.
    if (pat.intPlaceholders == 0) {
        auto at = std::find_if(pat.tokens.begin(), pat.tokens.end(),
                               [](const TToken& t) { return t.kind == TToken::Point; });
        pat.tokens.insert(at, {TToken::IntDigit, {}});
        pat.intPlaceholders = 1;
    }
    return pat;
}

// A page formats thousands of values with a handful of patterns: each is
// parsed once per thread.
const TPattern& ParsedPattern(std::string_view pattern) {
    thread_local std::vector<std::pair<std::string, TPattern>> parsed;
    for (const auto& [text, pat] : parsed)
        if (text == pattern)
            return pat;
    if (parsed.size() >= 64)
        parsed.clear();
    return parsed.emplace_back(std::string(pattern), ParsePattern(pattern)).second;
}

} // namespace

std::string FormatFloat(std::string_view pattern, double value, const TFormatSettings& fs) {
    if (!std::isfinite(value))
        return NonFinite(value);
    if (pattern.empty())
        return FormatFloatGeneral(value, fs);

    const TPattern& pat = ParsedPattern(pattern);
    TDecimal d = ToDecimal(value);
    RoundTo(d, pat.fracPlaceholders);

    std::string intDigits = IntegerDigits(d);
    if (static_cast<int>(intDigits.size()) < pat.minIntDigits)
        intDigits.insert(0, pat.minIntDigits - intDigits.size(), '0');
    const std::string frac = FractionDigits(d);
    const int fracShown = std::max<int>(static_cast<int>(frac.size()), pat.minFracDigits);

    const int len = static_cast<int>(intDigits.size());
    // The first integer placeholder also takes every digit the pattern has no
    // room for.
    const int skip = pat.intPlaceholders - len;

    std::string out;
    if (d.Negative)
        out += '-';
    int intIndex = 0;
    int fracIndex = 0;
    auto emitDigit = [&](int j) {
        out += intDigits[static_cast<size_t>(j)];
        const int rest = len - 1 - j;
        if (pat.grouping && rest > 0 && rest % 3 == 0)
            out += fs.ThousandSeparator;
    };
    for (const TToken& t : pat.tokens) {
        switch (t.kind) {
        case TToken::Literal:
            out += t.text;
            break;
        case TToken::IntDigit: {
            if (intIndex == 0 && skip < 0) {
                for (int j = 0; j <= -skip; ++j)
                    emitDigit(j);
            } else {
                const int j = intIndex - skip;
                if (j >= 0 && j < len)
                    emitDigit(j);
            }
            ++intIndex;
            break;
        }
        case TToken::Point:
            if (fracShown > 0)
                out += fs.DecimalSeparator;
            break;
        case TToken::FracDigit:
            if (fracIndex < static_cast<int>(frac.size()))
                out += frac[static_cast<size_t>(fracIndex)];
            else if (fracIndex < fracShown)
                out += '0';
            ++fracIndex;
            break;
        }
    }
    return out;
}

std::string FormatFloatGeneral(double value, const TFormatSettings& fs) {
    if (!std::isfinite(value))
        return NonFinite(value);
    const TDecimal d = ToDecimal(value);
    if (d.Digits.empty())
        return "0";
    std::string out = d.Negative ? "-" : "";
    if (d.Exponent > 15 || d.Exponent < -4) {
        out += d.Digits[0];
        if (d.Digits.size() > 1) {
            out += fs.DecimalSeparator;
            out += d.Digits.substr(1);
        }
        out += 'E';
        out += std::to_string(d.Exponent - 1);
        return out;
    }
    const std::string intDigits = IntegerDigits(d);
    const std::string frac = FractionDigits(d);
    out += intDigits.empty() ? "0" : intDigits;
    if (!frac.empty()) {
        out += fs.DecimalSeparator;
        out += frac;
    }
    return out;
}

std::string FormatFloatFixed(double value, int decimals, const TFormatSettings& fs) {
    std::string pattern = "0";
    if (decimals > 0)
        pattern += "." + std::string(static_cast<size_t>(decimals), '0');
    return FormatFloat(pattern, value, fs);
}

} // namespace orvanta
