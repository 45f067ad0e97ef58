#include "controls/regionalsettings.h"

namespace orvanta {

namespace {

// One separator as a single byte, or 0 when it has no such form.
char SeparatorChar(const QString& s) {
    if (s.size() != 1)
        return 0;
    const char16_t c = s.at(0).unicode();
    if (c > 0x20 && c < 0x7f)
        return static_cast<char>(c);
    if (c == u' ' || c == u'\u00a0' || c == u'\u202f' || c == u'\u2009')
        return ' ';
    if (c == u'\u2019')
        return '\'';
    return 0;
}

} // namespace

TFormatSettings formatSettingsFromLocale(const QLocale& locale) {
    const TFormatSettings german;
    if (locale.language() == QLocale::C)
        return german;
    TFormatSettings fs;
    fs.DecimalSeparator = SeparatorChar(locale.decimalPoint());
    fs.ThousandSeparator = SeparatorChar(locale.groupSeparator());
    if (fs.DecimalSeparator == 0 || fs.DecimalSeparator == ' ' ||
        (fs.DecimalSeparator >= '0' && fs.DecimalSeparator <= '9'))
        return german;
    // The two must differ, or a typed number could not be read back.
    if (fs.ThousandSeparator == 0 || fs.ThousandSeparator == fs.DecimalSeparator)
        fs.ThousandSeparator = fs.DecimalSeparator == ',' ? '.' : ',';
    return fs;
}

TFormatSettings applySystemFormatSettings() {
    const TFormatSettings fs = formatSettingsFromLocale(QLocale::system());
    SetFormatSettings(fs);
    return fs;
}

} // namespace orvanta
