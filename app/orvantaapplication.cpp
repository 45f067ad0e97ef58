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

bool TOrvantaApplication::notify(QObject* receiver, QEvent* event) {
    // Errors end the running operation here; the program goes on. A refused
    // entry (EUserEditError) is an EOrvantaError as well.
    try {
        return QApplication::notify(receiver, event);
    } catch (const EOrvantaError& e) {
        ShowException(e, activeWindow());
    }
    return true;
}

} // namespace orvanta
