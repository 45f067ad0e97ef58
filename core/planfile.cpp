#include "core/planfile.h"

#include "core/errors.h"
#include "core/version.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta {

namespace {

constexpr const char* DataFileName = "Orvan.Dat";

// The temporary file of a save: the data file's name, six random characters
// and an ending no one gives a copy of their own.
constexpr const char* TempMarker = ".XXXXXX";
constexpr const char* TempSuffix = ".tmp";
constexpr std::size_t TempRandomLength = 6;

bool isTempCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Whether name is the temporary name of a save of the file named base.
bool isTempNameOf(const std::string& name, const std::string& base) {
    const std::string suffix = TempSuffix;
    if (name.size() != base.size() + 1 + TempRandomLength + suffix.size() ||
        name.compare(0, base.size(), base) != 0 || name[base.size()] != '.' ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    for (std::size_t i = 0; i < TempRandomLength; ++i)
        if (!isTempCharacter(name[base.size() + 1 + i]))
            return false;
    return true;
}

// Closes on every path; close errors of a file only read are of no interest.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

bool readFully(int fd, unsigned char* buf, std::size_t size, std::size_t& got) {
    got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buf + got, size - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

bool writeFully(int fd, const unsigned char* buf, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, buf + done, size - done);
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

std::string directoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// A data file that is a symbolic link is updated where the link points, as an
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

// Overwrites the record first and cuts the file after it, so a failing write
// leaves a file of full length rather than an empty one.
void rewriteInPlace(const TPlanRecord& rec, const std::string& path) {
    Fd file;
    file.fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (file.fd < 0)
        ThrowInOutErrno(errno);
    if (!writeFully(file.fd, reinterpret_cast<const unsigned char*>(&rec), PlanRecordSize) ||
        ::ftruncate(file.fd, PlanRecordSize) != 0 || ::fsync(file.fd) != 0)
        ThrowInOutErrno(errno);
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0)
        ThrowInOutErrno(errno);
}

} // namespace

std::string DataFilePath(const std::string& programDir) {
    if (programDir.empty() || programDir.back() == '/')
        return programDir + DataFileName;
    return programDir + '/' + DataFileName;
}

void ReadPlanRecordFile(TPlanRecord& rec, const std::string& path, OpenFor mode) {
    Fd file;
    file.fd =
        ::open(path.c_str(), (mode == OpenFor::ReadingAndWriting ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (file.fd < 0)
        ThrowInOutErrno(errno);
    // Take the bytes over only when the whole record is there: a short file
    // must not leave a half-overwritten record behind.
    unsigned char buf[PlanRecordSize];
    std::size_t got = 0;
    if (!readFully(file.fd, buf, sizeof buf, got))
        ThrowInOutErrno(errno);
    if (got < sizeof buf)
        ThrowInOutError(IoReadBeyondEnd);
    std::memcpy(&rec, buf, sizeof buf);
}

void LoadPlanRecord(TPlanRecord& rec, const std::string& path) {
    ReadPlanRecordFile(rec, path, OpenFor::ReadingAndWriting);
    rec.Version.assign(ProgramVersion);
}

void SavePlanRecord(const TPlanRecord& rec, const std::string& path) {
    const std::string target = resolveTarget(path);

    // The rename would replace a write-protected file; a direct rewrite is
    // refused there, and so is this save.
    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && ::access(target.c_str(), W_OK) != 0)
        ThrowInOutErrno(errno);
    if (exists && S_ISDIR(old.st_mode))
        ThrowInOutError(IoAccessDenied);

    std::string temp = target + TempMarker + TempSuffix;
    Fd file;
    file.fd = ::mkstemps(temp.data(), static_cast<int>(std::strlen(TempSuffix)));
    if (file.fd < 0) {
        const int err = errno;
        // A program directory the user may not create files in, with a data
        // file the user may write (a shared installation): rewrite in place,
        // as a plain save would, rather than refuse.
        if (exists && (err == EACCES || err == EPERM)) {
            rewriteInPlace(rec, target);
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

    // Keep the old file's permissions; a new file gets what a plain create would give.
    mode_t perms;
    if (exists) {
        perms = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        perms = 0666 & ~mask;
    }
    if (::fchmod(file.fd, perms) != 0)
        abandon(errno);
    if (!writeFully(file.fd, reinterpret_cast<const unsigned char*>(&rec), PlanRecordSize))
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
    dir.fd = ::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir.fd >= 0)
        ::fsync(dir.fd);
}

int RemoveStaleTempFiles(const std::string& path, std::chrono::seconds minAge) {
    const std::string target = resolveTarget(path);
    const std::string dirPath = directoryOf(target);
    const std::string base = nameOf(target);
    DIR* dir = ::opendir(dirPath.c_str());
    if (!dir)
        return 0;
    const time_t now = ::time(nullptr);
    const uid_t me = ::geteuid();
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!isTempNameOf(name, base))
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

} // namespace orvanta
