#include "app/teinzigeinstanz.h"

#include "app/orvantaapplication.h"
#include "core/errors.h"
#include "core/osfile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace orvanta {

namespace {

// What a later start sends to ask the first window to the front.
constexpr char ZeigenBitte[] = "zeigen\n";
// Long enough for a busy first process to accept the request.
constexpr int KanalWarteMs = 2000;

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

// Two names of one file, hard links included.
bool gleicheDatei(const QString& a, const QString& b) {
    if (sperrIdentitaet(a) == sperrIdentitaet(b))
        return true;
    const os::TFileStatus sa = os::StatusOf(QFile::encodeName(a).toStdString());
    const os::TFileStatus sb = os::StatusOf(QFile::encodeName(b).toStdString());
    return sa.Kind == os::TFileKind::Regular && sb.Kind == os::TFileKind::Regular &&
           sa.Identity == sb.Identity;
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
    : QObject(parent), FLock(std::make_unique<TDataFileLock>(dataFile)) {}

TEinzigeInstanz::~TEinzigeInstanz() = default;

QString TEinzigeInstanz::KanalName(qint64 pid) {
    return QStringLiteral("orvanta-fenster-%1").arg(pid);
}

void TEinzigeInstanz::Zuhoeren() {
    if (FKanal)
        return;
    FKanal = new QLocalServer(this);
    // Only this user's later starts may ask; a channel of an earlier process
    // with the same id (ended without cleaning up) is removed first.
    FKanal->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = KanalName(QCoreApplication::applicationPid());
    QLocalServer::removeServer(name);
    if (!FKanal->listen(name)) {
        delete FKanal;
        FKanal = nullptr;
        return;
    }
    connect(FKanal, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* anfrage = FKanal->nextPendingConnection()) {
            connect(anfrage, &QLocalSocket::disconnected, anfrage, &QObject::deleteLater);
            const auto lesen = [this, anfrage] {
                if (anfrage->canReadLine() && anfrage->readLine() == ZeigenBitte)
                    Zeigen();
            };
            connect(anfrage, &QLocalSocket::readyRead, this, lesen);
            lesen();
        }
    });
}

QString TEinzigeInstanz::Meldungstext(const QString& dataFile, qint64 pid) {
    return bereitsGeoeffnet(dataFile, pid) +
           QStringLiteral(".\n\nZwei Fenster auf derselben Datei würden gegenseitig "
                          "ihre Änderungen überschreiben. Soll das geöffnete Fenster "
                          "nach vorn geholt werden?");
}

bool TEinzigeInstanz::Sperren() {
    const TDataFileLock::Zustand z = FLock->Sperren();
    if (z != TDataFileLock::Zustand::Belegt) {
        // The first window answers a later start's request to come forward.
        if (z == TDataFileLock::Zustand::Gehalten)
            Zuhoeren();
        return true;
    }

    // A window on another host cannot be brought forward from here: the
    // reason names the host and how to free a lock left there.
    if (!FLock->HalterRechner().isEmpty()) {
        QMessageBox::warning(nullptr, TOrvantaApplication::Titel(),
                             FLock->Hinderungsgrund(TDataFileLock::Zustand::Belegt));
        return false;
    }
    QMessageBox box(QMessageBox::Warning, TOrvantaApplication::Titel(),
                    Meldungstext(FLock->DataFile(), FLock->HalterProzess()), QMessageBox::NoButton);
    QPushButton* zeigen = box.addButton(ZeigenText(), QMessageBox::AcceptRole);
    QPushButton* beenden = box.addButton(BeendenText(), QMessageBox::RejectRole);
    box.setDefaultButton(zeigen);
    box.setEscapeButton(beenden);
    box.exec();
    if (box.clickedButton() == zeigen &&
        !BittenZuZeigen(FLock->HalterProzess(), FLock->HalterProgramm())) {
        QMessageBox::information(nullptr, TOrvantaApplication::Titel(),
                                 QStringLiteral("Das geöffnete Fenster kann nicht nach vorn "
                                                "geholt werden. Bitte wechseln Sie selbst "
                                                "dorthin."));
    }
    return false;
}

std::unique_ptr<TDataFileLock> TEinzigeInstanz::Vorbereiten(const QString& datei) const {
    if (gleicheDatei(datei, FLock->DataFile()))
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
        FLock = std::move(neu); // the old lock is let go as it is destroyed
}

bool TEinzigeInstanz::BittenZuZeigen(qint64 pid, const QString& programm) const {
    // Only the program itself listens; the tool holds the lock for moments.
    if (pid <= 0 || programm != eigenerProgrammname())
        return false;
    QLocalSocket kanal;
    kanal.connectToServer(KanalName(pid));
    if (!kanal.waitForConnected(KanalWarteMs))
        return false;
    kanal.write(ZeigenBitte);
    const bool gesendet = kanal.waitForBytesWritten(KanalWarteMs);
    kanal.disconnectFromServer();
    return gesendet;
}

void TEinzigeInstanz::Zeigen() {
    if (!FFenster)
        return;
    // The open modal dialog, when there is one, is what the adviser must answer.
    QWidget* ziel =
        QApplication::activeModalWidget() ? QApplication::activeModalWidget() : FFenster.data();
    for (QWidget* w : {FFenster.data(), ziel}) {
        if (w->windowState() & Qt::WindowMinimized)
            w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
        w->show();
    }
    ziel->raise();
    ziel->activateWindow();
}

} // namespace orvanta
