#include "tools/commands.h"

#include "core/errors.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

const char* const Aufruf = "Aufruf:\n"
                           "  orvanta-tool make QUELLE.json ZIEL.Dat\n"
                           "  orvanta-tool dump DATEI.Dat\n"
                           "  orvanta-tool set-password N TEXT|- DATEI.Dat\n"
                           "  orvanta-tool calc DATEI.Dat\n"
                           "  orvanta-tool report [--vergleich] [--kosten] DATEI.Dat ZIEL.pdf\n"
                           "  orvanta-tool new NAME.Dat\n"
                           "  orvanta-tool csv DATEI.Dat aufbau|entnahme|provision|kosten\n"
                           "  orvanta-tool --help | -h\n"
                           "  orvanta-tool --version\n";

void usage() {
    std::fputs(Aufruf, stderr);
}

} // namespace

int main(int argc, char** argv) {
    using namespace orvanta::tool;
    if (argc < 2) {
        usage();
        return 2;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(Aufruf, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvanta-tool %s\nBuild %s\n", ORVANTA_VERSION, ORVANTA_BUILD);
        return 0;
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
        std::fprintf(stderr, "%s\n", orvanta::FehlerText(e).c_str());
        return 1;
    }
    std::fprintf(stderr, "Unbekannter Befehl: %s\n", cmd.c_str());
    usage();
    return 2;
}
