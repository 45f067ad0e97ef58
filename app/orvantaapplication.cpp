#include "app/orvantaapplication.h"

#include "controls/errordisplay.h"
#include "controls/housestyle.h"
#include "core/errors.h"
#include "reports/reportpreview.h"

#include <QIcon>
#include <QLocale>

#include <utility>
#include <vector>

namespace orvanta {

namespace {

bool istCLocale(const QByteArray& name) {
    return name == "C" || name == "POSIX" || name.startsWith("C.");
}

} // namespace

TOrvantaApplication::TOrvantaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Only the name: an explicit display name makes the platform append
    // " — Orvanta" to every window caption. Message boxes take their title
    // from applicationDisplayName(), which falls back to this name.
    setApplicationName(Titel());
    setDesktopFileName(DesktopEintrag());
    // The installed theme's icon where there is one, else the one built in.
    setWindowIcon(QIcon::fromTheme(DesktopEintrag(), QIcon(QStringLiteral(":/orvanta.png"))));
    reports::InstallGermanQtTranslations();
    // Greyed text readable in every window, the password and preview windows too.
    setPalette(ReadableDisabledPalette(palette()));
}

void TOrvantaApplication::DeutschOhneRegionaleinstellungen() {
    // The variables Qt reads for its system locale; LC_ALL overrides the others.
    const char* const kategorien[] = {"LC_NUMERIC",  "LC_TIME",        "LC_MONETARY",
                                      "LC_MESSAGES", "LC_MEASUREMENT", "LC_COLLATE"};
    std::vector<std::pair<const char*, QByteArray>> vorher;
    const auto deutsch = [&vorher](const char* name) {
        vorher.emplace_back(name, qgetenv(name));
        qputenv(name, "de_DE.UTF-8");
    };
    const QByteArray alle = qgetenv("LC_ALL");
    if (!alle.isEmpty()) {
        if (istCLocale(alle))
            deutsch("LC_ALL");
    } else {
        const QByteArray lang = qgetenv("LANG");
        if (lang.isEmpty() || istCLocale(lang))
            deutsch("LANG");
        for (const char* name : kategorien)
            if (istCLocale(qgetenv(name)))
                deutsch(name);
    }
    if (vorher.empty())
        return;
    (void)QLocale::system(); // Qt reads and keeps the settings now
    for (const auto& [name, wert] : vorher) {
        if (wert.isNull())
            qunsetenv(name);
        else
            qputenv(name, wert);
    }
}

QString TOrvantaApplication::DesktopEintrag() {
    return QStringLiteral("orvanta");
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
