#pragma once
// The regional number format (decimal and thousands separator). The program
// sets it once at start from the system's regional settings; German is the
// default, also for a system without any regional setting.

namespace orvanta {

struct TFormatSettings {
    char DecimalSeparator = ',';
    char ThousandSeparator = '.';
};

inline TFormatSettings& FormatSettingsInstance() {
    static TFormatSettings settings;
    return settings;
}
inline const TFormatSettings& FormatSettings() {
    return FormatSettingsInstance();
}
inline void SetFormatSettings(const TFormatSettings& fs) {
    FormatSettingsInstance() = fs;
}

} // namespace orvanta
