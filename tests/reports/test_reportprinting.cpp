// Printing the set: A4 portrait whatever paper the printer prefers, sheets
// reduced rather than cut where A4 is not there, the preview open after
// printing, and PDF files saved to a folder that exists or told why not.

#include "reporttesthelpers.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/tempdir.h"
#include "tests/support/testplans.h"

#include "reports/reportpainter.h"
#include "reports/reportprinter.h"
#include "reports/reportset.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace orvanta;
using namespace orvanta::reports;
using namespace orvanta::reports::test;
using namespace orvanta::testing;

namespace {

// The page sizes of a PDF in points, one per page.
QList<QSizeF> PdfPageSizes(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)\\s*\\]"));
    QList<QSizeF> sizes;
    auto it = box.globalMatch(QString::fromLatin1(file.readAll()));
    while (it.hasNext()) {
        const auto m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

// A PDF printer whose own paper is Letter.
std::unique_ptr<QPrinter> LetterPrinter(const QString& pdf) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    return printer;
}

bool IsA4(const QSizeF& points) {
    return qAbs(points.width() - 595.3) < 1 && qAbs(points.height() - 841.9) < 1;
}

QAction* PrintAction(QWidget* preview) {
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* a : preview->findChildren<QAction*>())
        if (a->text() == print)
            return a;
    return nullptr;
}

// A printer's paper with its unprintable edges (mm).
QPageLayout Paper(QPageSize::PageSizeId id, const QMarginsF& edges) {
    QPageLayout layout(QPageSize(id), QPageLayout::Portrait, edges, QPageLayout::Millimeter, edges);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

} // namespace

class TestReportPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void a4UnderALetterPrinter();
    void reducedWhereA4IsMissing_data();
    void reducedWhereA4IsMissing();
    void letterPaperKeepsTheFooter();
    void previewStaysOpenAfterPrinting();
    void pdfFolderFallsBack();
    void writeProblemsInGerman();

private:
    QTemporaryDir Home;
    TPerformCalc Calc;
};

void TestReportPrinting::initTestCase() {
    // No printer of this machine takes part: the print dialog offers the
    // file only. HOME points to a folder of the test's own.
    qputenv("CUPS_SERVER", QFile::encodeName(Home.filePath(QStringLiteral("kein-cups"))));
    qputenv("HOME", QFile::encodeName(Home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Home.filePath(QStringLiteral(".config"))));
    FillPlan(Calc, {.Laufzeit = 36, .Entnahmejahre = 10});
}

void TestReportPrinting::cleanup() {
    ORVANTA_VERIFY_NO_WINDOW_LEFT();
}

void TestReportPrinting::a4UnderALetterPrinter() {
    // A printer whose own paper is Letter, and a print dialog that takes it
    // over: the set still goes out on A4 portrait.
    const auto letter = LetterPrinter(Home.filePath(QStringLiteral("letter.pdf")));
    QPrinter& printer = *letter;
    printer.setPageOrientation(QPageLayout::Landscape);
    TReportSet set(Calc);
    const TLaidOutDocument doc = set.Layout();
    TReportPainter sheets;
    WhenModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        QVERIFY(dialog);
        dialog->accept();
        dialog->printer()->setPageSize(QPageSize(QPageSize::Letter)); // the printer's default
    });
    PrintFromPreview(doc, printer, sheets, nullptr);
    const QList<QSizeF> pages = PdfPageSizes(printer.outputFileName());
    QCOMPARE(pages.size(), doc.pageCount());
    for (const QSizeF& page : pages)
        QVERIFY2(IsA4(page),
                 qPrintable(QStringLiteral("%1 x %2 pt").arg(page.width()).arg(page.height())));
}

