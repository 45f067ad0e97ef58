#include "dialogs/beimoeffner.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace orvanta {

namespace {

class TBeimOeffner : public QObject {
public:
    TBeimOeffner(QDialog& dialog, bool binden)
        : QObject(&dialog), dialog_(dialog), binden_(binden) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &dialog_)
            return false;
        if (event->type() == QEvent::Show && binden_)
            AnOeffnerBinden();
        else if (event->type() == QEvent::WindowStateChange && dialog_.isVisible() &&
                 (dialog_.windowState() & Qt::WindowMinimized))
            // Later: the window manager may be minimising the opener as well.
            QTimer::singleShot(200, this, [this] { Zurueckholen(); });
        return false;
    }

private:
    void AnOeffnerBinden() {
        QWindow* w = dialog_.windowHandle();
        if (dialog_.parentWidget() || !w)
            return;
        QWidget* opener = QApplication::activeWindow();
        if (opener && opener != &dialog_ && opener->windowHandle())
            w->setTransientParent(opener->windowHandle());
    }

    void Zurueckholen() {
        const QWindow* w = dialog_.windowHandle();
        const QWindow* opener = w ? w->transientParent() : nullptr;
        // Minimised together with its opener, it comes back with it.
        if (opener && (opener->windowStates() & Qt::WindowMinimized))
            return;
        if (dialog_.isVisible() && (dialog_.windowState() & Qt::WindowMinimized)) {
            dialog_.setWindowState(dialog_.windowState() & ~Qt::WindowMinimized);
            dialog_.raise();
            dialog_.activateWindow();
        }
    }

    QDialog& dialog_;
    bool binden_;
};

} // namespace

void BeimOeffnerHalten(QDialog& dialog, bool transient) {
    dialog.installEventFilter(new TBeimOeffner(dialog, transient));
}

} // namespace orvanta
