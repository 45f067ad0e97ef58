// new: a fresh plan file for a customer from the delivered data file.
// csv: a year table of a plan as CSV for a spreadsheet, on standard output.

#include "tools/commands.h"
#include "tools/recalculation.h"

#include "core/csvexport.h"
#include "core/planfile.h"
#include "core/provisionsink.h"
#include "platform/datalocation.h"

#include <QDir>

#include <cstdio>
#include <filesystem>
#include <string>

namespace orvanta::tool {

int cmdNew(const Args& args) {
    if (args.size() != 1) {
        std::fputs("Aufruf: orvanta-tool new NAME.Dat\n", stderr);
        return 2;
    }
    // The program's file dialogs show "*.Dat": a bare name gets that extension.
    std::string ziel = args[0];
    const std::filesystem::path name = std::filesystem::path(ziel).filename();
    if (!name.empty() && name != "." && name != ".." && !name.has_extension())
        ziel += ".Dat";
    // A customer's plan is never replaced by the defaults by mistake.
    if (std::filesystem::exists(ziel) || std::filesystem::is_symlink(ziel)) {
        std::fprintf(stderr, "Die Datei \u201E%s\u201C gibt es schon; sie bleibt unverändert.\n",
                     ziel.c_str());
        return 1;
    }
    const DataLocation ort = findDataLocation();
    const std::string vorlage = DataFilePath(QDir(ort.deliveredDir).path().toStdString());
    TPlanRecord rec{};
    ReadPlanRecordFile(rec, vorlage, OpenFor::Reading);
    SavePlanRecord(rec, ziel);
    std::printf("Neuer Plan: %s\n", ziel.c_str());
    return 0;
}

int cmdCsv(const Args& args) {
    const std::optional<CsvTabelle> tabelle =
        args.size() == 2 ? CsvTabelleAusName(args[1]) : std::nullopt;
    if (!tabelle) {
        std::fputs("Aufruf: orvanta-tool csv DATEI.Dat aufbau|entnahme|provision|kosten\n", stderr);
        return 2;
    }
    TPerformCalc calc;
    TProvisionsProtokoll protokoll;
    calc.Provision = &protokoll;
    // Read only: a plan that is write-protected can still be exported.
    ReadPlanRecordFile(calc.Rec, args[0], OpenFor::Reading);
    calc.Rec.Zugriffsstufe = 0;

    RecalculateAsProgram(calc);

    const std::string text = CsvDatei(*tabelle, calc, protokoll, !protokoll.FRV.empty());
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        std::fputs("Die Tabelle konnte nicht vollständig geschrieben werden.\n", stderr);
        return 1;
    }
    return 0;
}

} // namespace orvanta::tool
