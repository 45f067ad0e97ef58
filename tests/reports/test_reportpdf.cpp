// The set as PDF: the texts of each page appear in the right order on the
// right sheet, pictures come from libjpeg and a missing one never stops the
// print, and no single-line text is wider than its box.

#include "reporttesthelpers.h"
#include "tests/support/testplans.h"

#include "reports/jpegimage.h"
#include "reports/reportpainter.h"
#include "reports/reportpreview.h"
#include "reports/reportprinter.h"
#include "reports/reportset.h"
#include "reports/tqr_hinweise.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <sys/stat.h>

using namespace orvanta;
using namespace orvanta::reports;
using namespace orvanta::reports::test;
using namespace orvanta::testing;

namespace {

QString sourceData() {
    return qEnvironmentVariable("ORVANTA_SOURCE_DIR", QStringLiteral(ORVANTA_TEST_SOURCE_DIR)) +
           QStringLiteral("/data");
}

// Each text is found on the page after the previous one.
void expectInOrder(const QString& page, const QStringList& texts) {
    qsizetype at = 0;
    for (const QString& t : texts) {
        const qsizetype found = page.indexOf(t, at);
        if (found < 0)
            QFAIL(qPrintable(
                QStringLiteral("\"%1\" fehlt oder steht nicht in der Reihenfolge").arg(t)));
        at = found + t.size();
    }
}

// Every glyph a PDF shows: font and size, glyph and where a reader puts it,
// in 10^-9 of the writer's pixels, as written (the text operators the PDF
// engine writes: BT, Tf, Tm, Td, Tj).
QStringList placedGlyphs(const QByteArray& pdf, int* runs) {
    auto exact = [](const QByteArray& number) {
        const bool minus = number.startsWith('-');
        const QList<QByteArray> parts = number.mid(minus ? 1 : 0).split('.');
        qint64 value = parts[0].toLongLong() * 1'000'000'000;
        if (parts.size() > 1)
            value += parts[1].leftJustified(9, '0').toLongLong();
        return minus ? -value : value;
    };
    QStringList glyphs;
    *runs = 0;
    static const QRegularExpression streams(QStringLiteral("stream\r?\n"));
    for (auto m = streams.globalMatch(QString::fromLatin1(pdf)); m.hasNext();) {
        const qsizetype begin = m.next().capturedEnd();
        const QByteArray packed = pdf.mid(begin, pdf.indexOf("endstream", begin) - begin);
        if (!packed.startsWith('\x78')) // not deflated: a picture
            continue;
        QByteArray sized(4, '\0');
        qToBigEndian<quint32>(quint32(packed.size() * 20), sized.data());
        const QByteArray content = qUncompress(sized + packed);
        if (!content.contains(" Tj\n"))
            continue;
        QByteArray font;
        qint64 x = 0;
        qint64 y = 0;
        for (const QByteArray& line : content.split('\n')) {
            const QList<QByteArray> op = line.split(' ');
            if (line == "BT") {
                ++*runs;
                x = y = 0;
            } else if (line.endsWith(" Tm") && op.size() > 3) {
                font = op[0] + ' ' + op[1];
                x = y = 0;
            } else if (line.endsWith(" Tj") && op.size() == 5) {
                x += exact(op[0]);
                y += exact(op[1]);
                glyphs << QStringLiteral("%1 %2 %3 %4")
                              .arg(QString::fromLatin1(font), QString::fromLatin1(op[3]))
                              .arg(x)
                              .arg(y);
            }
        }
    }
    glyphs.sort();
    return glyphs;
}

} // namespace

class TestReportPdf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void pagesInOrder();
    void missingPicturesLeaveTheirPlaceEmpty();
    void jpegDecoding();
    void noTextWiderThanItsBox_data();
    void noTextWiderThanItsBox();
    void notesFitTheirBand();
    void unwritableTarget();
    void paintingStaysInsideItsBoxes();
    void longRecordTextsStayOnTheSheet();
    void glyphsLieWhereTextPutsThem_data();
    void glyphsLieWhereTextPutsThem();

private:
    QTemporaryDir Dir;
    bool HavePdftotext = false;
};

