// report: the report set of a data file as PDF, without a display.

#include "tools/commands.h"
#include "tools/recalculation.h"

#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include "core/frvdata.h"
#include "core/planfile.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace orvanta::tool {

namespace {

// Fonts and the PDF writer need a GUI application; on a machine without a
// display the offscreen platform serves, unless the caller chose one.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvanta-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// The FRV lookup of the recalculation, in the folder the program looks in. The tool is the
// adviser's own, so the access level counts as sufficient. Returns an empty text when FRV values
// were found, else why the comparison cannot be printed.
std::string LadeFRVVergleich(TPerformCalc& calc) {
    const TPlanRecord& r = calc.Rec;
    if (!FRVLookupApplies(r))
        return "Kein FRV-Vergleich möglich: er gilt nur für einen Aufbauplan, dessen "
               "Einzahlungsdauer der Anlagedauer entspricht.";
    const std::string ordner = FrvFolder();
    if (LadeFRVFuerPlan(r, calc.Aufbautabelle, ordner))
        return {};
    return "Keine FRV-Vergleichsdaten gefunden: die Datei \"" + FRV_DateinameFuerPlan(r) +
           "\" fehlt in \"" + ordner + "\" oder passt nicht zu den Wertentwicklungen des Plans.";
}

} // namespace

int cmdReport(const Args& args) {
    bool vergleich = false;
    bool kosten = false;
    Args files;
    for (const std::string& a : args) {
        if (a == "--vergleich")
            vergleich = true;
        else if (a == "--kosten")
            kosten = true;
        else
            files.push_back(a);
    }
    if (files.size() != 2) {
        std::fputs("Aufruf: orvanta-tool report [--vergleich] [--kosten] DATEI.Dat ZIEL.pdf\n",
                   stderr);
        return 2;
    }

    const auto app = guiApplication();
    TPerformCalc calc;
    ReadPlanRecordFile(calc.Rec, files[0], OpenFor::Reading);
    RecalculateAsProgram(calc);

    reports::TReportSet set(calc);
    set.Kostenuebersicht_drucken = kosten;
    if (vergleich) {
        const std::string fehlt = LadeFRVVergleich(calc);
        if (!fehlt.empty()) {
            std::fprintf(stderr, "%s\n", fehlt.c_str());
            return 1;
        }
        set.Vergleichsdruck = true;
        set.FRV_verfuegbar = true;
    }
    const reports::TLaidOutDocument doc = set.Layout();
    if (doc.Sheets.empty()) {
        std::fputs("Der Ausdruck enthält keine Seiten: in den Druckoptionen ist weder die "
                   "Einzahlungs- noch die Entnahmephase gewählt.\n",
                   stderr);
        return 1;
    }
    QString error;
    if (!reports::WriteReportPdf(doc, QString::fromLocal8Bit(files[1].c_str()), &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return 1;
    }
    std::printf("%d %s geschrieben: %s\n", doc.pageCount(),
                doc.pageCount() == 1 ? "Seite" : "Seiten", files[1].c_str());
    return 0;
}

} // namespace orvanta::tool
