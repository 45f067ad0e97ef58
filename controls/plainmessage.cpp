#include "controls/plainmessage.h"

#include <QApplication>
#include <QMessageBox>

namespace orvanta {

void ShowPlainMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent ? parent : QApplication::activeWindow());
    box.exec();
}

} // namespace orvanta