void TestReportPdf::initTestCase() {
    QVERIFY(Dir.isValid());
    HavePdftotext = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

void TestReportPdf::pagesInOrder() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 40, .Entnahmejahre = 40});
    TReportSet set(calc);
    const TLaidOutDocument doc = set.Layout();
    QCOMPARE(doc.pageCount(), 7);
    const QString pdf = Dir.filePath(QStringLiteral("set.pdf"));
    QString error;
    QVERIFY2(WriteReportPdf(doc, pdf, &error, sourceData()), qPrintable(error));
    QVERIFY(QFile(pdf).size() > 10000);
    if (!HavePdftotext)
        QSKIP("pdftotext fehlt");
    const QStringList pages = PdfPages(pdf);
    QCOMPARE(pages.size(), 7);
    for (int n = 1; n <= 7; ++n)
        expectInOrder(pages[n - 1], {QStringLiteral("Seite %1").arg(n), QStringLiteral("von 7")});
    expectInOrder(pages[0],
                  {"VALMERA 47 - Das Finanzkonzept aus der Schweiz", "Individueller Aufbauplan",
                   "erstellt von", "Anna Beispiel", "Musterstraße 12",
                   "DAMIT SIE WISSEN, WIE IHR VERMÖGEN WACHSEN KANN", "Name", "Max Mustermann",
                   "Anlagedauer", "40 Jahre", "Gesamtleistungen",
                   "VALMERA 47 - Mit Sicherheit Vermögen", "Kelvora Privatbank AG"});
    expectInOrder(pages[1],
                  {"1. Wichtige Hinweise zum individuellen Anlagevorschlag",
                   "Nachteile einer vorzeitigen Kündigung", "Kosten und Gebühren",
                   "2. Vorteile von VALMERA 47", "Rentenzahlung / Entnahmeplan", "ohne Gewähr."});
    expectInOrder(pages[2], {"Modellrechnung – Strategiedepot W", "Monatsbetrag", "Aufbauplan",
                             "Bitte beachten Sie unbedingt unsere Hinweise auf Seite 2"});
    QVERIFY(pages[2].contains(QStringLiteral("\n35\n")) ||
            pages[2].contains(QStringLiteral("35 ")));
    QVERIFY(!pages[2].contains(QStringLiteral("40\n69")));
    expectInOrder(pages[4], {"Individueller Auszahlungsplan",
                             "DAMIT SIE WISSEN, WIE SIE VON IHREM VERMÖGEN LEBEN KÖNNEN",
                             "Entnahmedauer", "40 Jahre", "Erforderliche Wertentwicklung *",
                             "* jährlich gleich bleibende Wertentwicklung"});
    expectInOrder(pages[5], {"Modellrechnung - Strategiedepot S", "Anfangskapital"});
    expectInOrder(pages[6], {"Anfangskapital", "Summe der Entnahmen", "Restkapital"});
}

void TestReportPdf::missingPicturesLeaveTheirPlaceEmpty() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 5, .Entnahme = false});
    TReportSet set(calc);
    const TLaidOutDocument doc = set.Layout();
    QTemporaryDir empty;
    const QString with = Dir.filePath(QStringLiteral("mit.pdf"));
    const QString without = Dir.filePath(QStringLiteral("ohne.pdf"));
    QVERIFY(WriteReportPdf(doc, with, nullptr, sourceData()));
    QVERIFY(WriteReportPdf(doc, without, nullptr, empty.path()));
    // The pictures are in the one and not in the other; the texts in both.
    QVERIFY(QFile(with).size() > QFile(without).size() + 5000);
    if (HavePdftotext)
        QCOMPARE(PdfPages(without), PdfPages(with));
}

