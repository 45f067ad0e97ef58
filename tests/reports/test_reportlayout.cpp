// Page breaks and page counts as numbers: the engine's rules, the year
// tables' sheet layouts and the set's MaxPage against the laid-out sheets.

#include "reporttesthelpers.h"
#include "tests/support/testplans.h"

#include "reports/reportset.h"

#include "core/sterbetafel.h"

#include <QTest>

using namespace orvanta;
using namespace orvanta::reports;
using namespace orvanta::reports::test;
using namespace orvanta::testing;

namespace {

// A report with fixed band heights and a number of records.
class TPlainReport : public TQuickReport {
public:
    TPlainReport(const QString& name, int records, double title, double header, double detail,
                 double footer, bool breakAtEnd = false)
        : TQuickReport(name), Records(records), BreakAtEnd(breakAtEnd) {
        Title.Height = title;
        Title.Enabled = title > 0;
        PageHeader.Height = header;
        PageHeader.Enabled = header > 0;
        Detail.Height = detail;
        PageFooter.Height = footer;
        Number = &Detail.addLabel(QStringLiteral("Nr"), QRectF(0, 0, 10, detail));
    }
    void QuickRep1BeforePrint() override { Zeile = 0; }
    bool QuickRep1NeedData() override {
        const bool more = Zeile < Records;
        if (more)
            Number->Caption = QString::number(++Zeile);
        else if (BreakAtEnd && !LastInSet)
            NewPage();
        return more;
    }
    int Records;
    bool BreakAtEnd;
    TReportItem* Number;
};

QList<int> yearsOn(const TSheet& sheet, const TQuickReport* report) {
    QList<int> years;
    for (const QString& t : DetailTexts(sheet, report, QStringLiteral("QRL_Jahre")))
        if (!t.isEmpty())
            years << t.toInt();
    return years;
}

// A sheet's bands as texts, without the page number and count.
QStringList sheetTexts(const TSheet& sheet) {
    QStringList texts;
    for (const TPlacedBand& b : sheet.Bands)
        for (const TReportItem& item : b.Band.Items)
            if (item.Name != QStringLiteral("QRL_Seite") && item.Name != QStringLiteral("QRL_Von"))
                texts << QStringLiteral("%1 %2 %3 %4=%5")
                             .arg(b.Report->name())
                             .arg(int(b.Band.Type))
                             .arg(b.Top)
                             .arg(item.Name, item.Enabled ? item.Caption : QStringLiteral("-"));
    return texts;
}

QList<int> range(int from, int to) {
    QList<int> r;
    for (int k = from; k <= to; ++k)
        r << k;
    return r;
}

} // namespace

class TestReportLayout : public QObject {
    Q_OBJECT
private slots:
    void engineBreaksSheetsByBandHeight();
    void engineNewSheetRequestAndFooters();
    void modelCalculationSheets_data();
    void modelCalculationSheets();
    void withdrawalCourseSheets_data();
    void withdrawalCourseSheets();
    void withdrawalCourseClosingRows();
    void maxPageEqualsLaidOutSheets();
    void setOrderAndLastSheet();
    void comparisonPrintHook();
    void costOverviewSheet_data();
    void costOverviewSheet();
};

void TestReportLayout::engineBreaksSheetsByBandHeight() {
    // 282 mm printable: footer 20, header 50 -> 212 mm, seven rows of 30 mm;
    // the first sheet carries the 60 mm title instead of the header: six rows.
    TPlainReport r(QStringLiteral("A"), 20, 60, 50, 30, 20);
    r.LastInSet = true;
    const TLaidOutDocument doc = LayoutReports({&r});
    QCOMPARE(doc.pageCount(), 3);
    QCOMPARE(doc.Sheets[0].detailCount(), 6);
    QCOMPARE(doc.Sheets[1].detailCount(), 7);
    QCOMPARE(doc.Sheets[2].detailCount(), 7);
    QCOMPARE(doc.Sheets[0].Bands.front().Band.Type, TBandType::Title);
    QCOMPARE(doc.Sheets[1].Bands.front().Band.Type, TBandType::PageHeader);
    for (const TSheet& s : doc.Sheets) {
        const TPlacedBand* footer = Footer(s);
        QVERIFY(footer);
        QCOMPARE(footer->Top, 262.0);
        QCOMPARE(s.Bands.back().Band.Type, TBandType::PageFooter);
    }
    // Exactly fitting rows stay on the sheet (no loss to rounding of decimals).
    TPlainReport exact(QStringLiteral("B"), 7, 0, 50.9, 30.3, 19.0); // 282.0 mm in all
    QCOMPARE(LayoutReports({&exact}).pageCount(), 1);
    exact.Records = 8;
    QCOMPARE(LayoutReports({&exact}).pageCount(), 2);
}

