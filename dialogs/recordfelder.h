#pragma once
// Conversions between the inputs of the windows and the plan record that the
// main window and the settings dialogs share, and the number formats of their
// fields.

#include "core/cp1252.h"

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace orvanta {

class TEditFloat;

inline QString Utf8(const std::string& s) {
    return QString::fromStdString(s);
}

// A text field of the record (Windows-1252) as shown in a text input.
template <std::size_t N> QString RecordText(const ShortString<N>& s) {
    return Utf8(ShortStringToUtf8(s));
}

// A text input into a text field of the record: the first N characters.
template <std::size_t N> void SetRecordText(ShortString<N>& s, const QString& text) {
    ShortStringFromUtf8(s, text.left(static_cast<qsizetype>(N)).toStdString());
}

// (d + 2) x "#", "0.", d x "0": the pattern of a number field with d decimals.
QString Zahlenmuster(int decimals);
// Edit pattern and view pattern (with the unit suffix) of a number field.
void SetzeFormat(TEditFloat* field, int decimals, const QString& suffix);

// "6 %": the entry of a scenario choice of the settings for a rate.
std::string ScenarioChoiceText(double rate);

// A scenario choice such as "6 %" or a typed "12": the first character read
// as a number (so "12" gives 1). Anything but a digit fails with
// "'<first character>' ist kein gültiger Gleitkommawert". Text is UTF-8.
double ScenarioRateFromChoice(std::string_view text);

// AgioZahlungsart from the settings' payment buttons: 1 only when
// "sofortige Entrichtung" alone is checked, else 2.
std::int32_t AgioZahlungsartFromSettings(bool sofortChecked, bool ratierlichChecked);

} // namespace orvanta