void TestReportPrinting::reducedWhereA4IsMissing_data() {
    QTest::addColumn<QPageLayout>("paper");
    QTest::addColumn<double>("scale");
    QTest::addColumn<bool>("note");
    const QMarginsF none(0, 0, 0, 0);
    const QMarginsF quarterInch(6.35, 6.35, 6.35, 6.35);
    QTest::newRow("A4 bis an den Rand") << Paper(QPageSize::A4, none) << 1.0 << false;
    QTest::newRow("A4 mit schmalen Rändern")
        << Paper(QPageSize::A4, QMarginsF(4.2, 4.2, 4.2, 4.2)) << 1.0 << false;
    // The footer's last line sits 10 mm above the edge.
    QTest::newRow("A4 mit breitem unterem Rand")
        << Paper(QPageSize::A4, QMarginsF(4.2, 4.2, 4.2, 16.0)) << (297.0 - 20.2) / 282 << true;
    QTest::newRow("Letter") << Paper(QPageSize::Letter, quarterInch) << (279.4 - 12.7) / 282
                            << true;
    QTest::newRow("Letter bis an den Rand")
        << Paper(QPageSize::Letter, none) << 279.4 / 282 << true;
    QTest::newRow("Legal") << Paper(QPageSize::Legal, quarterInch) << 1.0 << true;
    QTest::newRow("A5") << Paper(QPageSize::A5, none) << 210.0 / 282 << true;
}

void TestReportPrinting::reducedWhereA4IsMissing() {
    QFETCH(QPageLayout, paper);
    QFETCH(double, scale);
    QFETCH(bool, note);
    const TPaperFit fit = FitA4(paper);
    QVERIFY(qAbs(fit.Scale - scale) < 1e-6);
    // The printed part of the sheet lies in the printable area, whole.
    using namespace PageGeometry;
    const QRectF printed(fit.Origin + QPointF(MarginLeft, MarginTop) * fit.Scale,
                         QSizeF(PrintWidth, PrintHeight) * fit.Scale);
    const QRectF printable = paper.fullRect(QPageLayout::Millimeter)
                                 .marginsRemoved(paper.minimumMargins())
                                 .adjusted(-1e-6, -1e-6, 1e-6, 1e-6);
    QVERIFY(printable.contains(printed));
    const QString text = PaperNote(QStringLiteral("Büro"), paper, fit);
    QCOMPARE(!text.isEmpty(), note);
    if (fit.reduced())
        QVERIFY2(text.contains(QStringLiteral("auf %1 % verkleinert").arg(qRound(scale * 100))),
                 qPrintable(text));
    if (!fit.A4)
        QVERIFY2(text.startsWith(QStringLiteral("Der Drucker \"Büro\" nimmt kein A4-Papier.")),
                 qPrintable(text));
}

void TestReportPrinting::letterPaperKeepsTheFooter() {
    // On Letter paper (A4 refused) every sheet keeps its last footer line.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext fehlt");
    const auto printer = LetterPrinter(Home.filePath(QStringLiteral("gekuerzt.pdf")));
    printer->setFullPage(true);
    TReportSet set(Calc);
    const TLaidOutDocument doc = set.Layout();
    TReportPainter sheets;
    QCOMPARE(PrintSheets(*printer, doc, sheets), doc.pageCount());
    // pdftotext reads text outside the page too; the boxes say where it is.
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), printer->outputFileName(), QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    static const QRegularExpression word(QStringLiteral("yMax=\"([\\d.]+)\""));
    auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    double lowest = 0;
    while (it.hasNext())
        lowest = std::max(lowest, it.next().captured(1).toDouble());
    // The group line of the footer, inside the Letter sheet of 792 pt.
    QVERIFY2(lowest > 770 && lowest < 792, qPrintable(QString::number(lowest)));
}