void TestReportPdf::jpegDecoding() {
    const QImage logo = ReadJpegImage(sourceData() + QStringLiteral("/bank_logo.jpg"));
    QCOMPARE(logo.size(), QSize(661, 177));
    QCOMPARE(ReadJpegImage(sourceData() + QStringLiteral("/schweizerkreuz.jpg")).size(),
             QSize(189, 189));
    const QImage berg = ReadJpegImage(sourceData() + QStringLiteral("/matterhorn.jpg"));
    QCOMPARE(berg.size(), QSize(189, 567));
    // The cross is white on red: check the colours came through the decoder.
    const QImage cross = ReadJpegImage(sourceData() + QStringLiteral("/schweizerkreuz.jpg"));
    QVERIFY(qRed(cross.pixel(5, 5)) > 200 && qGreen(cross.pixel(5, 5)) < 80);
    QVERIFY(qGreen(cross.pixel(94, 94)) > 230);

    QVERIFY(ReadJpegImage(Dir.filePath(QStringLiteral("gibtsnicht.jpg"))).isNull());
    QFile junk(Dir.filePath(QStringLiteral("kaputt.jpg")));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("Dies ist kein JPEG-Bild.");
    junk.close();
    QVERIFY(ReadJpegImage(junk.fileName()).isNull());
    // A header that declares 65 499 x 10 248 pixels in 223 bytes
    // (found by the fuzzer) is refused instead of allocating gigabytes.
    QVERIFY(ReadJpegImage(qEnvironmentVariable("ORVANTA_SOURCE_DIR") +
                          QStringLiteral("/fuzz/corpus/jpeg/huge-dimensions.jpg"))
                .isNull());
    // A truncated file still decodes as far as it goes, and never aborts.
    QFile whole(sourceData() + QStringLiteral("/matterhorn.jpg"));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    QFile cut(Dir.filePath(QStringLiteral("halb.jpg")));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(whole.read(whole.size() / 2));
    cut.close();
    const QImage half = ReadJpegImage(cut.fileName());
    QVERIFY(half.isNull() || half.size() == QSize(189, 567));
    // A FIFO in place of a picture leaves its place empty at once instead of
    // blocking the print.
    const QString fifo = Dir.filePath(QStringLiteral("fifo.jpg"));
    QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QVERIFY(ReadJpegImage(fifo).isNull());
}

void TestReportPdf::noTextWiderThanItsBox_data() {
    QTest::addColumn<int>("laufzeit");
    QTest::addColumn<int>("anlageart");
    QTest::addColumn<double>("scale"); // makes the amounts large
    QTest::addColumn<bool>("vergleich");
    QTest::newRow("Aufbauplan") << 30 << 1 << 1.0 << false;
    QTest::newRow("Einmalanlage grosse Betraege") << 40 << 2 << 1000.0 << false;
    QTest::newRow("Systemeinmalanlage") << 12 << 3 << 10.0 << false;
    QTest::newRow("Vergleichsdruck") << 30 << 1 << 1.0 << true;
    QTest::newRow("Vergleichsdruck grosse Betraege") << 99 << 1 << 1000.0 << true;
}

void TestReportPdf::noTextWiderThanItsBox() {
    QFETCH(int, laufzeit);
    QFETCH(int, anlageart);
    QFETCH(double, scale);
    QFETCH(bool, vergleich);
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = laufzeit, .Entnahmejahre = 25, .Anlageart = anlageart});
    for (auto* table : {&calc.Aufbautabelle, &calc.Entnahmetabelle})
        for (TPerformanceData& row : *table)
            for (int i = 0; i < AnzahlSzenarien; ++i) {
                row.NIW[i] *= scale;
                row.FRV_Wert[i] = row.NIW[i] * 0.9;
            }
    calc.Rec.Rentenkapital *= scale;
    TReportSet set(calc);
    set.Vergleichsdruck = vergleich;
    set.FRV_verfuegbar = vergleich;
    const TLaidOutDocument doc = set.Layout();
    TPdfDevice pdf;
    const QPdfWriter& device = pdf.Writer;
    const double pxPerMm = device.logicalDpiX() / 25.4;
    for (const TSheet& sheet : doc.Sheets) {
        for (const TPlacedBand& band : sheet.Bands) {
            for (const TReportItem& it : band.Band.Items) {
                if (!it.Enabled || it.Kind != TItemKind::Label || it.Caption.isEmpty())
                    continue;
                QVERIFY2(it.Rect.left() >= -1.0 && it.Rect.right() <= 181.0 + 1e-9,
                         qPrintable(it.Name));
                QVERIFY2(band.Top + it.Rect.bottom() <= 282.0 + 1e-9, qPrintable(it.Name));
                QFont font(QStringLiteral("Arial"));
                font.setPointSizeF(it.FontSize);
                font.setBold(it.Bold);
                const QFontMetricsF fm(font, &device);
                const QRectF box(0, 0, it.Rect.width() * pxPerMm, it.Rect.height() * pxPerMm);
                const QString what = QStringLiteral("%1 (%2) in %3 x %4 mm")
                                         .arg(it.Name, it.Caption)
                                         .arg(it.Rect.width())
                                         .arg(it.Rect.height());
                if (it.WordWrap) {
                    // Wrapped texts keep to the lines their box has room for.
                    const QRectF needed =
                        fm.boundingRect(box, int(it.Alignment) | Qt::TextWordWrap, it.Caption);
                    QVERIFY2(needed.height() <= box.height() + 0.5, qPrintable(what));
                    continue;
                }
                QVERIFY2(fm.height() <= box.height() + 0.5, qPrintable(what));
                if (it.ShrinkToFit)
                    continue;
                QVERIFY2(fm.horizontalAdvance(it.Caption) <= box.width(), qPrintable(what));
            }
        }
    }
    // The labels that shrink to fit as well: whole, readable, inside their boxes.
    const QStringList problems = LabelFitProblems(doc, device);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 12).join(u'\n')));
}

