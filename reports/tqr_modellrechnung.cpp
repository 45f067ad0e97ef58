#include "reports/tqr_modellrechnung.h"

#include "reports/reporttexts.h"

namespace orvanta::reports {

namespace {
constexpr double HeadHeight = 89.96;
constexpr double RowHeight = 4.76;
constexpr double FooterHeight = 19.3;
} // namespace

TQR_Modellrechnung::TQR_Modellrechnung(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("TQR_Modellrechnung"), calc, maxPage) {
    Title.Height = HeadHeight;
    PageHeader.Height = HeadHeight;
    FTitelkopf = baueKopf(Title, QStringLiteral("QRL_Depotname2"), QStringLiteral("QRL_Dynamik_1a"),
                          QStringLiteral("QRL_Dynamik_2a"));
    FKopf = baueKopf(PageHeader, QStringLiteral("QRL_Depotname"), QStringLiteral("QRL_Dynamik_1"),
                     QStringLiteral("QRL_Dynamik_2"));

    Detail.Height = RowHeight;
    Detail.Transparent = false;
    FJahreszeile = AddYearRow(Detail, RowHeight);

    PageFooter.Height = FooterHeight;
    FVon = &AddPageFooter(PageFooter, true, false);
}

TQR_Modellrechnung::TKopf TQR_Modellrechnung::baueKopf(TReportBand& band, const QString& depotName,
                                                       const QString& dyn1, const QString& dyn2) {
    AddLogoAndProductLine(band);
    TKopf head{};
    head.Depotname =
        &band.addLabel(depotName, QRectF(0, 28.5, PageGeometry::PrintWidth, 6.2), {}, 14.0);
    band.addLabel(QStringLiteral("QRL_Untertitel"), QRectF(0, 35.4, PageGeometry::PrintWidth, 4.4),
                  QStringLiteral("Mögliche Entwicklung des Guthabens nach Abzug aller Kosten und "
                                 "Gebühren"));
    head.Dynamik1 = &band.addLabel(dyn1, QRectF(0, 39.8, PageGeometry::PrintWidth, 4.4));
    head.Dynamik2 = &band.addLabel(dyn2, QRectF(0, 44.2, PageGeometry::PrintWidth, 4.4));
    TReportItem& slogan =
        band.addLabel(QStringLiteral("QRL_Slogan"), QRectF(0, 50.5, PageGeometry::PrintWidth, 7.0),
                      QString::fromUtf16(PageTexts::SloganWachsen), 16.0, true);
    slogan.FontColor = PageColors::Red;
    head.Raten =
        AddTableHead(band, 61.5, QStringLiteral("Monatsbetrag"), QStringLiteral("Aufbauplan"));
    return head;
}

void TQR_Modellrechnung::fuelleKopf(const TKopf& head) {
    const TPlanRecord& rec = FCalc.Rec;
    head.Depotname->Caption =
        QStringLiteral("Modellrechnung – ") + StrategieName(rec.Anlagestrategie);
    const auto [line1, line2] = DynamikZeilen(AngewandteDynamik(rec), false);
    head.Dynamik1->Caption = line1;
    head.Dynamik2->Caption = line2;
    for (int i = 1; i <= 4; ++i)
        head.Raten[i - 1]->Caption = Fmt("##0.0", rec.Performance[i]);
}

int TQR_Modellrechnung::Blattzahl(int h) {
    return h <= 0 ? 0 : (h + ZeilenJeBlatt - 1) / ZeilenJeBlatt;
}

void TQR_Modellrechnung::QuickRep1BeforePrint() {
    Zeile = 1;
    fuelleKopf(FKopf);
    fuelleKopf(FTitelkopf);
    // Each column prints at one size, the one its widest value needs.
    TColumnWidth anlage;
    std::array<TColumnWidth, 4> niw;
    for (size_t k = 1; k < FCalc.Aufbautabelle.size(); ++k) {
        const TPerformanceData& row = FCalc.Aufbautabelle[k];
        anlage.add(row.Betrag);
        for (int i = 1; i <= 4; ++i)
            niw[size_t(i - 1)].add(row.NIW[i]);
    }
    FJahreszeile.Anlage->SizeFrom = anlage.widest("0.00");
    for (int i = 1; i <= 4; ++i)
        FJahreszeile.NIW[size_t(i - 1)]->SizeFrom = niw[size_t(i - 1)].widest("#,##0.00");
    FVon->Caption = QStringLiteral("von ") + QString::number(MaxPage);
}

bool TQR_Modellrechnung::QuickRep1NeedData() {
    const int h = static_cast<int>(FCalc.Aufbautabelle.size()) - 1;
    const bool beyond = Zeile > h;
    const int c = (Zeile - 1) % ZeilenJeBlatt + 1;
    // Blank rows fill the last sheet up to its 34th row, so that the next
    // report of the set finds no room on it.
    const bool more = !beyond || (c >= 2 && c <= ZeilenJeBlatt - 1);
    if (!more)
        return false;
    // 36 rows would fit on a sheet; the table keeps to 35 so that the page
    // count is known before layout.
    if (c == 1 && Zeile > 1)
        NewPage();

    const QColor colour = (c % 2 == 1 && !beyond) ? PageColors::Shaded : QColor(Qt::white);
    // The stripe carries the shading; the labels on it stay transparent.
    FJahreszeile.Stripe->Color = colour;
    if (beyond) {
        for (TReportItem* label :
             {FJahreszeile.Jahre, FJahreszeile.Alter, FJahreszeile.Anlage, FJahreszeile.NIW[0],
              FJahreszeile.NIW[1], FJahreszeile.NIW[2], FJahreszeile.NIW[3]})
            label->Caption.clear();
    } else {
        const TPerformanceData& row = FCalc.Aufbautabelle[static_cast<size_t>(Zeile)];
        FJahreszeile.Jahre->Caption = Fmt("#0", row.Jahr);
        FJahreszeile.Alter->Caption = Fmt("#0", row.Alter);
        FJahreszeile.Anlage->Caption = Fmt("0.00", row.Betrag);
        for (int i = 1; i <= 4; ++i)
            FJahreszeile.NIW[i - 1]->Caption = Fmt("#,##0.00", row.NIW[i]);
    }
    ++Zeile;
    return true;
}

} // namespace orvanta::reports
