// Texts at the limits of the input: every amount and name is printed whole,
// at a readable size, inside its box and on its caption's baseline; the PDF
// holds every amount as the calculation and the number patterns give it; a
// saved set is suggested under the customer's name.

#include "reporttesthelpers.h"

#include "reports/reportpreview.h"
#include "reports/reportset.h"
#include "reports/reporttexts.h"

#include "core/planfile.h"
#include "core/sterbetafel.h"
#include "core/wertentwicklung.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace orvanta;
using namespace orvanta::reports;
using namespace orvanta::reports::test;

namespace {

QJsonObject readJson(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

// A band with one label, fitted on the PDF device.
TFittedText fitOne(const TReportItem& label) {
    TReportBand band(TBandType::Detail, 20.0);
    band.Items.push_back(label);
    TPdfDevice pdf;
    return FitBand(band, &pdf.Writer).front();
}

TReportItem label(const QString& text, double width, Qt::Alignment align = Qt::AlignRight) {
    TReportItem item;
    item.Name = QStringLiteral("Wert");
    item.Rect = QRectF(50.0, 2.0, width, 5.6);
    item.Caption = text;
    item.FontSize = 12.0;
    item.Bold = true;
    item.Alignment = align | Qt::AlignTop;
    item.ShrinkToFit = true;
    return item;
}

// Every amount of the set as the pages print it.
QStringList expectedAmounts(const QJsonObject& calc) {
    const QJsonObject rec = calc[u"record"].toObject();
    auto value = [&](const char* field, int i) { return rec[QLatin1String(field)][i].toDouble(); };
    QStringList amounts;
    if (rec[u"Einzahlungsphase_drucken"].toBool()) {
        if (rec[u"Anlageart"].toInt() == KindAufbauplan)
            amounts << Fmt("#,##0.00 EUR", rec[u"Sparbetrag"].toDouble());
        amounts << Fmt("####,000.00 EUR", rec[u"Anlagesumme"].toDouble());
        const QJsonArray rows = calc[u"aufbautabelle"].toArray();
        for (qsizetype k = 1; k < rows.size(); ++k)
            for (int i = 1; i <= 4; ++i)
                amounts << Fmt("#,##0.00", rows[k][u"NIW"][i].toDouble());
    }
    if (rec[u"Entnahmephase_drucken"].toBool()) {
        const bool ewig = rec[u"AuszDauer"].toInt() == AuszDauerOhneKapitalverzehr;
        for (int i = 1; i <= 4; ++i) {
            if (rec[u"Laufzeit"].toInt() != 0)
                amounts << Fmt("#,##0. EUR", value("Kapital_Einzahlungsende", i))
                        << Fmt("#,##0.00 EUR", value("Entnahme_aus_Einzahlung", i));
            amounts << Fmt("#,##0.00 EUR", value(ewig ? "Entnahme_ewig" : "Entnahme_moeglich", i))
                    << Fmt("#,##0. EUR", value("Kapital_erforderlich", i));
        }
        amounts << Fmt("#,##0. EUR", rec[u"Rentenkapital"].toDouble())
                << Fmt("#,##0.00 EUR", rec[u"Monatsrente"].toDouble())
                << (12 * rec[u"Monatsrente"].toDouble() > rec[u"Rentenkapital"].toDouble()
                        ? QString::fromUtf8(WertentwicklungNichtErreichbar)
                        : Fmt("0.00", rec[u"Erforderliche_Wertentwicklung"].toDouble()) + u'%');
        const QJsonArray rows = calc[u"entnahmetabelle"].toArray();
        for (qsizetype k = 0; k < rows.size(); ++k)
            for (int i = 1; i <= 4; ++i) {
                const double v = rows[k][u"NIW"][i].toDouble();
                if (v != 0)
                    amounts << Fmt("#,##0.00", v);
            }
    }
    return amounts;
}

QString withoutBlanks(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

} // namespace

class TestReportFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void shrinkWrapAndWiden_data();
    void shrinkWrapAndWiden();
    void namesWrapAndPushTheRowsBelow();
    void rowOfFiguresPrintsAtOneSize();
    void tableWidensBeforeItShrinks_data();
    void tableWidensBeforeItShrinks();
    void everyLabelFitsAtTheLimits_data();
    void everyLabelFitsAtTheLimits();
    void pdfHoldsEveryAmountWhole_data();
    void pdfHoldsEveryAmountWhole();
    void costPageHoldsTheFiguresOfCalc_data();
    void costPageHoldsTheFiguresOfCalc();
    void suggestedFileName_data();
    void suggestedFileName();
    void saveFolderIsRemembered();

private:
    void plans();
    QTemporaryDir Dir;
    QJsonObject Plans;
};

void TestReportFit::initTestCase() {
    QVERIFY(Dir.isValid());
    const QString source = qEnvironmentVariable("ORVANTA_SOURCE_DIR");
    Plans = readJson(source + QStringLiteral("/tests/reports/extremeplans.json"));
    Plans.remove(QStringLiteral("_"));
    QVERIFY(Plans.size() >= 3);
    QVERIFY2(QFile::exists(testing::ToolPath()), "orvanta-tool ist nicht gebaut");
    // Each plan is the demo plan with its changes, made into a data file by the tool.
    const QJsonObject demo = readJson(source + QStringLiteral("/data/Orvan.json"));
    QVERIFY(!demo.isEmpty());
    for (auto it = Plans.begin(); it != Plans.end(); ++it) {
        QJsonObject plan = demo;
        const QJsonObject changes = it.value().toObject();
        for (auto c = changes.begin(); c != changes.end(); ++c)
            plan.insert(c.key(), c.value());
        QFile json(Dir.filePath(it.key() + QStringLiteral(".json")));
        QVERIFY(json.open(QIODevice::WriteOnly));
        json.write(QJsonDocument(plan).toJson());
        json.close();
        const TToolRun made = RunTool({QStringLiteral("make"), json.fileName(),
                                       Dir.filePath(it.key() + QStringLiteral(".Dat"))});
        QVERIFY2(made.Code == 0, qPrintable(made.Err));
    }
}

void TestReportFit::plans() {
    QTest::addColumn<QString>("plan");
    for (const QString& name : Plans.keys())
        QTest::newRow(qPrintable(name)) << name;
}

void TestReportFit::shrinkWrapAndWiden_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<bool>("amount");
    QTest::addColumn<bool>("shrinks");
    QTest::addColumn<bool>("elided");
    QTest::addColumn<double>("widened");
    // 27 mm is a coverage column; "1.290.160 EUR" was cut there at 12 pt.
    QTest::newRow("passt") << "500,00 EUR" << 27.0 << true << false << false << 0.0;
    QTest::newRow("Betrag schrumpft") << "1.290.160 EUR" << 27.0 << true << true << false << 0.0;
    QTest::newRow("Betrag nimmt den Abstand")
        << "1.300.000.000.000.000,00 EUR" << 27.0 << true << true << false << 2.5;
    QTest::newRow("Text unter 6 pt gekürzt") << "Ein sehr langer erklärender Text ohne Zahlen darin"
                                             << 27.0 << false << true << true << 0.0;
}