void TestReportPdf::notesFitTheirBand() {
    TPerformCalc calc;
    int maxPage = 2;
    TQR_Hinweise notes(calc, maxPage);
    double bottom = 0;
    for (const TReportItem& it : notes.Detail.Items)
        bottom = std::max(bottom, it.Rect.bottom());
    QVERIFY(bottom <= notes.Detail.Height);
    // Hand-made line breaks: a line ends in a hyphen only inside a word.
    for (const auto& line : TQR_Hinweise::Zeilen()) {
        const QString text = QString::fromUtf16(line.Text);
        QVERIFY2(!text.endsWith(QStringLiteral(" -")), qPrintable(text));
        QVERIFY2(text == text.trimmed(), qPrintable(text));
    }
}

void TestReportPdf::unwritableTarget() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 1, .Entnahme = false});
    TReportSet set(calc);
    QString error;
    QVERIFY(!WriteReportPdf(set.Layout(), Dir.filePath(QStringLiteral("fehlt/x.pdf")), &error));
    QVERIFY(error.startsWith(QStringLiteral("Die PDF-Datei")));
    QVERIFY2(error.endsWith(QStringLiteral("/fehlt\" gibt es nicht.")), qPrintable(error));
    QVERIFY(!WriteReportPdf(TLaidOutDocument{}, Dir.filePath(QStringLiteral("leer.pdf")), &error));
    QVERIFY(!QFile::exists(Dir.filePath(QStringLiteral("leer.pdf"))));
}

void TestReportPdf::paintingStaysInsideItsBoxes() {
    // One sheet at 254 dpi (10 pixels a millimetre) with a number too wide for
    // its cell and a box with only its top edge switched on.
    TReportBand band(TBandType::Detail, 20.0);
    TReportItem& number = band.addLabel(QStringLiteral("Zahl"), QRectF(100.0, 0, 20.0, 5.0),
                                        QStringLiteral("123.456.789.012,34 EUR"), 12.0, true,
                                        Qt::AlignRight | Qt::AlignVCenter);
    number.ShrinkToFit = true;
    TReportItem& box = band.addLabel(QStringLiteral("Rahmen"), QRectF(10.0, 10.0, 50.0, 6.0));
    box.Frame.Top = true;
    box.Frame.Width = 0.5;
    box.Frame.Style = Qt::DotLine;
    box.Frame.Color = QColor(255, 39, 13);
    TReportItem& off = band.addLabel(QStringLiteral("Aus"), QRectF(10.0, 0, 50.0, 5.0),
                                     QStringLiteral("XXXXXXXXXX"));
    off.Enabled = false;
    TSheet sheet;
    sheet.Bands.push_back({nullptr, 0.0, band});

    QImage image(2100, 2970, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        TReportPainter painter(Dir.path());
        painter.paintSheet(p, sheet);
    }
    auto inked = [&](double x0, double y0, double x1, double y1) {
        // Millimetres of the printable area to pixels of the sheet.
        for (int y = int((5 + y0) * 10); y < int((5 + y1) * 10); ++y)
            for (int x = int((20 + x0) * 10); x < int((20 + x1) * 10); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255))
                    return true;
        return false;
    };
    QVERIFY(inked(100.0, 0, 120.0, 5.0));    // the number is printed, smaller
    QVERIFY(!inked(80.0, 0, 99.8, 5.0));     // and not into the column on its left
    QVERIFY(!inked(10.0, 0, 60.0, 5.0));     // a switched-off label prints nothing
    QVERIFY(inked(10.0, 9.6, 60.0, 10.4));   // the top edge
    QVERIFY(!inked(9.0, 11.0, 11.0, 16.0));  // but no left edge
    QVERIFY(!inked(10.0, 15.6, 60.0, 16.4)); // and no bottom edge
}