void TestReportLayout::engineNewSheetRequestAndFooters() {
    // The first report asks for a new sheet after its data: the second starts
    // fresh and the first sheet keeps the first report's footer.
    TPlainReport a(QStringLiteral("A"), 2, 0, 50, 30, 20, true);
    TPlainReport b(QStringLiteral("B"), 2, 40, 0, 30, 25);
    a.LastInSet = false;
    b.LastInSet = true;
    TLaidOutDocument doc = LayoutReports({&a, &b});
    QCOMPARE(doc.pageCount(), 2);
    QCOMPARE(Footer(doc.Sheets[0])->Report, &a);
    QCOMPARE(Footer(doc.Sheets[1])->Report, &b);
    QCOMPARE(doc.Sheets[1].Bands.front().Band.Type, TBandType::Title);
    QCOMPARE(doc.Sheets[1].Bands.front().Top, 0.0);

    // Without the request the second report continues on the same sheet,
    // and the sheet is closed by the footer of the report that ends it.
    a.BreakAtEnd = false;
    doc = LayoutReports({&a, &b});
    QCOMPARE(doc.pageCount(), 1);
    QCOMPARE(Footer(doc.Sheets[0])->Report, &b);

    // A request at the very end leaves no empty sheet behind.
    a.BreakAtEnd = true;
    doc = LayoutReports({&a});
    QCOMPARE(doc.pageCount(), 1);

    // A title that does not fit on the rest of the sheet moves with the
    // report to a new sheet; the old sheet keeps the footer of its owner.
    TPlainReport c(QStringLiteral("C"), 6, 0, 50, 30, 20); // 50 + 180 of 262 mm used
    TPlainReport d(QStringLiteral("D"), 1, 40, 0, 30, 20);
    doc = LayoutReports({&c, &d});
    QCOMPARE(doc.pageCount(), 2);
    QCOMPARE(Footer(doc.Sheets[0])->Report, &c);
    QCOMPARE(SheetsOf(doc, &d), QList<int>{2});

    // Page numbers run through all reports.
    for (const TSheet& s : doc.Sheets)
        QCOMPARE(s.PageNumber, int(&s - &doc.Sheets[0]) + 1);
}

void TestReportLayout::modelCalculationSheets_data() {
    QTest::addColumn<int>("laufzeit");
    QTest::addColumn<QList<QList<int>>>("years");
    QTest::addColumn<int>("fillerOnLastSheet");
    QTest::newRow("1 Jahr") << 1 << QList<QList<int>>{{1}} << 33;
    QTest::newRow("34 Jahre") << 34 << QList<QList<int>>{range(1, 34)} << 0;
    QTest::newRow("35 Jahre") << 35 << QList<QList<int>>{range(1, 35)} << 0;
    QTest::newRow("36 Jahre") << 36 << QList<QList<int>>{range(1, 35), {36}} << 33;
    QTest::newRow("70 Jahre") << 70 << QList<QList<int>>{range(1, 35), range(36, 70)} << 0;
    QTest::newRow("99 Jahre") << 99 << QList<QList<int>>{range(1, 35), range(36, 70), range(71, 99)}
                              << 5;
}

void TestReportLayout::modelCalculationSheets() {
    QFETCH(int, laufzeit);
    QFETCH(QList<QList<int>>, years);
    QFETCH(int, fillerOnLastSheet);
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = laufzeit, .Entnahme = false});
    int maxPage = 0;
    TQR_Modellrechnung page(calc, maxPage);
    page.LastInSet = true;
    const TLaidOutDocument doc = LayoutReports({&page});
    QCOMPARE(doc.pageCount(), int(years.size()));
    QCOMPARE(TQR_Modellrechnung::Blattzahl(laufzeit), int(years.size()));
    for (int s = 0; s < doc.pageCount(); ++s) {
        const TSheet& sheet = doc.Sheets[size_t(s)];
        QCOMPARE(yearsOn(sheet, &page), years[s]);
        QCOMPARE(sheet.Bands.front().Band.Type, s == 0 ? TBandType::Title : TBandType::PageHeader);
        // The first row of every sheet is shaded, then every second one.
        const auto rows = Details(sheet, &page);
        for (size_t k = 0; k < rows.size(); ++k) {
            const TReportItem* stripe = rows[k]->Band.find(QStringLiteral("QRS_Streifen"));
            const bool year = !Caption(*rows[k], QStringLiteral("QRL_Jahre")).isEmpty();
            const bool shaded = stripe->Color != QColor(Qt::white);
            QCOMPARE(shaded, year && k % 2 == 0);
        }
    }
    const auto lastRows = Details(doc.Sheets.back(), &page);
    QCOMPARE(int(lastRows.size()) - int(years.back().size()), fillerOnLastSheet);
}

