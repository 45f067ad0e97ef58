#include "reports/tqr_ausz_verlauf.h"

#include "reports/reporttexts.h"

#include <cmath>

namespace orvanta::reports {

namespace {
constexpr double HeadHeight = 89.4;
constexpr double RowHeight = 4.76;
constexpr double FooterHeight = 16.1;
// The last year is kept together with the four closing rows: from this
// position on it moves to a new sheet.
constexpr int FirstPositionTooLate = 32;
} // namespace

Tqr_Ausz_Verlauf::Tqr_Ausz_Verlauf(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("Tqr_Ausz_Verlauf"), calc, maxPage) {
    Title.Height = HeadHeight;
    PageHeader.Height = HeadHeight;
    FTitelkopf = baueKopf(Title, QStringLiteral("QRL_Depotform_2"),
                          QStringLiteral("QRL_Dynamik_1b"), QStringLiteral("QRL_Dynamik_2b"));
    FKopf = baueKopf(PageHeader, QStringLiteral("QRL_Depotform_1"),
                     QStringLiteral("QRL_Dynamik_1a"), QStringLiteral("QRL_Dynamik_2a"));

    Detail.Height = RowHeight;
    FJahreszeile = AddYearRow(Detail, RowHeight);
    FJahreszeile.Anlage->ShrinkToFit = true;
    QRL_Summentext =
        &Detail.addLabel(QStringLiteral("QRL_Summentext"), QRectF(0.5, 0, 40.0, RowHeight));
    FRahmen = &Detail.addLabel(QStringLiteral("QRL_Rahmen"),
                               QRectF(-1.0, -1.6, PageGeometry::PrintWidth + 1.0, RowHeight + 1.6));
    FRahmen->Frame.Color = PageColors::Red;
    FRahmen->Frame.Width = 0.5;
    FRahmen->Frame.Style = Qt::DotLine;

    PageFooter.Height = FooterHeight;
    FVon = &AddPageFooter(PageFooter, true, false);
}

Tqr_Ausz_Verlauf::TKopf Tqr_Ausz_Verlauf::baueKopf(TReportBand& band, const QString& depotForm,
                                                   const QString& dyn1, const QString& dyn2) {
    AddLogoAndProductLine(band);
    TKopf head{};
    head.Depotform =
        &band.addLabel(depotForm, QRectF(0, 28.5, PageGeometry::PrintWidth, 5.6), {}, 12.0, true);
    band.addLabel(QStringLiteral("QRL_Untertitel"), QRectF(0, 35.0, PageGeometry::PrintWidth, 4.4),
                  QStringLiteral("Mögliche Entwicklung des Guthabens nach Abzug aller laufenden "
                                 "Kosten und Gebühren"));
    head.Dynamik1 = &band.addLabel(dyn1, QRectF(0, 39.4, PageGeometry::PrintWidth, 4.4));
    head.Dynamik2 = &band.addLabel(dyn2, QRectF(0, 43.8, PageGeometry::PrintWidth, 4.4));
    TReportItem& slogan =
        band.addLabel(QStringLiteral("QRL_Slogan"), QRectF(0, 50.0, PageGeometry::PrintWidth, 6.4),
                      QString::fromUtf16(PageTexts::SloganLeben), 14.0, true);
    slogan.FontColor = PageColors::Red;
    head.Raten = AddTableHead(band, 61.0, QStringLiteral("Monatliche"), QStringLiteral("Entnahme"));
    return head;
}

void Tqr_Ausz_Verlauf::fuelleKopf(const TKopf& head) {
    const TPlanRecord& rec = FCalc.Rec;
    head.Depotform->Caption =
        QStringLiteral("Modellrechnung - ") + StrategieName(rec.Anlagestrategie_Entnahme);
    const auto [line1, line2] = DynamikZeilen(AngewandteDynamik(rec), true);
    head.Dynamik1->Caption = line1;
    head.Dynamik2->Caption = line2;
    for (int i = 1; i <= 4; ++i)
        head.Raten[i - 1]->Caption = Fmt("##0.0", rec.Performance[i]);
}

int Tqr_Ausz_Verlauf::Blattzahl(int h) {
    if (h < 0)
        return 0;
    // Years 1..h-1 fill sheets of 35; year h goes with them unless it would
    // land on position 32..35, then it opens one more sheet.
    const int before = std::max(h - 1, 0);
    int sheets = before / JahreJeBlatt + 1;
    const int posOfLast = h == 0 ? 0 : before % JahreJeBlatt + 1;
    if (posOfLast >= FirstPositionTooLate)
        ++sheets;
    return sheets;
}

void Tqr_Ausz_Verlauf::QuickRep1BeforePrint() {
    Zeile = 0;
    FPosition = 0;
    FAbschluss = 0;
    FSchritt = TSchritt::Zeilen;
    fuelleKopf(FKopf);
    fuelleKopf(FTitelkopf);
    // Each column prints at one size, the one its widest value needs; the
    // sums of the closing rows are values of the columns too.
    TColumnWidth anlage;
    std::array<TColumnWidth, 4> niw;
    const TPerformanceDataArray& table = FCalc.Entnahmetabelle;
    for (size_t k = 0; k < table.size(); ++k) {
        if (k > 0)
            anlage.add(table[k].Betrag);
        for (int i = 1; i <= 4; ++i)
            niw[size_t(i - 1)].add(table[k].NIW[i]);
    }
    if (!table.empty())
        for (int i = 1; i <= 4; ++i)
            niw[size_t(i - 1)].add(table.back().Summe[i]);
    FJahreszeile.Anlage->SizeFrom = anlage.widest("#,##0.00");
    for (int i = 1; i <= 4; ++i)
        FJahreszeile.NIW[size_t(i - 1)]->SizeFrom = niw[size_t(i - 1)].widest("#,##0.00");
    FVon->Caption = QStringLiteral("von ") + QString::number(MaxPage);
}

void Tqr_Ausz_Verlauf::fuelleWerte(const std::array<double, AnzahlSzenarien>& values,
                                   bool zeroAsDashes) {
    for (int i = 1; i <= 4; ++i)
        FJahreszeile.NIW[i - 1]->Caption =
            (zeroAsDashes && values[i] == 0) ? QStringLiteral("----") : Fmt("#,##0.00", values[i]);
}

void Tqr_Ausz_Verlauf::zeigeJahresfelder(bool on) {
    FJahreszeile.Jahre->Enabled = on;
    FJahreszeile.Alter->Enabled = on;
    FJahreszeile.Anlage->Enabled = on;
    QRL_Summentext->Enabled = !on;
}

bool Tqr_Ausz_Verlauf::QuickRep1NeedData() {
    const TPerformanceDataArray& table = FCalc.Entnahmetabelle;
    if (table.empty() || FSchritt == TSchritt::Fertig)
        return false;
    const int h = static_cast<int>(table.size()) - 1;
    const TPerformanceData& first = table.front();
    const TPerformanceData& last = table.back();
    FRahmen->Frame.setAll(false);
    FJahreszeile.Stripe->Enabled = true;
    for (TReportItem* label : FJahreszeile.NIW)
        label->Enabled = true;

    if (FSchritt == TSchritt::Zeilen && Zeile == 0)
        Zeile = 1; // next year row
    const bool yearFollows = FSchritt == TSchritt::Zeilen && Zeile <= h;
    if (FPosition > 0 && yearFollows &&
        (FPosition > JahreJeBlatt || (Zeile == h && FPosition >= FirstPositionTooLate))) {
        NewPage();
        FPosition = 0;
    }
    if (FSchritt == TSchritt::Zeilen && !yearFollows)
        FSchritt = TSchritt::Abschluss;

    if (FPosition == 0) {
        // Every sheet of the table opens with the starting capital.
        zeigeJahresfelder(false);
        QRL_Summentext->Caption = QStringLiteral("Anfangskapital");
        fuelleWerte(first.NIW, true);
        FJahreszeile.Stripe->Color = PageColors::Shaded;
        FPosition = 1;
        return true;
    }

    if (FSchritt == TSchritt::Zeilen) {
        const TPerformanceData& row = table[static_cast<size_t>(Zeile)];
        zeigeJahresfelder(true);
        FJahreszeile.Jahre->Caption = Fmt("#0", std::trunc(row.Jahr));
        FJahreszeile.Alter->Caption = Fmt("##0", row.Alter);
        FJahreszeile.Anlage->Caption = Fmt("#,##0.00", row.Betrag);
        fuelleWerte(row.NIW, true);
        FJahreszeile.Stripe->Color =
            (FPosition % 2 == 0 && Zeile != h) ? PageColors::Shaded : QColor(Qt::white);
        ++Zeile;
        ++FPosition;
        return true;
    }

    // Closing rows: a blank row, then starting capital, withdrawals and the
    // rest in a dotted box.
    ++FAbschluss;
    ++FPosition;
    zeigeJahresfelder(false);
    FJahreszeile.Stripe->Enabled = false;
    switch (FAbschluss) {
    case 1:
        QRL_Summentext->Caption.clear();
        for (TReportItem* label : FJahreszeile.NIW)
            label->Caption.clear();
        break;
    case 2:
        QRL_Summentext->Caption = QStringLiteral(" Anfangskapital");
        fuelleWerte(first.NIW, true);
        FRahmen->Frame.Top = FRahmen->Frame.Left = FRahmen->Frame.Right = true;
        break;
    case 3:
        QRL_Summentext->Caption = QStringLiteral(" Summe der Entnahmen");
        fuelleWerte(last.Summe, true);
        FRahmen->Frame.Left = FRahmen->Frame.Right = true;
        break;
    default:
        QRL_Summentext->Caption = QStringLiteral(" Restkapital");
        fuelleWerte(last.NIW, false);
        FRahmen->Frame.Bottom = FRahmen->Frame.Left = FRahmen->Frame.Right = true;
        FSchritt = TSchritt::Fertig;
        break;
    }
    return true;
}

} // namespace orvanta::reports
