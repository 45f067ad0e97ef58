#include "controls/housestyle.h"

namespace orvanta {

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
        QObject::connect(&button, &TExplorerButton::OnSetFocus, &button,
                         [b = &button] { b->SetFocusPenColor(b->FontColor()); });
    }
}

} // namespace orvanta
