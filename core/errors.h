#pragma once
// Errors of the runtime, carrying the German texts the user sees. They are not
// handled where they arise: they end the running operation and reach the
// application's default error handler, which shows what().

#include "core/inouterror.h"

#include <new>
#include <stdexcept>
#include <string>
#include <system_error>

namespace orvanta {

class EOrvantaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Input/output errors of the data file and other files.
class EInOutError : public EOrvantaError {
public:
    EInOutError(int code, const std::string& text) : EOrvantaError(text), Code(code) {}
    int Code;
};

// "Gleitkommaüberlauf", "Ungültige Gleitkommaoperation", "Gleitkommadivision durch Null".
class EMathError : public EOrvantaError {
public:
    using EOrvantaError::EOrvantaError;
};

// "Fehler bei Bereichsprüfung".
class ERangeError : public EOrvantaError {
public:
    ERangeError() : EOrvantaError("Fehler bei Bereichsprüfung") {}
};

// "'%s' ist kein gültiger Gleitkommawert" and other failed conversions.
class EConvertError : public EOrvantaError {
public:
    using EOrvantaError::EOrvantaError;
};

// A failed or oversized allocation.
inline bool IsOutOfMemory(const std::exception& e) {
    return dynamic_cast<const std::bad_alloc*>(&e) != nullptr ||
           dynamic_cast<const std::length_error*>(&e) != nullptr;
}

// An error the operating system reported through the standard library; its
// what() is English.
inline bool IsSystemError(const std::exception& e) {
    return dynamic_cast<const std::system_error*>(&e) != nullptr;
}

// The text the user sees for any exception: what() of the system's own
// errors, German texts for a failed or oversized allocation and for the
// operating system's errors (the runtime's are English).
inline std::string FehlerText(const std::exception& e) {
    if (IsOutOfMemory(e))
        return "Nicht genügend Arbeitsspeicher";
    if (const auto* s = dynamic_cast<const std::system_error*>(&e))
        return SystemErrorText(*s);
    return e.what();
}

} // namespace orvanta
