#include "core/formatprintf.h"

#include "core/errors.h"
#include "core/numberpattern.h"

namespace orvanta {

namespace {

// The runtime's texts for a specifier that cannot be carried out.
[[noreturn]] void InvalidFormat(std::string_view format) {
    throw EConvertError("Format '" + std::string(format) +
                        "' ungültig oder nicht kompatibel mit Argument");
}
[[noreturn]] void MissingArgument(std::string_view format) {
    throw EConvertError("Kein Argument für Format '" + std::string(format) + "'");
}

// Decimals beyond these add nothing a double holds.
constexpr int MaxDecimals = 18;

std::string Pad(std::string s, int width, bool left) {
    if (width > 0 && s.size() < static_cast<std::size_t>(width)) {
        const std::size_t fill = static_cast<std::size_t>(width) - s.size();
        if (left)
            s.append(fill, ' ');
        else
            s.insert(0, fill, ' ');
    }
    return s;
}

std::string FormatWhole(std::int64_t v, int minDigits) {
    // Magnitude as unsigned, so the smallest int64 keeps its digits.
    const std::uint64_t mag =
        v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    std::string digits = std::to_string(mag);
    if (minDigits > 0 && digits.size() < static_cast<std::size_t>(minDigits))
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    return v < 0 ? "-" + digits : digits;
}

} // namespace

std::string FormatFixedDecimals(double value, int decimals, const TFormatSettings& fs) {
    if (decimals < 0)
        decimals = 0;
    if (decimals > MaxDecimals)
        decimals = MaxDecimals;
    // The same rounding as the number patterns of the fields and reports.
    return FormatFloatFixed(value, decimals, fs);
}

std::string FormatPrintf(std::string_view format, std::initializer_list<TFormatArg> args,
                         const TFormatSettings& fs) {
    std::string out;
    auto next = args.begin();
    auto take = [&]() -> const TFormatArg& {
        if (next == args.end())
            MissingArgument(format);
        return *next++;
    };
    // "*" or digits; -1 when neither stands here.
    auto number = [&](std::size_t& i) -> int {
        if (i < format.size() && format[i] == '*') {
            ++i;
            const TFormatArg& a = take();
            if (a.kind() != TFormatArg::Int)
                InvalidFormat(format);
            const std::int64_t v = a.intValue();
            return v < 0 ? 0 : (v > 1000 ? 1000 : static_cast<int>(v));
        }
        if (i >= format.size() || format[i] < '0' || format[i] > '9')
            return -1;
        int v = 0;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9') {
            v = v * 10 + (format[i] - '0');
            if (v > 1000)
                InvalidFormat(format);
            ++i;
        }
        return v;
    };

    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%') {
            out.push_back(c);
            continue;
        }
        ++i;
        if (i < format.size() && format[i] == '%') {
            out.push_back('%');
            continue;
        }
        bool left = false;
        if (i < format.size() && format[i] == '-') {
            left = true;
            ++i;
        }
        const int width = number(i);
        int precision = -1;
        if (i < format.size() && format[i] == '.') {
            ++i;
            precision = number(i);
            if (precision < 0)
                precision = 0;
        }
        if (i >= format.size())
            InvalidFormat(format);
        const char type = static_cast<char>(format[i] | 0x20); // types in either case
        std::string item;
        switch (type) {
        case 'd': {
            const TFormatArg& a = take();
            if (a.kind() != TFormatArg::Int)
                InvalidFormat(format);
            item = FormatWhole(a.intValue(), precision);
            break;
        }
        case 'f': {
            const TFormatArg& a = take();
            if (a.kind() != TFormatArg::Float)
                InvalidFormat(format);
            item = FormatFixedDecimals(a.floatValue(), precision < 0 ? 2 : precision, fs);
            break;
        }
        case 's': {
            const TFormatArg& a = take();
            if (a.kind() != TFormatArg::Text)
                InvalidFormat(format);
            std::string_view t = a.textValue();
            if (precision >= 0 && t.size() > static_cast<std::size_t>(precision))
                t = t.substr(0, static_cast<std::size_t>(precision));
            item.assign(t);
            break;
        }
        default:
            InvalidFormat(format);
        }
        out += Pad(std::move(item), width, left);
    }
    return out;
}

} // namespace orvanta
