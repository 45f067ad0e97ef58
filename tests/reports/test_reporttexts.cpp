// Texts and numbers of the pages: the shared text functions, the number
// patterns with German separators, and what each page fills and switches.

#include "reporttesthelpers.h"
#include "tests/support/testplans.h"

#include "reports/reportset.h"
#include "reports/reporttexts.h"

#include "core/formatsettings.h"

#include <QTest>

using namespace orvanta;
using namespace orvanta::reports;
using namespace orvanta::reports::test;
using namespace orvanta::testing;

namespace {

// The single sheet of a one-page report laid out on its own.
TSheet layoutAlone(TQuickReport& page) {
    page.LastInSet = true;
    TLaidOutDocument doc = LayoutReports({&page});
    return doc.Sheets.front();
}

const TReportItem* item(const TSheet& sheet, TBandType type, const QString& name) {
    for (const TPlacedBand& b : sheet.Bands)
        if (b.Band.Type == type)
            if (const TReportItem* found = b.Band.find(name))
                return found;
    return nullptr;
}

QString shown(const TSheet& sheet, TBandType type, const QString& name) {
    const TReportItem* found = item(sheet, type, name);
    if (!found)
        return QStringLiteral("<fehlt>");
    return found->Enabled ? found->Caption : QStringLiteral("<aus>");
}

} // namespace

class TestReportTexts : public QObject {
    Q_OBJECT
private slots:
    void init() { SetFormatSettings(TFormatSettings{}); }
    void cleanup() { SetFormatSettings(TFormatSettings{}); }

    void textFunctions();
    void dynamikTexts();
    void dynamikPrintedOnlyWhereApplied_data();
    void dynamikPrintedOnlyWhereApplied();
    void numberPatterns_data();
    void numberPatterns();
    void numberPatternsFollowRegionalSettings();
    void exampleCalculationRows();
    void exampleCalculationLumpSums();
    void coveragePage();
    void tableHeads();
};

void TestReportTexts::textFunctions() {
    const QStringList names{QString(),
                            QStringLiteral("Strategiedepot F"),
                            QStringLiteral("Strategiedepot S"),
                            QStringLiteral("Strategiedepot W"),
                            QStringLiteral("Strategiedepot Z"),
                            QString()};
    for (int k = 0; k <= 5; ++k)
        QCOMPARE(StrategieName(k), names[k]);
    QCOMPARE(StrategieText(1), QStringLiteral("die Flaggschiffstrategie"));
    QCOMPARE(StrategieText(4), QStringLiteral("das Depot mit der Kelvora-Garantie"));
    QCOMPARE(StrategieText(-1), QString());
    QCOMPARE(AnlageartText(1), QStringLiteral("Aufbauplan"));
    QCOMPARE(AnlageartText(2), QStringLiteral("Einmalanlage"));
    QCOMPARE(AnlageartText(3), QStringLiteral("Systemeinmalanlage"));
    QCOMPARE(AnlageartText(0), QStringLiteral("Aufbauplan"));
    QCOMPARE(EntnahmedauerText(999), QStringLiteral("ewig"));
    QCOMPARE(EntnahmedauerText(1), QStringLiteral("1 Jahr"));
    QCOMPARE(EntnahmedauerText(30), QStringLiteral("30 Jahre"));
    QCOMPARE(EntnahmedauerText(0), QStringLiteral("0 Jahre"));
}