void TestReportPrinting::previewStaysOpenAfterPrinting() {
    // Print from the preview twice, into the file the print dialog suggests:
    // the preview stays open in between and after.
    TReportSet set(Calc);
    int printed = 0;
    bool openAfterPrinting = false;
    QString file;
    auto print = [&](QWidget* w) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        QVERIFY(dialog);
        file = dialog->printer()->outputFileName();
        dialog->accept();
        ++printed;
    };
    ModalAnswerer answerer({[&](QWidget* w) {
                                auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
                                QVERIFY(preview);
                                QAction* action = PrintAction(preview);
                                QVERIFY(action);
                                action->trigger();
                                action->trigger(); // a second copy
                                openAfterPrinting = preview->isVisible();
                                preview->reject();
                            },
                            print, print});
    QVERIFY(ShowReportPreview(set));
    QCOMPARE(printed, 2);
    QVERIFY(openAfterPrinting);
    QCOMPARE(QFileInfo(file).absolutePath(), QDir(Home.path()).absolutePath());
    const QList<QSizeF> pages = PdfPageSizes(file);
    QCOMPARE(pages.size(), set.MaxPage);
    QVERIFY(IsA4(pages.front()));
    // Printed to a file, the set counts as saved in its folder.
    QCOMPARE(PdfSaveFolder(), QDir(Home.path()).absolutePath());
}

void TestReportPrinting::pdfFolderFallsBack() {
    // No documents folder: home; once there is one, that; a remembered
    // folder only while it exists.
    QDir home(Home.path());
    home.removeRecursively();
    QVERIFY(home.mkpath(QStringLiteral(".")));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(documents.startsWith(home.absolutePath()));
    RememberPdfSaveFolder(home.filePath(QStringLiteral("Kunden/alt.pdf")));
    QCOMPARE(PdfSaveFolder(), home.absolutePath());
    QVERIFY(home.mkpath(documents));
    QCOMPARE(PdfSaveFolder(), documents);
    QVERIFY(home.mkpath(QStringLiteral("Kunden")));
    QCOMPARE(PdfSaveFolder(), home.filePath(QStringLiteral("Kunden")));
    QVERIFY(QDir(home.filePath(QStringLiteral("Kunden"))).removeRecursively());
    QCOMPARE(PdfSaveFolder(), documents);
}

void TestReportPrinting::writeProblemsInGerman() {
    TReportSet set(Calc);
    const TLaidOutDocument doc = set.Layout();
    const QString missing = Home.filePath(QStringLiteral("fehlt/x.pdf"));
    QString error;
    QVERIFY(!WriteReportPdf(doc, missing, &error));
    QCOMPARE(error, QStringLiteral("Die PDF-Datei \"%1\" konnte nicht geschrieben werden: Den "
                                   "Ordner \"%2\" gibt es nicht.")
                        .arg(missing, Home.filePath(QStringLiteral("fehlt"))));

    // Without the permission to write: a folder and a file of root's.
    const QString locked = Home.filePath(QStringLiteral("gesperrt"));
    QVERIFY(QDir(Home.path()).mkpath(locked));
    QFile::setPermissions(locked,
                          QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    QFile readOnly(Home.filePath(QStringLiteral("nur-lesen.pdf")));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    readOnly.setPermissions(QFile::ReadOwner | QFile::ReadOther);
    QFile::setPermissions(Home.path(), QFile::permissions(Home.path()) | QFile::ReadOther |
                                           QFile::WriteOther | QFile::ExeOther);
    const std::string failure = RunUnprivileged([&]() -> std::string {
        const QString intoLocked = QDir(locked).filePath(QStringLiteral("x.pdf"));
        QString why;
        if (WriteReportPdf(doc, intoLocked, &why) ||
            !why.endsWith(
                QStringLiteral("Keine Berechtigung, im Ordner \"%1\" zu schreiben.").arg(locked)))
            return "gesperrter Ordner: " + why.toStdString();
        if (WriteReportPdf(doc, readOnly.fileName(), &why) ||
            !why.endsWith(QStringLiteral(": Die Datei ist schreibgeschützt.")))
            return "schreibgeschützte Datei: " + why.toStdString();
        return {};
    });
    QVERIFY2(failure.empty(), failure.c_str());
}

QTEST_MAIN(TestReportPrinting)
#include "test_reportprinting.moc"