void TestReportFit::shrinkWrapAndWiden() {
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(bool, amount);
    QFETCH(bool, shrinks);
    QFETCH(bool, elided);
    QFETCH(double, widened);
    TReportItem item = label(text, width);
    item.Amount = amount;
    item.GrowRoom = 2.5;
    const TFittedText fit = fitOne(item);
    QCOMPARE(fit.Shrunk, shrinks);
    QCOMPARE(fit.Elided, elided);
    QVERIFY(fit.FontSize >= TextFit::MinFontSize);
    QCOMPARE(fit.Lines.size(), 1);
    if (!elided)
        QCOMPARE(fit.Lines.front(), text);
    QVERIFY(qAbs(fit.Rect.width() - width - widened) < 1e-9);
    // Right-aligned: a wider box grows to the left, the right edge stays.
    QCOMPARE(fit.Rect.right(), item.Rect.right());
    if (!widened)
        QVERIFY(fit.Widths.front() <= width + 1e-9);
    // The width measured is the one the text is drawn with.
    TPdfDevice device;
    const QFontMetricsF drawn(ReportFont(item, fit.FontSize), &device.Writer);
    QCOMPARE(fit.Widths.front(),
             drawn.horizontalAdvance(fit.Lines.front()) / (device.Writer.logicalDpiX() / 25.4));
    if (shrinks && !elided && fit.FontSize > TextFit::MinFontSize) {
        // The largest size that fits: a tenth of a point more does not.
        TPdfDevice pdf;
        const QFontMetricsF bigger(ReportFont(item, fit.FontSize + 0.1), &pdf.Writer);
        QVERIFY(bigger.horizontalAdvance(text) / (pdf.Writer.logicalDpiX() / 25.4) > width);
    }
    // A shrunk text keeps the baseline it has at its own size.
    TReportItem own = label(QStringLiteral("1"), width);
    QCOMPARE(fit.Origins.front().y(), fitOne(own).Origins.front().y());
}

