#pragma once
// Helpers shared by the widget tests of the controls.

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace orvanta::testing {

// Top-level windows still on screen; a test must close what it opened.
inline QStringList VisibleTopLevels() {
    QStringList names;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w->isVisible())
            names << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') +
                         w->windowTitle();
    }
    return names;
}

// Shows a window and waits until it is active, so that focus and keys work.
inline bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// The widget a key goes to: the focused control, or the active window.
inline QWidget* KeyTarget() {
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

inline void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(KeyTarget(), Qt::Key(key), mods);
}

// Runs action on the next modal window once it is up and active, from inside
// its event loop. A window the action leaves open is closed after a while so
// that a failing test reports instead of hanging.
inline void WhenModal(std::function<void(QWidget*)> action) {
    QTimer::singleShot(0, [action] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        QVERIFY(QTest::qWaitForWindowActive(modal));
        QTimer::singleShot(5000, modal, [modal] {
            if (modal->isVisible()) {
                qWarning("modal window left open by the test; closing it");
                modal->close();
            }
        });
        action(modal);
    });
}

} // namespace orvanta::testing

// Every test ends with no window left open.
#define ORVANTA_VERIFY_NO_WINDOW_LEFT()                                                            \
    do {                                                                                           \
        const QStringList left = orvanta::testing::VisibleTopLevels();                             \
        QVERIFY2(left.isEmpty(), qPrintable(left.join(QStringLiteral(", "))));                     \
    } while (false)
