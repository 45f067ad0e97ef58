// The report set of a long plan (99 years of saving, 60 years of withdrawal)
// laid out and written to PDF. Goal: within 20 ms CPU on the 2-core build
// machine (the CPU column). Widths and shaped lines stay in the thread's
// metrics cache, so the iterations after the first measure a repeated set.

#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include "core/performcalc.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstring>

using namespace orvanta;

namespace {

void fillLongPlan(TPerformCalc& calc) {
    TPlanRecord& rec = calc.Rec;
    std::memset(&rec, 0, sizeof rec);
    rec.Vorname.assign("Max");
    rec.Nachname.assign("Mustermann");
    rec.Berater.assign("Anna Beispiel");
    rec.Anlageart = 1;
    rec.Sparbetrag = 250;
    rec.Eintrittsalter = 0;
    rec.Laufzeit = 99;
    rec.Einzahlungsdauer = 99;
    rec.Dynamik = 5;
    rec.Anlagestrategie = 3;
    rec.Anlagestrategie_Entnahme = 3;
    const double rates[AnzahlSzenarien] = {0, 0, 3, 6, 9, 6};
    std::memcpy(rec.Performance, rates, sizeof rates);
    rec.MitEinrichtungsgebuehr = 1;
    rec.AgioZahlungsart = 2;
    rec.Agio_Satz = 5;
    rec.MitManagementFee = 1;
    rec.ManagementFee = 0.5;
    rec.MitDepotgebuehr = 1;
    rec.Depotgebuehr = 12;
    rec.AuszEndeArt = 1;
    rec.AuszBeginn = 35;
    rec.AuszEnde = 95;
    rec.AuszDauer = 60;
    rec.Rentenkapital = 500000;
    rec.Monatsrente = 2500;
    rec.Grafik_drucken = 1;
    rec.Einzahlungsphase_drucken = 1;
    rec.Entnahmephase_drucken = 1;
    calc.BerechneAufbauphase();
    calc.BerechneEntnahmephase();
}

QString pictureDir() {
    // Benchmarks run from build/bench; the delivered pictures lie in build/bin.
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

void BM_ReportSetToPdf(benchmark::State& state) {
    TPerformCalc calc;
    fillLongPlan(calc);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("bericht.pdf"));
    const bool pictures = QFileInfo::exists(pictureDir() + QStringLiteral("/bank_logo.jpg"));
    int pages = 0;
    for (auto _ : state) {
        reports::TReportSet set(calc);
        const reports::TLaidOutDocument doc = set.Layout();
        pages = doc.pageCount();
        if (!reports::WriteReportPdf(doc, pdf, nullptr, pictureDir()))
            state.SkipWithError("PDF nicht geschrieben");
    }
    state.counters["Seiten"] = pages;
    state.counters["Bilder"] = pictures ? 1 : 0;
    state.counters["KB"] = QFileInfo(pdf).size() / 1024.0;
}
BENCHMARK(BM_ReportSetToPdf)->Unit(benchmark::kMillisecond);

void BM_ReportSetLayoutOnly(benchmark::State& state) {
    TPerformCalc calc;
    fillLongPlan(calc);
    for (auto _ : state) {
        reports::TReportSet set(calc);
        benchmark::DoNotOptimize(set.Layout());
    }
}
BENCHMARK(BM_ReportSetLayoutOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
