#include "app/orvantaapplication.h"

#include "controls/errordisplay.h"
#include "core/errors.h"

namespace orvanta {

TOrvantaApplication::TOrvantaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Only the name: an explicit display name makes the platform append
    // " — Orvanta" to every window caption. Message boxes take their title
    // from applicationDisplayName(), which falls back to this name.
    setApplicationName(Titel());
}

QString TOrvantaApplication::Titel() {
    return QStringLiteral("Orvanta");
}

QString TOrvantaApplication::Fehlertext(std::exception_ptr e) {
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& err) {
        return ExceptionText(err);
    } catch (...) {
        return QStringLiteral("Interner Fehler.");
    }
}

bool TOrvantaApplication::notify(QObject* receiver, QEvent* event) {
    // Errors end the running operation here; the program goes on. A refused
    // entry (EUserEditError) is an EOrvantaError as well; any other exception
    // must not end the program either, so that the adviser can correct the
    // plan that caused it.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ShowErrorMessage(Fehlertext(std::current_exception()), activeWindow());
    }
    return true;
}

} // namespace orvanta
