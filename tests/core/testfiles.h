#pragma once
// Helpers for tests that touch real files: a scratch directory, whole-file
// reads and writes, and a way to run a check without root's privileges
// (permission errors never happen for root, and the test machines run as root).

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace testfiles {

class TempDir {
public:
    TempDir() {
        std::string tmpl =
            (std::filesystem::temp_directory_path() / "orvanta-test-XXXXXX").string();
        if (!::mkdtemp(tmpl.data()))
            throw std::runtime_error("mkdtemp failed");
        path_ = tmpl;
        // Reachable by the unprivileged child of RunUnprivileged.
        std::filesystem::permissions(path_, std::filesystem::perms::all);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Runs check in a child process, as user "nobody" when dropPrivileges is
// set; check returns an empty string on success or a failure text.
inline std::string RunInChild(const std::function<std::string()>& check, bool dropPrivileges) {
    int pipefd[2];
    if (::pipe(pipefd) != 0)
        return "pipe failed";
    const pid_t pid = ::fork();
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

// Permission checks never fail for root, and the test machines run as root:
// such checks run as "nobody" then.
inline std::string RunUnprivileged(const std::function<std::string()>& check) {
    if (::geteuid() != 0)
        return check();
    return RunInChild(check, true);
}

} // namespace testfiles
