#include "tests/support/widgettools.h"

#include "controls/tbrixdialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

namespace orvanta::testing {

bool ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

bool Activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitFor([&window] { return QApplication::activeWindow() == &window; });
}

bool ShowInColumn(QWidget& window, const QList<QWidget*>& widgets) {
    auto* layout = new QVBoxLayout(&window);
    for (QWidget* w : widgets)
        layout->addWidget(w);
    return ShowActive(window);
}

bool OpenDialog(TbrixDialog& dialog, QWidget* focus, Qt::FocusReason reason) {
    dialog.setResult(TbrixDialog::mrNone);
    if (dialog.ModalDialog())
        dialog.open();
    else
        dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog))
        return false;
    QCoreApplication::processEvents();
    if (!focus)
        return true;
    focus->setFocus(reason);
    return focus->hasFocus();
}

QWidget* KeyTarget() {
    if (QWidget* focus = QApplication::focusWidget())
        return focus;
    return QApplication::activeWindow();
}

void Key(int key, Qt::KeyboardModifiers mods) {
    QTest::keyClick(KeyTarget(), Qt::Key(key), mods);
}

void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        const int key = c.toUpper().unicode();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

void FlushEvents() {
    for (int round = 0; round < 3; ++round) {
        // A call posted now runs after everything posted before it.
        bool reached = false;
        QMetaObject::invokeMethod(
            qApp, [&reached] { reached = true; }, Qt::QueuedConnection);
        while (!reached)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

void MissingControl(const QWidget& window, const QString& name, const char* type) {
    qFatal("%s has no control %s of type %s", window.metaObject()->className(), qPrintable(name),
           type);
}

void TabInto(QWidget* field) {
    // A message box may just have closed: the window must be active again.
    QTRY_VERIFY(field->window()->isActiveWindow());
    QWidget* previous = field->previousInFocusChain();
    previous->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(previous, Qt::Key_Tab);
    QVERIFY(field->hasFocus());
}

} // namespace orvanta::testing
