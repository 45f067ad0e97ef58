#pragma once
// The operating system's file services the core needs, in one place. One
// implementation per system (osfile_posix.cpp, osfile_windows.cpp), chosen by
// the build; nothing else in core/ talks to the system. Paths are UTF-8 (on
// Windows they are handed to the system as UTF-16).
//
// Failures are system error numbers: errno on POSIX, GetLastError() on
// Windows. InOutCode and Explanation turn them into the runtime's codes and
// German words, so both systems show the same texts.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvanta::os {

// The last failure of a system call of this thread.
int LastError();

// The runtime's code of a system error: IoFileNotFound for a missing file or
// folder, IoAccessDenied for refused access (permissions, a write-protected
// file or medium, a directory or another non-regular file in place of the
// file, a file in use), IoSystemError + err for anything else.
int InOutCode(int err);
// German words for a system error an adviser may meet; nullptr for the rest.
const char* Explanation(int err);

// The error a file that is no regular file (a directory, FIFO, device or
// socket) is refused with; InOutCode makes it IoAccessDenied.
int NotARegularFileError();

// Which file a path names: on POSIX device and inode, on Windows the volume's
// serial number and the file index. Two names of one file (links) give the
// same identity; a file replaced by a new one gets a new identity.
struct TFileIdentity {
    std::uint64_t Device = 0;
    std::uint64_t Index = 0;
    bool Valid() const { return Device != 0 || Index != 0; }
    friend bool operator==(const TFileIdentity&, const TFileIdentity&) = default;
};

enum class TFileKind { Missing, Regular, Directory, Other };

// What a path names, links followed. Identity is valid for an existing file.
struct TFileStatus {
    TFileKind Kind = TFileKind::Missing;
    TFileIdentity Identity;
    std::uint32_t Links = 0; // names the file has
};
TFileStatus StatusOf(const std::string& path);

// An open file, closed when the object ends. Every open refuses what is not
// a regular file at once, without waiting on it: a FIFO in place of a plan
// would otherwise block the reader for ever.
class TFile {
public:
    enum class Access { Read, ReadWrite, Write };

    TFile() = default;
    ~TFile();
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    // Opens an existing regular file. False with Error() set on failure.
    bool Open(const std::string& path, Access access);
    bool IsOpen() const;

    // Up to size bytes: their count, 0 at the end, -1 on failure.
    long Read(void* buf, std::size_t size);
    // Reads until size bytes or the end; false on failure (got tells how many).
    bool ReadFully(void* buf, std::size_t size, std::size_t& got);
    bool WriteFully(const void* buf, std::size_t size);
    bool Truncate(std::uint64_t size);
    // Forces the content onto the medium.
    bool Sync();
    // Closes, reporting a failure of the close itself (a delayed write error).
    bool Close();

    TFileIdentity Identity() const;
    // The system error of the last failing call; 0 while none failed.
    int Error() const { return FError; }

private:
    bool fail();

    std::intptr_t FHandle = -1;
    int FError = 0;
};

// The whole content of a regular file, up to maxBytes; false with err set
// when it cannot be opened or read (what is no regular file is refused at
// once, without waiting on it) or is larger than maxBytes.
bool ReadWholeFile(const std::string& path, std::string& content, int& err,
                   std::size_t maxBytes = std::size_t(64) << 20);

// Replaces the content of path with size bytes at data, so that a failure at
// any step leaves the old file as it was: the bytes go to a temporary file
// beside it (path + "." + six random letters or digits + ".tmp"), are forced
// onto the medium and then replace the file in one step. A path that is a
// symbolic link is replaced where the link points. An existing file keeps its
// permissions; a new one is readable and writable by its owner only, as it
// holds customer data. A write-protected file, or one that is no regular
// file, is refused. Only where the folder allows no new file but the file
// itself is writable is it rewritten in place (content first, then cut to
// length). Throws EInOutError with the runtime's German text.
void ReplaceContent(const std::string& path, const void* data, std::size_t size);

// ReplaceContent's way where no file may be made beside path: content first,
// then cut to length, so a failing write leaves a file of full length rather
// than an empty one. Throws EInOutError.
void RewriteInPlace(const std::string& path, const void* data, std::size_t size);

// Whether name is the name of a temporary file ReplaceContent makes for a file
// named base.
bool IsTempNameOf(const std::string& name, const std::string& base);

// Removes the temporary files ReplaceContent left beside path when it was ended
// between creating and renaming them: regular files (no links) of this user
// named for path, older than minAge. Failures are ignored; returns how many
// were removed.
int RemoveStaleTempFiles(const std::string& path, std::chrono::seconds minAge);

// Overwrites n bytes at p with zeros in a way the compiler cannot drop.
void SecureZero(void* p, std::size_t n);

// Core dumps (POSIX: also reading the memory from another process of the
// same user; Windows: the error report with its memory dump) off while
// passwords are in memory, and back as they were.
struct TDumpSettings {
    bool Saved = false;
    long long Values[3] = {0, 0, 0};
    void* Previous = nullptr;
};
TDumpSettings DisableCoreDumps();
void RestoreCoreDumps(const TDumpSettings& previous);
bool CoreDumpsDisabled();

// An advisory lock on an open file that the system lets go of when the
// holding process ends in any way: a crash never leaves it held.
class TLockedFile {
public:
    enum class Result { Held, Busy, Exists, Failed };

    TLockedFile() = default;
    ~TLockedFile();
    TLockedFile(const TLockedFile&) = delete;
    TLockedFile& operator=(const TLockedFile&) = delete;

    // Creates path, which must not exist yet (Exists otherwise), readable
    // and writable with mode (POSIX permission bits, the umask not applied).
    // The file is open, not yet locked.
    Result Create(const std::string& path, unsigned mode);
    // Opens an existing path for reading and writing, else for reading.
    Result OpenExisting(const std::string& path);
    // Takes the lock without waiting: Held, Busy when another process (or
    // another object of this one) holds it, Failed.
    Result Lock();

    // The file's content (up to a few kilobytes); replaced by Write.
    std::string Content();
    bool Write(const std::string& text);
    // Whether path still names this open file (it may have been removed and
    // made anew since it was opened).
    bool NamedBy(const std::string& path) const;
    // Seconds since the file was last written; 0 when unknown.
    double AgeSeconds() const;

    // Removes path when it still names this file, then closes.
    void RemoveAndClose(const std::string& path);
    void Close();
    bool IsOpen() const;
    int Error() const { return FError; }

private:
    std::intptr_t FHandle = -1;
    int FError = 0;
};

// A folder every user of this machine can create files in and finds under
// the same name: where locks are kept that cannot lie beside their file.
std::string SharedLockFolder();

} // namespace orvanta::os
