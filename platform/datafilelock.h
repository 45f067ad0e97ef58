#pragma once
// The lock on a data file: whoever rewrites the file holds it, so that two
// writers cannot undo each other's changes. The program holds it while its
// window is open, the tool while it reads, changes and writes the file back.
// The lock is a file beside the data file (its name plus ".lock"); a lock left
// by a process that has ended counts as free.

#include <QLockFile>
#include <QString>

#include <chrono>

namespace orvanta {

class TDataFileLock {
public:
    enum class Zustand {
        Gehalten,     // this process holds the lock
        Belegt,       // another live process holds it
        NichtMoeglich // no lock file can be made there (e.g. a directory without write access)
    };

    explicit TDataFileLock(const QString& dataFile);
    ~TDataFileLock(); // releases the lock when held
    TDataFileLock(const TDataFileLock&) = delete;
    TDataFileLock& operator=(const TDataFileLock&) = delete;

    // Tries to take the lock, waiting up to `wait` for another holder to let
    // go. Taking it again while held changes nothing. Whoever takes it also
    // removes what saves ended half-way left beside the file: as the only
    // writer, the holder knows no save of those is still running.
    Zustand Sperren(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    void Freigeben();
    bool Gehalten() const { return gehalten_; }

    // Who holds the lock, read from the lock file: valid after Sperren gave
    // Belegt. The process id is 0 when the file could not be read.
    qint64 HalterProzess() const { return halterPid_; }
    QString HalterProgramm() const { return halterProgramm_; }

    QString DataFile() const { return dataFile_; }
    static QString LockFilePath(const QString& dataFile);

    // German text that says why the file cannot be written now, naming the
    // file and the holder, for the given state (Belegt or NichtMoeglich).
    QString Hinderungsgrund(Zustand zustand) const;

private:
    QString dataFile_;
    QLockFile lock_;
    bool gehalten_ = false;
    qint64 halterPid_ = 0;
    QString halterProgramm_;
};

} // namespace orvanta