void TestReportFit::namesWrapAndPushTheRowsBelow() {
    // A caption row with a long name, the next row 5.6 mm below, and a row
    // of another group that must not move.
    TReportBand band(TBandType::Detail, 40.0);
    auto row = [&](const QString& name, double top, const QString& caption, const QString& value) {
        TReportItem& c = band.addLabel(name, QRectF(0, top, 60, 5.6), caption, 12.0, false,
                                       Qt::AlignLeft | Qt::AlignTop);
        TReportItem& v = band.addLabel(name + QStringLiteral("_Wert"), QRectF(68, top, 112, 5.6),
                                       value, 12.0, true, Qt::AlignLeft | Qt::AlignTop);
        c.FlowGroup = v.FlowGroup = 1;
        v.BaselineOf = name;
        v.ShrinkToFit = true;
        v.MaxLines = 2;
        return &v;
    };
    row(QStringLiteral("Name"), 2.0, QStringLiteral("Name"),
        QStringLiteral("Maximiliane Theresa Friederike Ida Oberhuber-Kleinschmidt-Wallenstein zu "
                       "Reichenbach-Lichtenfels"));
    row(QStringLiteral("Alter"), 7.6, QStringLiteral("Alter"), QStringLiteral("35 Jahre"));
    band.addLabel(QStringLiteral("Fest"), QRectF(0, 14.0, 60, 5.6), QStringLiteral("fest"));
    TPdfDevice pdf;
    const std::vector<TFittedText> fits = FitBand(band, &pdf.Writer);
    const TFittedText& name = fits[1];
    QCOMPARE(name.Lines.size(), 2);
    QCOMPARE(name.FontSize, TextFit::WrapFontSize);
    QVERIFY(!name.Elided);
    QCOMPARE(withoutBlanks(name.Lines.join(QString())),
             withoutBlanks(name.Item->Caption)); // nothing lost at the break
    QCOMPARE(name.Origins[0].y(), fits[0].Origins[0].y());
    // The next row moved down just clear of the second line, caption and value alike.
    const double shift = fits[2].Rect.top() - 7.6;
    QVERIFY(shift > 0);
    QCOMPARE(fits[3].Rect.top(), fits[2].Rect.top());
    QVERIFY(qAbs(fits[2].Rect.top() - name.Rect.bottom()) < 1e-9);
    QCOMPARE(fits[4].Rect.top(), 14.0);

    // Too long even for two lines at the floor: the end of the second line gives way.
    band.Items[1].Caption = QString(300, QLatin1Char('W'));
    const TFittedText cut = FitBand(band, &pdf.Writer)[1];
    QCOMPARE(cut.FontSize, TextFit::MinFontSize);
    QVERIFY(cut.Elided);
    QVERIFY(cut.Lines.back().endsWith(QChar(0x2026)));
}

