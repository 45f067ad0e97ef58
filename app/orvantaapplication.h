#pragma once
// The application object with the default error handler: an error that ends
// an operation (file, conversion, range, arithmetic, a refused entry) reaches
// the event loop and is shown here in a modal message box; the program goes on.

#include <QApplication>
#include <QString>

namespace orvanta {

class TOrvantaApplication : public QApplication {
    Q_OBJECT
public:
    TOrvantaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Title of the application's message boxes.
    static QString Titel();
};

} // namespace orvanta
