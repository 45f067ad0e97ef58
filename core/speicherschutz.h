#pragma once
// Keeping plain passwords out of places they could be read from later: freed
// memory and core dumps.

#include "core/osfile.h"

#include <string>

namespace orvanta {

// Overwrites the whole buffer of s (its capacity, not only its length) with
// zeros in a way the compiler cannot drop, then empties s.
void Ueberschreiben(std::string& s);
void Ueberschreiben(std::u16string& s);

// While an object of this class lives, the process writes no core dump and
// (POSIX) its memory cannot be read by another process of the same user (no
// ptrace, no /proc/PID/mem); on Windows a crash ends the process without an
// error report and its memory dump. The previous settings come back
// afterwards.
class TOhneSpeicherabzug {
public:
    TOhneSpeicherabzug();
    ~TOhneSpeicherabzug();
    TOhneSpeicherabzug(const TOhneSpeicherabzug&) = delete;
    TOhneSpeicherabzug& operator=(const TOhneSpeicherabzug&) = delete;

    // Whether core dumps are off right now (for the tests).
    static bool Aktiv();

private:
    os::TDumpSettings FVorher;
};

} // namespace orvanta
