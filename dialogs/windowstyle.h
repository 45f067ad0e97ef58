#pragma once
// Look of the windows beyond the shared house colours: Arial in pixel sizes,
// section headers, field captions and the buttons.

#include <QFont>
#include <QString>

class QLabel;
class QRadioButton;
class QWidget;

namespace orvanta {

class TEditFloat;
class TEditLabel;
class TExplorerButton;

QFont ArialPx(int px, bool bold = false);

// A section header: caption beginning with two blanks, bold white Arial on
// house red, as wide as its column.
TEditLabel* Kopfzeile(QWidget* parent, const QString& caption, int x, int y, int w, int h = 18);

// The caption of a field: one line of Arial 12, 16 pixels high; with a focus
// control its accelerator and a click lead there.
TEditLabel* Beschriftung(QWidget* parent, const QString& caption, int x, int y, int w,
                         QWidget* focus = nullptr);

// A line of text in Arial of px pixels, 16 pixels high.
QLabel* Textzeile(QWidget* parent, const QString& caption, int x, int y, int w, bool bold = false,
                  int px = 12);

// A radio button in Arial 12, 18 pixels high.
QRadioButton* Knopf(QWidget* parent, const QString& caption, int x, int y, int w);

// A right-aligned number field in Arial 12, 21 pixels high. Without decimals
// it takes whole numbers: ages, durations and months are stored so.
TEditFloat* Zahlfeld(QWidget* parent, int x, int y, int w, int decimals);

// A visible button of the windows in the house design and colours.
TExplorerButton* HausButton(QWidget* parent, const QString& caption, int x, int y, int w);

} // namespace orvanta
