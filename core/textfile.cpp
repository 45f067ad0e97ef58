#include "core/textfile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace orvanta {

TTextFile::~TTextFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool TTextFile::Open(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    return true;
}

long TTextFile::ReadSome(char* buf, std::size_t size) {
    if (fd_ < 0) {
        errno = EBADF;
        return -1;
    }
    return static_cast<long>(::read(fd_, buf, size));
}

bool TTextFile::fill() {
    if (AtEnd())
        return false;
    for (;;) {
        errno = 0;
        const long n = ReadSome(buf_, sizeof buf_);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error_ = errno != 0 ? errno : EIO;
            return false;
        }
        if (n == 0) {
            eof_ = true;
            return false;
        }
        pos_ = 0;
        len_ = static_cast<std::size_t>(n);
        return true;
    }
}

bool TTextFile::ReadLine(std::string& line) {
    line.clear();
    bool begun = false;
    for (;;) {
        if (pos_ == len_ && !fill())
            return begun && error_ == 0;
        const char c = buf_[pos_++];
        if (skipLf_) {
            skipLf_ = false;
            if (c == '\n')
                continue;
        }
        begun = true;
        if (c == '\n') {
            if (ends_ == LineEnds::Lf && !line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        if (c == '\r' && ends_ == LineEnds::Any) {
            skipLf_ = true;
            return true;
        }
        line += c;
    }
}

} // namespace orvanta
