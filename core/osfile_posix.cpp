// The file services on POSIX systems.

#include "core/osfile.h"

#include "core/inouterror.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <string.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta::os {

int LastError() {
    return errno;
}

int InOutCode(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return IoFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return IoAccessDenied;
    default:
        return IoSystemError + err;
    }
}

const char* Explanation(int err) {
    switch (err) {
    case EIO:
        return "Lese- oder Schreibfehler des Datenträgers";
    case ENXIO:
    case ENODEV:
        return "das Gerät ist nicht verfügbar";
    case ENOMEM:
        return "nicht genügend Arbeitsspeicher";
    case EBUSY:
        return "die Datei oder das Gerät ist belegt";
    case EEXIST:
        return "die Datei ist bereits vorhanden";
    case EXDEV:
        return "Verschieben zwischen Datenträgern nicht möglich";
    case EINVAL:
        return "ungültiger Zugriff";
    case ENFILE:
    case EMFILE:
        return "zu viele geöffnete Dateien";
    case EFBIG:
        return "die Datei ist zu groß";
    case ENOSPC:
        return "kein Speicherplatz auf dem Datenträger";
    case ESPIPE:
        return "die Datei erlaubt keinen wahlfreien Zugriff";
    case EMLINK:
    case ELOOP:
        return "zu viele Verknüpfungen";
    case ENAMETOOLONG:
        return "der Dateiname ist zu lang";
    case ENOLCK:
        return "keine Dateisperre verfügbar";
    case EDQUOT:
        return "das Speicherkontingent ist erschöpft";
    case ESTALE:
        return "die Netzwerkdatei ist nicht mehr gültig";
    case ETIMEDOUT:
        return "Zeitüberschreitung";
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ECONNRESET:
    case ECONNREFUSED:
        return "die Netzwerkverbindung ist unterbrochen";
    case EAGAIN:
        return "die Datei ist vorübergehend nicht verfügbar";
    default:
        return nullptr;
    }
}

int NotARegularFileError() {
    return EACCES;
}

namespace {

TFileIdentity identityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// Closes on every path; close errors of a file only read are of no interest.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

bool writeAll(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, p + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A file that is a symbolic link is replaced where the link points, as an
// in-place rewrite would; the link itself stays.
std::string resolveTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved))
            return resolved;
    }
    return path;
}

} // namespace

TFileStatus StatusOf(const std::string& path) {
    TFileStatus status;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0)
        return status;
    status.Kind = S_ISREG(st.st_mode)   ? TFileKind::Regular
                  : S_ISDIR(st.st_mode) ? TFileKind::Directory
                                        : TFileKind::Other;
    status.Identity = identityOf(st);
    status.Links = static_cast<std::uint32_t>(st.st_nlink);
    return status;
}

TFile::~TFile() {
    if (FHandle >= 0)
        ::close(static_cast<int>(FHandle));
}

bool TFile::fail() {
    FError = errno != 0 ? errno : EIO;
    return false;
}

bool TFile::Open(const std::string& path, Access access) {
    const int mode = access == Access::Read        ? O_RDONLY
                     : access == Access::ReadWrite ? O_RDWR
                                                   : O_WRONLY;
    // Without O_NONBLOCK the open of a FIFO waits for a writer for ever.
    const int fd = ::open(path.c_str(), mode | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        // A FIFO opened for writing without a reader says ENXIO.
        struct stat st;
        FError = (err == ENXIO && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
                     ? NotARegularFileError()
                     : err;
        return false;
    }
    struct stat st;
    const bool statted = ::fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        FError = !statted ? errno : S_ISDIR(st.st_mode) ? EISDIR : NotARegularFileError();
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FHandle = fd;
    return true;
}

bool TFile::IsOpen() const {
    return FHandle >= 0;
}

long TFile::Read(void* buf, std::size_t size) {
    if (FHandle < 0) {
        FError = EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(FHandle), buf, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail();
        return static_cast<long>(n);
    }
}

bool TFile::WriteFully(const void* buf, std::size_t size) {
    return writeAll(static_cast<int>(FHandle), buf, size) || fail();
}

bool TFile::Truncate(std::uint64_t size) {
    return ::ftruncate(static_cast<int>(FHandle), static_cast<off_t>(size)) == 0 || fail();
}

bool TFile::Sync() {
    return ::fsync(static_cast<int>(FHandle)) == 0 || fail();
}

bool TFile::Close() {
    if (FHandle < 0)
        return true;
    const int fd = static_cast<int>(FHandle);
    FHandle = -1;
    return ::close(fd) == 0 || fail();
}

TFileIdentity TFile::Identity() const {
    struct stat st;
    if (FHandle < 0 || ::fstat(static_cast<int>(FHandle), &st) != 0)
        return {};
    return identityOf(st);
}

void ReplaceContent(const std::string& path, const void* data, std::size_t size) {
    const std::string target = resolveTarget(path);

    // The rename would replace a write-protected file; a direct rewrite is
    // refused there, and so is this save. What is no regular file (a
    // directory, a FIFO, a device) is never replaced by one.
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0)
        ThrowInOutErrno(errno);
    if (exists && !S_ISREG(old.st_mode))
        ThrowInOutError(IoAccessDenied);

    std::string temp = target + ".XXXXXX.tmp";
    Fd file;
    file.fd = ::mkostemps(temp.data(), 4, O_CLOEXEC);
    if (file.fd < 0) {
        const int err = errno;
        // A folder the user may not create files in, with a file the user
        // may write (a shared installation): rewrite in place, as a plain
        // save would, rather than refuse.
        if (exists && (err == EACCES || err == EPERM)) {
            RewriteInPlace(target, data, size);
            return;
        }
        ThrowInOutErrno(err);
    }

    const auto abandon = [&](int err) {
        ::close(file.fd);
        file.fd = -1;
        ::unlink(temp.c_str());
        ThrowInOutErrno(err);
    };

    // The old file's permissions; a new file holds customer data, so it is
    // its owner's alone whatever the umask.
    const mode_t perms = exists ? (old.st_mode & 07777) : (S_IRUSR | S_IWUSR);
    if (::fchmod(file.fd, perms) != 0)
        abandon(errno);
    if (!writeAll(file.fd, data, size))
        abandon(errno);
    if (::fsync(file.fd) != 0)
        abandon(errno);
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        ThrowInOutErrno(err);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        ThrowInOutErrno(err);
    }

    // Make the rename itself durable; the data are safe either way.
    Fd dir;
    dir.fd = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd >= 0)
        ::fsync(dir.fd);
}

