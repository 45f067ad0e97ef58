#include "reports/tqr_ausz_deck.h"

#include "core/wertentwicklung.h"
#include "reports/reporttexts.h"

#include <utility>

namespace orvanta::reports {

namespace {
constexpr double TitleHeight = 91.0;
constexpr double DetailHeight = 171.2;
constexpr double FooterHeight = 19.05;
constexpr double ColumnsLeft = 61.6;
constexpr double ColumnWidth = 29.5; // the four columns reach the right margin
constexpr double PersonValueLeft = 68.0;
constexpr double RuleWidth = 0.5; // two pixels of the screen the page was drawn for
// A name on more lines moves everything below it down.
constexpr int DetailFlow = 1;
constexpr int ValueGrid = 1;
} // namespace

TReportItem* Tqr_Ausz_Deck::beschriftung(const QString& name, double top, const QString& text,
                                         double height) {
    TReportItem& label = Detail.addLabel(name, QRectF(0, top, ColumnsLeft - 1.0, height), text,
                                         12.0, false, Qt::AlignLeft | Qt::AlignTop);
    label.WordWrap = true;
    return &label;
}

std::array<TReportItem*, 4> Tqr_Ausz_Deck::werte(const QString& name, double top, double height) {
    std::array<TReportItem*, 4> cells{};
    for (int i = 0; i < 4; ++i) {
        // The values of all blocks form one table at one size that widens
        // into the room beside the captions before it prints smaller; each
        // stands on the last line of its caption.
        TReportItem& cell = Detail.addLabel(
            QStringLiteral("%1_%2").arg(name).arg(i + 1),
            QRectF(ColumnsLeft + i * ColumnWidth + 2.0, top, ColumnWidth - 2.5, height), {}, 12.0,
            true, Qt::AlignRight | Qt::AlignTop);
        cell.ShrinkToFit = true;
        cell.Amount = true;
        cell.BaselineOf = name;
        cell.Grid = ValueGrid;
        cells[static_cast<size_t>(i)] = &cell;
    }
    return cells;
}

Tqr_Ausz_Deck::Tqr_Ausz_Deck(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("Tqr_Ausz_Deck"), calc, maxPage) {
    Title.Height = TitleHeight;
    AddLogoAndProductLine(Title);
    AddSwissPictures(Title); // always on this page
    Title.addLabel(QStringLiteral("QRL_Ueberschrift"), QRectF(0, 36.0, 120.0, 5.6),
                   QStringLiteral("Individueller Auszahlungsplan"), 12.0, true);
    FBerater = AddAdviserBlock(Title, 0, 47.0);
    PageHeader.Enabled = false;

    Detail.Height = DetailHeight;
    TReportItem& slogan =
        Detail.addLabel(QStringLiteral("QRL_Slogan"), QRectF(0, 1.0, PageGeometry::PrintWidth, 6.4),
                        QString::fromUtf16(PageTexts::SloganLeben), 14.0, true);
    slogan.FontColor = PageColors::Red;

    const Qt::Alignment topLeft = Qt::AlignLeft | Qt::AlignTop;
    auto person = [&](const QString& name, double top, const QString& text) {
        beschriftung(name, top, text);
        TReportItem& value = Detail.addLabel(
            name + QStringLiteral("_Wert"),
            QRectF(PersonValueLeft, top, PageGeometry::PrintWidth - PersonValueLeft, 5.6), {}, 12.0,
            true, topLeft);
        value.BaselineOf = name;
        return &value;
    };
    constexpr double Row = 5.6;
    constexpr double TwoRows = 10.6;
    FName = person(QStringLiteral("QRL_Name"), 10.0, QStringLiteral("Name"));
    FName->ShrinkToFit = true;
    FName->MaxLines = NameLines;
    FBeginn = person(QStringLiteral("QRL_Beginn"), 10.0 + Row,
                     QStringLiteral("Alter bei Entnahmebeginn"));
    FDauer = person(QStringLiteral("QRL_Dauer"), 10.0 + 2 * Row, QStringLiteral("Entnahmedauer"));
    FStrategie =
        person(QStringLiteral("QRL_Strategie"), 10.0 + 3 * Row, QStringLiteral("Anlagestrategie"));
    FStrategieZeile2 = &Detail.addLabel(QStringLiteral("QRL_Strategietext"),
                                        QRectF(PersonValueLeft, 10.0 + 4 * Row, 112.0, Row), {},
                                        12.0, true, topLeft);

    const QString kapitalText = QStringLiteral("Verfügbares Kapital bei Entnahmebeginn");
    const QString weText = QStringLiteral("Wertentwicklung *");
    const QString auszahlungText = QStringLiteral("Monatliche Auszahlung");
    // Captions that need two lines get two; their values stand level with
    // the second line.
    double y = 39.5;
    auto rule = [&](const QString& name) {
        TReportItem* r = &Detail.addRule(name, 0, y, PageGeometry::PrintWidth, RuleWidth);
        y += 1.2;
        return r;
    };
    auto row = [&](const QString& name, const QString& text, double height) {
        TReportItem* c = beschriftung(name, y, text, height);
        const auto cells = werte(name, y, height);
        y += height;
        return std::pair{c, cells};
    };

    // Block a: what the capital saved in the accumulation phase allows.
    FBlockA.push_back(rule(QStringLiteral("QRL_Linie_A")));
    auto [ka, kaCells] = row(QStringLiteral("QRL_Kapital_A"), kapitalText, TwoRows);
    auto [wa, waCells] = row(QStringLiteral("QRL_WE_A"), weText, Row);
    auto [aa, aaCells] = row(QStringLiteral("QRL_Auszahlung_A"), auszahlungText, Row);
    FKapitalA = kaCells;
    FRatenA = waCells;
    FAuszahlungA = aaCells;
    FBlockA.insert(FBlockA.end(), {ka, wa, aa});
    for (auto* cells : {&FKapitalA, &FRatenA, &FAuszahlungA})
        FBlockA.insert(FBlockA.end(), cells->begin(), cells->end());
    y += 1.0;
    const size_t firstBelowA = Detail.Items.size();
    const double topOfA = 39.5;
    FBlockAHoehe = y - topOfA;

    // Block b: what the given starting capital allows.
    rule(QStringLiteral("QRL_Linie_B"));
    FKapitalB = row(QStringLiteral("QRL_Kapital_B"), kapitalText, TwoRows).second;
    FRatenB = row(QStringLiteral("QRL_WE_B"), weText, Row).second;
    FAuszahlungB = row(QStringLiteral("QRL_Auszahlung_B"), auszahlungText, Row).second;
    y += 1.0;

    // Block c: the capital the desired withdrawal needs.
    rule(QStringLiteral("QRL_Linie_C"));
    FEntnahmeC = row(QStringLiteral("QRL_Entnahme_C"),
                     QStringLiteral("Gewünschte monatliche Entnahme"), TwoRows)
                     .second;
    FRatenC = row(QStringLiteral("QRL_WE_C"), weText, Row).second;
    FKapitalC = row(QStringLiteral("QRL_Kapital_C"),
                    QStringLiteral("Erforderliches Kapital bei Entnahmebeginn"), TwoRows)
                    .second;
    y += 1.0;

    // Block d, one column: the return the given capital needs.
    rule(QStringLiteral("QRL_Linie_D"));
    FKapitalD = row(QStringLiteral("QRL_Kapital_D"), kapitalText, TwoRows).second[0];
    FEntnahmeD = row(QStringLiteral("QRL_Entnahme_D"),
                     QStringLiteral("gewünschte monatliche Entnahme"), TwoRows)
                     .second[0];
    FRenditeD =
        row(QStringLiteral("QRL_Rendite_D"), QStringLiteral("Erforderliche Wertentwicklung *"), Row)
            .second[0];
    // "nicht erreichbar" stands there in place of a percentage: it keeps to
    // the column but sizes itself.
    FRenditeD->ShrinkToFit = true;
    FRenditeD->Amount = false;
    FRenditeD->OwnSize = true;
    // The single column of block d keeps only its first cell.
    for (const QString& name : {QStringLiteral("QRL_Kapital_D"), QStringLiteral("QRL_Entnahme_D"),
                                QStringLiteral("QRL_Rendite_D")})
        for (TReportItem& item : Detail.Items)
            if (item.Name.startsWith(name + QLatin1Char('_')) && !item.Name.endsWith(u"_1"))
                item.Enabled = false;
    y += 1.0;

    Detail.addRule(QStringLiteral("QRL_Linie_E"), 0, y, PageGeometry::PrintWidth, RuleWidth);
    Detail.addLabel(
        QStringLiteral("QRL_Fussnote"), QRectF(0, y + 1.5, PageGeometry::PrintWidth, 5.6),
        QStringLiteral("* jährlich gleich bleibende Wertentwicklung"), 12.0, false, topLeft);
    TReportItem& closing =
        Detail.addLabel(QStringLiteral("QRL_Schluss"), QRectF(32.0, y + 10.5, 148.0, 7.0),
                        QString::fromUtf16(PageTexts::ClosingLine), 16.0, true, topLeft);
    closing.FontColor = PageColors::Red;

    for (TReportItem& item : Detail.Items)
        item.FlowGroup = DetailFlow;
    for (size_t k = firstBelowA; k < Detail.Items.size(); ++k)
        FUnterA.push_back({&Detail.Items[k], Detail.Items[k].Rect.top()});

    PageFooter.Height = FooterHeight;
    FVon = &AddPageFooter(PageFooter, true, true);
}

void Tqr_Ausz_Deck::QuickRep1BeforePrint() {
    const TPlanRecord& rec = FCalc.Rec;
    const bool blockA = rec.Laufzeit != 0;
    for (TReportItem* item : FBlockA)
        item->Enabled = blockA;
    // Without block a the blocks below move up instead of leaving a hole.
    for (const auto& [item, top] : FUnterA)
        item->Rect.moveTop(blockA ? top : top - FBlockAHoehe);

    FName->Caption = RecordText(rec.Vorname) + QLatin1Char(' ') + RecordText(rec.Nachname);
    FillAdviserBlock(FBerater, rec);
    FStrategie->Caption = StrategieName(rec.Anlagestrategie_Entnahme);
    FStrategieZeile2->Caption = StrategieText(rec.Anlagestrategie_Entnahme);
    FBeginn->Caption = QString::number(rec.AuszBeginn) + QStringLiteral(" Jahre");
    FDauer->Caption = EntnahmedauerText(rec.AuszDauer);

    const QString kapital = Fmt("#,##0. EUR", rec.Rentenkapital);
    const QString entnahme = Fmt("#,##0.00 EUR", rec.Monatsrente);
    const bool ewig = rec.AuszDauer == AuszDauerOhneKapitalverzehr;
    for (int i = 1; i <= 4; ++i) {
        const size_t k = static_cast<size_t>(i - 1);
        FKapitalA[k]->Caption = Fmt("#,##0. EUR", rec.Kapital_Einzahlungsende[i]);
        FAuszahlungA[k]->Caption = Fmt("#,##0.00 EUR", rec.Entnahme_aus_Einzahlung[i]);
        FKapitalB[k]->Caption = kapital;
        FEntnahmeC[k]->Caption = entnahme;
        FKapitalC[k]->Caption = Fmt("#,##0. EUR", rec.Kapital_erforderlich[i]);
        const QString rate = Fmt("0.0", rec.Performance[i]) + QLatin1Char('%');
        FRatenA[k]->Caption = rate;
        FRatenB[k]->Caption = rate;
        FRatenC[k]->Caption = rate;
        FAuszahlungB[k]->Caption =
            Fmt("#,##0.00 EUR", ewig ? rec.Entnahme_ewig[i] : rec.Entnahme_moeglich[i]);
    }
    FKapitalD->Caption = kapital;
    FEntnahmeD->Caption = entnahme;
    FRenditeD->Caption = WertentwicklungErreichbar(rec)
                             ? Fmt("0.00", rec.Erforderliche_Wertentwicklung) + QLatin1Char('%')
                             : QString::fromUtf8(WertentwicklungNichtErreichbar);
    FVon->Caption = QStringLiteral(" von ") + QString::number(MaxPage);
    Zeile = 0;
}

bool Tqr_Ausz_Deck::QuickRep1NeedData() {
    return SingleRowNeedData();
}

} // namespace orvanta::reports
