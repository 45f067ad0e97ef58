#include "controls/errordisplay.h"

#include "core/errors.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QWidget>

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

void ShowException(const std::exception& e, QWidget* parent) {
    ShowErrorMessage(QString::fromStdString(FehlerText(e)), parent);
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
