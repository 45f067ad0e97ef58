#pragma once
// Driving widgets as a user does: windows shown and active, keys to the
// focused control, text typed key by key, fields entered with Tab.

#include <QList>
#include <QString>
#include <Qt>

class QWidget;

namespace orvanta {
class TbrixDialog;
}

namespace orvanta::testing {

// Shows a window and waits until it is active, so that focus and keys work.
bool ShowActive(QWidget& window);

// Puts the widgets one above the other in the window, then as ShowActive.
bool ShowInColumn(QWidget& window, const QList<QWidget*>& widgets);

// Opens the dialog without blocking (modal results are read with result()),
// waits for its activation and gives focus, when set, the focus.
bool OpenDialog(TbrixDialog& dialog, QWidget* focus = nullptr,
                Qt::FocusReason reason = Qt::OtherFocusReason);

// The widget a key goes to: the focused control, or the active window.
QWidget* KeyTarget();
void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);

// Types text key by key, as a keyboard does: unlike QTest::keyClicks also
// characters beyond ASCII (umlauts, the euro sign).
void typeText(QWidget* widget, const QString& text);

// Gives the field the focus the way a user does: Tab from the field before.
// Fails the test when the window does not become active or the field misses
// the focus.
void TabInto(QWidget* field);

} // namespace orvanta::testing
