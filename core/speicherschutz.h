#pragma once
// Keeping plain passwords out of places they could be read from later: freed
// memory and core dumps.

#include <string>

namespace orvanta {

// Overwrites the whole buffer of s (its capacity, not only its length) with
// zeros in a way the compiler cannot drop, then empties s.
void Ueberschreiben(std::string& s);
void Ueberschreiben(std::u16string& s);

// While an object of this class lives, the process writes no core dump and
// its memory cannot be read by another process of the same user (no
// ptrace, no /proc/PID/mem). The previous settings come back afterwards.
class TOhneSpeicherabzug {
public:
    TOhneSpeicherabzug();
    ~TOhneSpeicherabzug();
    TOhneSpeicherabzug(const TOhneSpeicherabzug&) = delete;
    TOhneSpeicherabzug& operator=(const TOhneSpeicherabzug&) = delete;

    // Whether core dumps are off right now (for the tests).
    static bool Aktiv();

private:
    int dumpable_;
    bool limitGelesen_;
    unsigned long long coreSoft_;
    unsigned long long coreHard_;
};

} // namespace orvanta
