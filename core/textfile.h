#pragma once
// A text file read line by line, keeping the operating system's error number
// of a failed read, so a caller can keep what it read before the failure and
// report the real cause. Only regular files open, without ever waiting: a
// FIFO in place of the file is refused at once.

#include "core/osfile.h"

#include <cstddef>
#include <string>

namespace orvanta {

class TTextFile {
public:
    enum class LineEnds {
        Lf,  // lines end at LF; a CR right before it is dropped
        Any, // lines end at CR LF, LF or a lone CR
    };

    explicit TTextFile(LineEnds ends) : FEnds(ends) {}
    virtual ~TTextFile();
    TTextFile(const TTextFile&) = delete;
    TTextFile& operator=(const TTextFile&) = delete;

    // Opens path for reading; false with Error() set when that fails.
    bool Open(const std::string& path);

    // The next line without its end. False at the end of the file (a final
    // line end does not start another line) and on a read error, which
    // Error() then tells; a line cut off by the error is not returned.
    bool ReadLine(std::string& line);

    // The system error of the failed open or read; 0 while none failed.
    int Error() const { return FError; }
    // Whether a read has met the end of the file or failed: every further
    // ReadLine is false.
    bool AtEnd() const { return FEof || FError != 0; }

protected:
    // Up to size bytes of the file into buf: their count, 0 at the end,
    // -1 with errno set to the system error on failure.
    virtual long ReadSome(char* buf, std::size_t size);

private:
    bool fill();

    LineEnds FEnds;
    os::TFile FFile;
    char FBuf[65536];
    std::size_t FPos = 0;
    std::size_t FLen = 0;
    bool FEof = false;
    bool FSkipLf = false; // the last line ended with CR: an LF right after it belongs to it
    int FError = 0;
};

} // namespace orvanta
