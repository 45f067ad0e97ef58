#include "app/teinzigeinstanz.h"

#include "app/orvantaapplication.h"
#include "core/errors.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace orvanta {

namespace {

// The signal handler may only write to a descriptor; the event loop reads it.
int g_weckPaar[2] = {-1, -1};

void weckHandler(int) {
    const int saved = errno;
    const char c = 1;
    (void)!::write(g_weckPaar[0], &c, 1);
    errno = saved;
}

QString eigenerProgrammname() {
    return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
}

// Two names of one file (relative, through a link) share one lock.
QString sperrIdentitaet(const QString& datei) {
    const QFileInfo info(TDataFileLock::LockFilePath(datei));
    const QFileInfo ordner(info.absolutePath());
    const QString pfad = ordner.canonicalFilePath();
    return (pfad.isEmpty() ? ordner.absoluteFilePath() : pfad) + QLatin1Char('/') + info.fileName();
}

QString bereitsGeoeffnet(const QString& dataFile, qint64 pid) {
    QString text =
        QStringLiteral("Der Plan „%1“ ist bereits in einem anderen Orvanta-Fenster geöffnet")
            .arg(QDir::toNativeSeparators(dataFile));
    if (pid > 0)
        text += QStringLiteral(" (Prozess %1)").arg(pid);
    return text;
}

// Long enough for the tool, which holds the lock while it rewrites the file.
constexpr std::chrono::milliseconds kWarteAufWerkzeug{3000};

} // namespace

TEinzigeInstanz::TEinzigeInstanz(const QString& dataFile, QObject* parent)
    : QObject(parent), lock_(std::make_unique<TDataFileLock>(dataFile)) {}

TEinzigeInstanz::~TEinzigeInstanz() {
    if (notifier_) {
        std::signal(SIGUSR1, SIG_IGN);
        delete notifier_;
        ::close(g_weckPaar[0]);
        ::close(g_weckPaar[1]);
        g_weckPaar[0] = g_weckPaar[1] = -1;
    }
}

QString TEinzigeInstanz::Meldungstext(const QString& dataFile, qint64 pid) {
    return bereitsGeoeffnet(dataFile, pid) +
           QStringLiteral(".\n\nZwei Fenster auf derselben Datei würden gegenseitig "
                          "ihre Änderungen überschreiben. Soll das geöffnete Fenster "
                          "nach vorn geholt werden?");
}

bool TEinzigeInstanz::Sperren() {
    const TDataFileLock::Zustand z = lock_->Sperren();
    if (z != TDataFileLock::Zustand::Belegt) {
        // The first window answers a later start's request to come forward.
        if (z == TDataFileLock::Zustand::Gehalten && !notifier_ && g_weckPaar[0] < 0 &&
            ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_weckPaar) == 0) {
            notifier_ = new QSocketNotifier(g_weckPaar[1], QSocketNotifier::Read, this);
            connect(notifier_, &QSocketNotifier::activated, this, [this] {
                char buf[16];
                while (::read(g_weckPaar[1], buf, sizeof buf) > 0) {
                }
                Zeigen();
            });
            struct sigaction sa {};
            sa.sa_handler = weckHandler;
            sigemptyset(&sa.sa_mask);
            sa.sa_flags = SA_RESTART;
            ::sigaction(SIGUSR1, &sa, nullptr);
        }
        return true;
    }

    QMessageBox box(QMessageBox::Warning, TOrvantaApplication::Titel(),
                    Meldungstext(lock_->DataFile(), lock_->HalterProzess()), QMessageBox::NoButton);
    QPushButton* zeigen = box.addButton(ZeigenText(), QMessageBox::AcceptRole);
    QPushButton* beenden = box.addButton(BeendenText(), QMessageBox::RejectRole);
    box.setDefaultButton(zeigen);
    box.setEscapeButton(beenden);
    box.exec();
    if (box.clickedButton() == zeigen &&
        !BittenZuZeigen(lock_->HalterProzess(), lock_->HalterProgramm())) {
        QMessageBox::information(nullptr, TOrvantaApplication::Titel(),
                                 QStringLiteral("Das geöffnete Fenster kann nicht nach vorn "
                                                "geholt werden. Bitte wechseln Sie selbst "
                                                "dorthin."));
    }
    return false;
}

std::unique_ptr<TDataFileLock> TEinzigeInstanz::Vorbereiten(const QString& datei) const {
    if (sperrIdentitaet(datei) == sperrIdentitaet(lock_->DataFile()))
        return nullptr;
    auto neu = std::make_unique<TDataFileLock>(datei);
    TDataFileLock::Zustand z = neu->Sperren();
    // Another window keeps its file; the tool lets go within moments.
    if (z == TDataFileLock::Zustand::Belegt && neu->HalterProgramm() != eigenerProgrammname()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        z = neu->Sperren(kWarteAufWerkzeug);
        QApplication::restoreOverrideCursor();
    }
    if (z != TDataFileLock::Zustand::Belegt)
        return neu; // held, or (a folder without write access) the window goes on without one
    if (neu->HalterProgramm() == eigenerProgrammname())
        throw EOrvantaError(
            (bereitsGeoeffnet(datei, neu->HalterProzess()) +
             QStringLiteral(". Zwei Fenster auf derselben Datei würden gegenseitig ihre "
                            "Änderungen überschreiben; bitte dort weiterarbeiten oder "
                            "einen anderen Dateinamen wählen."))
                .toStdString());
    throw EOrvantaError(neu->Hinderungsgrund(z).toStdString());
}

void TEinzigeInstanz::Uebernehmen(std::unique_ptr<TDataFileLock> neu) {
    if (neu)
        lock_ = std::move(neu); // the old lock is let go as it is destroyed
}

bool TEinzigeInstanz::BittenZuZeigen(qint64 pid, const QString& programm) const {
    // Only the program itself understands the request; the tool, which holds
    // the lock for moments, would be ended by the signal.
    if (pid <= 0 || programm != eigenerProgrammname())
        return false;
    return ::kill(static_cast<pid_t>(pid), SIGUSR1) == 0;
}

void TEinzigeInstanz::Zeigen() {
    if (!fenster_)
        return;
    // The open modal dialog, when there is one, is what the adviser must answer.
    QWidget* ziel =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : fenster_.data();
    for (QWidget* w : {fenster_.data(), ziel}) {
        if (w->windowState() & Qt::WindowMinimized)
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->show();
    }
    ziel->raise();
    ziel->activateWindow();
}

} // namespace orvanta
