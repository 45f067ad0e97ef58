#include "app/orvantaapplication.h"

#include "core/errors.h"

#include <QMessageBox>

namespace orvanta {

TOrvantaApplication::TOrvantaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Orvanta"));
    setApplicationDisplayName(QString());
}

QString TOrvantaApplication::Titel() { return QStringLiteral("Orvanta"); }

QString ErrorDisplayText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void ShowErrorMessage(const QString& message) {
    QMessageBox box(QMessageBox::Critical, TOrvantaApplication::Titel(), ErrorDisplayText(message),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool TOrvantaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const EOrvantaError& e) {
        ShowErrorMessage(QString::fromUtf8(e.what()));
    }
    return true;
}

} // namespace orvanta
