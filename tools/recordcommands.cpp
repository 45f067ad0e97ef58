#include "tools/commands.h"

#include <cstdio>

namespace orvanta::tool {

int cmdMake(const Args&) {
    std::fputs("Noch nicht verfügbar.\n", stderr);
    return 1;
}

int cmdDump(const Args&) {
    std::fputs("Noch nicht verfügbar.\n", stderr);
    return 1;
}

int cmdSetPassword(const Args&) {
    std::fputs("Noch nicht verfügbar.\n", stderr);
    return 1;
}

} // namespace orvanta::tool