void TestReportTexts::dynamikTexts() {
    QCOMPARE(DynamikText(0), QStringLiteral("nicht gewünscht"));
    const QString text = DynamikText(2.5);
    QVERIFY(text.contains(QStringLiteral(" um 2,5% erhöht.")));
    QVERIFY(text.endsWith(QStringLiteral("zu entrichten")));
    QVERIFY(DynamikText(5).contains(QStringLiteral(" um 5% erhöht.")));
    QVERIFY(DynamikText(1e300).size() <= 255);

    auto [m1, m2] = DynamikZeilen(5, false);
    QCOMPARE(m1, QStringLiteral("(\"Netto Depot-Rücknahmewert\") bei einer Erhöhung des "
                                "Anlagebetrages von 5,0% p.a."));
    QCOMPARE(m2, QStringLiteral("als unverbindliches Beispiel"));
    std::tie(m1, m2) = DynamikZeilen(0, false);
    QCOMPARE(m1, QStringLiteral("(\"Netto Depot-Rücknahmewert\") als unverbindliches Beispiel"));
    QCOMPARE(m2, QString());
    std::tie(m1, m2) = DynamikZeilen(0, true);
    QCOMPARE(m1, QStringLiteral("(\"Netto Depot-Rücknahmewert\") in der Entnahmephase als "
                                "unverbindliches Beispiel"));
    QCOMPARE(m2, QString());
    std::tie(m1, m2) = DynamikZeilen(5, true);
    QCOMPARE(m2, QStringLiteral("in der Entnahmephase als unverbindliches Beispiel"));
}

// The calculation raises the contribution of an Aufbauplan only; a lump sum
// keeps the stored 5 in its record but prints no increase.
void TestReportTexts::dynamikPrintedOnlyWhereApplied_data() {
    QTest::addColumn<int>("anlageart");
    QTest::addColumn<bool>("erhoeht");
    QTest::newRow("Aufbauplan") << KindAufbauplan << true;
    QTest::newRow("Einmalanlage") << KindEinmalanlage << false;
    QTest::newRow("Systemeinmalanlage") << KindSystemEinmalanlage << false;
}

void TestReportTexts::dynamikPrintedOnlyWhereApplied() {
    QFETCH(int, anlageart);
    QFETCH(bool, erhoeht);
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 30, .Anlageart = anlageart});
    calc.Rec.Dynamik = 5;
    int maxPage = 7;
    Tqr_Beispielrechnung example(calc, maxPage);
    TQR_Modellrechnung model(calc, maxPage);
    const TSheet e = layoutAlone(example);
    const TSheet m = layoutAlone(model);
    QCOMPARE(shown(e, TBandType::Detail, "QRL_Dynamik_Wert") != QStringLiteral("nicht gewünscht"),
             erhoeht);
    QCOMPARE(shown(m, TBandType::Title, "QRL_Dynamik_1a").contains(QStringLiteral("Erhöhung")),
             erhoeht);
    QCOMPARE(calc.Rec.Dynamik, 5.0); // the record keeps what was entered
}

void TestReportTexts::numberPatterns_data() {
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lump sum of 50") << "####,000.00 EUR" << 50.0 << "050,00 EUR";
    QTest::newRow("lump sum grouped") << "####,000.00 EUR" << 12500.0 << "12.500,00 EUR";
    QTest::newRow("depot value") << "#,##0.00" << 2500.0 << "2.500,00";
    QTest::newRow("monthly amount") << "0.00" << 2500.0 << "2500,00";
    QTest::newRow("capital") << "#,##0. EUR" << 100000.0 << "100.000 EUR";
    QTest::newRow("capital rounded") << "#,##0. EUR" << 99999.5 << "100.000 EUR";
    QTest::newRow("withdrawal") << "#,##0.00 EUR" << 1000.0 << "1.000,00 EUR";
    QTest::newRow("rate") << "##0.0" << 0.0 << "0,0";
    QTest::newRow("rate 9") << "0.0" << 9.0 << "9,0";
    QTest::newRow("needed return") << "0.00" << 6.0 << "6,00";
    QTest::newRow("age") << "##00 Jahre" << 5.0 << "05 Jahre";
    QTest::newRow("age 45") << "##00 Jahre" << 45.0 << "45 Jahre";
    QTest::newRow("duration 1") << "##0 Jahr" << 1.0 << "1 Jahr";
    QTest::newRow("negative") << "#,##0.00" << -1234.5 << "-1.234,50";
}

void TestReportTexts::numberPatterns() {
    QFETCH(QString, pattern);
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(Fmt(pattern.toStdString(), value), expected);
}

void TestReportTexts::numberPatternsFollowRegionalSettings() {
    SetFormatSettings(TFormatSettings{'.', ','});
    QCOMPARE(Fmt("#,##0.00", 2500), QStringLiteral("2,500.00"));
    QVERIFY(DynamikText(2.5).contains(QStringLiteral("2.5%")));
}

