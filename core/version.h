#pragma once

namespace orvanta {
// Written into the record's Version field after every load; prefix of all window captions.
inline constexpr const char* ProgramVersion = "Orvanta 1.6";
} // namespace orvanta