void TestReportFit::rowOfFiguresPrintsAtOneSize() {
    TReportBand band(TBandType::Detail, 20.0);
    const QStringList texts{QStringLiteral("507.267,10 EUR"),
                            QStringLiteral("2.749.863.913,81 EUR"), QStringLiteral("9,0%")};
    for (int k = 0; k < 3; ++k) {
        TReportItem& cell = band.Items.emplace_back(label(texts[k], 27.0));
        cell.Name = QStringLiteral("Wert_%1").arg(k);
        cell.Rect.moveLeft(60.0 + 30.0 * k);
        cell.SizeGroup = k < 2 ? 1 : 2;
    }
    TPdfDevice pdf;
    const std::vector<TFittedText> fits = FitBand(band, &pdf.Writer);
    QVERIFY(fits[1].Shrunk);
    QCOMPARE(fits[0].FontSize, fits[1].FontSize);
    QVERIFY(fits[0].Shrunk);
    QVERIFY(fits[0].Widths.front() < 27.0);
    QCOMPARE(fits[2].FontSize, 12.0); // another group keeps its own size
    // All three on one baseline, as at their own size.
    QCOMPARE(fits[0].Origins.front().y(), fits[2].Origins.front().y());
    QCOMPARE(fits[1].Origins.front().y(), fits[2].Origins.front().y());
}

void TestReportFit::tableWidensBeforeItShrinks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("moves");
    QTest::addColumn<bool>("shrinks");
    QTest::newRow("passt") << "500,00 EUR" << false << false;
    // Printed at 11.1 pt beside rows of 12 pt, with room to spare by the captions.
    QTest::newRow("siebenstellig") << "1.290.160 EUR" << true << false;
    QTest::newRow("vierzehnstellig") << "10.914.413.606.891 EUR" << true << true;
}

void TestReportFit::tableWidensBeforeItShrinks() {
    // Two rows of the coverage table: four cells of 27 mm, 29.5 mm apart,
    // right of their captions; one row holds the text in its last column.
    QFETCH(QString, text);
    QFETCH(bool, moves);
    QFETCH(bool, shrinks);
    TReportBand band(TBandType::Detail, 20.0);
    for (int row = 0; row < 2; ++row) {
        const QString name = QStringLiteral("Zeile%1").arg(row);
        band.addLabel(name, QRectF(0, 2.0 + 6 * row, 60.6, 5.6),
                      row ? QStringLiteral("Monatliche Auszahlung") : QStringLiteral("Entnahme"),
                      12.0, false, Qt::AlignLeft | Qt::AlignTop)
            .WordWrap = true;
        for (int i = 0; i < 4; ++i) {
            TReportItem& cell = band.Items.emplace_back(
                label(row && i == 3 ? text : QStringLiteral("1.044,09 EUR"), 27.0));
            cell.Name = name + QStringLiteral("_%1").arg(i + 1);
            cell.Rect.moveTo(63.6 + 29.5 * i, 2.0 + 6 * row);
            cell.Amount = true;
            cell.BaselineOf = name;
            cell.Grid = 1;
        }
    }
    TPdfDevice pdf;
    const std::vector<TFittedText> fits = FitBand(band, &pdf.Writer);
    for (int row = 0; row < 2; ++row) {
        const TFittedText& caption = fits[size_t(5 * row)];
        for (int i = 0; i < 4; ++i) {
            const TFittedText& cell = fits[size_t(5 * row + 1 + i)];
            QCOMPARE(cell.Shrunk, shrinks); // one size for the whole table
            QCOMPARE(cell.FontSize, fits[1].FontSize);
            QVERIFY(cell.FontSize >= TextFit::AmountFloor);
            if (i < 3) // the last column keeps its right edge
                QCOMPARE(cell.Rect.right() < 63.6 + 29.5 * i + 27.0 - 1e-9, moves);
            // Texts keep the designed gap apart, from the caption too.
            const double before =
                i ? fits[size_t(5 * row + i)].inkBox().right() : caption.inkBox().right();
            QVERIFY2(cell.inkBox().left() >= before + 2.5 - 1e-6,
                     qPrintable(QStringLiteral("%1 %2").arg(row).arg(i)));
        }
    }
    QCOMPARE(fits.back().Rect.right(), 63.6 + 29.5 * 3 + 27.0);
}

void TestReportFit::everyLabelFitsAtTheLimits_data() {
    plans();
}

