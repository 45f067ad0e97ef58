#include "platform/datafilelock.h"

#include "core/planfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvanta {

TDataFileLock::TDataFileLock(const QString& dataFile)
    : dataFile_(dataFile), lock_(LockFilePath(dataFile)) {
    // The program holds the lock for hours: only a holder that has ended may
    // lose it, never one that has merely held it long.
    lock_.setStaleLockTime(0);
}

TDataFileLock::~TDataFileLock() {
    Freigeben();
}

QString TDataFileLock::LockFilePath(const QString& dataFile) {
    // Beside the file the link points to, so that two names of one file share one lock.
    const QFileInfo info(dataFile);
    const QString target = info.isSymLink() ? info.symLinkTarget() : dataFile;
    return target + QStringLiteral(".lock");
}

TDataFileLock::Zustand TDataFileLock::Sperren(std::chrono::milliseconds wait) {
    if (gehalten_)
        return Zustand::Gehalten;
    halterPid_ = 0;
    halterProgramm_.clear();
    if (lock_.tryLock(static_cast<int>(wait.count()))) {
        gehalten_ = true;
        RemoveStaleTempFiles(QFile::encodeName(dataFile_).toStdString());
        return Zustand::Gehalten;
    }
    if (lock_.error() != QLockFile::LockFailedError)
        return Zustand::NichtMoeglich;
    QString host;
    if (!lock_.getLockInfo(&halterPid_, &host, &halterProgramm_))
        halterPid_ = 0;
    return Zustand::Belegt;
}

void TDataFileLock::Freigeben() {
    if (!gehalten_)
        return;
    lock_.unlock();
    gehalten_ = false;
}

QString TDataFileLock::Hinderungsgrund(Zustand zustand) const {
    const QString datei = QDir::toNativeSeparators(dataFile_);
    if (zustand == Zustand::NichtMoeglich)
        return QStringLiteral("Die Datei „%1“ kann nicht gesperrt werden: Im Ordner darf keine "
                              "Sperrdatei angelegt werden.")
            .arg(datei);
    QString halter = halterProgramm_.isEmpty() ? QStringLiteral("einem anderen Programm")
                                               : QStringLiteral("„%1“").arg(halterProgramm_);
    if (halterPid_ > 0)
        halter += QStringLiteral(" (Prozess %1)").arg(halterPid_);
    return QStringLiteral("Die Datei „%1“ wird gerade von %2 verwendet und kann nicht "
                          "geschrieben werden. Bitte das Programm beenden und es dann erneut "
                          "versuchen.")
        .arg(datei, halter);
}

} // namespace orvanta
