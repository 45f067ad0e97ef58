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

namespace {

// What the system's error numbers mean, in words an adviser understands;
// those a data file rarely meets keep their number alone.
const char* Erklaerung(int err) {
    switch (err) {
    case EIO:
        return "Lese- oder Schreibfehler des Datenträgers";
    case ENXIO:
    case ENODEV:
        return "das Gerät ist nicht verfügbar";
    case ENOMEM:
        return "nicht genügend Arbeitsspeicher";
    case EBUSY:
        return "die Datei oder das Gerät ist belegt";
    case EEXIST:
        return "die Datei ist bereits vorhanden";
    case EXDEV:
        return "Verschieben zwischen Datenträgern nicht möglich";
    case EINVAL:
        return "ungültiger Zugriff";
    case ENFILE:
    case EMFILE:
        return "zu viele geöffnete Dateien";
    case EFBIG:
        return "die Datei ist zu groß";
    case ENOSPC:
        return "kein Speicherplatz auf dem Datenträger";
    case ESPIPE:
        return "die Datei erlaubt keinen wahlfreien Zugriff";
    case EMLINK:
    case ELOOP:
        return "zu viele Verknüpfungen";
    case ENAMETOOLONG:
        return "der Dateiname ist zu lang";
    case ENOLCK:
        return "keine Dateisperre verfügbar";
    case EDQUOT:
        return "das Speicherkontingent ist erschöpft";
    case ESTALE:
        return "die Netzwerkdatei ist nicht mehr gültig";
    case ETIMEDOUT:
        return "Zeitüberschreitung";
    case ENETDOWN:
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ECONNRESET:
    case ECONNREFUSED:
        return "die Netzwerkverbindung ist unterbrochen";
    case EAGAIN:
        return "die Datei ist vorübergehend nicht verfügbar";
    default:
        return nullptr;
    }
}

} // namespace

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
    if (const char* erklaerung = Erklaerung(err))
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
