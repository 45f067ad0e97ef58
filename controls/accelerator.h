#pragma once
// Accelerator letters ("&" in a caption) and the keyboard rules around them:
// Alt and the letter, or the letter alone while the focused control takes no
// typed characters.

#include <QChar>
#include <QString>

class QKeyEvent;
class QShortcut;
class QWidget;

namespace orvanta {

// The letter after a single "&" in upper case ("&&" is a literal ampersand);
// a null QChar when the caption has none.
QChar AcceleratorChar(const QString& caption);

// The caption as shown, without the accelerator mark.
QString StripAccelerator(const QString& caption);

// The letter or digit a key event stands for, in upper case; null if none.
QChar KeyEventChar(const QKeyEvent& event);

// Whether the control would take the key as a typed character (edit boxes,
// combo fields, lists), so that a letter alone is no accelerator there.
bool TakesTypedCharacters(const QWidget* control);

// Whether a control can take the focus: it and all its containers visible
// (once its window is shown) and enabled.
bool CanFocus(const QWidget* control);

// Outside the dialog frame Alt and the letter work through a shortcut of the
// control; in frame windows the frame routes accelerator keys itself. Keeps
// that shortcut in step with the caption: keyed to Alt and the caption's
// letter, or to no key at all when the caption has no letter or the control
// has nothing to act on (active false).
void SetAcceleratorKey(QShortcut& shortcut, const QString& caption, bool active);

} // namespace orvanta
