#pragma once
// Shared by the fuzz targets: the readers take file names, so each input is
// handed to them as a file that lives in memory.

#include <cstddef>
#include <cstdint>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace orvanta::fuzz {

// A file in memory whose content is replaced for every input; Path() opens it.
class TEingabeDatei {
public:
    TEingabeDatei() : fd_(::memfd_create("orvanta-fuzz", 0)) {}
    ~TEingabeDatei() { ::close(fd_); }
    TEingabeDatei(const TEingabeDatei&) = delete;
    TEingabeDatei& operator=(const TEingabeDatei&) = delete;

    // Replaces the content; returns the path to open it by.
    std::string Setzen(const std::uint8_t* data, std::size_t size) {
        if (::ftruncate(fd_, 0) != 0 || ::pwrite(fd_, data, size, 0) != ssize_t(size))
            __builtin_trap();
        return Path();
    }
    std::string Path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

// The delivered data (mortality table, FRV files) in the source tree.
inline std::string DatenVerzeichnis() {
    return ORVANTA_FUZZ_DATA_DIR;
}

} // namespace orvanta::fuzz