void TestReportTexts::exampleCalculationRows() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 30});
    calc.Rec.Einzahlungsdauer = 20;
    calc.Rec.Anlagesumme = 24000;
    int maxPage = 7;
    Tqr_Beispielrechnung page(calc, maxPage);
    TSheet s = layoutAlone(page);
    const auto D = TBandType::Detail;
    QCOMPARE(shown(s, D, "QRL_Name_Wert"), QStringLiteral("Max Mustermann"));
    QCOMPARE(shown(s, D, "QRL_Alter_Wert"), QStringLiteral("35 Jahre"));
    QCOMPARE(shown(s, D, "QRL_Anlagedauer_Wert"), QStringLiteral("30 Jahre"));
    QCOMPARE(shown(s, D, "QRL_Einzahlungsdauer_Wert"), QStringLiteral("20 Jahre"));
    QCOMPARE(shown(s, D, "QRL_Anlagestrategie_Wert"), QStringLiteral("Strategiedepot W"));
    QCOMPARE(shown(s, D, "QRL_Strategietext_Wert"),
             QStringLiteral("das wachstumsorientierte Depot"));
    QCOMPARE(shown(s, D, "QRL_Aufbauplan_Wert"), QStringLiteral("100,00 EUR"));
    QCOMPARE(shown(s, D, "QRL_Anlagebetrag"), QStringLiteral("Monatsbeträge"));
    QCOMPARE(shown(s, D, "QRL_Anlagebetrag_Wert"), QStringLiteral("24.000,00 EUR"));
    QCOMPARE(item(s, D, "QRL_Anlagebetrag_Wert")->Rect.top(), 83.6);
    QCOMPARE(shown(s, D, "QRL_Uebertragung"), QStringLiteral("<aus>"));
    QCOMPARE(shown(s, D, "QRL_Einrichtung_Wert"),
             QStringLiteral("Die Einrichtungsgebühr ist im Monats- betrag enthalten und wird in 36 "
                            "gleichen Teilbeträgen belastet"));
    QVERIFY(shown(s, D, "QRL_Dynamik_Wert").startsWith(QStringLiteral("Der Monatsbeitrag")));
    QVERIFY(item(s, TBandType::PageHeader, "QRI_Kreuz")->Enabled);
    QCOMPARE(shown(s, TBandType::PageHeader, "QRL_Strasse"), QStringLiteral("Musterstraße 12"));
    QCOMPARE(shown(s, TBandType::PageFooter, "QRL_Von"), QStringLiteral(" von 7"));

    // Same payment period as the plan, one year, fee at once, no pictures.
    FillPlan(calc, {.Laufzeit = 1});
    calc.Rec.AgioZahlungsart = 1;
    calc.Rec.Grafik_drucken = 0;
    calc.Rec.Dynamik = 0;
    s = layoutAlone(page);
    QCOMPARE(shown(s, D, "QRL_Einzahlungsdauer"), QStringLiteral("<aus>"));
    QCOMPARE(shown(s, D, "QRL_Anlagedauer_Wert"), QStringLiteral("1 Jahr"));
    QCOMPARE(shown(s, D, "QRL_Einrichtung"), QStringLiteral("<aus>"));
    QCOMPARE(shown(s, D, "QRL_Dynamik_Wert"), QStringLiteral("nicht gewünscht"));
    QVERIFY(!item(s, TBandType::PageHeader, "QRI_Kreuz")->Enabled);
    QVERIFY(!item(s, TBandType::PageHeader, "QRI_Matterhorn")->Enabled);

    // The fee charged in instalments but switched off: no fee row either.
    calc.Rec.AgioZahlungsart = 2;
    calc.Rec.MitEinrichtungsgebuehr = 0;
    s = layoutAlone(page);
    QCOMPARE(shown(s, D, "QRL_Einrichtung_Wert"), QStringLiteral("<aus>"));
}

