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

void Tqr_Beispielrechnung::TZeile::verschieben(double top) const {
    Beschriftung->Rect.moveTop(top);
    if (Wert)
        Wert->Rect.moveTop(top);
}

Tqr_Beispielrechnung::TZeile Tqr_Beispielrechnung::neueZeile(const QString& name, double top,
                                                             const QString& caption,
                                                             double valueWidth, double height) {
    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    TZeile row{};
    row.Beschriftung =
        &Detail.addLabel(QStringLiteral("QRL_") + name,
                         QRectF(CaptionLeft, top, ValueLeft - CaptionLeft - 1.0, height), caption,
                         12.0, false, topLeft);
    row.Wert =
        &Detail.addLabel(QStringLiteral("QRL_") + name + QStringLiteral("_Wert"),
                         QRectF(ValueLeft, top, valueWidth, height), {}, 12.0, true, topLeft);
    row.Wert->BaselineOf = row.Beschriftung->Name;
    row.Beschriftung->FlowGroup = RowFlow;
    row.Wert->FlowGroup = RowFlow;
    return row;
}

Tqr_Beispielrechnung::Tqr_Beispielrechnung(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("Tqr_Beispielrechnung"), calc, maxPage) {
    Title.Enabled = false;
    PageHeader.Height = HeaderHeight;
    AddLogoAndProductLine(PageHeader);
    FBilder = AddSwissPictures(PageHeader);
    PageHeader.addLabel(QStringLiteral("QRL_Ueberschrift"), QRectF(0, 36.0, 120.0, 5.6),
                        QStringLiteral("Individueller Aufbauplan"), 12.0, true);
    FBerater = AddAdviserBlock(PageHeader, 0, 47.0);

    Detail.Height = DetailHeight;
    TReportItem& slogan = Detail.addLabel(
        QStringLiteral("QRL_Slogan"), QRectF(0, 1.6, PageGeometry::PrintWidth, 7.0),
        QString::fromUtf16(PageTexts::SloganWachsen), 16.0, true, Qt::AlignLeft | Qt::AlignTop);
    slogan.FontColor = PageColors::Red;
    FName = neueZeile(QStringLiteral("Name"), 12.2, QStringLiteral("Name"));
    FName.Wert->ShrinkToFit = true;
    FName.Wert->MaxLines = NameLines;
    FAlter = neueZeile(QStringLiteral("Alter"), 20.1, QStringLiteral("Alter"));
    FAnlagedauer = neueZeile(QStringLiteral("Anlagedauer"), 28.0, QStringLiteral("Anlagedauer"));
    FEinzahlungsdauer =
        neueZeile(QStringLiteral("Einzahlungsdauer"), 36.0, QStringLiteral("Einzahlungsdauer"));
    FStrategie =
        neueZeile(QStringLiteral("Anlagestrategie"), 43.9, QStringLiteral("Anlagestrategie"));
    FStrategieZeile2 = neueZeile(QStringLiteral("Strategietext"), 49.2, {});
    FAnlageart = neueZeile(QStringLiteral("Anlageart"), 57.1, QStringLiteral("Anlageart"));
    FMonatsbetrag = neueZeile(QStringLiteral("Monatsbetrag"), 65.1, QStringLiteral("Monatsbetrag"));
    FMonatsbetrag.Wert->Enabled = false;
    FMonatsbetrag.Wert = nullptr;
    FAufbauplan = neueZeile(QStringLiteral("Aufbauplan"), 70.4, QStringLiteral("Aufbauplan"));
    FAufbauplan.Wert->Amount = true;
    FUebertragung =
        neueZeile(QStringLiteral("Uebertragung"), 73.0, QStringLiteral("Übertragungszeitraum"));
    FSummeDer = neueZeile(QStringLiteral("SummeDer"), 78.3, QStringLiteral("Summe der"));
    FSummeDer.Wert->Enabled = false;
    FSummeDer.Wert = nullptr;
    FAnlagebetrag =
        neueZeile(QStringLiteral("Anlagebetrag"), SumUpper, QStringLiteral("Anlagebetrag"));
    FAnlagebetrag.Wert->Amount = true;
    FEinrichtung = neueZeile(QStringLiteral("Einrichtung"), 91.5,
                             QStringLiteral("Einrichtungsgebühr"), 85.0, 16.0);
    FEinrichtung.Beschriftung->WordWrap = true;
    FEinrichtung.Beschriftung->Rect.setHeight(13.0);
    FEinrichtung.Wert->WordWrap = true;
    FDynamik = neueZeile(QStringLiteral("Dynamik"), 110.1, QStringLiteral("Dynamik"), 85.0, 22.0);
    FDynamik.Wert->WordWrap = true;
    FGesamtleistung = neueZeile(QStringLiteral("Gesamtleistungen"), 134.4,
                                QStringLiteral("Gesamtleistungen"), 72.0, 22.0);
    FGesamtleistung.Wert->WordWrap = true;
    FGesamtleistung.Wert->Caption =
        QStringLiteral("Eine mögliche Entwicklung des Guthabens entnehmen Sie bitte der "
                       "Modellrechnung auf den nächsten Seiten");
    TReportItem& closing = Detail.addLabel(
        QStringLiteral("QRL_Schluss"), QRectF(32.0, 157.2, 148.0, 7.0),
        QString::fromUtf16(PageTexts::ClosingLine), 16.0, true, Qt::AlignLeft | Qt::AlignTop);
    closing.FontColor = PageColors::Red;
    closing.FlowGroup = RowFlow;

    PageFooter.Height = FooterHeight;
    FVon = &AddPageFooter(PageFooter, false, true);
}