void TestReportFit::everyLabelFitsAtTheLimits() {
    QFETCH(QString, plan);
    TPerformCalc calc;
    ReadPlanRecordFile(calc.Rec, Dir.filePath(plan + QStringLiteral(".Dat")).toStdString(),
                       OpenFor::Reading);
    // The program's recalculation; the plans end their withdrawals at a set
    // age, so no mortality table is needed.
    Neuberechnen(calc, TSterbetafel());
    TReportSet set(calc);
    set.Kostenuebersicht_drucken = true; // all pages there are
    const TLaidOutDocument doc = set.Layout();
    QVERIFY(doc.pageCount() >= 2);
    TPdfDevice pdf;
    const QStringList problems =
        LabelFitProblems(doc, pdf.Writer) + ColumnSizeProblems(doc, pdf.Writer);
    QVERIFY2(problems.isEmpty(), qPrintable(problems.mid(0, 12).join(u'\n')));
}

void TestReportFit::pdfHoldsEveryAmountWhole_data() {
    plans();
}

void TestReportFit::pdfHoldsEveryAmountWhole() {
    QFETCH(QString, plan);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext fehlt");
    const QString dat = Dir.filePath(plan + QStringLiteral(".Dat"));
    const QString pdf = Dir.filePath(plan + QStringLiteral(".pdf"));
    const TToolRun calc = RunTool({QStringLiteral("calc"), dat});
    QVERIFY2(calc.Code == 0, qPrintable(calc.Err));
    const TToolRun report = RunTool({QStringLiteral("report"), dat, pdf});
    QVERIFY2(report.Code == 0, qPrintable(report.Err));
    const QJsonObject result = QJsonDocument::fromJson(calc.Out.toUtf8()).object();
    const QString text = PdfPages(pdf).join(QLatin1Char('\f'));
    QVERIFY(!text.isEmpty());
    QVERIFY2(!text.contains(QChar(0x2026)), "Ein Text ist mit \"…\" gekürzt.");

    // Each amount stands whole: no digit, separator or decimal next to it.
    const QStringList amounts = expectedAmounts(result);
    QVERIFY(amounts.size() > 10);
    for (const QString& amount : amounts) {
        const QRegularExpression whole(QStringLiteral("(?<![\\d.,])%1(?![\\d,]|\\.\\d)")
                                           .arg(QRegularExpression::escape(amount)));
        if (!text.contains(whole))
            QFAIL(qPrintable(QStringLiteral("\"%1\" fehlt im PDF").arg(amount)));
    }
    // Names and adviser lines whole, however they wrap (pdftotext drops the
    // hyphen a line ends with).
    const QJsonObject rec = result[u"record"].toObject();
    const auto flat = [](const QString& s) { return withoutBlanks(s).remove(u'-'); };
    for (const QString& field : {QStringLiteral("Vorname"), QStringLiteral("Nachname"),
                                 QStringLiteral("Berater"), QStringLiteral("Firma")})
        QVERIFY2(flat(text).contains(flat(rec[field].toString())), qPrintable(field));
}

void TestReportFit::costPageHoldsTheFiguresOfCalc_data() {
    plans();
}

void TestReportFit::costPageHoldsTheFiguresOfCalc() {
    QFETCH(QString, plan);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext fehlt");
    const QString dat = Dir.filePath(plan + QStringLiteral(".Dat"));
    const QString pdf = Dir.filePath(plan + QStringLiteral("-kosten.pdf"));
    const TToolRun calc = RunTool({QStringLiteral("calc"), dat});
    QVERIFY2(calc.Code == 0, qPrintable(calc.Err));
    const TToolRun ohne = RunTool({QStringLiteral("report"), dat, pdf});
    QVERIFY2(ohne.Code == 0, qPrintable(ohne.Err));
    const TToolRun mit = RunTool({QStringLiteral("report"), QStringLiteral("--kosten"), dat, pdf});
    QVERIFY2(mit.Code == 0, qPrintable(mit.Err));
    const QJsonObject result = QJsonDocument::fromJson(calc.Out.toUtf8()).object();
    const QJsonValue kosten = result[u"kosten"];
    const bool seite = result[u"record"][u"Einzahlungsphase_drucken"].toBool() && kosten.isArray();
    const QStringList pages = PdfPages(pdf);
    QCOMPARE(pages.size(), ohne.Out.section(u' ', 0, 0).toInt() + (seite ? 1 : 0));
    const QStringList found = pages.filter(QStringLiteral("Kostenübersicht – "));
    QCOMPARE(found.size(), seite ? 1 : 0);
    if (!seite)
        return;
    // Every figure of calc stands whole on the page, as the page formats it.
    const QString text = found.front();
    static const char* const euro[] = {
        "Einzahlungen", "Einrichtungsgebuehr", "Managementgebuehr", "Depotgebuehr",
        "KostenGesamt", "DepotwertOhneKosten", "DepotwertMitKosten"};
    for (const QJsonValue s : kosten.toArray()) {
        QStringList figures;
        for (const char* name : euro)
            figures << Fmt("#,##0.00 EUR", s[QLatin1String(name)].toDouble());
        const QJsonValue r = s[u"Renditeminderung"];
        figures << (r.isNull() ? QStringLiteral("–")
                               : Fmt("0.00", r.toDouble()) + QStringLiteral(" %-Punkte p.a."));
        for (const QString& figure : figures)
            if (!text.contains(QRegularExpression(QStringLiteral("(?<![\\d.,])%1(?![\\d,])")
                                                      .arg(QRegularExpression::escape(figure)))))
                QFAIL(qPrintable(QStringLiteral("\"%1\" fehlt auf der Kostenseite").arg(figure)));
    }
}

