#include "core/inouterror.h"

#include "core/errors.h"

#include <cerrno>
#include <filesystem>

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

std::string SystemErrorText(int err) {
    return InOutErrorText(InOutErrorCode(err));
}

std::string SystemErrorText(const std::system_error& e) {
    const std::error_category& art = e.code().category();
    std::string text = art == std::generic_category() || art == std::system_category()
                           ? SystemErrorText(e.code().value())
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
