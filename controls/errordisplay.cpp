#include "controls/errordisplay.h"

#include "core/errors.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

#include <new>
#include <stdexcept>

namespace orvanta {

QString ErrorDisplayText(const QString& text) {
    if (!text.isEmpty() && text.back() > QLatin1Char('.'))
        return text + QLatin1Char('.');
    return text;
}

void ShowErrorMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(),
                    ErrorDisplayText(text), QMessageBox::Ok, parent ? parent->window() : nullptr);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}

QString ExceptionText(const std::exception& e) {
    if (dynamic_cast<const EOrvantaError*>(&e))
        return QString::fromUtf8(e.what());
    if (IsOutOfMemory(e) || IsSystemError(e))
        return ErrorDisplayText(QString::fromStdString(FehlerText(e)));
    return QStringLiteral("Interner Fehler: %1").arg(QString::fromLocal8Bit(e.what()));
}

void ShowException(const std::exception& e, QWidget* parent) {
    ShowErrorMessage(ExceptionText(e), parent);
}

bool RunAndReport(const std::function<void()>& op, QWidget* parent) {
    try {
        op();
        return true;
    } catch (const std::exception& e) {
        ShowException(e, parent);
    }
    return false;
}

} // namespace orvanta
