#pragma once
// The lock on a data file: whoever rewrites the file holds it, so that two
// writers cannot undo each other's changes. The program holds it while its
// window is open, the tool while it reads, changes and writes the file back.
//
// Two lock files, each held with the system's advisory lock, which a process
// that ends in any way (crash, kill) lets go of:
// - beside the data file (its name plus ".lock"; a link's target counts),
//   in the format Qt's QLockFile writes: process id, program, host;
// - in a folder every user of this machine shares (os::SharedLockFolder),
//   named after the data file's identity (device and inode), so that two
//   names of one file (hard links) share one lock and a folder without
//   write access still has one.
// A lock file whose holder has ended counts as free; an empty or unreadable
// one (its holder ended between creating and writing it) after a short
// grace. A lock held on another host is respected.

#include "core/osfile.h"

#include <QString>

#include <chrono>
#include <functional>

namespace orvanta {

class TDataFileLock {
public:
    enum class Zustand {
        Gehalten,     // this process holds the lock
        Belegt,       // another live process holds it (or a process on another host)
        NichtMoeglich // no lock file can be made anywhere (no data file, no writable folder)
    };

    // How long an empty or unreadable lock file beside the data file may
    // belong to a holder that is still about to write it.
    static constexpr std::chrono::milliseconds Nachfrist{2000};

    explicit TDataFileLock(const QString& dataFile);
    ~TDataFileLock(); // releases the lock when held
    TDataFileLock(const TDataFileLock&) = delete;
    TDataFileLock& operator=(const TDataFileLock&) = delete;

    // Tries to take the lock, waiting up to `wait` for another holder to let
    // go (and, whatever `wait`, out the grace of a fresh empty lock file).
    // Taking it again while held changes nothing. Whoever takes it also
    // removes what saves ended half-way left beside the file: as the only
    // writer, the holder knows no save of those is still running.
    Zustand Sperren(std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    void Freigeben();
    bool Gehalten() const { return FGehalten; }

    // Who holds the lock, read from the lock file: valid after Sperren gave
    // Belegt. The process id is 0 when the file could not be read; the host
    // is empty for this machine.
    qint64 HalterProzess() const { return FHalterPid; }
    QString HalterProgramm() const { return FHalterProgramm; }
    QString HalterRechner() const { return FHalterRechner; }

    QString DataFile() const { return FDataFile; }
    static QString LockFilePath(const QString& dataFile);
    // The shared lock of the file's identity; empty while the file does not exist.
    static QString IdentityLockPath(const QString& dataFile);

    // German text that says why the file cannot be written now, naming the
    // file and the holder (and the host, with how to free a lock left there),
    // for the given state (Belegt or NichtMoeglich).
    QString Hinderungsgrund(Zustand zustand) const;

    // The steps of taking the lock file beside the data file, for tests
    // that end a holder in between: created, locked, written.
    enum class Schritt { Angelegt, Gesperrt, Beschrieben };
    static void SetSchrittBeobachter(std::function<void(Schritt)> beobachter);

private:
    Zustand versuchen();
    Zustand nebenDatei(bool& unmoeglich);
    Zustand identitaet(bool& gehalten);
    void halterLesen(const std::string& inhalt);

    QString FDataFile;
    os::TLockedFile FNeben;
    os::TLockedFile FIdentitaet;
    std::string FIdentitaetsPfad;
    bool FGehalten = false;
    qint64 FHalterPid = 0;
    QString FHalterProgramm;
    QString FHalterRechner;
    // A fresh empty lock file may still be written by its holder until then.
    std::chrono::steady_clock::time_point FNachfristBis{};
};

} // namespace orvanta
