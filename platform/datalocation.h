#pragma once
// Where the program and the tool find their files.
//
// Run from the build folder (the program folder is writable and holds
// Orvan.Dat) everything stays as it is: data file, mortality table and
// pictures beside the program, FRV files and the linked PDF in the working
// directory. Installed (say in /usr/bin), the delivered files lie in
// ../share/orvanta relative to the executable, so an install into any prefix
// or DESTDIR works, and each user gets an own copy of them in their data
// folder (~/.local/share/orvanta) that is then read and written.

#include <QString>
#include <QStringList>

namespace orvanta {

struct DataLocation {
    QString dataDir;      // Orvan.Dat and the mortality table: read and written here
    QString deliveredDir; // the files as delivered: pictures, originals of the first copy
    QString documentsDir; // FRV files and the linked PDF
    bool perUser = false; // dataDir is the user's own folder, filled from deliveredDir
};

// What the program folder offers, as far as the decision needs it.
struct ProgramFolder {
    QString path;
    bool holdsDataFile = false; // Orvan.Dat lies there
    bool writable = false;
};

// The decision itself, without touching the disk. userDir is the user's data
// folder, workingDir the current working directory.
DataLocation chooseDataLocation(const ProgramFolder& program, const QString& userDir,
                                const QString& workingDir);

// The user's data folder: "orvanta" in the generic data location
// ($XDG_DATA_HOME, by default ~/.local/share). Program and tool find the same
// folder whatever their application names are.
QString userDataFolder();

// The folder of the running executable; works also before or without a
// QCoreApplication (the tool creates none for most commands).
QString programFolderPath();

// Looks at the program folder and decides (userDataFolder(), current directory).
DataLocation findDataLocation(const QString& programDir);
DataLocation findDataLocation();

// For a per-user location: creates the user's folder and copies every
// delivered file that is missing there. A file that exists is never replaced,
// so the user's plan survives a new version of the package. Each copy is
// written under a temporary name and renamed, so an interrupted first start
// leaves no half file that would later be taken for the plan. Returns a German
// message for the first failure, an empty string on success. Does nothing
// when the location is not per user.
QString provideUserData(const DataLocation& location);

// The first of folders that holds a file called name; the last folder when
// none does (so that the caller's error names a sensible place).
QString firstFolderHolding(const QStringList& folders, const QString& name);

// A path as German messages name it: „/pfad/zur/Datei“.
QString QuotedPath(const QString& path);

} // namespace orvanta
