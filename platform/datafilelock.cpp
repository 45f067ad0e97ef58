#include "platform/datafilelock.h"

#include "core/planfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <thread>

namespace orvanta {

namespace {

std::function<void(TDataFileLock::Schritt)>& schrittBeobachter() {
    static std::function<void(TDataFileLock::Schritt)> beobachter;
    return beobachter;
}

void schritt(TDataFileLock::Schritt s) {
    if (schrittBeobachter())
        schrittBeobachter()(s);
}

// Paths as the core's file services take them.
std::string systemPfad(const QString& pfad) {
#ifdef Q_OS_WIN
    return pfad.toUtf8().toStdString();
#else
    return QFile::encodeName(pfad).toStdString();
#endif
}

QString eigenesProgramm() {
    if (QCoreApplication::instance())
        return QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).fileName();
}

// What Qt's QLockFile writes, so that either reads the other's lock.
std::string eigenerInhalt() {
    return (QString::number(QCoreApplication::applicationPid()) + QLatin1Char('\n') +
            eigenesProgramm() + QLatin1Char('\n') + QSysInfo::machineHostName() + QLatin1Char('\n'))
               .toUtf8()
               .toStdString() +
           QSysInfo::machineUniqueId().toStdString() + '\n' +
           QSysInfo::bootUniqueId().toStdString() + '\n';
}

struct THalter {
    bool Gueltig = false;
    qint64 Pid = 0;
    QString Programm;
    QString Rechner;
};

THalter lies(const std::string& inhalt) {
    THalter h;
    const QStringList zeilen = QString::fromUtf8(inhalt).split(QLatin1Char('\n'));
    if (zeilen.size() < 3)
        return h;
    bool ok = false;
    h.Pid = zeilen[0].toLongLong(&ok);
    h.Gueltig = ok && h.Pid > 0;
    h.Programm = zeilen[1];
    h.Rechner = zeilen[2];
    return h;
}

bool andererRechner(const THalter& h) {
    return h.Gueltig && !h.Rechner.isEmpty() && h.Rechner != QSysInfo::machineHostName();
}

// A live process of that program on this machine; where the system cannot
// say (no /proc), the advisory lock alone decides.
bool lebt(const THalter& h) {
#ifdef Q_OS_LINUX
    const QString exe = QStringLiteral("/proc/%1/exe").arg(h.Pid);
    if (!QFileInfo::exists(QStringLiteral("/proc/%1").arg(h.Pid)))
        return false;
    const QString name = QFileInfo(QFileInfo(exe).symLinkTarget()).fileName();
    return name.isEmpty() || name == h.Programm;
#else
    Q_UNUSED(h);
    return false;
#endif
}

} // namespace

TDataFileLock::TDataFileLock(const QString& dataFile) : FDataFile(dataFile) {}

TDataFileLock::~TDataFileLock() {
    Freigeben();
}

void TDataFileLock::SetSchrittBeobachter(std::function<void(Schritt)> beobachter) {
    schrittBeobachter() = std::move(beobachter);
}

QString TDataFileLock::LockFilePath(const QString& dataFile) {
    // Beside the file the link points to, so that two names of one file share one lock.
    const QFileInfo info(dataFile);
    const QString target = info.isSymLink() ? info.symLinkTarget() : dataFile;
    return target + QStringLiteral(".lock");
}

QString TDataFileLock::IdentityLockPath(const QString& dataFile) {
    const os::TFileStatus status = os::StatusOf(systemPfad(dataFile));
    if (status.Kind != os::TFileKind::Regular || !status.Identity.Valid())
        return {};
    return QDir(QString::fromStdString(os::SharedLockFolder()))
        .filePath(QStringLiteral("orvanta-%1-%2.lock")
                      .arg(status.Identity.Device, 0, 16)
                      .arg(status.Identity.Index, 0, 16));
}

void TDataFileLock::halterLesen(const std::string& inhalt) {
    const THalter h = lies(inhalt);
    FHalterPid = h.Gueltig ? h.Pid : 0;
    FHalterProgramm = h.Gueltig ? h.Programm : QString();
    FHalterRechner = andererRechner(h) ? h.Rechner : QString();
}

TDataFileLock::Zustand TDataFileLock::nebenDatei(bool& unmoeglich) {
    const std::string pfad = systemPfad(LockFilePath(FDataFile));
    // A few rounds: a lock file that is removed or replaced while it is
    // looked at is looked at again.
    for (int runde = 0; runde < 5; ++runde) {
        const auto angelegt = FNeben.Create(pfad, 0644);
        if (angelegt == os::TLockedFile::Result::Held) {
            schritt(Schritt::Angelegt);
            if (FNeben.Lock() != os::TLockedFile::Result::Held) {
                FNeben.RemoveAndClose(pfad);
                continue;
            }
            schritt(Schritt::Gesperrt);
            FNeben.Write(eigenerInhalt());
            schritt(Schritt::Beschrieben);
            return Zustand::Gehalten;
        }
        if (angelegt == os::TLockedFile::Result::Failed) {
            // No lock file can be made beside the file (a folder without write
            // access, a missing folder): the shared lock has to do.
            unmoeglich = true;
            return Zustand::NichtMoeglich;
        }
        os::TLockedFile vorhanden;
        if (vorhanden.OpenExisting(pfad) != os::TLockedFile::Result::Held) {
            if (os::InOutCode(vorhanden.Error()) == IoFileNotFound)
                continue; // let go of in the meantime
            FHalterPid = 0;
            return Zustand::Belegt; // a lock this user cannot even read
        }
        const std::string inhalt = vorhanden.Content();
        if (vorhanden.Lock() != os::TLockedFile::Result::Held) {
            halterLesen(vorhanden.Content().empty() ? inhalt : vorhanden.Content());
            return Zustand::Belegt; // a live holder
        }
        if (!vorhanden.NamedBy(pfad))
            continue;
        // Nobody holds the advisory lock: its holder has ended, or it has not
        // yet taken it (a fresh file), or it is on another host.
        const THalter h = lies(vorhanden.Content());
        if (andererRechner(h) || (h.Gueltig && lebt(h))) {
            halterLesen(vorhanden.Content());
            return Zustand::Belegt;
        }
        if (!h.Gueltig) {
            const double alter = vorhanden.AgeSeconds();
            const double frist = std::chrono::duration<double>(Nachfrist).count();
            if (alter >= 0 && alter < frist) {
                FNachfristBis =
                    std::chrono::steady_clock::now() +
                    std::chrono::milliseconds(static_cast<long>((frist - alter) * 1000));
                FHalterPid = 0;
                return Zustand::Belegt;
            }
        }
        vorhanden.RemoveAndClose(pfad);
    }
    return Zustand::Belegt;
}

