#include "reports/tqr_beispielrechnung.h"

#include "reports/reporttexts.h"

namespace orvanta::reports {

namespace {
constexpr double HeaderHeight = 91.0;
constexpr double DetailHeight = 166.4;
constexpr double FooterHeight = 16.9;
constexpr double CaptionLeft = 9.0;
constexpr double ValueLeft = 61.6;
constexpr double SumUpper = 65.1; // "Anlagebetrag" of a lump sum
constexpr double SumLower = 83.6; // "Monatsbeträge" of a savings plan
// The rows keep clear of each other when the name takes two lines.
constexpr int RowFlow = 1;
} // namespace

void Tqr_Beispielrechnung::TRow::moveTo(double top) const {
    Caption->Rect.moveTop(top);
    if (Value)
        Value->Rect.moveTop(top);
}

Tqr_Beispielrechnung::TRow Tqr_Beispielrechnung::addRow(const QString& name, double top,
                                                        const QString& caption, double valueWidth,
                                                        double height) {
    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    TRow row{};
    row.Caption = &Detail.addLabel(QStringLiteral("QRL_") + name,
                                   QRectF(CaptionLeft, top, ValueLeft - CaptionLeft - 1.0, height),
                                   caption, 12.0, false, topLeft);
    row.Value =
        &Detail.addLabel(QStringLiteral("QRL_") + name + QStringLiteral("_Wert"),
                         QRectF(ValueLeft, top, valueWidth, height), {}, 12.0, true, topLeft);
    row.Value->BaselineOf = row.Caption->Name;
    row.Caption->FlowGroup = RowFlow;
    row.Value->FlowGroup = RowFlow;
    return row;
}

Tqr_Beispielrechnung::Tqr_Beispielrechnung(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("Tqr_Beispielrechnung"), calc, maxPage) {
    Title.Enabled = false;
    PageHeader.Height = HeaderHeight;
    AddLogoAndProductLine(PageHeader);
    Pictures = AddSwissPictures(PageHeader);
    PageHeader.addLabel(QStringLiteral("QRL_Ueberschrift"), QRectF(0, 36.0, 120.0, 5.6),
                        QStringLiteral("Individueller Aufbauplan"), 12.0, true);
    Adviser = AddAdviserBlock(PageHeader, 0, 47.0);

    Detail.Height = DetailHeight;
    TReportItem& slogan = Detail.addLabel(QStringLiteral("QRL_Slogan"), QRectF(0, 1.6, 180.0, 7.0),
                                          QString::fromUtf16(PageTexts::SloganWachsen), 16.0, true,
                                          Qt::AlignLeft | Qt::AlignTop);
    slogan.FontColor = PageColors::Red;
    Name = addRow(QStringLiteral("Name"), 12.2, QStringLiteral("Name"));
    Name.Value->ShrinkToFit = true;
    Name.Value->MaxLines = NameLines;
    Alter = addRow(QStringLiteral("Alter"), 20.1, QStringLiteral("Alter"));
    Anlagedauer = addRow(QStringLiteral("Anlagedauer"), 28.0, QStringLiteral("Anlagedauer"));
    Einzahlungsdauer =
        addRow(QStringLiteral("Einzahlungsdauer"), 36.0, QStringLiteral("Einzahlungsdauer"));
    Strategie = addRow(QStringLiteral("Anlagestrategie"), 43.9, QStringLiteral("Anlagestrategie"));
    StrategieZeile2 = addRow(QStringLiteral("Strategietext"), 49.2, {});
    Anlageart = addRow(QStringLiteral("Anlageart"), 57.1, QStringLiteral("Anlageart"));
    Monatsbetrag = addRow(QStringLiteral("Monatsbetrag"), 65.1, QStringLiteral("Monatsbetrag"));
    Monatsbetrag.Value->Enabled = false;
    Monatsbetrag.Value = nullptr;
    Aufbauplan = addRow(QStringLiteral("Aufbauplan"), 70.4, QStringLiteral("Aufbauplan"));
    Aufbauplan.Value->Amount = true;
    Uebertragung =
        addRow(QStringLiteral("Uebertragung"), 73.0, QStringLiteral("Übertragungszeitraum"));
    SummeDer = addRow(QStringLiteral("SummeDer"), 78.3, QStringLiteral("Summe der"));
    SummeDer.Value->Enabled = false;
    SummeDer.Value = nullptr;
    Anlagebetrag = addRow(QStringLiteral("Anlagebetrag"), SumUpper, QStringLiteral("Anlagebetrag"));
    Anlagebetrag.Value->Amount = true;
    Einrichtung = addRow(QStringLiteral("Einrichtung"), 91.5, QStringLiteral("Einrichtungsgebühr"),
                         85.0, 16.0);
    Einrichtung.Caption->WordWrap = true;
    Einrichtung.Caption->Rect.setHeight(13.0);
    Einrichtung.Value->WordWrap = true;
    Dynamik = addRow(QStringLiteral("Dynamik"), 110.1, QStringLiteral("Dynamik"), 85.0, 22.0);
    Dynamik.Value->WordWrap = true;
    Gesamtleistung = addRow(QStringLiteral("Gesamtleistungen"), 134.4,
                            QStringLiteral("Gesamtleistungen"), 72.0, 22.0);
    Gesamtleistung.Value->WordWrap = true;
    Gesamtleistung.Value->Caption =
        QStringLiteral("Eine mögliche Entwicklung des Guthabens entnehmen Sie bitte der "
                       "Modellrechnung auf den nächsten Seiten");
    TReportItem& closing = Detail.addLabel(
        QStringLiteral("QRL_Schluss"), QRectF(32.0, 157.2, 148.0, 7.0),
        QString::fromUtf16(PageTexts::ClosingLine), 16.0, true, Qt::AlignLeft | Qt::AlignTop);
    closing.FontColor = PageColors::Red;
    closing.FlowGroup = RowFlow;

    PageFooter.Height = FooterHeight;
    Von = &AddPageFooter(PageFooter, false, true);
}

void Tqr_Beispielrechnung::QuickRep1BeforePrint() {
    const TPlanRecord& rec = Calc.Rec;
    Anlagedauer.show(rec.Laufzeit != 0);
    Gesamtleistung.show(rec.Laufzeit != 0);
    Einrichtung.show(rec.AgioZahlungsart != AgioSofort && rec.MitEinrichtungsgebuehr);

    Name.Value->Caption = RecordText(rec.Vorname) + QLatin1Char(' ') + RecordText(rec.Nachname);
    Alter.Value->Caption = Fmt("##00 Jahre", rec.Eintrittsalter);
    Anlagedauer.Value->Caption = Fmt(rec.Laufzeit == 1 ? "##0 Jahr" : "##0 Jahre", rec.Laufzeit);
    Aufbauplan.Value->Caption = Fmt("#,##0.00 EUR", rec.Sparbetrag);
    Anlagebetrag.Value->Caption = Fmt("####,000.00 EUR", rec.Anlagesumme);
    Strategie.Value->Caption = StrategieName(rec.Anlagestrategie);
    FillAdviserBlock(Adviser, rec);
    Von->Caption = QStringLiteral(" von ") + QString::number(MaxPage);
    StrategieZeile2.Value->Caption = StrategieText(rec.Anlagestrategie);
    Anlageart.Value->Caption = AnlageartText(rec.Anlageart);

    const bool plan = rec.Anlageart == KindAufbauplan;
    Monatsbetrag.show(plan);
    Aufbauplan.show(plan);
    SummeDer.show(plan);
    Uebertragung.show(rec.Anlageart == KindSystemEinmalanlage);
    Uebertragung.Value->Caption =
        QString::number(rec.Uebertragungsmonate) + QStringLiteral(" Monate");
    if (plan) {
        Anlagebetrag.Caption->Caption = QStringLiteral("Monatsbeträge");
        Anlagebetrag.moveTo(SumLower);
        Einzahlungsdauer.show(rec.Einzahlungsdauer != rec.Laufzeit);
        Einzahlungsdauer.Value->Caption = Fmt("##0 Jahre", rec.Einzahlungsdauer);
    } else {
        Anlagebetrag.Caption->Caption = QStringLiteral("Anlagebetrag");
        Anlagebetrag.moveTo(SumUpper);
        Einzahlungsdauer.show(false);
    }
    Dynamik.Value->Caption = DynamikText(rec.Dynamik);
    Pictures.Cross->Enabled = rec.Grafik_drucken;
    Pictures.Matterhorn->Enabled = rec.Grafik_drucken;
    Einrichtung.Value->Caption =
        QStringLiteral("Die Einrichtungsgebühr ist im Monats- betrag enthalten und wird in ") +
        QString::number(rec.AgioMonate) + QStringLiteral(" gleichen Teilbeträgen belastet");
    Zeile = 0;
}

bool Tqr_Beispielrechnung::QuickRep1NeedData() {
    const bool more = Zeile <= 0;
    ++Zeile;
    return more;
}

} // namespace orvanta::reports
