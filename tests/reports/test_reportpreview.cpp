// The preview window and the headless report command: the preview opens
// modally with the PDF action and German texts and leaves no window behind;
// the tool writes the set of a data file as PDF and refuses what it cannot do.

#include "reporttesthelpers.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/testplans.h"

#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta;
using namespace orvanta::reports;
using namespace orvanta::reports::test;
using namespace orvanta::testing;

class TestReportPreview : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void previewShowsTheSet();
    void emptySetShowsNothing();
    void toolWritesPdf();
    void toolRefusals();
    void toolComparisonPrint();
};

void TestReportPreview::cleanup() {
    // No window may outlive its test.
    ORVANTA_VERIFY_NO_WINDOW_LEFT();
}

void TestReportPreview::previewShowsTheSet() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 36, .Entnahmejahre = 10});
    TReportSet set(calc);
    bool seen = false;
    int pages = 0;
    QString pdfAction;
    QString printFile;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintPreviewDialog*>(w);
        if (!dialog)
            return;
        seen = true;
        if (auto* widget = dialog->findChild<QPrintPreviewWidget*>())
            pages = widget->pageCount();
        printFile = dialog->printer()->outputFileName();
        for (QAction* a : dialog->findChildren<QAction*>())
            if (a->text().startsWith(QStringLiteral("Als PDF")))
                pdfAction = a->text();
        dialog->reject();
    });
    QVERIFY(ShowReportPreview(set));
    QVERIFY(seen);
    QCOMPARE(pages, set.MaxPage);
    QCOMPARE(pages, 1 + 1 + 2 + 1 + 1);
    QCOMPARE(pdfAction, QStringLiteral("Als PDF speichern …"));
    // The print dialog's file output suggests the customer's own file.
    QCOMPARE(printFile,
             QDir(PdfSaveFolder())
                 .filePath(SuggestedPdfFileName(QStringLiteral("Mustermann"), QStringLiteral("Max"),
                                                QDate::currentDate())));
    // Qt's own texts of the preview are German.
    QCOMPARE(QCoreApplication::translate("QPrintPreviewDialog", "Print"),
             QStringLiteral("Drucken"));
}

void TestReportPreview::emptySetShowsNothing() {
    TPerformCalc calc;
    FillPlan(calc, {.Einzahlung = false, .Entnahme = false});
    TReportSet set(calc);
    QVERIFY(!ShowReportPreview(set));
    set.Vergleichsdruck = true; // no comparison report, no FRV values
    calc.Rec.Einzahlungsphase_drucken = 1;
    QVERIFY(!ShowReportPreview(set));
}

void TestReportPreview::toolWritesPdf() {
    if (!QFile::exists(testing::ToolPath()) ||
        !QFile::exists(ToolDataDir() + QStringLiteral("/Orvan.Dat")))
        QSKIP("orvanta-tool oder Orvan.Dat nicht gebaut");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("demo.pdf"));
    const TToolRun r =
        RunTool({QStringLiteral("report"), ToolDataDir() + QStringLiteral("/Orvan.Dat"), pdf});
    QVERIFY2(r.Code == 0, qPrintable(r.Err));
    QVERIFY(r.Out.contains(QStringLiteral("Seiten geschrieben")));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
}

void TestReportPreview::toolRefusals() {
    if (!QFile::exists(testing::ToolPath()))
        QSKIP("orvanta-tool nicht gebaut");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("x.pdf"));
    // No FRV data in the working directory: a message, and no empty PDF.
    TToolRun r = RunTool({QStringLiteral("report"), QStringLiteral("--vergleich"),
                          ToolDataDir() + QStringLiteral("/Orvan.Dat"), pdf},
                         dir.path());
    QCOMPARE(r.Code, 1);
    QVERIFY2(r.Err.contains(QStringLiteral("Keine FRV-Vergleichsdaten gefunden: die Datei "
                                           "\"G002 m 35 100 1 5 30.txt\" fehlt")),
             qPrintable(r.Err));
    QVERIFY(!QFile::exists(pdf));
    r = RunTool({QStringLiteral("report"), dir.filePath(QStringLiteral("fehlt.Dat")), pdf});
    QCOMPARE(r.Code, 1);
    QVERIFY(r.Err.contains(QStringLiteral("Datei nicht gefunden")));
    r = RunTool({QStringLiteral("report"), pdf});
    QCOMPARE(r.Code, 2);
    QVERIFY(!QFile::exists(pdf));
}

void TestReportPreview::toolComparisonPrint() {
    const QString json =
        qEnvironmentVariable("ORVANTA_SOURCE_DIR") + QStringLiteral("/data/Orvan.json");
    const QString frv = ToolDataDir() + QStringLiteral("/G002 m 35 100 1 5 30.txt");
    if (!QFile::exists(testing::ToolPath()) || !QFile::exists(json) || !QFile::exists(frv))
        QSKIP("orvanta-tool, Orvan.json oder FRV-Daten fehlen");
    QTemporaryDir dir;
    QVERIFY(QFile::copy(frv, dir.filePath(QStringLiteral("G002 m 35 100 1 5 30.txt"))));
    const QString pdf = dir.filePath(QStringLiteral("vergleich.pdf"));

    // The demo plan: 30 years, year 0 included, take two sheets.
    TToolRun r = RunTool({QStringLiteral("report"), QStringLiteral("--vergleich"),
                          ToolDataDir() + QStringLiteral("/Orvan.Dat"), pdf},
                         dir.path());
    QVERIFY2(r.Code == 0, qPrintable(r.Err));
    QVERIFY(r.Out.startsWith(QStringLiteral("2 Seiten geschrieben")));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext fehlt");
    const QString all = PdfPages(pdf).join(QLatin1Char('\f'));
    QVERIFY(all.contains(QStringLiteral("VM47")));
    QVERIFY(all.contains(QStringLiteral("Seite 2")));
    QVERIFY(all.contains(QStringLiteral("von 2")));
    // FRV values of the file in whole euros: 782,73 and 1.612,80 of years 1 and 2.
    QVERIFY(all.contains(QStringLiteral("783")));
    QVERIFY(all.contains(QStringLiteral("1.613")));
    // Only the comparison page: none of the set's other pages.
    QVERIFY(!all.contains(QStringLiteral("Wichtige Hinweise")));

    // An Einmalanlage has no comparison, whatever files lie there.
    QFile source(json);
    QVERIFY(source.open(QIODevice::ReadOnly));
    QByteArray plan = source.readAll();
    plan.replace("\"Anlageart\": 1", "\"Anlageart\": 2");
    QFile changed(dir.filePath(QStringLiteral("einmal.json")));
    QVERIFY(changed.open(QIODevice::WriteOnly));
    changed.write(plan);
    changed.close();
    const QString dat = dir.filePath(QStringLiteral("einmal.Dat"));
    QCOMPARE(RunTool({QStringLiteral("make"), changed.fileName(), dat}).Code, 0);
    QFile::remove(pdf);
    r = RunTool({QStringLiteral("report"), QStringLiteral("--vergleich"), dat, pdf}, dir.path());
    QCOMPARE(r.Code, 1);
    QVERIFY2(r.Err.contains(QStringLiteral("Kein FRV-Vergleich möglich")), qPrintable(r.Err));
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(TestReportPreview)
#include "test_reportpreview.moc"
