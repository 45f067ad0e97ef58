#pragma once
// The preview's cells and built captions keep their normal size for ordinary
// plans and shrink only as far as a large figure needs: every amount the
// window can produce (up to 12 digits before the comma) shows whole instead
// of losing its leading digits at the cell's edge.

#include <QString>

class QFont;
class QLabel;
class QLineEdit;

namespace orvanta {

// The preview's font: one pixel below the input panel's, so that amounts up
// to 99.999.999,99 € fit the four value columns and the built captions with
// their amounts fit the label column, all within the panel's 657 pixels.
// Larger figures (up to 12 digits before the comma) shrink their cell's font
// as far as they need, never below the smallest size.
constexpr int VorschauPx = 11;
constexpr int VorschauMinPx = 7;

// The largest pixel size from maxPx down to minPx at which text is at most
// width pixels wide in font; minPx when even that is too wide.
int FittingPixelSize(const QFont& font, const QString& text, int width, int maxPx, int minPx);

// Width a line edit leaves for its text: inside its contents and margins, a
// little room on either side and for the cursor.
int TextRoom(const QLineEdit& edit);

// Sets the widget's font to the fitting size for its current text.
void FitToWidth(QLabel& label, int maxPx, int minPx);
void FitToWidth(QLineEdit& edit, int maxPx, int minPx);
// As FitToWidth, and again whenever the text changes.
void KeepFitting(QLineEdit& edit, int maxPx, int minPx);

} // namespace orvanta
