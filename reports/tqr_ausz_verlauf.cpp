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
    TitleHead = buildHead(Title, QStringLiteral("QRL_Depotform_2"),
                          QStringLiteral("QRL_Dynamik_1b"), QStringLiteral("QRL_Dynamik_2b"));
    Header = buildHead(PageHeader, QStringLiteral("QRL_Depotform_1"),
                       QStringLiteral("QRL_Dynamik_1a"), QStringLiteral("QRL_Dynamik_2a"));

    Detail.Height = RowHeight;
    Row = AddYearRow(Detail, RowHeight);
    Row.Anlage->ShrinkToFit = true;
    QRL_Summentext =
        &Detail.addLabel(QStringLiteral("QRL_Summentext"), QRectF(0.5, 0, 40.0, RowHeight));
    Frame =
        &Detail.addLabel(QStringLiteral("QRL_Rahmen"), QRectF(-1.0, -1.6, 181.0, RowHeight + 1.6));
    Frame->Frame.Color = PageColors::Red;
    Frame->Frame.Width = 0.5;
    Frame->Frame.Style = Qt::DotLine;

    PageFooter.Height = FooterHeight;
    Von = &AddPageFooter(PageFooter, true, false);
}

Tqr_Ausz_Verlauf::THead Tqr_Ausz_Verlauf::buildHead(TReportBand& band, const QString& depotForm,
                                                    const QString& dyn1, const QString& dyn2) {
    AddLogoAndProductLine(band);
    THead head{};
    head.Depotform = &band.addLabel(depotForm, QRectF(0, 28.5, 180.0, 5.6), {}, 12.0, true);
    band.addLabel(QStringLiteral("QRL_Untertitel"), QRectF(0, 35.0, 180.0, 4.4),
                  QStringLiteral("Mögliche Entwicklung des Guthabens nach Abzug aller laufenden "
                                 "Kosten und Gebühren"));
    head.Dynamik1 = &band.addLabel(dyn1, QRectF(0, 39.4, 180.0, 4.4));
    head.Dynamik2 = &band.addLabel(dyn2, QRectF(0, 43.8, 180.0, 4.4));
    TReportItem& slogan = band.addLabel(QStringLiteral("QRL_Slogan"), QRectF(0, 50.0, 180.0, 6.4),
                                        QString::fromUtf16(PageTexts::SloganLeben), 14.0, true);
    slogan.FontColor = PageColors::Red;
    head.Rates = AddTableHead(band, 61.0, QStringLiteral("Monatliche"), QStringLiteral("Entnahme"));
    return head;
}

void Tqr_Ausz_Verlauf::fillHead(const THead& head) {
    const TPlanRecord& rec = Calc.Rec;
    head.Depotform->Caption =
        QStringLiteral("Modellrechnung - ") + StrategieName(rec.Anlagestrategie_Entnahme);
    const auto [line1, line2] = DynamikZeilen(rec.Dynamik, true);
    head.Dynamik1->Caption = line1;
    head.Dynamik2->Caption = line2;
    for (int i = 1; i <= 4; ++i)
        head.Rates[i - 1]->Caption = Fmt("##0.0", rec.Performance[i]);
}

int Tqr_Ausz_Verlauf::SheetCount(int h) {
    if (h < 0)
        return 0;
    // Years 1..h-1 fill sheets of 35; year h goes with them unless it would
    // land on position 32..35, then it opens one more sheet.
    const int before = std::max(h - 1, 0);
    int sheets = before / YearsPerSheet + 1;
    const int posOfLast = h == 0 ? 0 : before % YearsPerSheet + 1;
    if (posOfLast >= FirstPositionTooLate)
        ++sheets;
    return sheets;
}