void TestReportLayout::withdrawalCourseSheets_data() {
    QTest::addColumn<int>("h");
    QTest::addColumn<QList<QList<int>>>("years");
    QTest::newRow("H=0") << 0 << QList<QList<int>>{{}};
    QTest::newRow("H=1") << 1 << QList<QList<int>>{{1}};
    QTest::newRow("H=10") << 10 << QList<QList<int>>{range(1, 10)};
    QTest::newRow("H=31") << 31 << QList<QList<int>>{range(1, 31)};
    QTest::newRow("H=32") << 32 << QList<QList<int>>{range(1, 31), {32}};
    QTest::newRow("H=35") << 35 << QList<QList<int>>{range(1, 34), {35}};
    QTest::newRow("H=36") << 36 << QList<QList<int>>{range(1, 35), {36}};
    QTest::newRow("H=66") << 66 << QList<QList<int>>{range(1, 35), range(36, 66)};
    QTest::newRow("H=67") << 67 << QList<QList<int>>{range(1, 35), range(36, 66), {67}};
    QTest::newRow("H=70") << 70 << QList<QList<int>>{range(1, 35), range(36, 69), {70}};
    QTest::newRow("H=71") << 71 << QList<QList<int>>{range(1, 35), range(36, 70), {71}};
}

void TestReportLayout::withdrawalCourseSheets() {
    QFETCH(int, h);
    QFETCH(QList<QList<int>>, years);
    TPerformCalc calc;
    FillPlan(calc, {.Entnahmejahre = h, .Einzahlung = false});
    int maxPage = 0;
    Tqr_Ausz_Verlauf page(calc, maxPage);
    page.LastInSet = true;
    const TLaidOutDocument doc = LayoutReports({&page});
    QCOMPARE(doc.pageCount(), int(years.size()));
    QCOMPARE(Tqr_Ausz_Verlauf::Blattzahl(h), int(years.size()));
    for (int s = 0; s < doc.pageCount(); ++s) {
        const TSheet& sheet = doc.Sheets[size_t(s)];
        QCOMPARE(yearsOn(sheet, &page), years[s]);
        const QStringList captions = DetailTexts(sheet, &page, QStringLiteral("QRL_Summentext"));
        QCOMPARE(captions.front(), QStringLiteral("Anfangskapital"));
        QVERIFY(captions.size() <= 36);
        const bool last = s == doc.pageCount() - 1;
        QCOMPARE(captions.size(), int(years[s].size()) + 1 + (last ? 4 : 0));
        if (last)
            QCOMPARE(captions.mid(captions.size() - 3),
                     (QStringList{QStringLiteral(" Anfangskapital"),
                                  QStringLiteral(" Summe der Entnahmen"),
                                  QStringLiteral(" Restkapital")}));
    }
}

