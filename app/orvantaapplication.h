#pragma once
// The application object with the default error handler: an error that ends
// an operation (file, conversion, range, arithmetic, a refused entry) reaches
// the event loop and is shown here in a modal message box; the program goes on.
// So does any other exception (memory running out, an internal fault): it is
// shown in German and the window stays usable.

#include <QApplication>
#include <QString>

#include <exception>

namespace orvanta {

class TOrvantaApplication : public QApplication {
    Q_OBJECT
public:
    TOrvantaApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Title of the application's message boxes.
    static QString Titel();

    // The German text for an exception that ended an operation
    // (ExceptionText for a std::exception), also for one that is none.
    static QString Fehlertext(std::exception_ptr e);
};

} // namespace orvanta
