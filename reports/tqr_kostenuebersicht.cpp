#include "reports/tqr_kostenuebersicht.h"

#include "reports/reporttexts.h"

#include "core/kostenuebersicht.h"

namespace orvanta::reports {

namespace {
constexpr double TitleHeight = 80.0;
constexpr double DetailHeight = 118.0;
constexpr double FooterHeight = 19.3;
constexpr double Line = 4.4;
constexpr double CaptionWidth = 44.0;
constexpr double ColumnWidth = (PageGeometry::PrintWidth - CaptionWidth) / 4; // 34
constexpr double Padding = 1.5;
constexpr double TableTop = 13.0;
constexpr double RowHeight = 6.0;
// Beside the Swiss pictures at the right edge.
constexpr double TitleWidth = 160.0;

constexpr double columnRight(int i) { // i = 1..4
    return CaptionWidth + i * ColumnWidth;
}

// Rows printed in bold: the sum of the costs and their effect on the return.
bool fett(int zeile) {
    return zeile == 4 || zeile == 7;
}

QString Prozentpunkte(double wert) {
    return Fmt("0.00", wert) + QStringLiteral(" %-Punkte p.a.");
}
} // namespace

const std::array<TQR_Kostenuebersicht::TZeile, 8>& TQR_Kostenuebersicht::Zeilen() {
    static const std::array<TZeile, 8> zeilen = {{
        {"QRL_Einzahlungen", u"Einzahlungen"},
        {"QRL_Einrichtungsgebuehr", u"Einrichtungsgebühr"},
        {"QRL_Managementgebuehr", u"Managementgebühr"},
        {"QRL_Depotgebuehr", u"Depotgebühr"},
        {"QRL_KostenGesamt", u"Kosten gesamt"},
        {"QRL_DepotwertOhneKosten", u"Depotwert ohne Kosten"},
        {"QRL_DepotwertMitKosten", u"Depotwert mit Kosten"},
        {"QRL_Renditeminderung", u"Renditeminderung"},
    }};
    return zeilen;
}

TQR_Kostenuebersicht::TQR_Kostenuebersicht(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("TQR_Kostenuebersicht"), calc, maxPage) {
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const double w = PageGeometry::PrintWidth;

    Title.Height = TitleHeight;
    AddLogoAndProductLine(Title);
    FBilder = AddSwissPictures(Title);
    FDepotname = &Title.addLabel(QStringLiteral("QRL_Depotname"), QRectF(0, 36.0, TitleWidth, 6.2),
                                 {}, 14.0);
    Title.addLabel(QStringLiteral("QRL_Untertitel"), QRectF(0, 43.2, TitleWidth, Line),
                   QStringLiteral("Was Kosten und Gebühren in Euro und an Wertentwicklung "
                                  "ausmachen"));
    auto planZeile = [&](const QString& name, double top, const QString& text) {
        Title.addLabel(name, QRectF(0, top, 40.0, 5.3), text, 10.0, false, left);
        TReportItem& value = Title.addLabel(
            name + QStringLiteral("_Wert"),
            QRectF(CaptionWidth, top, TitleWidth - CaptionWidth, 5.3), {}, 10.0, true, left);
        value.BaselineOf = name;
        return &value;
    };
    FAnlageart = planZeile(QStringLiteral("QRL_Anlageart"), 52.0, QStringLiteral("Anlageart"));
    FAnlagedauer =
        planZeile(QStringLiteral("QRL_Anlagedauer"), 57.3, QStringLiteral("Anlagedauer"));
    // The page starts on a fresh sheet and has one: no page header.
    PageHeader.Enabled = false;

    Detail.Height = DetailHeight;
    Detail.addLabel(
        QStringLiteral("QRL_Kopf"), QRectF(CaptionWidth, 1.6, w - CaptionWidth - Padding, Line),
        QStringLiteral("bei einer jährlich gleich bleibenden Netto-Wertentwicklung von"), 10.0,
        false, right);
    for (int i = 1; i <= 4; ++i) {
        const double r = columnRight(i) - Padding;
        FRaten[size_t(i - 1)] =
            &Detail.addLabel(QStringLiteral("QRL_Performance_%1").arg(i),
                             QRectF(r - 20.0, 6.6, 16.6, Line), {}, 10.0, false, right);
        Detail.addLabel(QStringLiteral("QRL_Prozent_%1").arg(i), QRectF(r - 3.4, 6.6, 3.6, Line),
                        QStringLiteral("%"), 10.0, true, left);
    }
    Detail.addRule(QStringLiteral("QRL_Kopflinie"), 0, TableTop - 0.8, w, 0.3);

    for (size_t z = 0; z < Zeilen().size(); ++z) {
        const double top = TableTop + static_cast<double>(z) * RowHeight;
        const QString name = QString::fromLatin1(Zeilen()[z].Name);
        // Shaded like the year tables: the first row and every second one.
        if (z % 2 == 0) {
            TReportItem& stripe =
                Detail.addLabel(name + QStringLiteral("_Streifen"), QRectF(0, top, w, RowHeight));
            stripe.Transparent = false;
            stripe.Color = PageColors::Shaded;
        }
        const bool bold = fett(static_cast<int>(z));
        Detail.addLabel(name, QRectF(Padding, top, CaptionWidth - 2 * Padding, RowHeight),
                        QString::fromUtf16(Zeilen()[z].Text), 10.0, bold, left);
        for (int i = 1; i <= 4; ++i) {
            // Amounts of long plans print smaller rather than into the next
            // column; a row prints at one size.
            TReportItem& cell = Detail.addLabel(
                name + QStringLiteral("_%1").arg(i),
                QRectF(columnRight(i) - ColumnWidth, top, ColumnWidth - Padding, RowHeight), {},
                10.0, bold, right);
            cell.ShrinkToFit = true;
            cell.Amount = true;
            cell.GrowRoom = Padding;
            cell.BaselineOf = name;
            cell.SizeGroup = static_cast<int>(z) + 1;
            FWerte[z][size_t(i - 1)] = &cell;
        }
    }

    const double noteTop = TableTop + 8 * RowHeight + 5.0;
    Detail.addLabel(QStringLiteral("QRL_Erlaeuterung"), QRectF(0, noteTop, w, 5.0),
                    QStringLiteral("Erläuterungen"), 10.0, true, left);
    TReportItem& note = Detail.addLabel(
        QStringLiteral("QRL_Erlaeuterungstext"),
        QRectF(0, noteTop + 5.5, w, DetailHeight - noteTop - 5.5),
        QStringLiteral(
            "Diese Kostenübersicht ist eine unverbindliche Beispielrechnung zur Modellrechnung "
            "mit einer jährlich gleich bleibenden Wertentwicklung. Sie zeigt, was bis zum Ende "
            "der Anlagedauer eingezahlt wird, was die Einrichtungsgebühr, die Managementgebühr "
            "und die Depotgebühr zusammen kosten und welchen Depotwert dieselbe Anlage ohne "
            "diese Kosten hätte. Die Renditeminderung gibt an, um wie viele Prozentpunkte im "
            "Jahr die Kosten die Wertentwicklung mindern: Ohne Kosten, eine sofort gezahlte "
            "Einrichtungsgebühr mit angelegt, erreichte die Anlage den Depotwert mit Kosten "
            "bereits bei einer um diesen Wert niedrigeren Wertentwicklung. „–“ steht dort, wo "
            "keine Wertentwicklung zwischen -99 % und +100 % ihn erreicht. Verbindlich sind "
            "allein die Kosten in den Vertragsunterlagen."),
        9.0, false, Qt::AlignLeft | Qt::AlignTop);
    note.WordWrap = true;

    PageFooter.Height = FooterHeight;
    FVon = &AddPageFooter(PageFooter, true, false);
}

void TQR_Kostenuebersicht::QuickRep1BeforePrint() {
    const TPlanRecord& rec = FCalc.Rec;
    Zeile = 0;
    FBilder.Cross->Enabled = rec.Grafik_drucken;
    FBilder.Matterhorn->Enabled = rec.Grafik_drucken;
    FDepotname->Caption = QStringLiteral("Kostenübersicht – ") + StrategieName(rec.Anlagestrategie);
    FAnlageart->Caption = AnlageartText(rec.Anlageart);
    FAnlagedauer->Caption = Fmt(rec.Laufzeit == 1 ? "##0 Jahr" : "##0 Jahre", rec.Laufzeit);
    for (int i = 1; i <= 4; ++i)
        FRaten[size_t(i - 1)]->Caption = Fmt("##0.0", rec.Performance[i]);
    FVon->Caption = QStringLiteral("von ") + QString::number(MaxPage);

    const std::optional<TKostenuebersicht> kosten = Kostenuebersicht(FCalc);
    for (size_t k = 0; k < 4; ++k) {
        auto setze = [&](size_t zeile, QString text) {
            FWerte[zeile][k]->Caption = std::move(text);
        };
        if (!kosten) {
            for (size_t z = 0; z < FWerte.size(); ++z)
                setze(z, QString::fromUtf16(Fehlt));
            continue;
        }
        const TKostenSzenario& s = (*kosten)[k];
        const double euro[] = {s.Einzahlungen,      s.Einrichtungsgebuehr, s.Managementgebuehr,
                               s.Depotgebuehr,      s.KostenGesamt,        s.DepotwertOhneKosten,
                               s.DepotwertMitKosten};
        for (size_t z = 0; z < std::size(euro); ++z)
            setze(z, Fmt("#,##0.00 EUR", euro[z]));
        setze(7,
              s.Renditeminderung ? Prozentpunkte(*s.Renditeminderung) : QString::fromUtf16(Fehlt));
    }
}

bool TQR_Kostenuebersicht::QuickRep1NeedData() {
    return SingleRowNeedData();
}

} // namespace orvanta::reports
