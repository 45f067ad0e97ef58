#include "tests/support/tempdir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace orvanta::testing {

TempDir::TempDir() {
    // A name of random letters, made anew until no other test has it.
    static std::mt19937 gen{std::random_device{}()};
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0;; ++attempt) {
        std::string name = "orvanta-test-";
        for (int k = 0; k < 8; ++k)
            name += letters[gen() % (sizeof letters - 1)];
        path_ = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(path_))
            break;
        if (attempt == 100)
            throw std::runtime_error("no temporary directory");
    }
    // Reachable by the unprivileged child of RunUnprivileged.
    std::filesystem::permissions(path_, std::filesystem::perms::all);
}

TempDir::~TempDir() {
    // A test may have taken the rights away; removing needs them back.
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::all, ec);
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& content) const {
    WriteAll(file(name), content);
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool MakeOld(const std::string& path, std::chrono::seconds age) {
#ifdef _WIN32
    // Folders too, which the runtime's own call cannot open.
    const HANDLE h = ::CreateFileW(std::filesystem::path(path).c_str(), FILE_WRITE_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t;
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart -= static_cast<ULONGLONG>(age.count()) * 10000000ull;
    const FILETIME then{t.LowPart, t.HighPart};
    const bool ok = ::SetFileTime(h, nullptr, &then, &then);
    ::CloseHandle(h);
    return ok;
#else
    timespec times[2];
    ::clock_gettime(CLOCK_REALTIME, &times[0]);
    times[0].tv_sec -= age.count();
    times[1] = times[0];
    return ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW) == 0;
#endif
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool RunsAsRoot() {
#ifdef _WIN32
    return false;
#else
    return ::geteuid() == 0;
#endif
}

#ifndef _WIN32
std::string RunInChild(const std::function<std::string()>& check, bool dropPrivileges) {

    int pipefd[2];
    if (::pipe(pipefd) != 0)
        return "pipe failed";
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(pipefd[0]);
        ::close(pipefd[1]);
        return "fork failed";
    }
    if (pid == 0) {
        ::close(pipefd[0]);
        std::string result;
        if (dropPrivileges && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            result = "cannot drop privileges";
        else
            result = check();
        const ssize_t ignored = ::write(pipefd[1], result.data(), result.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(pipefd[1]);
    std::string result;
    char buf[256];
    ssize_t n;
    while ((n = ::read(pipefd[0], buf, sizeof buf)) > 0)
        result.append(buf, static_cast<std::size_t>(n));
    ::close(pipefd[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status))
        return "child crashed";
    return result;
}

#endif

std::string RunUnprivileged(const std::function<std::string()>& check) {
    if (!RunsAsRoot())
        return check();
#ifdef _WIN32
    return check();
#else
    return RunInChild(check, true);
#endif
}

} // namespace orvanta::testing
