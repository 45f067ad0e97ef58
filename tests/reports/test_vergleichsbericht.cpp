// The comparison print: its rows, values and shading, its sheets and page
// count for long and short plans, and its texts in the PDF.

#include "reporttesthelpers.h"
#include "tests/support/testplans.h"

#include "reports/reportpreview.h"
#include "reports/reportset.h"
#include "reports/reporttexts.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta;
using namespace orvanta::reports;
using namespace orvanta::reports::test;
using namespace orvanta::testing;

namespace {

// A plan with FRV values as the lookup leaves them: none for year 0.
void FillComparisonPlan(TPerformCalc& calc, int laufzeit) {
    FillPlan(calc, {.Laufzeit = laufzeit, .Entnahme = false});
    calc.Rec.Berichtstitel.assign("Modellrechnung \x96 Strategiedepot W"); // en dash, Windows-1252
    for (size_t y = 1; y < calc.Aufbautabelle.size(); ++y)
        for (int i = 1; i <= 4; ++i)
            calc.Aufbautabelle[y].FRV_Wert[i] = calc.Aufbautabelle[y].NIW[i] * 0.8;
}

TLaidOutDocument ComparisonPrint(TReportSet& set) {
    set.Vergleichsdruck = true;
    set.FRV_verfuegbar = true;
    return set.Layout();
}

const TPlacedBand* Header(const TSheet& sheet) {
    for (const TPlacedBand& b : sheet.Bands)
        if (b.Band.Type == TBandType::PageHeader)
            return &b;
    return nullptr;
}

QString sourceData() {
    return qEnvironmentVariable("ORVANTA_SOURCE_DIR", QStringLiteral(ORVANTA_TEST_SOURCE_DIR)) +
           QStringLiteral("/data");
}

} // namespace

class TestVergleichsbericht : public QObject {
    Q_OBJECT
private slots:
    void rowsValuesAndShading();
    void headTexts();
    void sheetsAndMaxPage_data();
    void sheetsAndMaxPage();
    void onlyWithFRVValues();
    void pdfText();
};

void TestVergleichsbericht::rowsValuesAndShading() {
    TPerformCalc calc;
    FillComparisonPlan(calc, 10);
    TPerformanceData& row3 = calc.Aufbautabelle[3];
    row3.Betrag = 2500;
    row3.NIW[1] = 2000.56;   // rounds up
    row3.NIW[2] = 1234567.4; // rounds down, two separators
    row3.FRV_Wert[3] = 999.5;
    row3.FRV_Wert[4] = 0.49;
    row3.NIW[0] = row3.NIW[5] = 777777; // not printed
    TReportSet set(calc);
    const TLaidOutDocument doc = ComparisonPrint(set);
    QCOMPARE(doc.pageCount(), 1);
    const TQuickReport* page = &set.ModellrechnungVgl;
    const TSheet& sheet = doc.Sheets[0];

    QStringList years;
    for (int y = 0; y <= 10; ++y)
        years << QString::number(y);
    QCOMPARE(DetailTexts(sheet, page, QStringLiteral("QRL_Jahre")), years);

    const auto rows = Details(sheet, page);
    QCOMPARE(rows.size(), size_t(11));
    const TPlacedBand& r3 = *rows[3];
    QCOMPARE(Caption(r3, QStringLiteral("QRL_Anlage")), QStringLiteral("2.500"));
    QCOMPARE(Caption(r3, QStringLiteral("QRL_NIW_1")), QStringLiteral("2.001"));
    QCOMPARE(Caption(r3, QStringLiteral("QRL_NIW_2")), QStringLiteral("1.234.567"));
    QCOMPARE(Caption(r3, QStringLiteral("QRL_FRV_3")), QStringLiteral("1.000"));
    QCOMPARE(Caption(r3, QStringLiteral("QRL_FRV_4")), QStringLiteral("0"));
    // The FRV value of each column belongs to its own scenario.
    const TPerformanceData& r7 = calc.Aufbautabelle[7];
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(Caption(*rows[7], QStringLiteral("QRL_NIW_%1").arg(i)), Fmt("#,##0", r7.NIW[i]));
        QCOMPARE(Caption(*rows[7], QStringLiteral("QRL_FRV_%1").arg(i)),
                 Fmt("#,##0", r7.FRV_Wert[i]));
    }
    for (const TPlacedBand* r : rows)
        QVERIFY(!Caption(*r, QStringLiteral("QRL_NIW_1")).contains(QStringLiteral("777")));
    // Year 0: the plan starts empty and the FRV has no value yet.
    QCOMPARE(Caption(*rows[0], QStringLiteral("QRL_FRV_1")), QStringLiteral("0"));

    // Year 0 shaded, then every second year; the stripe carries the colour.
    for (size_t k = 0; k < rows.size(); ++k) {
        const TReportItem* stripe = rows[k]->Band.find(QStringLiteral("QRS_Streifen"));
        QVERIFY(stripe);
        QCOMPARE(stripe->Color, k % 2 == 0 ? QColor(229, 229, 229) : QColor(Qt::white));
        QCOMPARE(rows[k]->Band.Color, QColor(Qt::white));
    }
    // A second print starts again at year 0.
    const TLaidOutDocument again = set.Layout();
    QCOMPARE(DetailTexts(again.Sheets[0], page, QStringLiteral("QRL_Jahre")), years);
}

