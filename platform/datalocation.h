#pragma once
// Where the program and the tool find their files.
//
// Run from the build folder (the program folder is writable and holds
// Orvan.Dat) everything stays as it is: data file, mortality table and
// pictures beside the program, FRV files and the linked PDF in the working
// directory. Installed (say in /usr/bin), the delivered files lie in
// ../share/orvanta relative to the executable, so an install into any prefix
// or DESTDIR works. They are read there, so that a package update reaches
// every user at once; the user's own folder (~/.local/share/orvanta) holds
// only the user's plan, made from the delivered one at the first start.

#include <QString>

namespace orvanta {

struct DataLocation {
    QString dataDir;      // Orvan.Dat: read and written here
    QString deliveredDir; // the delivered files, read where they lie: mortality table, pictures,
                          // the template of Orvan.Dat
    QString documentsDir; // FRV files and the linked PDF, opened by their bare names from here
    bool perUser = false; // dataDir is the user's own folder, its plan made from deliveredDir's
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

// The user's home folder: $HOME, or where that is unset or not absolute (a
// service, "env -i") the folder the password database names for the user.
QString homeFolder();

// Sets HOME from the password database when it is unset, so that Qt's own
// folders (file dialogs, documents) and the programs opened from here agree
// with the data folder.
void provideHome();

// The user's data folder: "orvanta" in $XDG_DATA_HOME, by default
// ~/.local/share. Program and tool find the same folder whatever their
// application names are.
QString userDataFolder();

// Where a dialog for the customer's files starts: the open plan's folder
// unless that is the hidden data folder, else the documents folder where it
// exists (and is not the data folder), else home. Empty arguments are unknown.
QString customerStartFolder(const QString& planFile, const QString& dataFolder,
                            const QString& documentsFolder, const QString& home);

// The folder of the running executable; works also before or without a
// QCoreApplication (the tool creates none for most commands).
QString programFolderPath();

// Looks at the program folder and decides (userDataFolder(), current directory).
DataLocation findDataLocation(const QString& programDir);
DataLocation findDataLocation();

// For a per-user location: creates the user's folder (readable by the user
// only) and, when the user has no plan there yet, copies the delivered
// Orvan.Dat, readable by the user only whatever the umask. An existing plan is
// never replaced, so it survives every new version of the package. The copy
// is written under a temporary name and renamed, so an interrupted first
// start leaves no half file that would later be taken for the plan. Returns a
// German message for the first failure, an empty string on success. Does
// nothing when the location is not per user.
QString provideUserData(const DataLocation& location);

// Earlier versions copied every delivered file into the user's folder and
// read those copies. They are read no more: copies that are byte for byte
// what a version delivered are removed; any other file of those names (or an
// own FRV file) stays where it is and is named once in the German notice
// returned here. Returns an empty text when there is nothing (more) to say.
// Does nothing when the location is not per user.
QString retireEarlierCopies(const DataLocation& location);

// A path as German messages name it: „/pfad/zur/Datei“.
QString QuotedPath(const QString& path);

} // namespace orvanta
