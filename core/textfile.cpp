#include "core/textfile.h"

#include <cerrno>

namespace orvanta {

TTextFile::~TTextFile() = default;

bool TTextFile::Open(const std::string& path) {
    if (!FFile.Open(path, os::TFile::Access::Read)) {
        FError = FFile.Error();
        return false;
    }
    return true;
}

long TTextFile::ReadSome(char* buf, std::size_t size) {
    const long n = FFile.Read(buf, size);
    if (n < 0)
        errno = FFile.Error();
    return n;
}

bool TTextFile::fill() {
    if (AtEnd())
        return false;
    // An interrupted read is repeated below ReadSome, so every failure counts.
    errno = 0;
    const long n = ReadSome(FBuf, sizeof FBuf);
    if (n < 0) {
        FError = errno != 0 ? errno : EIO;
        return false;
    }
    if (n == 0) {
        FEof = true;
        return false;
    }
    FPos = 0;
    FLen = static_cast<std::size_t>(n);
    return true;
}

bool TTextFile::ReadLine(std::string& line) {
    line.clear();
    bool begun = false;
    for (;;) {
        if (FPos == FLen && !fill())
            return begun && FError == 0;
        const char c = FBuf[FPos++];
        if (FSkipLf) {
            FSkipLf = false;
            if (c == '\n')
                continue;
        }
        begun = true;
        if (c == '\n') {
            if (FEnds == LineEnds::Lf && !line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        if (c == '\r' && FEnds == LineEnds::Any) {
            FSkipLf = true;
            return true;
        }
        line += c;
    }
}

} // namespace orvanta