void TestReportPdf::longRecordTextsStayOnTheSheet() {
    // Names and adviser lines of the full 255 characters.
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 5, .Entnahmejahre = 5});
    const std::string lang(255, 'W');
    for (auto* field : {&calc.Rec.Vorname, &calc.Rec.Nachname, &calc.Rec.Berater, &calc.Rec.Firma,
                        &calc.Rec.Strasse, &calc.Rec.Anschrift, &calc.Rec.Telefon})
        field->assign(lang);
    TReportSet set(calc);
    const TLaidOutDocument doc = set.Layout();
    // Two lines each, the lines below pushed down, still inside their bands;
    // only these endless texts give way at their ends.
    TPdfDevice pdf;
    const QStringList problems = LabelFitProblems(doc, pdf.Writer, true);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 12).join(u'\n')));
    TReportPainter painter(Dir.path());
    for (int n : {1, 4}) { // example calculation and coverage page
        QImage image(2100, 2970, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        {
            QPainter p(&image);
            painter.paintSheet(p, doc.Sheets[size_t(n - 1)]);
        }
        // Nothing in the right margin (from 200 mm) nor right of the value
        // column up to the pictures.
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 2002; x < image.width(); ++x)
                QVERIFY2(image.pixel(x, y) == qRgb(255, 255, 255),
                         qPrintable(QStringLiteral("Seite %1: %2/%3").arg(n).arg(x).arg(y)));
    }
}

void TestReportPdf::glyphsLieWhereTextPutsThem_data() {
    QTest::addColumn<int>("laufzeit");
    QTest::addColumn<int>("anlageart");
    QTest::addColumn<double>("scale"); // a printer that takes A4 smaller
    QTest::newRow("Aufbauplan 30 Jahre") << 30 << 1 << 1.0;
    QTest::newRow("Aufbauplan 99 Jahre") << 99 << 1 << 1.0;
    QTest::newRow("Einmalanlage 40 Jahre") << 40 << 2 << 1.0;
    QTest::newRow("verkleinert gedruckt") << 99 << 1 << 0.96;
}

void TestReportPdf::glyphsLieWhereTextPutsThem() {
    // Lines go to the PDF as placed glyphs, a row in one run; every
    // glyph must lie exactly where drawing the line as text puts it.
    QFETCH(int, laufzeit);
    QFETCH(int, anlageart);
    QFETCH(double, scale);
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = laufzeit, .Entnahmejahre = 60, .Anlageart = anlageart});
    TReportSet set(calc);
    const TLaidOutDocument doc = set.Layout();
    auto written = [&](bool placed) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(A4FullPage());
        writer.setResolution(PdfAufloesung);
        QPainter painter(&writer);
        if (scale != 1.0) {
            painter.translate(123.4, 56.7);
            painter.scale(scale, scale);
        }
        TReportPainter sheets(Dir.path());
        sheets.setPlacedGlyphs(placed);
        PaintSheets(painter, writer, doc, sheets);
        painter.end();
        return buffer.data();
    };
    int runsPlaced = 0;
    int runsAsText = 0;
    const QStringList placed = placedGlyphs(written(true), &runsPlaced);
    const QStringList asText = placedGlyphs(written(false), &runsAsText);
    QVERIFY2(asText.size() > 1000, qPrintable(QString::number(asText.size())));
    QCOMPARE(placed, asText);
    QVERIFY2(runsPlaced < runsAsText * 3 / 4,
             qPrintable(QStringLiteral("%1 Läufe statt %2").arg(runsPlaced).arg(runsAsText)));
}

QTEST_MAIN(TestReportPdf)
#include "test_reportpdf.moc"
