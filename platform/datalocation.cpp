#include "platform/datalocation.h"

#include "core/planfile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

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

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Creates folder and its missing parents for the owner alone, as the XDG base
// directory rules ask of the data folders, whatever the umask.
bool makePrivateFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    if (info.exists() || info.isSymLink())
        return false;
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath() && !makePrivateFolder(parent))
        return false;
    if (!QDir().mkdir(folder))
        return QFileInfo(folder).isDir(); // made by a second start meanwhile
    return QFile::setPermissions(folder, OwnerOnly | QFileDevice::ExeOwner);
}

// A reference file as an earlier version delivered it into the user's folder.
struct EarlierCopy {
    const char* name;
    qint64 size;
    const char* sha256;
};

// Every file the versions that copied into the user's folder delivered. From
// this version on nothing but the plan is copied, so the list is complete.
const EarlierCopy EarlierCopies[] = {
    {"Sterbetafel_2004.csv", 1581,
     "0d14276b1ef62499262655aa7c7a3e0360576bb62bdd89c37ef816213e84a6fe"},
    {"FAZ 30_05_06.pdf", 20010, "e8e6d59d918d65eb23cdfaf0bdab3873afc2076ad315a3d0b640f73d4d846226"},
    {"bank_logo.jpg", 24024, "7c55721acb6f19679e439a77f3ddf502d5159da685c34f5f314e54c9ce52ada1"},
    {"matterhorn.jpg", 11099, "f0830e76ea340fd7e64af8fa0a1f252c06e342c5fc8be2280c82db0c00dca633"},
    {"schweizerkreuz.jpg", 3738,
     "54c05f20a4b87e4c1475e8ace364fdfc2de49967542cebb858f9c41cafbef829"},
    {"G002 m 30 100 1 5 30.txt", 2995,
     "7fd9ebf3cdae118b8d818006b8465e092edef74e3fd5d07c19a694c84328d12f"},
    {"G002 m 35 100 1 0 30.txt", 2990,
     "248f41f7063048b42ec492a355a6c625e8a7cc9227322ffd58934b283f9de593"},
    {"G002 m 35 100 1 5 25.txt", 2528,
     "656053920677934139c363cbe52a142af153daa0928dae6c38403b1ecb3522aa"},
    {"G002 m 35 100 1 5 30.txt", 2995,
     "8034db8730f9ac04fca1ef9fc19af55a1a968efa9a9f8a5c5a8afddf6b82d0ac"},
    {"G002 m 35 150 1 5 30.txt", 3028,
     "1260bd3c121e53c7b07a6541ce6e84095eb771173aa69ab5d0ce14f46eb151be"},
    {"G002 m 40 100 1 5 30.txt", 2995,
     "02561c376dc466bd56983151c1e96ddab4821f117fc422b0a61b119e7fac27a3"},
    {"G002 w 35 100 1 0 30.txt", 2989,
     "65a8b3b20ccd50e24753097a718928024d9edafe59a4227e371cb2172852babf"},
    {"G002 w 35 100 1 5 30.txt", 2994,
     "85d5deb5cb72b239d956cbd0eac7f4fc2e1f54edb3a320021b8575e4a3e6418d"},
};

// Remembers, beside the plan, which kept files the user has been told about.
const char NoticeMarker[] = ".alte-Referenzdaten-gemeldet";

bool isEarlierReferenceName(const QString& name) {
    for (const EarlierCopy& copy : EarlierCopies)
        if (name == QLatin1String(copy.name))
            return true;
    // The FRV files are the one kind an adviser may have added himself.
    return name.startsWith(QStringLiteral("G002 ")) && name.endsWith(QStringLiteral(".txt"));
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file is byte for byte what a version delivered: an earlier one, or the
// installed one. Only files of a fitting size are read.
bool isUnchangedCopy(const QFileInfo& file, const QString& deliveredDir) {
    const QFileInfo installed(QDir(deliveredDir).filePath(file.fileName()));
    if (installed.isFile() && installed.size() == file.size() &&
        contentOf(file.filePath()) == contentOf(installed.filePath()))
        return true;
    for (const EarlierCopy& copy : EarlierCopies)
        if (file.fileName() == QLatin1String(copy.name) && file.size() == copy.size)
            return QCryptographicHash::hash(contentOf(file.filePath()), QCryptographicHash::Sha256)
                       .toHex() == copy.sha256;
    return false;
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
    loc.documentsDir = loc.deliveredDir;
    loc.perUser = true;
    return loc;
}

QString homeFolder() {
    const QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return QDir::cleanPath(home);
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir) {
        const QString dir = QFile::decodeName(found->pw_dir);
        if (QDir::isAbsolutePath(dir))
            return QDir::cleanPath(dir);
    }
    return QDir::rootPath();
}

