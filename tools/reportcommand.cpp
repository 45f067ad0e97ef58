#include "tools/commands.h"

#include <cstdio>

namespace orvanta::tool {

int cmdReport(const Args&) {
    std::fputs("Noch nicht verfügbar.\n", stderr);
    return 1;
}

} // namespace orvanta::tool
