#pragma once
// The house colours and the look every visible button of the windows shares.

#include "controls/texplorerbutton.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace orvanta {

// Buttons and header bars, with white text.
inline QColor HouseRed() {
    return QColor(255, 39, 13);
}
// Buttons while they have the focus.
inline QColor HouseFocusRed() {
    return QColor(211, 49, 31);
}
// Shaded table rows.
inline QColor ShadedRowGrey() {
    return QColor(229, 229, 229);
}

// Contrast of two colours as the accessibility guidelines define it: 1 for
// equal colours up to 21 for black on white.
double ContrastRatio(const QColor& a, const QColor& b);
// The text colour itself when it stands out from the background by at least
// minContrast; otherwise the same hue moved towards black (or, on a dark
// background, towards white) just far enough. Greyed fields still show
// figures the customer reads, so the platform's grey must stay legible.
QColor ReadableTextColor(const QColor& text, const QColor& background, double minContrast = 4.5);
// The text of a disabled field on its button-face background: the palette's
// disabled grey, made readable there.
QColor DisabledFieldText(const QPalette& palette);

// The palette with every disabled text (captions, button texts, field
// texts) readable at minContrast on every background it may stand on: the
// window, buttons, fields and the shaded rows. Greyed captions still tell
// the customer what a greyed choice is.
QPalette ReadableDisabledPalette(QPalette palette, double minContrast = 4.5);

// The design of a visible button: rounded, flat, Arial 12, 21 pixels high.
void ApplyHouseButtonDesign(TExplorerButton& button);

// What a window does for each of its buttons when it is activated: red fill,
// darker red while focused, white text. The text stays white while the button
// has the focus, because its focus pen follows the font colour.
void ApplyHouseButtonColors(TExplorerButton& button);

} // namespace orvanta
