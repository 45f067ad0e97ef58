#pragma once
// Texts in the plan record are Windows-1252; everything outside the record
// (Qt, JSON, the terminal) is UTF-8. These helpers are the one place where the
// two meet.

#include "core/planrecord.h"

#include <string>
#include <string_view>

namespace orvanta {

// Every byte has a code point: the five bytes that Windows-1252 leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 controls of the same
// number, so any record text survives a trip through UTF-8.
std::string Cp1252ToUtf8(std::string_view cp1252);

// Characters without a Windows-1252 byte, and malformed UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// As Utf8ToCp1252, but returns false (leaving out unspecified) when any
// character has no Windows-1252 byte or the input is not valid UTF-8.
bool TryUtf8ToCp1252(std::string_view utf8, std::string& out);

// Code point of one Windows-1252 byte.
char32_t Cp1252ToCodePoint(unsigned char byte);
// Windows-1252 byte of a code point; false when there is none.
bool CodePointToCp1252(char32_t cp, unsigned char& byte);

template <std::size_t N> std::string ShortStringToUtf8(const ShortString<N>& s) {
    return Cp1252ToUtf8(s.view());
}

// Stores at most N characters; the bytes after the text keep their contents.
template <std::size_t N> void ShortStringFromUtf8(ShortString<N>& s, std::string_view utf8) {
    s.assign(Utf8ToCp1252(utf8));
}

} // namespace orvanta
