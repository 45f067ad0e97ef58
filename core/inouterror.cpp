#include "core/inouterror.h"

#include "core/errors.h"
#include "core/osfile.h"

#include <cerrno>
#include <filesystem>

namespace orvanta {

int InOutErrorCode(int err) {
    return os::InOutCode(err);
}

std::string InOutErrorText(int code) {
    switch (code) {
    case IoFileNotFound:
        return "Datei nicht gefunden";
    case IoAccessDenied:
        return "Dateizugriff verweigert";
    case IoReadBeyondEnd:
        return "Versuch hinter dem Dateiende zu lesen";
    default:
        break;
    }
    if (code < IoSystemError)
        return "E/A-Fehler " + std::to_string(code);
    const int err = code - IoSystemError;
    std::string text = "E/A-Fehler " + std::to_string(err);
    if (const char* erklaerung = os::Explanation(err))
        text += std::string(" (") + erklaerung + ")";
    return text;
}

std::string SystemErrorText(int err) {
    return InOutErrorText(InOutErrorCode(err));
}

namespace {

// The standard library's generic category holds POSIX errno values on every
// system; only on POSIX systems are they also the system's own numbers.
std::string errnoText(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return InOutErrorText(IoFileNotFound);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return InOutErrorText(IoAccessDenied);
    default:
        break;
    }
#ifdef _WIN32
    return "E/A-Fehler " + std::to_string(err);
#else
    return SystemErrorText(err);
#endif
}

} // namespace

std::string SystemErrorText(const std::system_error& e) {
    const std::error_category& art = e.code().category();
    std::string text = art == std::system_category() ? SystemErrorText(e.code().value())
                       : art == std::generic_category()
                           ? errnoText(e.code().value())
                           : "E/A-Fehler " + std::to_string(e.code().value());
    const auto* datei = dynamic_cast<const std::filesystem::filesystem_error*>(&e);
    if (datei && !datei->path1().empty())
        text = "\u201E" + datei->path1().string() + "\u201C: " + text;
    return text;
}

void ThrowInOutError(int code) {
    throw EInOutError(code, InOutErrorText(code));
}

void ThrowInOutErrno(int err) {
    ThrowInOutError(InOutErrorCode(err));
}

} // namespace orvanta