int RemoveStaleTempFiles(const std::string& path, std::chrono::seconds minAge) {
    const std::string target = resolveTarget(path);
    const std::string base = nameOf(target);
    DIR* dir = ::opendir(folderOf(target).c_str());
    if (!dir)
        return 0;
    const time_t now = ::time(nullptr);
    const uid_t me = ::geteuid();
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!IsTempNameOf(name, base))
            continue;
        // lstat: a link of that name is no file of ours and is left alone.
        struct stat st;
        if (::fstatat(::dirfd(dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != me)
            continue;
        if (now - st.st_mtime < static_cast<time_t>(minAge.count()))
            continue;
        if (::unlinkat(::dirfd(dir), name.c_str(), 0) == 0)
            ++removed;
    }
    ::closedir(dir);
    return removed;
}

void SecureZero(void* p, std::size_t n) {
    ::explicit_bzero(p, n);
}

TDumpSettings DisableCoreDumps() {
    TDumpSettings s;
    s.Values[0] = ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0);
    rlimit old{};
    s.Saved = ::getrlimit(RLIMIT_CORE, &old) == 0;
    s.Values[1] = static_cast<long long>(old.rlim_cur);
    s.Values[2] = static_cast<long long>(old.rlim_max);
    // Only the soft limit: the hard one could not be raised again.
    if (s.Saved) {
        const rlimit none{0, old.rlim_max};
        ::setrlimit(RLIMIT_CORE, &none);
    }
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    return s;
}

void RestoreCoreDumps(const TDumpSettings& previous) {
    if (previous.Values[0] > 0)
        ::prctl(PR_SET_DUMPABLE, previous.Values[0], 0, 0, 0);
    if (previous.Saved) {
        const rlimit old{static_cast<rlim_t>(previous.Values[1]),
                         static_cast<rlim_t>(previous.Values[2])};
        ::setrlimit(RLIMIT_CORE, &old);
    }
}

bool CoreDumpsDisabled() {
    rlimit now{};
    return ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0 && ::getrlimit(RLIMIT_CORE, &now) == 0 &&
           now.rlim_cur == 0;
}

TLockedFile::~TLockedFile() {
    Close();
}

TLockedFile::Result TLockedFile::Create(const std::string& path, unsigned mode) {
    Close();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        FError = errno;
        return FError == EEXIST ? Result::Exists : Result::Failed;
    }
    ::fchmod(fd, static_cast<mode_t>(mode));
    FHandle = fd;
    return Result::Held;
}

TLockedFile::Result TLockedFile::OpenExisting(const std::string& path) {
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        FError = errno;
        return Result::Failed;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        FError = NotARegularFileError();
        ::close(fd);
        return Result::Failed;
    }
    FHandle = fd;
    return Result::Held;
}

TLockedFile::Result TLockedFile::Lock() {
    if (::flock(static_cast<int>(FHandle), LOCK_EX | LOCK_NB) == 0)
        return Result::Held;
    FError = errno;
    return FError == EWOULDBLOCK ? Result::Busy : Result::Failed;
}

std::string TLockedFile::Content() {
    char buf[4096];
    const ssize_t n = ::pread(static_cast<int>(FHandle), buf, sizeof buf, 0);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

bool TLockedFile::Write(const std::string& text) {
    const int fd = static_cast<int>(FHandle);
    return ::ftruncate(fd, 0) == 0 &&
           ::pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size());
}

bool TLockedFile::NamedBy(const std::string& path) const {
    struct stat mine, named;
    return FHandle >= 0 && ::fstat(static_cast<int>(FHandle), &mine) == 0 &&
           ::lstat(path.c_str(), &named) == 0 && identityOf(mine) == identityOf(named);
}

double TLockedFile::AgeSeconds() const {
    struct stat st;
    if (FHandle < 0 || ::fstat(static_cast<int>(FHandle), &st) != 0)
        return 0;
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec - st.st_mtim.tv_sec) +
           static_cast<double>(now.tv_nsec - st.st_mtim.tv_nsec) / 1e9;
}

void TLockedFile::RemoveAndClose(const std::string& path) {
    if (NamedBy(path))
        ::unlink(path.c_str());
    Close();
}

void TLockedFile::Close() {
    if (FHandle >= 0)
        ::close(static_cast<int>(FHandle));
    FHandle = -1;
}

bool TLockedFile::IsOpen() const {
    return FHandle >= 0;
}

std::string SharedLockFolder() {
    // The system's folder for lock files where it is open to every user
    // (sticky and writable for all), else the temporary folder: a fixed
    // choice, so every writer on this machine comes to the same one.
    struct stat st;
    if (::stat("/run/lock", &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 01777) == 01777)
        return "/run/lock";
    return "/tmp";
}

} // namespace orvanta::os
