// What the file services share on every system: the names of temporary files,
// and what is built on the system calls alone.

#include "core/osfile.h"

#include "core/inouterror.h"

namespace orvanta::os {

namespace {

constexpr const char* TempSuffix = ".tmp";
constexpr std::size_t TempRandomLength = 6;

bool isTempCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

bool IsTempNameOf(const std::string& name, const std::string& base) {
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

bool TFile::ReadFully(void* buf, std::size_t size, std::size_t& got) {
    got = 0;
    auto* p = static_cast<unsigned char*>(buf);
    while (got < size) {
        const long n = Read(p + got, size - got);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

void RewriteInPlace(const std::string& path, const void* data, std::size_t size) {
    TFile file;
    if (!file.Open(path, TFile::Access::Write) || !file.WriteFully(data, size) ||
        !file.Truncate(size) || !file.Sync() || !file.Close())
        ThrowInOutErrno(file.Error());
}

bool ReadWholeFile(const std::string& path, std::string& content, int& err, std::size_t maxBytes) {
    content.clear();
    TFile file;
    if (!file.Open(path, TFile::Access::Read)) {
        err = file.Error();
        return false;
    }
    char buf[65536];
    for (;;) {
        const long n = file.Read(buf, sizeof buf);
        if (n < 0) {
            err = file.Error();
            return false;
        }
        if (n == 0)
            return true;
        if (content.size() + static_cast<std::size_t>(n) > maxBytes) {
            err = NotARegularFileError();
            return false;
        }
        content.append(buf, static_cast<std::size_t>(n));
    }
}

} // namespace orvanta::os
