#pragma once
// Scrambling of the stored access passwords. The same routine scrambles and
// unscrambles; the passwords of the delivered data file were scrambled with
// this key, so the key must never change.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanta {

inline constexpr std::size_t XorKeyLength = 31;

// Windows-1252 bytes in, bytes out, same length: each of the first 31 bytes is
// XORed with the byte of the key at the same position, the rest is copied.
// The result may hold any byte value, including 0.
std::string XorCodierung(std::string_view s);

} // namespace orvanta