void provideHome() {
    if (QDir::isAbsolutePath(qEnvironmentVariable("HOME")))
        return;
    const QByteArray home = QFile::encodeName(homeFolder());
    ::setenv("HOME", home.constData(), 1);
}

QString userDataFolder() {
    // Relative paths in the XDG variables are invalid and ignored.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    const QString base =
        QDir::isAbsolutePath(xdg) ? xdg : homeFolder() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/orvanta"));
}

QString customerStartFolder(const QString& planFile, const QString& dataFolder,
                            const QString& documentsFolder, const QString& home) {
    const auto same = [](const QString& a, const QString& b) {
        return !a.isEmpty() && !b.isEmpty() && QDir::cleanPath(a) == QDir::cleanPath(b);
    };
    const QString planFolder = planFile.isEmpty() ? QString() : QFileInfo(planFile).absolutePath();
    if (!planFolder.isEmpty() && !same(planFolder, dataFolder))
        return planFolder;
    if (!documentsFolder.isEmpty() && !same(documentsFolder, dataFolder) &&
        QFileInfo(documentsFolder).isDir())
        return documentsFolder;
    return home;
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
    if (!makePrivateFolder(location.dataDir))
        return QStringLiteral("Der Datenordner %1 kann nicht angelegt werden.")
            .arg(QuotedPath(location.dataDir));
    const QString plan = dataFileIn(location.dataDir);
    if (QFileInfo::exists(plan) || QFileInfo(plan).isSymLink())
        return {};
    const QString delivered = dataFileIn(location.deliveredDir);
    if (!QFileInfo::exists(delivered))
        return QStringLiteral("Die mitgelieferten Daten fehlen in %1.")
            .arg(QuotedPath(location.deliveredDir));
    // A plan holds a person's name and finances: the user's alone from the
    // first byte on, whatever the umask.
    QFile in(delivered);
    QSaveFile out(plan);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) ||
        !out.setPermissions(OwnerOnly) || out.write(in.readAll()) != in.size() || !out.commit())
        return QStringLiteral("Die Datei %1 kann nicht nach %2 kopiert werden.")
            .arg(QuotedPath(delivered), QuotedPath(location.dataDir));
    return {};
}

QString retireEarlierCopies(const DataLocation& location) {
    if (!location.perUser || QFileInfo(location.dataDir) == QFileInfo(location.deliveredDir))
        return {};
    const QDir data(location.dataDir);
    QStringList kept;
    // Regular files only: a FIFO or device of such a name is neither read nor removed.
    for (const QFileInfo& file : data.entryInfoList(QDir::Files, QDir::Name)) {
        if (!isEarlierReferenceName(file.fileName()))
            continue;
        if (!isUnchangedCopy(file, location.deliveredDir) || !QFile::remove(file.filePath()))
            kept << file.fileName();
    }
    const QString markerPath = data.filePath(QString::fromLatin1(NoticeMarker));
    const QStringList told =
        QString::fromUtf8(contentOf(markerPath)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QSet<QString> toldSet(told.begin(), told.end());
    QStringList news;
    for (const QString& name : kept)
        if (!toldSet.contains(name))
            news << name;
    if (news.isEmpty())
        return {};
    QSaveFile marker(markerPath);
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write((told + news).join(QLatin1Char('\n')).toUtf8() + '\n');
        marker.commit();
    }
    return QStringLiteral(
               "Orvanta liest die Sterbetafel, die FRV-Vergleichsdateien, die Bilder und das PDF "
               "jetzt aus der Installation %1, damit eine aktualisierte Fassung bei allen "
               "Benutzern "
               "ankommt.\n\n"
               "Diese Dateien im Datenordner %2 weichen von den mitgelieferten ab und werden nicht "
               "mehr verwendet:\n\n%3\n\n"
               "Sie bleiben unverändert dort liegen. Dieser Hinweis erscheint nur einmal.")
        .arg(QuotedPath(location.deliveredDir), QuotedPath(location.dataDir),
             QStringLiteral("\u2022 ") + news.join(QStringLiteral("\n\u2022 ")));
}

} // namespace orvanta
