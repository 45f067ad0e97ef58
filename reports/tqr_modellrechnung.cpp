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
    TitleHead = buildHead(Title, QStringLiteral("QRL_Depotname2"), QStringLiteral("QRL_Dynamik_1a"),
                          QStringLiteral("QRL_Dynamik_2a"));
    Header = buildHead(PageHeader, QStringLiteral("QRL_Depotname"), QStringLiteral("QRL_Dynamik_1"),
                       QStringLiteral("QRL_Dynamik_2"));

    Detail.Height = RowHeight;
    Detail.Transparent = false;
    Row = AddYearRow(Detail, RowHeight);

    PageFooter.Height = FooterHeight;
    Von = &AddPageFooter(PageFooter, true, false);
}

TQR_Modellrechnung::THead TQR_Modellrechnung::buildHead(TReportBand& band, const QString& depotName,
                                                        const QString& dyn1, const QString& dyn2) {
    AddLogoAndProductLine(band);
    THead head{};
    head.Depotname = &band.addLabel(depotName, QRectF(0, 28.5, 180.0, 6.2), {}, 14.0);
    band.addLabel(QStringLiteral("QRL_Untertitel"), QRectF(0, 35.4, 180.0, 4.4),
                  QStringLiteral("Mögliche Entwicklung des Guthabens nach Abzug aller Kosten und "
                                 "Gebühren"));
    head.Dynamik1 = &band.addLabel(dyn1, QRectF(0, 39.8, 180.0, 4.4));
    head.Dynamik2 = &band.addLabel(dyn2, QRectF(0, 44.2, 180.0, 4.4));
    TReportItem& slogan = band.addLabel(QStringLiteral("QRL_Slogan"), QRectF(0, 50.5, 180.0, 7.0),
                                        QString::fromUtf16(PageTexts::SloganWachsen), 16.0, true);
    slogan.FontColor = PageColors::Red;
    head.Rates =
        AddTableHead(band, 61.5, QStringLiteral("Monatsbetrag"), QStringLiteral("Aufbauplan"));
    return head;
}

void TQR_Modellrechnung::fillHead(const THead& head) {
    const TPlanRecord& rec = Calc.Rec;
    head.Depotname->Caption =
        QStringLiteral("Modellrechnung – ") + StrategieName(rec.Anlagestrategie);
    const auto [line1, line2] = DynamikZeilen(rec.Dynamik, false);
    head.Dynamik1->Caption = line1;
    head.Dynamik2->Caption = line2;
    for (int i = 1; i <= 4; ++i)
        head.Rates[i - 1]->Caption = Fmt("##0.0", rec.Performance[i]);
}

int TQR_Modellrechnung::SheetCount(int h) {
    return h <= 0 ? 0 : (h + RowsPerSheet - 1) / RowsPerSheet;
}

void TQR_Modellrechnung::QuickRep1BeforePrint() {
    Zeile = 1;
    fillHead(Header);
    fillHead(TitleHead);
    // Each column prints at one size, the one its widest value needs.
    TColumnWidth anlage;
    std::array<TColumnWidth, 4> niw;
    for (size_t k = 1; k < Calc.Aufbautabelle.size(); ++k) {
        const TPerformanceData& row = Calc.Aufbautabelle[k];
        anlage.add(row.Betrag);
        for (int i = 1; i <= 4; ++i)
            niw[size_t(i - 1)].add(row.NIW[i]);
    }
    Row.Anlage->SizeFrom = anlage.widest("0.00");
    for (int i = 1; i <= 4; ++i)
        Row.NIW[size_t(i - 1)]->SizeFrom = niw[size_t(i - 1)].widest("#,##0.00");
    Von->Caption = QStringLiteral("von ") + QString::number(MaxPage);
}

bool TQR_Modellrechnung::QuickRep1NeedData() {
    const int h = static_cast<int>(Calc.Aufbautabelle.size()) - 1;
    const bool beyond = Zeile > h;
    const int c = (Zeile - 1) % RowsPerSheet + 1;
    // Blank rows fill the last sheet up to its 34th row, so that the next
    // report of the set finds no room on it.
    const bool more = !beyond || (c >= 2 && c <= RowsPerSheet - 1);
    if (!more)
        return false;
    // 36 rows would fit on a sheet; the table keeps to 35 so that the page
    // count is known before layout.
    if (c == 1 && Zeile > 1)
        NewPage();

    const QColor colour = (c % 2 == 1 && !beyond) ? PageColors::Shaded : QColor(Qt::white);
    // The stripe carries the shading; the labels on it stay transparent.
    Row.Stripe->Color = colour;
    if (beyond) {
        for (TReportItem* label :
             {Row.Jahre, Row.Alter, Row.Anlage, Row.NIW[0], Row.NIW[1], Row.NIW[2], Row.NIW[3]})
            label->Caption.clear();
    } else {
        const TPerformanceData& row = Calc.Aufbautabelle[static_cast<size_t>(Zeile)];
        Row.Jahre->Caption = Fmt("#0", row.Jahr);
        Row.Alter->Caption = Fmt("#0", row.Alter);
        Row.Anlage->Caption = Fmt("0.00", row.Betrag);
        for (int i = 1; i <= 4; ++i)
            Row.NIW[i - 1]->Caption = Fmt("#,##0.00", row.NIW[i]);
    }
    ++Zeile;
    return true;
}

} // namespace orvanta::reports