void TestVergleichsbericht::headTexts() {
    TPerformCalc calc;
    FillComparisonPlan(calc, 5);
    TReportSet set(calc);
    const TLaidOutDocument doc = ComparisonPrint(set);
    const TPlacedBand* head = Header(doc.Sheets[0]);
    QVERIFY(head);
    QCOMPARE(head->Top, 0.0);
    QCOMPARE(Caption(*head, QStringLiteral("QRL_Slogan_1")),
             QStringLiteral("M I T  S I C H E R H E I T  V E R M Ö G E N:"));
    QCOMPARE(Caption(*head, QStringLiteral("QRL_Slogan_2")),
             QStringLiteral("D A M I T  S I E  W I S S E N,  W I E  I H R  V E R M Ö G E N  W "
                            "Ä C H S T"));
    QCOMPARE(Caption(*head, QStringLiteral("QRL_Depotname")),
             QStringLiteral("Modellrechnung – Strategiedepot W"));
    QCOMPARE(Caption(*head, QStringLiteral("QRL_Untertitel")),
             QStringLiteral("über die mögliche Entwicklung des Netto-Depotwertes "
                            "(\"Rücknahmewert\")*"));
    QCOMPARE(Caption(*head, QStringLiteral("QRL_Dynamik")),
             QStringLiteral("bei einer Erhöhung des Anlagebetrages von 5,0% p.a. als "
                            "unverbindliches Beispiel"));
    const QStringList rates{"0,0", "3,0", "6,0", "9,0"};
    for (int i = 1; i <= 4; ++i) {
        QCOMPARE(Caption(*head, QStringLiteral("QRL_Performance_%1").arg(i)), rates[i - 1]);
        QCOMPARE(Caption(*head, QStringLiteral("QRL_Spalten_%1").arg(i)),
                 QStringLiteral("VM47          FRV"));
        QVERIFY(head->Band.find(QStringLiteral("QRL_Prozent_%1").arg(i))->Bold);
    }
    // The footer has the bank block and the count, but no notes reference.
    const TPlacedBand* foot = Footer(doc.Sheets[0]);
    QCOMPARE(Caption(*foot, QStringLiteral("QRL_Von")), QStringLiteral("von 1"));
    QVERIFY(!foot->Band.find(QStringLiteral("QRL_Hinweis")));

    calc.Rec.Dynamik = 0;
    calc.Rec.Performance[3] = 6.5;
    const TLaidOutDocument plainDoc = ComparisonPrint(set);
    const TPlacedBand* plain = Header(plainDoc.Sheets[0]);
    QCOMPARE(Caption(*plain, QStringLiteral("QRL_Dynamik")),
             QStringLiteral("als unverbindliches Beispiel"));
    QCOMPARE(Caption(*plain, QStringLiteral("QRL_Performance_3")), QStringLiteral("6,5"));
}

void TestVergleichsbericht::sheetsAndMaxPage_data() {
    QTest::addColumn<int>("laufzeit");
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("onLastSheet");
    // 30 rows a sheet, year 0 included; the last year keeps its predecessor.
    QTest::newRow("29 Jahre") << 29 << 1 << 30;
    QTest::newRow("30 Jahre") << 30 << 2 << 2;
    QTest::newRow("36 Jahre") << 36 << 2 << 7;
    QTest::newRow("37 Jahre") << 37 << 2 << 8;
    QTest::newRow("59 Jahre") << 59 << 2 << 30;
    QTest::newRow("60 Jahre") << 60 << 3 << 2;
    QTest::newRow("66 Jahre") << 66 << 3 << 7;
    QTest::newRow("67 Jahre") << 67 << 3 << 8;
    QTest::newRow("90 Jahre") << 90 << 4 << 2;
    QTest::newRow("99 Jahre") << 99 << 4 << 10;
    QTest::newRow("0 Jahre") << 0 << 1 << 1;
}

