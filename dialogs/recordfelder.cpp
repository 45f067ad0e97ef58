#include "dialogs/recordfelder.h"

#include "controls/teditfloat.h"
#include "core/errors.h"
#include "core/numberpattern.h"

namespace orvanta {

QString Zahlenmuster(int decimals) {
    return QString(decimals + 2, QLatin1Char('#')) + QStringLiteral("0.") +
           QString(decimals, QLatin1Char('0'));
}

void SetzeFormat(TEditFloat* field, int decimals, const QString& suffix) {
    field->SetFormatEdit(Zahlenmuster(decimals));
    field->SetFormatView(Zahlenmuster(decimals) + suffix);
}

std::string ScenarioChoiceText(double rate) {
    return FormatFloatGeneral(rate) + " %";
}

double ScenarioRateFromChoice(std::string_view text) {
    if (!text.empty() && text[0] >= '0' && text[0] <= '9')
        return text[0] - '0';
    // Name the whole first character in the message, also when it is not ASCII.
    std::size_t len = 0;
    if (!text.empty()) {
        const auto lead = static_cast<unsigned char>(text[0]);
        len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (len > text.size())
            len = text.size();
    }
    throw EConvertError("'" + std::string(text.substr(0, len)) +
                        "' ist kein gültiger Gleitkommawert");
}

std::int32_t AgioZahlungsartFromSettings(bool sofortChecked, bool ratierlichChecked) {
    return sofortChecked && !ratierlichChecked ? AgioSofort : AgioRatierlich;
}

} // namespace orvanta
