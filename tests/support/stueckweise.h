#pragma once
// A text file whose reads hand out given bytes in small pieces and then end
// or fail with a chosen error number: read errors part-way through a file.

#include "core/textfile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

namespace orvanta::testing {

class TStueckweise : public TTextFile {
public:
    // err 0: the file simply ends after bytes.
    TStueckweise(LineEnds ends, std::string bytes, std::size_t piece, int err)
        : TTextFile(ends), bytes_(std::move(bytes)), piece_(piece), err_(err) {}

protected:
    long ReadSome(char* buf, std::size_t size) override {
        if (pos_ == bytes_.size()) {
            if (err_ == 0)
                return 0;
            errno = err_;
            return -1;
        }
        const std::size_t n = std::min({size, piece_, bytes_.size() - pos_});
        std::memcpy(buf, bytes_.data() + pos_, n);
        pos_ += n;
        return static_cast<long>(n);
    }

private:
    std::string bytes_;
    std::size_t piece_;
    int err_;
    std::size_t pos_ = 0;
};

} // namespace orvanta::testing