void TestVergleichsbericht::sheetsAndMaxPage() {
    QFETCH(int, laufzeit);
    QFETCH(int, sheets);
    QFETCH(int, onLastSheet);
    QCOMPARE(TQR_Modellrechnung_Vgl::ZeilenJeBlatt(), 30);
    TPerformCalc calc;
    FillComparisonPlan(calc, laufzeit);
    if (laufzeit == 0)
        calc.Aufbautabelle.assign(1, TPerformanceData{});
    TReportSet set(calc);
    set.Vergleichsdruck = true;
    set.FRV_verfuegbar = true;

    std::vector<TQuickReport*> reports;
    set.QRCompositeReport1AddReports(reports);
    QCOMPARE(reports, std::vector<TQuickReport*>{&set.ModellrechnungVgl});
    QVERIFY(set.ModellrechnungVgl.LastInSet);
    QCOMPARE(set.MaxPage, sheets); // known before the layout that prints it

    const TLaidOutDocument doc = LayoutReports(reports);
    QCOMPARE(doc.pageCount(), sheets);
    QList<int> years;
    for (const TSheet& sheet : doc.Sheets) {
        QVERIFY(Header(sheet));
        const QStringList onSheet =
            DetailTexts(sheet, &set.ModellrechnungVgl, QStringLiteral("QRL_Jahre"));
        QVERIFY(!onSheet.isEmpty());
        QVERIFY(onSheet.size() <= 30);
        for (const QString& y : onSheet)
            years << y.toInt();
        QCOMPARE(Caption(*Footer(sheet), QStringLiteral("QRL_Von")),
                 QStringLiteral("von %1").arg(sheets));
        QCOMPARE(Caption(*Footer(sheet), QStringLiteral("QRL_Seite")),
                 QStringLiteral("Seite %1").arg(sheet.PageNumber));
    }
    // Every year once, in order, and nothing after the last.
    QCOMPARE(years.size(), laufzeit + 1);
    for (int y = 0; y <= laufzeit; ++y)
        QCOMPARE(years[y], y);
    // Full sheets but the last two; the one before the last gives up a year
    // only to keep the last year company.
    QCOMPARE(doc.Sheets.back().detailCount(), onLastSheet);
    const bool keptTogether = laufzeit > 0 && (laufzeit + 1) % 30 == 1;
    for (int s = 0; s + 1 < doc.pageCount(); ++s)
        QCOMPARE(doc.Sheets[s].detailCount(), keptTogether && s + 2 == doc.pageCount() ? 29 : 30);
}

void TestVergleichsbericht::onlyWithFRVValues() {
    TPerformCalc calc;
    FillComparisonPlan(calc, 40);
    TReportSet set(calc);
    // Without FRV values the comparison print is empty, not the normal set.
    set.Vergleichsdruck = true;
    set.FRV_verfuegbar = false;
    QCOMPARE(set.Layout().pageCount(), 0);
    QCOMPARE(set.MaxPage, 0);
    // The normal print never holds the comparison page.
    set.Vergleichsdruck = false;
    set.FRV_verfuegbar = true;
    const TLaidOutDocument normal = set.Layout();
    QVERIFY(normal.pageCount() > 0);
    QVERIFY(SheetsOf(normal, &set.ModellrechnungVgl).isEmpty());
    QVERIFY(!SheetsOf(normal, &set.Modellrechnung).isEmpty());
    // An empty preview shows nothing and returns at once.
    set.Vergleichsdruck = true;
    set.FRV_verfuegbar = false;
    QVERIFY(!ShowReportPreview(set));
}

void TestVergleichsbericht::pdfText() {
    TPerformCalc calc;
    FillComparisonPlan(calc, 36);
    calc.Aufbautabelle[36].NIW[4] = 123456.5;
    calc.Aufbautabelle[36].FRV_Wert[4] = 98765.4;
    TReportSet set(calc);
    const TLaidOutDocument doc = ComparisonPrint(set);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("vergleich.pdf"));
    QString error;
    QVERIFY2(WriteReportPdf(doc, pdf, &error, sourceData()), qPrintable(error));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext fehlt");
    const QStringList pages = PdfPages(pdf);
    QCOMPARE(pages.size(), 2);
    for (const QString& page : pages) {
        QVERIFY(page.contains(QStringLiteral("Modellrechnung – Strategiedepot W")));
        QVERIFY(page.contains(QStringLiteral("VM47")));
        QVERIFY(page.contains(QStringLiteral("Netto-Depotwert bei einer jährlich gleich "
                                             "bleibenden Netto-Wertentwicklung von")));
        QVERIFY(page.contains(QStringLiteral("Kelvora Privatbank AG")));
        QVERIFY(!page.contains(QStringLiteral("Hinweise auf Seite 2")));
    }
    QVERIFY(pages[0].contains(QStringLiteral("Seite 1")));
    QVERIFY(pages[1].contains(QStringLiteral("Seite 2")));
    QVERIFY(pages[1].contains(QStringLiteral("von 2")));
    // The last year on the second sheet, in whole euros.
    QVERIFY(pages[1].contains(QStringLiteral("123.457")));
    QVERIFY(pages[1].contains(QStringLiteral("98.765")));
    QVERIFY(!pages[0].contains(QStringLiteral("123.457")));
}

QTEST_MAIN(TestVergleichsbericht)
#include "test_vergleichsbericht.moc"