void Tqr_Beispielrechnung::QuickRep1BeforePrint() {
    const TPlanRecord& rec = FCalc.Rec;
    FAnlagedauer.zeigen(rec.Laufzeit != 0);
    FGesamtleistung.zeigen(rec.Laufzeit != 0);
    FEinrichtung.zeigen(rec.AgioZahlungsart != AgioSofort && rec.MitEinrichtungsgebuehr);

    FName.Wert->Caption = RecordText(rec.Vorname) + QLatin1Char(' ') + RecordText(rec.Nachname);
    FAlter.Wert->Caption = Fmt("##00 Jahre", rec.Eintrittsalter);
    FAnlagedauer.Wert->Caption = Fmt(rec.Laufzeit == 1 ? "##0 Jahr" : "##0 Jahre", rec.Laufzeit);
    FAufbauplan.Wert->Caption = Fmt("#,##0.00 EUR", rec.Sparbetrag);
    FAnlagebetrag.Wert->Caption = Fmt("####,000.00 EUR", rec.Anlagesumme);
    FStrategie.Wert->Caption = StrategieName(rec.Anlagestrategie);
    FillAdviserBlock(FBerater, rec);
    FVon->Caption = QStringLiteral(" von ") + QString::number(MaxPage);
    FStrategieZeile2.Wert->Caption = StrategieText(rec.Anlagestrategie);
    FAnlageart.Wert->Caption = AnlageartText(rec.Anlageart);

    const bool plan = rec.Anlageart == KindAufbauplan;
    FMonatsbetrag.zeigen(plan);
    FAufbauplan.zeigen(plan);
    FSummeDer.zeigen(plan);
    FUebertragung.zeigen(rec.Anlageart == KindSystemEinmalanlage);
    FUebertragung.Wert->Caption =
        QString::number(rec.Uebertragungsmonate) + QStringLiteral(" Monate");
    if (plan) {
        FAnlagebetrag.Beschriftung->Caption = QStringLiteral("Monatsbeträge");
        FAnlagebetrag.verschieben(SumLower);
        FEinzahlungsdauer.zeigen(rec.Einzahlungsdauer != rec.Laufzeit);
        FEinzahlungsdauer.Wert->Caption = Fmt("##0 Jahre", rec.Einzahlungsdauer);
    } else {
        FAnlagebetrag.Beschriftung->Caption = QStringLiteral("Anlagebetrag");
        FAnlagebetrag.verschieben(SumUpper);
        FEinzahlungsdauer.zeigen(false);
    }
    FDynamik.Wert->Caption = DynamikText(AngewandteDynamik(rec));
    FBilder.Cross->Enabled = rec.Grafik_drucken;
    FBilder.Matterhorn->Enabled = rec.Grafik_drucken;
    FEinrichtung.Wert->Caption =
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