void TestReportLayout::withdrawalCourseClosingRows() {
    TPerformCalc calc;
    FillPlan(calc, {.Entnahmejahre = 31, .Einzahlung = false});
    int maxPage = 1;
    Tqr_Ausz_Verlauf page(calc, maxPage);
    page.LastInSet = true;
    const TLaidOutDocument doc = LayoutReports({&page});
    QCOMPARE(doc.pageCount(), 1);
    const auto rows = Details(doc.Sheets[0], &page);
    QCOMPARE(rows.size(), size_t(36)); // H = 31 fills the sheet exactly

    // Stripes: even positions shaded, the last year white, closing rows none.
    for (size_t pos = 0; pos < rows.size(); ++pos) {
        const TReportItem* stripe = rows[pos]->Band.find(QStringLiteral("QRS_Streifen"));
        if (pos >= 32) {
            QVERIFY(!stripe->Enabled);
            continue;
        }
        const bool shaded = stripe->Color != QColor(Qt::white);
        QCOMPARE(shaded, pos % 2 == 0 && pos != 31);
    }
    // The dotted box: top on " Anfangskapital", bottom on " Restkapital",
    // sides on all three, nothing elsewhere.
    auto frame = [&](size_t pos) {
        return rows[pos]->Band.find(QStringLiteral("QRL_Rahmen"))->Frame;
    };
    for (size_t pos = 0; pos < 33; ++pos)
        QVERIFY(!frame(pos).any());
    QVERIFY(frame(33).Top && frame(33).Left && frame(33).Right && !frame(33).Bottom);
    QVERIFY(!frame(34).Top && frame(34).Left && frame(34).Right && !frame(34).Bottom);
    QVERIFY(!frame(35).Top && frame(35).Left && frame(35).Right && frame(35).Bottom);

    // Year fields are off in the summary rows, the caption is off in year rows.
    QVERIFY(!rows[0]->Band.find(QStringLiteral("QRL_Jahre"))->Enabled);
    QVERIFY(!rows[1]->Band.find(QStringLiteral("QRL_Summentext"))->Enabled);
    QCOMPARE(Caption(*rows[1], QStringLiteral("QRL_Anlage")), QStringLiteral("500,00"));
    QCOMPARE(Caption(*rows[0], QStringLiteral("QRL_NIW_1")), QStringLiteral("100.000,00"));

    // The 0 % scenario runs out of capital: "----" from then on, and its
    // rest prints as 0,00.
    QCOMPARE(Caption(*rows[30], QStringLiteral("QRL_NIW_1")), QStringLiteral("----"));
    QCOMPARE(Caption(*rows[35], QStringLiteral("QRL_NIW_1")), QStringLiteral("0,00"));
    QCOMPARE(Caption(*rows[34], QStringLiteral("QRL_NIW_1")), QStringLiteral("100.000,00"));
    QVERIFY(Caption(*rows[35], QStringLiteral("QRL_NIW_4")) != QStringLiteral("----"));
    QCOMPARE(Caption(*rows[32], QStringLiteral("QRL_NIW_2")), QString());
}

void TestReportLayout::maxPageEqualsLaidOutSheets() {
    // Every combination the print options allow, over the whole range of
    // durations: the count computed before layout is the count laid out.
    int plans = 0;
    for (int laufzeit : {0, 1, 2, 17, 34, 35, 36, 37, 69, 70, 71, 99}) {
        for (int h = -1; h <= 106; ++h) {
            for (int flags = 1; flags <= 3; ++flags) {
                for (int ende : {4, 5}) {
                    TPerformCalc calc;
                    FillPlan(calc, {.Laufzeit = laufzeit,
                                    .Entnahmejahre = h,
                                    .Einzahlung = (flags & 1) != 0,
                                    .Entnahme = (flags & 2) != 0,
                                    .AuszEndeArt = ende});
                    TReportSet set(calc);
                    std::vector<TQuickReport*> reports;
                    set.QRCompositeReport1AddReports(reports);
                    const int computed = set.MaxPage;
                    const TLaidOutDocument doc = LayoutReports(reports);
                    if (doc.pageCount() != computed)
                        QFAIL(qPrintable(QStringLiteral("Laufzeit %1, H %2, Optionen %3, Ende %4: "
                                                        "MaxPage %5, gesetzt %6")
                                             .arg(laufzeit)
                                             .arg(h)
                                             .arg(flags)
                                             .arg(ende)
                                             .arg(computed)
                                             .arg(doc.pageCount())));
                    // A withdrawal table of no years still prints its course
                    // sheet (starting capital and summary), and it is counted.
                    if (h == 0 && (flags & 2) && ende == 4)
                        QCOMPARE(SheetsOf(doc, &set.AuszVerlauf).size(), 1);
                    // Every report starts at the top of a fresh sheet.
                    for (TQuickReport* r : reports) {
                        const int first = SheetsOf(doc, r).value(0);
                        QVERIFY(first > 0);
                        const TPlacedBand& top = doc.Sheets[size_t(first - 1)].Bands.front();
                        QCOMPARE(top.Report, r);
                    }
                    // Each footer shows its running number and the total.
                    for (const TSheet& s : doc.Sheets) {
                        const TPlacedBand* footer = Footer(s);
                        QVERIFY(footer);
                        QCOMPARE(Caption(*footer, QStringLiteral("QRL_Seite")),
                                 QStringLiteral("Seite %1").arg(s.PageNumber));
                        QCOMPARE(Caption(*footer, QStringLiteral("QRL_Von")).trimmed(),
                                 QStringLiteral("von %1").arg(computed));
                    }
                    ++plans;
                }
            }
        }
    }
    QVERIFY(plans > 7000);
}

