#include "core/speicherschutz.h"

#include "core/osfile.h"

namespace orvanta {

void Ueberschreiben(std::string& s) {
    if (s.capacity() > 0)
        os::SecureZero(s.data(), s.capacity());
    s.clear();
}

void Ueberschreiben(std::u16string& s) {
    if (s.capacity() > 0)
        os::SecureZero(s.data(), s.capacity() * sizeof(char16_t));
    s.clear();
}

TOhneSpeicherabzug::TOhneSpeicherabzug() : FVorher(os::DisableCoreDumps()) {}

TOhneSpeicherabzug::~TOhneSpeicherabzug() {
    os::RestoreCoreDumps(FVorher);
}

bool TOhneSpeicherabzug::Aktiv() {
    return os::CoreDumpsDisabled();
}

} // namespace orvanta
