#pragma once
// Look of the windows beyond the shared house colours: Arial in pixel sizes,
// section headers, field captions and the buttons.

#include <QFont>
#include <QString>

class QWidget;

namespace orvanta {

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

// A visible button of the windows in the house design and colours.
TExplorerButton* HausButton(QWidget* parent, const QString& caption, int x, int y, int w);

} // namespace orvanta
