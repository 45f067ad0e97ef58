#include "app/orvantaapplication.h"

#include "core/errors.h"

#include <QMessageBox>

namespace orvanta {

TOrvantaApplication::TOrvantaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Orvanta"));
    setApplicationDisplayName(QString());
}

QString TOrvantaApplication::Titel() { return QStringLiteral("Orvanta"); }

namespace {
// Until the controls' error display is available: the same box.
void ZeigeFehler(const QString& message) {
    QString text = message;
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        text += QLatin1Char('.');
    QMessageBox box(QMessageBox::Critical, TOrvantaApplication::Titel(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
} // namespace

bool TOrvantaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EOrvantaError& e) {
        ZeigeFehler(QString::fromUtf8(e.what()));
    }
    return true;
}

} // namespace orvanta