void TestReportTexts::exampleCalculationLumpSums() {
    TPerformCalc calc;
    int maxPage = 2;
    Tqr_Beispielrechnung page(calc, maxPage);
    const auto D = TBandType::Detail;

    FillPlan(calc, {.Laufzeit = 0, .Anlageart = 2});
    calc.Rec.Anlagesumme = 50;
    TSheet s = layoutAlone(page);
    QCOMPARE(shown(s, D, "QRL_Anlagebetrag"), QStringLiteral("Anlagebetrag"));
    QCOMPARE(shown(s, D, "QRL_Anlagebetrag_Wert"), QStringLiteral("050,00 EUR"));
    QCOMPARE(item(s, D, "QRL_Anlagebetrag_Wert")->Rect.top(), 65.1);
    QCOMPARE(shown(s, D, "QRL_Anlageart_Wert"), QStringLiteral("Einmalanlage"));
    for (const char* off :
         {"QRL_Monatsbetrag", "QRL_Aufbauplan", "QRL_Aufbauplan_Wert", "QRL_SummeDer",
          "QRL_Einzahlungsdauer", "QRL_Anlagedauer", "QRL_Anlagedauer_Wert", "QRL_Gesamtleistungen",
          "QRL_Gesamtleistungen_Wert", "QRL_Uebertragung"})
        QCOMPARE(shown(s, D, off), QStringLiteral("<aus>"));

    FillPlan(calc, {.Laufzeit = 12, .Anlageart = 3});
    s = layoutAlone(page);
    QCOMPARE(shown(s, D, "QRL_Anlageart_Wert"), QStringLiteral("Systemeinmalanlage"));
    QCOMPARE(shown(s, D, "QRL_Uebertragung_Wert"), QStringLiteral("24 Monate"));
    QCOMPARE(shown(s, D, "QRL_Anlagebetrag_Wert"), QStringLiteral("10.000,00 EUR"));
    QCOMPARE(shown(s, D, "QRL_Monatsbetrag"), QStringLiteral("<aus>"));
    QCOMPARE(shown(s, D, "QRL_Gesamtleistungen"), QStringLiteral("Gesamtleistungen"));
}

void TestReportTexts::coveragePage() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 0, .Entnahmejahre = 1});
    TPlanRecord& rec = calc.Rec;
    rec.Monatsrente = 1000;
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        rec.Entnahme_moeglich[i] = 400 + i;
        rec.Entnahme_ewig[i] = 300 + i;
        rec.Kapital_erforderlich[i] = 250000.4;
    }
    int maxPage = 3;
    Tqr_Ausz_Deck page(calc, maxPage);
    const auto D = TBandType::Detail;
    TSheet s = layoutAlone(page);
    // Withdrawal only: block a and its rule are off, the others print.
    QCOMPARE(shown(s, D, "QRL_Linie_A"), QStringLiteral("<aus>"));
    QCOMPARE(shown(s, D, "QRL_Kapital_A"), QStringLiteral("<aus>"));
    QCOMPARE(shown(s, D, "QRL_Kapital_A_4"), QStringLiteral("<aus>"));
    QVERIFY(item(s, D, "QRL_Linie_B")->Enabled);
    // Blocks b to d move up into the place of block a.
    const double withoutA = item(s, D, "QRL_Linie_B")->Rect.top();
    QCOMPARE(withoutA, item(s, D, "QRL_Linie_A")->Rect.top());
    QCOMPARE(shown(s, D, "QRL_Dauer_Wert"), QStringLiteral("1 Jahr"));
    QCOMPARE(shown(s, D, "QRL_Beginn_Wert"), QStringLiteral("65 Jahre"));
    QCOMPARE(shown(s, D, "QRL_Strategie_Wert"), QStringLiteral("Strategiedepot S"));
    QCOMPARE(shown(s, D, "QRL_Kapital_B_3"), QStringLiteral("100.000 EUR"));
    QCOMPARE(shown(s, D, "QRL_Entnahme_C_2"), QStringLiteral("1.000,00 EUR"));
    QCOMPARE(shown(s, D, "QRL_Kapital_C_1"), QStringLiteral("250.000 EUR"));
    QCOMPARE(shown(s, D, "QRL_WE_B_4"), QStringLiteral("9,0%"));
    QCOMPARE(shown(s, D, "QRL_WE_C_1"), QStringLiteral("0,0%"));
    QCOMPARE(shown(s, D, "QRL_Auszahlung_B_2"), QStringLiteral("402,00 EUR"));
    QCOMPARE(shown(s, D, "QRL_Rendite_D_1"), QStringLiteral("6,00%"));
    QCOMPARE(shown(s, D, "QRL_Rendite_D_2"), QStringLiteral("<aus>"));
    QCOMPARE(shown(s, TBandType::PageFooter, "QRL_Von"), QStringLiteral(" von 3"));
    QVERIFY(item(s, TBandType::Title, "QRI_Matterhorn")->Enabled);

    // Perpetual: "ewig" and the perpetual withdrawals; block a with capital.
    FillPlan(calc, {.Laufzeit = 20, .AuszEndeArt = 5});
    for (int i = 0; i < AnzahlSzenarien; ++i) {
        rec.Entnahme_moeglich[i] = 400 + i;
        rec.Entnahme_ewig[i] = 300 + i;
        rec.Entnahme_aus_Einzahlung[i] = 1234.567;
    }
    rec.Grafik_drucken = 0; // this page prints its pictures regardless
    s = layoutAlone(page);
    QCOMPARE(shown(s, D, "QRL_Dauer_Wert"), QStringLiteral("ewig"));
    QCOMPARE(shown(s, D, "QRL_Auszahlung_B_2"), QStringLiteral("302,00 EUR"));
    QCOMPARE(shown(s, D, "QRL_Auszahlung_A_1"), QStringLiteral("1.234,57 EUR"));
    QVERIFY(item(s, D, "QRL_Linie_A")->Enabled);
    QVERIFY(item(s, D, "QRL_Linie_B")->Rect.top() > withoutA + 20);
    QVERIFY(item(s, TBandType::Title, "QRI_Kreuz")->Enabled);
}

