#include "app/application.h"

#include <QApplication>
#include <QLabel>

namespace orvanta {

int runApplication(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel placeholder(QStringLiteral("Orvanta ist noch nicht bereit."));
    placeholder.setWindowTitle(QStringLiteral("Orvanta 1.6"));
    placeholder.setMinimumSize(400, 120);
    placeholder.setAlignment(Qt::AlignCenter);
    placeholder.show();
    return app.exec();
}

} // namespace orvanta
