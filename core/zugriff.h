#pragma once
// The access lock: which level an entered password unlocks, and what each
// level opens. The stored passwords are never logged or shown; they are only
// compared, in time that does not depend on where an entry first differs.

#include "core/planrecord.h"

#include <array>
#include <string>
#include <string_view>

namespace orvanta {

// The three plain passwords of the record (levels 1, 2, 3), unscrambled with
// XorCodierung. Windows-1252 bytes.
using TPasswoerter = std::array<std::string, 3>;
TPasswoerter KlartextPasswoerter(const TPlanRecord& rec);

// Compares the bytes of entry and stored without an early exit: the time taken
// depends on the length of the entry only.
bool GleicheBytes(std::string_view entry, std::string_view stored);

// The level an entry unlocks: 1, 2 or 3 when it equals the first, second or
// third password (the highest wins when passwords are equal), else 0. An
// empty stored password never matches, so an empty entry never unlocks.
// All three passwords are always compared.
int Zugangsstufe(std::string_view entryCp1252, const TPasswoerter& passwoerter);

// As above for an entry typed in the window (UTF-16). A character that has no
// Windows-1252 byte cannot be part of a stored password: such an entry
// unlocks nothing (rather than being matched as '?').
int ZugangsstufeUtf16(std::u16string_view entry, const TPasswoerter& passwoerter);

// What the levels open. Level 2 opens what level 1 opens.
inline bool ProvisionFreigegeben(int zugriffsstufe) {
    return zugriffsstufe >= 1;
}
inline bool FRVFreigegeben(int zugriffsstufe) {
    return zugriffsstufe >= 3;
}

} // namespace orvanta
