#include "core/inouterror.h"

#include "core/errors.h"
#include "core/osfile.h"

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

void ThrowInOutError(int code) {
    throw EInOutError(code, InOutErrorText(code));
}

void ThrowInOutErrno(int err) {
    ThrowInOutError(InOutErrorCode(err));
}

} // namespace orvanta