void TestReportLayout::setOrderAndLastSheet() {
    TPerformCalc calc;
    // Accumulation only with Laufzeit 0: example and notes, two sheets.
    FillPlan(calc, {.Laufzeit = 0, .Entnahme = false});
    {
        TReportSet set(calc);
        const TLaidOutDocument doc = set.Layout();
        QCOMPARE(set.MaxPage, 2);
        QCOMPARE(doc.pageCount(), 2);
        QVERIFY(set.Hinweise.LastInSet);
        QCOMPARE(SheetsOf(doc, &set.Hinweise), QList<int>{2});
        QCOMPARE(Caption(*Footer(doc.Sheets[1]), QStringLiteral("QRL_Von")),
                 QStringLiteral("von 2"));
        QCOMPARE(Caption(*Footer(doc.Sheets[0]), QStringLiteral("QRL_Von")),
                 QStringLiteral(" von 2"));
    }
    // Both phases: fixed order, notes on sheet 2, the course last.
    FillPlan(calc, {.Laufzeit = 36, .Entnahmejahre = 35});
    {
        TReportSet set(calc);
        const TLaidOutDocument doc = set.Layout();
        QCOMPARE(set.MaxPage, 1 + 1 + 2 + 1 + 2);
        QCOMPARE(SheetsOf(doc, &set.Beispielrechnung), QList<int>{1});
        QCOMPARE(SheetsOf(doc, &set.Hinweise), QList<int>{2});
        QCOMPARE(SheetsOf(doc, &set.Modellrechnung), (QList<int>{3, 4}));
        QCOMPARE(SheetsOf(doc, &set.AuszDeck), QList<int>{5});
        QCOMPARE(SheetsOf(doc, &set.AuszVerlauf), (QList<int>{6, 7}));
        QVERIFY(!set.Modellrechnung.LastInSet && !set.AuszDeck.LastInSet);
        QVERIFY(set.AuszVerlauf.LastInSet);
    }
    // Perpetual withdrawal: the coverage page ends the set.
    FillPlan(calc, {.Laufzeit = 10, .Entnahmejahre = 30, .AuszEndeArt = 5});
    {
        TReportSet set(calc);
        const TLaidOutDocument doc = set.Layout();
        QCOMPARE(set.MaxPage, 4);
        QVERIFY(set.AuszDeck.LastInSet);
        QCOMPARE(SheetsOf(doc, &set.AuszDeck), QList<int>{4});
        QVERIFY(SheetsOf(doc, &set.AuszVerlauf).isEmpty());
    }
    // Withdrawal only: coverage on sheet 1, its footer still refers to the notes.
    FillPlan(calc, {.Laufzeit = 10, .Entnahmejahre = 20, .Einzahlung = false});
    {
        TReportSet set(calc);
        const TLaidOutDocument doc = set.Layout();
        QCOMPARE(SheetsOf(doc, &set.AuszDeck), QList<int>{1});
        QCOMPARE(Caption(*Footer(doc.Sheets[0]), QStringLiteral("QRL_Hinweis")),
                 QStringLiteral("Bitte beachten Sie unbedingt unsere Hinweise auf Seite 2"));
    }
    // Nothing selected: an empty set, no sheets.
    FillPlan(calc, {.Einzahlung = false, .Entnahme = false});
    {
        TReportSet set(calc);
        QCOMPARE(set.Layout().pageCount(), 0);
        QCOMPARE(set.MaxPage, 0);
    }
}

