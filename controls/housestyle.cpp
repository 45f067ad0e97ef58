#include "controls/housestyle.h"

#include <cmath>

namespace orvanta {

namespace {
double Linear(double channel) {
    return channel <= 0.03928 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
double Luminance(const QColor& c) {
    return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}
} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableTextColor(const QColor& text, const QColor& background, double minContrast) {
    if (ContrastRatio(text, background) >= minContrast)
        return text;
    const QColor target = Luminance(background) > 0.18 ? QColor(Qt::black) : QColor(Qt::white);
    // In steps of 1/64 of the way: the first colour that is readable enough.
    for (int step = 1; step <= 64; ++step) {
        const double t = step / 64.0;
        const QColor c = QColor::fromRgbF(
            static_cast<float>(text.redF() + (target.redF() - text.redF()) * t),
            static_cast<float>(text.greenF() + (target.greenF() - text.greenF()) * t),
            static_cast<float>(text.blueF() + (target.blueF() - text.blueF()) * t));
        if (ContrastRatio(c, background) >= minContrast)
            return c.toRgb();
    }
    return target;
}

QColor DisabledFieldText(const QPalette& palette) {
    return ReadableTextColor(palette.color(QPalette::Disabled, QPalette::Text),
                             palette.color(QPalette::Active, QPalette::Button));
}

QPalette ReadableDisabledPalette(QPalette palette, double minContrast) {
    const QColor backgrounds[] = {palette.color(QPalette::Disabled, QPalette::Window),
                                  palette.color(QPalette::Disabled, QPalette::Button),
                                  palette.color(QPalette::Disabled, QPalette::Base),
                                  palette.color(QPalette::Active, QPalette::Window),
                                  palette.color(QPalette::Active, QPalette::Button),
                                  ShadedRowGrey()};
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText}) {
        QColor text = palette.color(QPalette::Disabled, role);
        // Moving towards black (on light backgrounds) only gains contrast
        // against the others, so one pass suffices.
        for (const QColor& background : backgrounds)
            text = ReadableTextColor(text, background, minContrast);
        palette.setColor(QPalette::Disabled, role, text);
    }
    return palette;
}

void ApplyHouseButtonDesign(TExplorerButton& button) {
    button.SetRounded(true);
    button.SetOptions(TExplorerButton::boMonoDisplay | TExplorerButton::boPopupMark |
                      TExplorerButton::boShowBevel | TExplorerButton::boNonFocBorder);
    button.SetActivateByReturn(false);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(12);
    button.setFont(font);
    button.setFixedHeight(21);
}

void ApplyHouseButtonColors(TExplorerButton& button) {
    TExplorerButtonColors colors = button.Colors();
    colors.NonFocusColor = HouseRed();
    colors.FocusColor = HouseFocusRed();
    button.SetColors(colors);
    button.SetFontColor(Qt::white);
    // Once per button: the focus pen takes the font colour on every focus.
    if (!button.property("orvantaHouseFocusPen").toBool()) {
        button.setProperty("orvantaHouseFocusPen", true);
        QObject::connect(&button, &TExplorerButton::focusReceived, &button,
                         [b = &button] { b->SetFocusPenColor(b->FontColor()); });
    }
}

} // namespace orvanta