void TestReportFit::suggestedFileName_data() {
    QTest::addColumn<QString>("nachname");
    QTest::addColumn<QString>("vorname");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Umlaute") << "Müller-Lüdenscheidt"
                             << "Jörg"
                             << "VALMERA 47 Müller-Lüdenscheidt Jörg 2026-12-09.pdf";
    QTest::newRow("Schrägstrich und Zeichen, die Windows nicht nimmt")
        << "Meier/Schulze"
        << "A:B*C?\"<>|\\"
        << "VALMERA 47 Meier_Schulze A_B_C______ 2026-12-09.pdf";
    QTest::newRow("ohne Vorname") << "Mustermann"
                                  << ""
                                  << "VALMERA 47 Mustermann 2026-12-09.pdf";
    QTest::newRow("ohne Namen") << "  "
                                << ""
                                << "VALMERA 47 2026-12-09.pdf";
    QTest::newRow("Leerzeichen") << "  von   Berg "
                                 << "Dr. Eva"
                                 << "VALMERA 47 von Berg Dr. Eva 2026-12-09.pdf";
    QTest::newRow("Steuerzeichen") << "Zeile\nzwei"
                                   << "Tab\tulator"
                                   << "VALMERA 47 Zeile_zwei Tab_ulator 2026-12-09.pdf";
}

void TestReportFit::suggestedFileName() {
    QFETCH(QString, nachname);
    QFETCH(QString, vorname);
    QFETCH(QString, expected);
    QCOMPARE(SuggestedPdfFileName(nachname, vorname, QDate(2026, 12, 9)), expected);
}

void TestReportFit::saveFolderIsRemembered() {
    // Names of 255 characters each still make a name the file system takes.
    const QString longest = SuggestedPdfFileName(
        QString(255, QChar(0xfc)), QString(255, QLatin1Char('x')), QDate(2026, 12, 9));
    QVERIFY(longest.toUtf8().size() <= 255);
    QVERIFY(longest.endsWith(QStringLiteral(" 2026-12-09.pdf")));
    // Characters outside the basic plane are never cut in half.
    QString clef = QStringLiteral("a");
    for (int k = 0; k < 100; ++k)
        clef += QStringView(u"\U0001D11E");
    const QString clefs = SuggestedPdfFileName(clef, {}, QDate(2026, 12, 9));
    QVERIFY(!clefs.toUtf8().contains("\xEF\xBF\xBD"));
    QCOMPARE(QString::fromUtf8(clefs.toUtf8()), clefs);

    QStandardPaths::setTestModeEnabled(true);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(PdfSaveFolder(), QFileInfo(documents).isDir() ? documents : QDir::homePath());
    RememberPdfSaveFolder(Dir.filePath(QStringLiteral("Kunde.pdf")));
    QCOMPARE(PdfSaveFolder(), QDir(Dir.path()).absolutePath());
}

QTEST_MAIN(TestReportFit)
#include "test_reportfit.moc"