void TestReportLayout::comparisonPrintHook() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 40});
    TReportSet set(calc);
    set.Vergleichsdruck = true;
    set.FRV_verfuegbar = true;
    // The set's own comparison page is registered from the start.
    QVERIFY(set.HasVergleichsbericht());
    set.SetVergleichsbericht(nullptr);
    QCOMPARE(set.Layout().pageCount(), 0);

    // Another page can take its place; its sheets are counted, whatever
    // Laufzeit says: 60 rows of 4 mm under 80 mm of head and 16 of footer
    // take two sheets for 40 years as for 36.
    TPlainReport vergleich(QStringLiteral("Vergleich"), 60, 0, 80, 4, 16);
    set.SetVergleichsbericht(&vergleich);
    std::vector<TQuickReport*> reports;
    set.QRCompositeReport1AddReports(reports);
    QCOMPARE(reports, std::vector<TQuickReport*>{&vergleich});
    QCOMPARE(set.MaxPage, 2);
    QVERIFY(vergleich.LastInSet);

    calc.Rec.Laufzeit = 36;
    reports.clear();
    set.QRCompositeReport1AddReports(reports);
    QCOMPARE(set.MaxPage, 2);
    vergleich.Records = 40;
    reports.clear();
    set.QRCompositeReport1AddReports(reports);
    QCOMPARE(set.MaxPage, 1);

    set.FRV_verfuegbar = false;
    reports.clear();
    set.QRCompositeReport1AddReports(reports);
    QVERIFY(reports.empty());
    QCOMPARE(set.Layout().pageCount(), 0);
}

void TestReportLayout::costOverviewSheet_data() {
    QTest::addColumn<int>("laufzeit");
    QTest::addColumn<bool>("einzahlung");
    QTest::addColumn<bool>("entnahme");
    QTest::addColumn<int>("ende");
    QTest::newRow("1 Jahr, nur Einzahlung") << 1 << true << false << 4;
    QTest::newRow("35 Jahre, volles Blatt") << 35 << true << true << 4;
    QTest::newRow("36 Jahre, ohne Kapitalverzehr") << 36 << true << true << 5;
    QTest::newRow("70 Jahre") << 70 << true << true << 4;
    QTest::newRow("Laufzeit 0: keine Seite") << 0 << true << true << 4;
    QTest::newRow("nur Entnahme: keine Seite") << 25 << false << true << 4;
}

void TestReportLayout::costOverviewSheet() {
    QFETCH(int, laufzeit);
    QFETCH(bool, einzahlung);
    QFETCH(bool, entnahme);
    QFETCH(int, ende);
    TPerformCalc calc;
    calc.Rec = BeispielPlan();
    calc.Rec.Eintrittsalter = 20;
    calc.Rec.Laufzeit = calc.Rec.Einzahlungsdauer = laufzeit;
    calc.Rec.AuszBeginn = 20 + laufzeit;
    calc.Rec.Einzahlungsphase_drucken = einzahlung;
    calc.Rec.Entnahmephase_drucken = entnahme;
    calc.Rec.AuszEndeArt = ende;
    Neuberechnen(calc, TSterbetafel());
    TReportSet set(calc);
    const TLaidOutDocument ohne = set.Layout();
    const int ohneMax = set.MaxPage;
    set.Kostenuebersicht_drucken = true;
    std::vector<TQuickReport*> reports;
    set.QRCompositeReport1AddReports(reports);
    const int computed = set.MaxPage;
    const TLaidOutDocument mit = LayoutReports(reports);
    QCOMPARE(mit.pageCount(), computed);

    // One sheet of its own right after the model calculation.
    const bool seite = einzahlung && laufzeit > 0;
    QCOMPARE(computed, ohneMax + (seite ? 1 : 0));
    const int kosten = seite ? SheetsOf(mit, &set.Modellrechnung).last() + 1 : 0;
    QCOMPARE(SheetsOf(mit, &set.Kostenuebersicht), seite ? QList<int>{kosten} : QList<int>{});
    QCOMPARE(set.Kostenuebersicht.LastInSet, seite && !entnahme);
    // Every other sheet as without the option; each footer counts the new total.
    for (const TSheet& s : mit.Sheets) {
        QCOMPARE(Caption(*Footer(s), QStringLiteral("QRL_Von")).trimmed(),
                 QStringLiteral("von %1").arg(computed));
        if (s.PageNumber == kosten) {
            // The note speaks of the plan's words, not of the program's names.
            QVERIFY(sheetTexts(s).join(' ').contains(QStringLiteral("Ende der Anlagedauer")));
            continue;
        }
        const int wie = s.PageNumber - (seite && s.PageNumber > kosten ? 1 : 0);
        QCOMPARE(sheetTexts(s), sheetTexts(ohne.Sheets[size_t(wie - 1)]));
    }
}

QTEST_GUILESS_MAIN(TestReportLayout)
#include "test_reportlayout.moc"
