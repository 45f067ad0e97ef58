#include "core/speicherschutz.h"

#include <string.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace orvanta {

void Ueberschreiben(std::string& s) {
    if (s.capacity() > 0)
        ::explicit_bzero(s.data(), s.capacity());
    s.clear();
}

void Ueberschreiben(std::u16string& s) {
    if (s.capacity() > 0)
        ::explicit_bzero(s.data(), s.capacity() * sizeof(char16_t));
    s.clear();
}

TOhneSpeicherabzug::TOhneSpeicherabzug() : dumpable_(::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0)) {
    rlimit old{};
    limitGelesen_ = ::getrlimit(RLIMIT_CORE, &old) == 0;
    coreSoft_ = old.rlim_cur;
    coreHard_ = old.rlim_max;
    // Only the soft limit: the hard one could not be raised again.
    if (limitGelesen_) {
        const rlimit none{0, old.rlim_max};
        ::setrlimit(RLIMIT_CORE, &none);
    }
    ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
}

TOhneSpeicherabzug::~TOhneSpeicherabzug() {
    if (dumpable_ > 0)
        ::prctl(PR_SET_DUMPABLE, dumpable_, 0, 0, 0);
    if (limitGelesen_) {
        const rlimit old{static_cast<rlim_t>(coreSoft_), static_cast<rlim_t>(coreHard_)};
        ::setrlimit(RLIMIT_CORE, &old);
    }
}

bool TOhneSpeicherabzug::Aktiv() {
    rlimit now{};
    return ::prctl(PR_GET_DUMPABLE, 0, 0, 0, 0) == 0 && ::getrlimit(RLIMIT_CORE, &now) == 0 &&
           now.rlim_cur == 0;
}

} // namespace orvanta
