// From a committed entry to the end of the display step on the main window,
// with the delivered plan: save of Orvan.Dat, both calculations, FRV lookup,
// preview, chart series and captions. Goal: within 16 ms.
//
// Run: build/bench/bench_mainwindow (uses build/bin, or ORVANTA_DATA_DIR).

#include "app/orvantaapplication.h"
#include "app/programwindows.h"
#include "app/tfrm_perfmain.h"
#include "controls/teditfloat.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <benchmark/benchmark.h>

using namespace orvanta;

namespace {

QString DataDir() {
    const QString env = qEnvironmentVariable("ORVANTA_DATA_DIR");
    return env.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/../bin") : env;
}

// A copy of the delivered program directory, so that the bench never writes
// the delivered data file.
struct TBenchProgramm {
    QTemporaryDir Dir;
    std::unique_ptr<TProgrammFenster> Fenster;

    bool Starten() {
        for (const char* name : {"Orvan.Dat", "Sterbetafel_2004.csv"})
            if (!QFile::copy(DataDir() + QLatin1Char('/') + QLatin1String(name),
                             Dir.path() + QLatin1Char('/') + QLatin1String(name)))
                return false;
        // FRV files are looked up in the working directory.
        QDir::setCurrent(DataDir());
        Fenster = std::make_unique<TProgrammFenster>(Dir.path());
        Fenster->frm_perfmain->show();
        QElapsedTimer t;
        t.start();
        while (!Fenster->frm_perfmain->Geladen() && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return Fenster->frm_perfmain->Geladen();
    }

    // A control of the main window by its name.
    template <typename T> T& Control(const char* name) {
        return *Fenster->frm_perfmain->findChild<T*>(QLatin1String(name));
    }
};

void BM_CommittedEntryToDisplay(benchmark::State& state) {
    TBenchProgramm p;
    if (!p.Starten()) {
        state.SkipWithError("delivered data not found or not loaded");
        return;
    }
    Tfrm_perfmain& m = *p.Fenster->frm_perfmain;
    auto& laufzeitFeld = p.Control<TEditFloat>("edt_Laufzeit");
    const double laufzeit = m.Calc().Rec.Laufzeit;
    bool kurz = false;
    for (auto _ : state) {
        // What the field does when the user commits a new Anlagedauer.
        laufzeitFeld.SetValue(kurz ? laufzeit - 1 : laufzeit);
        emit laufzeitFeld.modified();
        kurz = !kurz;
        benchmark::DoNotOptimize(m.Calc().Rec.Kapital[3]);
    }
    m.close();
}
BENCHMARK(BM_CommittedEntryToDisplay)->Unit(benchmark::kMillisecond);

// The same step with the chart view in front.
void BM_CommittedEntryToDisplayChart(benchmark::State& state) {
    TBenchProgramm p;
    if (!p.Starten()) {
        state.SkipWithError("delivered data not found or not loaded");
        return;
    }
    Tfrm_perfmain& m = *p.Fenster->frm_perfmain;
    p.Control<QToolButton>("SPB_Chart").click();
    auto& monatsrenteFeld = p.Control<TEditFloat>("edt_Monatsrente");
    const double monatsrente = m.Calc().Rec.Monatsrente;
    bool mehr = false;
    for (auto _ : state) {
        monatsrenteFeld.SetValue(mehr ? monatsrente + 50 : monatsrente);
        emit monatsrenteFeld.modified();
        mehr = !mehr;
        benchmark::DoNotOptimize(m.Calc().Rec.Kapital_erforderlich[3]);
    }
    m.close();
}
BENCHMARK(BM_CommittedEntryToDisplayChart)->Unit(benchmark::kMillisecond);

// The worst chart refresh: an Einmalanlage switching between a small amount
// and the largest one the field takes, so that the value axis jumps by five
// orders of magnitude each time, then the window repainted. Goal: within
// 20 ms from the committed entry to the repainted display.
void BM_ChartSmallToLargestAmount(benchmark::State& state) {
    TBenchProgramm p;
    if (!p.Starten()) {
        state.SkipWithError("delivered data not found or not loaded");
        return;
    }
    Tfrm_perfmain& m = *p.Fenster->frm_perfmain;
    p.Control<QRadioButton>("RB_Einmalanlage").click();
    p.Control<QToolButton>("SPB_Chart").click();
    auto& betrag = p.Control<TEditFloat>("edt_Anlagebetrag");
    bool gross = false;
    for (auto _ : state) {
        gross = !gross;
        betrag.SetValue(gross ? 10000000 : 100);
        emit betrag.modified();
        m.repaint();
        benchmark::DoNotOptimize(m.Calc().Rec.Kapital[3]);
    }
    m.close();
}
BENCHMARK(BM_ChartSmallToLargestAmount)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // No screen is needed to measure; a given platform is kept.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TOrvantaApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