TDataFileLock::Zustand TDataFileLock::identitaet(bool& gehalten) {
    gehalten = false;
    const QString qpfad = IdentityLockPath(FDataFile);
    if (qpfad.isEmpty())
        return Zustand::NichtMoeglich;
    const std::string pfad = systemPfad(qpfad);
    for (int runde = 0; runde < 5; ++runde) {
        // Every user may lock it and write who holds it: 0666 in a folder
        // where only its owner may remove it.
        auto r = FIdentitaet.Create(pfad, 0666);
        if (r == os::TLockedFile::Result::Exists)
            r = FIdentitaet.OpenExisting(pfad);
        if (r != os::TLockedFile::Result::Held) {
            if (os::InOutCode(FIdentitaet.Error()) == IoFileNotFound)
                continue;
            return Zustand::NichtMoeglich;
        }
        if (FIdentitaet.Lock() != os::TLockedFile::Result::Held) {
            halterLesen(FIdentitaet.Content());
            FIdentitaet.Close();
            return Zustand::Belegt;
        }
        if (!FIdentitaet.NamedBy(pfad)) {
            FIdentitaet.Close();
            continue;
        }
        FIdentitaet.Write(eigenerInhalt());
        FIdentitaetsPfad = pfad;
        gehalten = true;
        return Zustand::Gehalten;
    }
    return Zustand::Belegt;
}

TDataFileLock::Zustand TDataFileLock::versuchen() {
    FHalterPid = 0;
    FHalterProgramm.clear();
    FHalterRechner.clear();
    bool nebenUnmoeglich = false;
    const Zustand neben = nebenDatei(nebenUnmoeglich);
    if (neben == Zustand::Belegt)
        return neben;
    bool identitaetGehalten = false;
    if (identitaet(identitaetGehalten) == Zustand::Belegt) {
        if (neben == Zustand::Gehalten)
            FNeben.RemoveAndClose(systemPfad(LockFilePath(FDataFile)));
        return Zustand::Belegt;
    }
    if (neben != Zustand::Gehalten && !identitaetGehalten)
        return Zustand::NichtMoeglich;
    return Zustand::Gehalten;
}

TDataFileLock::Zustand TDataFileLock::Sperren(std::chrono::milliseconds wait) {
    if (FGehalten)
        return Zustand::Gehalten;
    const auto ende = std::chrono::steady_clock::now() + wait;
    for (;;) {
        FNachfristBis = {};
        const Zustand z = versuchen();
        if (z == Zustand::Gehalten) {
            FGehalten = true;
            RemoveStaleTempFiles(systemPfad(FDataFile));
            return z;
        }
        const auto jetzt = std::chrono::steady_clock::now();
        if (z != Zustand::Belegt || (jetzt >= ende && jetzt >= FNachfristBis))
            return z;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void TDataFileLock::Freigeben() {
    if (!FGehalten)
        return;
    // Removed while still held, so that nobody takes a lock file that is
    // about to go.
    if (FNeben.IsOpen())
        FNeben.RemoveAndClose(systemPfad(LockFilePath(FDataFile)));
    if (FIdentitaet.IsOpen())
        FIdentitaet.RemoveAndClose(FIdentitaetsPfad);
    FGehalten = false;
}

QString TDataFileLock::Hinderungsgrund(Zustand zustand) const {
    const QString datei = QDir::toNativeSeparators(FDataFile);
    if (zustand == Zustand::NichtMoeglich)
        return QStringLiteral("Die Datei „%1“ kann nicht gesperrt werden: Im Ordner darf keine "
                              "Sperrdatei angelegt werden.")
            .arg(datei);
    QString halter = FHalterProgramm.isEmpty() ? QStringLiteral("einem anderen Programm")
                                               : QStringLiteral("„%1“").arg(FHalterProgramm);
    if (FHalterPid > 0)
        halter += QStringLiteral(" (Prozess %1)").arg(FHalterPid);
    if (!FHalterRechner.isEmpty())
        return QStringLiteral("Die Datei „%1“ wird auf dem Rechner „%2“ von %3 verwendet und "
                              "kann hier nicht geschrieben werden. Bitte das Programm dort "
                              "beenden. Läuft es dort nicht mehr, die Sperrdatei „%4“ löschen "
                              "und es dann erneut versuchen.")
            .arg(datei, FHalterRechner, halter, QDir::toNativeSeparators(LockFilePath(FDataFile)));
    return QStringLiteral("Die Datei „%1“ wird gerade von %2 verwendet und kann nicht "
                          "geschrieben werden. Bitte das Programm beenden und es dann erneut "
                          "versuchen.")
        .arg(datei, halter);
}

} // namespace orvanta
