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
    // Also installs the German texts of Qt's own dialogs, the house icon and
    // the name of the desktop entry (taskbars take its icon and name).
    TOrvantaApplication(int& argc, char** argv);

    // A system without regional settings (C/POSIX) gets German ones for
    // Qt's own texts and formats as well (the file dialogs' sizes, dates and
    // file types), as it already does for the numbers. To be called before
    // the application object exists: Qt takes the system's settings from the
    // environment once. The environment is left as it was, so the programs
    // opened from here see the system as it is.
    static void DeutschOhneRegionaleinstellungen();

    // The name of the desktop entry, orvanta.desktop without its extension.
    static QString DesktopEintrag();

    bool notify(QObject* receiver, QEvent* event) override;

    // Title of the application's message boxes.
    static QString Titel();

    // The German text for an exception that ended an operation
    // (ExceptionText for a std::exception), also for one that is none.
    static QString Fehlertext(std::exception_ptr e);
};

} // namespace orvanta