void Tqr_Ausz_Verlauf::QuickRep1BeforePrint() {
    Zeile = 0;
    Pos = 0;
    Closing = 0;
    Step = TStep::Rows;
    fillHead(Header);
    fillHead(TitleHead);
    // Each column prints at one size, the one its widest value needs; the
    // sums of the closing rows are values of the columns too.
    TColumnWidth anlage;
    std::array<TColumnWidth, 4> niw;
    const TPerformanceDataArray& table = Calc.Entnahmetabelle;
    for (size_t k = 0; k < table.size(); ++k) {
        if (k > 0)
            anlage.add(table[k].Betrag);
        for (int i = 1; i <= 4; ++i)
            niw[size_t(i - 1)].add(table[k].NIW[i]);
    }
    if (!table.empty())
        for (int i = 1; i <= 4; ++i)
            niw[size_t(i - 1)].add(table.back().Summe[i]);
    Row.Anlage->SizeFrom = anlage.widest("#,##0.00");
    for (int i = 1; i <= 4; ++i)
        Row.NIW[size_t(i - 1)]->SizeFrom = niw[size_t(i - 1)].widest("#,##0.00");
    Von->Caption = QStringLiteral("von ") + QString::number(MaxPage);
}

void Tqr_Ausz_Verlauf::fillValues(const double (&values)[6], bool zeroAsDashes) {
    for (int i = 1; i <= 4; ++i)
        Row.NIW[i - 1]->Caption =
            (zeroAsDashes && values[i] == 0) ? QStringLiteral("----") : Fmt("#,##0.00", values[i]);
}

void Tqr_Ausz_Verlauf::showYearFields(bool on) {
    Row.Jahre->Enabled = on;
    Row.Alter->Enabled = on;
    Row.Anlage->Enabled = on;
    QRL_Summentext->Enabled = !on;
}

bool Tqr_Ausz_Verlauf::QuickRep1NeedData() {
    const TPerformanceDataArray& table = Calc.Entnahmetabelle;
    if (table.empty() || Step == TStep::Done)
        return false;
    const int h = static_cast<int>(table.size()) - 1;
    const TPerformanceData& first = table.front();
    const TPerformanceData& last = table.back();
    Frame->Frame.setAll(false);
    Row.Stripe->Enabled = true;
    for (TReportItem* label : Row.NIW)
        label->Enabled = true;

    if (Step == TStep::Rows && Zeile == 0)
        Zeile = 1; // next year row
    const bool yearFollows = Step == TStep::Rows && Zeile <= h;
    if (Pos > 0 && yearFollows &&
        (Pos > YearsPerSheet || (Zeile == h && Pos >= FirstPositionTooLate))) {
        NewPage();
        Pos = 0;
    }
    if (Step == TStep::Rows && !yearFollows)
        Step = TStep::Closing;

    if (Pos == 0) {
        // Every sheet of the table opens with the starting capital.
        showYearFields(false);
        QRL_Summentext->Caption = QStringLiteral("Anfangskapital");
        fillValues(first.NIW, true);
        Row.Stripe->Color = PageColors::Shaded;
        Pos = 1;
        return true;
    }

    if (Step == TStep::Rows) {
        const TPerformanceData& row = table[static_cast<size_t>(Zeile)];
        showYearFields(true);
        Row.Jahre->Caption = Fmt("#0", std::trunc(row.Jahr));
        Row.Alter->Caption = Fmt("##0", row.Alter);
        Row.Anlage->Caption = Fmt("#,##0.00", row.Betrag);
        fillValues(row.NIW, true);
        Row.Stripe->Color = (Pos % 2 == 0 && Zeile != h) ? PageColors::Shaded : QColor(Qt::white);
        ++Zeile;
        ++Pos;
        return true;
    }

    // Closing rows: a blank row, then starting capital, withdrawals and the
    // rest in a dotted box.
    ++Closing;
    ++Pos;
    showYearFields(false);
    Row.Stripe->Enabled = false;
    switch (Closing) {
    case 1:
        QRL_Summentext->Caption.clear();
        for (TReportItem* label : Row.NIW)
            label->Caption.clear();
        break;
    case 2:
        QRL_Summentext->Caption = QStringLiteral(" Anfangskapital");
        fillValues(first.NIW, true);
        Frame->Frame.Top = Frame->Frame.Left = Frame->Frame.Right = true;
        break;
    case 3:
        QRL_Summentext->Caption = QStringLiteral(" Summe der Entnahmen");
        fillValues(last.Summe, true);
        Frame->Frame.Left = Frame->Frame.Right = true;
        break;
    default:
        QRL_Summentext->Caption = QStringLiteral(" Restkapital");
        fillValues(last.NIW, false);
        Frame->Frame.Bottom = Frame->Frame.Left = Frame->Frame.Right = true;
        Step = TStep::Done;
        break;
    }
    return true;
}

} // namespace orvanta::reports
