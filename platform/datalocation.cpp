#include "platform/datalocation.h"

#include "core/planfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace orvanta {

namespace {

// The data file in folder dir, named as the core names it.
QString dataFileIn(const QString& dir) {
    return QString::fromStdString(DataFilePath(dir.toStdString()));
}

// Installed layout: <prefix>/bin/orvanta and <prefix>/share/orvanta.
QString installedDataDir(const QString& programDir) {
    return QDir::cleanPath(programDir + QStringLiteral("/../share/orvanta"));
}

} // namespace

QString QuotedPath(const QString& path) {
    return QStringLiteral("\u201E%1\u201C").arg(QDir::toNativeSeparators(path));
}

DataLocation chooseDataLocation(const ProgramFolder& program, const QString& userDir,
                                const QString& workingDir) {
    DataLocation loc;
    if (program.holdsDataFile && program.writable) {
        loc.dataDir = program.path;
        loc.deliveredDir = program.path;
        loc.documentsDir = workingDir;
        return loc;
    }
    // A read-only folder with the data beside the program delivers from there.
    loc.deliveredDir = program.holdsDataFile ? program.path : installedDataDir(program.path);
    loc.dataDir = userDir;
    loc.documentsDir = userDir;
    loc.perUser = true;
    return loc;
}

QString userDataFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/orvanta");
}

QString programFolderPath() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe"))
        .canonicalFilePath()
        .section(QLatin1Char('/'), 0, -2);
}

DataLocation findDataLocation(const QString& programDir) {
    ProgramFolder program;
    program.path = programDir;
    program.holdsDataFile = QFileInfo::exists(dataFileIn(programDir));
    program.writable = QFileInfo(programDir).isWritable();
    return chooseDataLocation(program, userDataFolder(), QDir::currentPath());
}

DataLocation findDataLocation() {
    return findDataLocation(programFolderPath());
}

QString provideUserData(const DataLocation& location) {
    if (!location.perUser)
        return {};
    QDir target(location.dataDir);
    if (!target.mkpath(QStringLiteral(".")))
        return QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.")
            .arg(QuotedPath(location.dataDir));
    const QDir source(location.deliveredDir);
    if (!QFileInfo::exists(dataFileIn(source.path())) &&
        !QFileInfo::exists(dataFileIn(target.path())))
        return QStringLiteral("Die mitgelieferten Daten fehlen in %1.")
            .arg(QuotedPath(location.deliveredDir));
    const QFileInfoList files = source.entryInfoList(QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString to = target.filePath(file.fileName());
        if (QFileInfo::exists(to))
            continue;
        QFile in(file.filePath());
        QSaveFile out(to);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) ||
            out.write(in.readAll()) != in.size() || !out.commit())
            return QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.")
                .arg(QuotedPath(file.filePath()), QuotedPath(location.dataDir));
        // The delivered files may be read-only; the user's copies are theirs to change.
        QFile::setPermissions(to, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    return {};
}

QString firstFolderHolding(const QStringList& folders, const QString& name) {
    for (const QString& folder : folders)
        if (QFileInfo::exists(QDir(folder).filePath(name)))
            return folder;
    return folders.isEmpty() ? QString() : folders.last();
}

} // namespace orvanta
