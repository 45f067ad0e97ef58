#include "core/inouterror.h"

#include "core/errors.h"

#include <cerrno>

namespace orvanta {

int InOutErrorCode(int err) {
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        return IoFileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return IoAccessDenied;
    default:
        return IoSystemError + err;
    }
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
        return "E/A-Fehler " + std::to_string(code >= IoSystemError ? code - IoSystemError : code);
    }
}

void ThrowInOutError(int code) {
    throw EInOutError(code, InOutErrorText(code));
}

void ThrowInOutErrno(int err) {
    ThrowInOutError(InOutErrorCode(err));
}

} // namespace orvanta
