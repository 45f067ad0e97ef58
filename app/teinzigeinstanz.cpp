#include "app/teinzigeinstanz.h"

#include "app/orvantaapplication.h"

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

} // namespace

TEinzigeInstanz::TEinzigeInstanz(const QString& dataFile, QObject* parent)
    : QObject(parent), lock_(dataFile) {}

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
    QString text =
        QStringLiteral("Der Plan „%1“ ist bereits in einem anderen Orvanta-Fenster geöffnet")
            .arg(QDir::toNativeSeparators(dataFile));
    if (pid > 0)
        text += QStringLiteral(" (Prozess %1)").arg(pid);
    return text + QStringLiteral(".\n\nZwei Fenster auf derselben Datei würden gegenseitig "
                                 "ihre Änderungen überschreiben. Soll das geöffnete Fenster "
                                 "nach vorn geholt werden?");
}

bool TEinzigeInstanz::Sperren() {
    const TDataFileLock::Zustand z = lock_.Sperren();
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
                    Meldungstext(lock_.DataFile(), lock_.HalterProzess()), QMessageBox::NoButton);
    QPushButton* zeigen = box.addButton(ZeigenText(), QMessageBox::AcceptRole);
    QPushButton* beenden = box.addButton(BeendenText(), QMessageBox::RejectRole);
    box.setDefaultButton(zeigen);
    box.setEscapeButton(beenden);
    box.exec();
    if (box.clickedButton() == zeigen &&
        !BittenZuZeigen(lock_.HalterProzess(), lock_.HalterProgramm())) {
        QMessageBox::information(nullptr, TOrvantaApplication::Titel(),
                                 QStringLiteral("Das geöffnete Fenster kann nicht nach vorn "
                                                "geholt werden. Bitte wechseln Sie selbst "
                                                "dorthin."));
    }
    return false;
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
