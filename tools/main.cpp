#include "tools/commands.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

void usage() {
    std::fputs("Aufruf:\n"
               "  orvanta-tool make QUELLE.json ZIEL.Dat\n"
               "  orvanta-tool dump DATEI.Dat\n"
               "  orvanta-tool set-password N TEXT|- DATEI.Dat\n"
               "  orvanta-tool calc DATEI.Dat\n"
               "  orvanta-tool report [--vergleich] DATEI.Dat ZIEL.pdf\n"
               "  orvanta-tool new NAME.Dat\n"
               "  orvanta-tool csv DATEI.Dat aufbau|entnahme|provision\n",
               stderr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace orvanta::tool;
    if (argc < 2) {
        usage();
        return 2;
    }
    const std::string cmd = argv[1];
    const Args args(argv + 2, argv + argc);
    try {
        if (cmd == "make")
            return cmdMake(args);
        if (cmd == "dump")
            return cmdDump(args);
        if (cmd == "set-password")
            return cmdSetPassword(args);
        if (cmd == "calc")
            return cmdCalc(args);
        if (cmd == "report")
            return cmdReport(args);
        if (cmd == "new")
            return cmdNew(args);
        if (cmd == "csv")
            return cmdCsv(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "Unbekannter Befehl: %s\n", cmd.c_str());
    usage();
    return 2;
}
