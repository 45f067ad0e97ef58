#pragma once
// Codes and German texts of input/output errors, shared by every file the
// program reads or writes.

#include <string>

namespace orvanta {

// The runtime's codes for the situations the user is told about in words.
inline constexpr int IoFileNotFound = 2;
inline constexpr int IoAccessDenied = 5;
inline constexpr int IoReadBeyondEnd = 100;

// Any other operating-system error e has the code IoSystemError + e, so that
// no error number can be read as one of the codes above (EIO is 5, ENETDOWN
// 100). Its text names e itself. Error numbers are the system's own: errno on
// POSIX, GetLastError() on Windows (core/osfile.h maps both).
inline constexpr int IoSystemError = 0x10000;

// Code of a system error: missing files and directories are IoFileNotFound,
// refused access (permissions, a read-only file system, a directory or a
// running program in place of the file) IoAccessDenied, anything else
// IoSystemError + err. A short read has no errno: it is IoReadBeyondEnd.
int InOutErrorCode(int err);

// "Datei nicht gefunden", "Dateizugriff verweigert", "Versuch hinter dem
// Dateiende zu lesen", and "E/A-Fehler n" for the rest, n being the error
// number (the errno for codes from IoSystemError on). Where the system's error
// has a German explanation it follows in parentheses:
// "E/A-Fehler 28 (kein Speicherplatz auf dem Datenträger)".
std::string InOutErrorText(int code);

// Throw EInOutError with the code and its text.
[[noreturn]] void ThrowInOutError(int code);
[[noreturn]] void ThrowInOutErrno(int err);

} // namespace orvanta
