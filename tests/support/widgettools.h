#pragma once
// Driving widgets as a user does: windows shown and active, keys to the
// focused control, text typed key by key, fields entered with Tab.

#include <QList>
#include <QString>
#include <QWidget>
#include <Qt>

namespace orvanta {
class TbrixDialog;
}

namespace orvanta::testing {

// Shows a window and waits until it is active, so that focus and keys work.
bool ShowActive(QWidget& window);

// Activates the window and waits until it is the application's active window
// itself: a window it opened having the focus does not count.
bool Activate(QWidget& window);

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

// Runs what the event loop holds (zero timers and posted calls included) and
// what that queues in turn, a few rounds deep: what was to come has come, so
// that a test may check that nothing did.
void FlushEvents();

[[noreturn]] void MissingControl(const QWidget& window, const QString& name, const char* type);

// The control of window that has that object name and type, as a user finds
// it by its caption: a control of a window opened from it does not count. A
// window without it ends the test run with the name.
template <typename T = QWidget> T* Control(const QWidget& window, const QString& name) {
    for (T* control : window.findChildren<T*>(name))
        if (control->window() == &window)
            return control;
    MissingControl(window, name, T::staticMetaObject.className());
}

} // namespace orvanta::testing
