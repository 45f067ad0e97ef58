#pragma once
// Look of the windows beyond the shared house colours: Arial in pixel sizes,
// section headers and the buttons.

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

// A visible button of the windows in the house design and colours.
TExplorerButton* HausButton(QWidget* parent, const QString& caption, int x, int y, int w);

} // namespace orvanta
