#pragma once
// A plain message box: the application's title, the text and an OK button,
// no icon.

#include <QString>

class QWidget;

namespace orvanta {

void ShowPlainMessage(const QString& text, QWidget* parent = nullptr);

} // namespace orvanta
