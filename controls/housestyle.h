#pragma once
// The house colours and the look every visible button of the windows shares.

#include "controls/texplorerbutton.h"

#include <QColor>
#include <QFont>

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

// The design of a visible button: rounded, flat, Arial 12, 21 pixels high.
void ApplyHouseButtonDesign(TExplorerButton& button);

// What a window does for each of its buttons when it is activated: red fill,
// darker red while focused, white text. The text stays white while the button
// has the focus, because its focus pen follows the font colour.
void ApplyHouseButtonColors(TExplorerButton& button);

} // namespace orvanta