void TestReportTexts::tableHeads() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 3});
    calc.Aufbautabelle[1].Betrag = 2500;
    calc.Aufbautabelle[1].NIW[2] = 2500;
    int maxPage = 5;
    TQR_Modellrechnung model(calc, maxPage);
    TSheet s = layoutAlone(model);
    const auto T = TBandType::Title;
    QCOMPARE(shown(s, T, "QRL_Depotname2"), QStringLiteral("Modellrechnung – Strategiedepot W"));
    QVERIFY(shown(s, T, "QRL_Dynamik_1a").endsWith(QStringLiteral("von 5,0% p.a.")));
    QCOMPARE(shown(s, T, "QRL_Dynamik_2a"), QStringLiteral("als unverbindliches Beispiel"));
    QStringList rates;
    for (int i = 1; i <= 4; ++i)
        rates << shown(s, T, QStringLiteral("QRL_Performance_%1").arg(i));
    QCOMPARE(rates, (QStringList{"0,0", "3,0", "6,0", "9,0"}));
    QCOMPARE(item(s, T, "QRL_Prozent_1")->Bold, true);
    const auto rows = Details(s, &model);
    QCOMPARE(Caption(*rows[0], QStringLiteral("QRL_Anlage")), QStringLiteral("2500,00"));
    QCOMPARE(Caption(*rows[0], QStringLiteral("QRL_NIW_2")), QStringLiteral("2.500,00"));
    QCOMPARE(Caption(*rows[0], QStringLiteral("QRL_Alter")), QStringLiteral("35"));
    QCOMPARE(shown(s, TBandType::PageFooter, "QRL_Von"), QStringLiteral("von 5"));

    calc.Rec.Dynamik = 0;
    Tqr_Ausz_Verlauf course(calc, maxPage);
    s = layoutAlone(course);
    QCOMPARE(shown(s, T, "QRL_Depotform_2"), QStringLiteral("Modellrechnung - Strategiedepot S"));
    QVERIFY(shown(s, T, "QRL_Dynamik_1b")
                .endsWith(QStringLiteral(" in der Entnahmephase als unverbindliches Beispiel")));
    QCOMPARE(shown(s, T, "QRL_Dynamik_2b"), QString());
}

QTEST_GUILESS_MAIN(TestReportTexts)
#include "test_reporttexts.moc"
