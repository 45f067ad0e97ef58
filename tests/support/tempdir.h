#pragma once
// Files a test touches: a directory of its own, removed afterwards, whole-file
// reads and writes, and running a check without root's privileges
// (permission errors never happen for root, and the test machines run as root).

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace orvanta::testing {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The directory with a trailing slash, as the loaders take it.
    std::string str() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    void write(const std::string& name, const std::string& content) const;

private:
    std::filesystem::path path_;
};

std::string ReadAll(const std::string& path);
void WriteAll(const std::string& path, const std::string& bytes);

// Sets the modification time back by age (of a link itself, not its
// target), as if the file had been written then. False when that failed.
bool MakeOld(const std::string& path, std::chrono::seconds age);

// Whether permission checks pass for this process whatever the permissions
// (root on POSIX; never on Windows).
bool RunsAsRoot();

#ifndef _WIN32
// Runs check in a child process, as user "nobody" when dropPrivileges is
// set; check returns an empty string on success or a failure text.
std::string RunInChild(const std::function<std::string()>& check, bool dropPrivileges);
#endif

// Runs check as "nobody" when the test runs as root, else right here.
std::string RunUnprivileged(const std::function<std::string()>& check);

} // namespace orvanta::testing
