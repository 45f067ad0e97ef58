#include "reports/pageelements.h"

#include "reports/reporttexts.h"

namespace orvanta::reports {

namespace {
constexpr int AdviserFlow = 1;
constexpr double LogoWidth = 56.0;
constexpr double LogoHeight = 15.0;
constexpr double ProductTop = 18.5;
constexpr double PictureSize = 16.0;
} // namespace

void AddLogoAndProductLine(TReportBand& band, double productLeft) {
    band.addPicture(QStringLiteral("QRI_Logo"),
                    QRectF((PageGeometry::PrintWidth - LogoWidth) / 2, 1.0, LogoWidth, LogoHeight),
                    QString::fromLatin1(PictureFiles::Logo));
    TReportItem& product =
        band.addLabel(QStringLiteral("QRL_Produkt"), QRectF(productLeft, ProductTop, 160.0, 8.0),
                      QString::fromUtf16(PageTexts::ProductLine), 16.0, true);
    product.FontColor = PageColors::Red;
}

TSwissPictures AddSwissPictures(TReportBand& band) {
    const double left = PageGeometry::PrintWidth - PictureSize;
    TReportItem& cross = band.addPicture(QStringLiteral("QRI_Kreuz"),
                                         QRectF(left, ProductTop - 4.0, PictureSize, PictureSize),
                                         QString::fromLatin1(PictureFiles::SwissCross));
    TReportItem& berg =
        band.addPicture(QStringLiteral("QRI_Matterhorn"),
                        QRectF(left, ProductTop - 4.0 + PictureSize, PictureSize, 3 * PictureSize),
                        QString::fromLatin1(PictureFiles::Matterhorn));
    return {&cross, &berg};
}

std::array<TReportItem*, 5> AddAdviserBlock(TReportBand& band, double left, double top) {
    constexpr double Line = 5.3;
    band.addLabel(QStringLiteral("QRL_ErstelltVon"), QRectF(left, top, 100.0, Line),
                  QStringLiteral("erstellt von"), 12.0, true)
        .FlowGroup = AdviserFlow;
    std::array<TReportItem*, 5> lines{};
    const char* const names[5] = {"QRL_Berater", "QRL_Firma", "QRL_Strasse", "QRL_Anschrift",
                                  "QRL_Telefon"};
    for (int k = 0; k < 5; ++k) {
        // Long entries (up to 255 characters) print smaller and then on more
        // lines, pushing the lines below down; never off the sheet.
        lines[k] = &band.addLabel(QString::fromLatin1(names[k]),
                                  QRectF(left, top + (k + 1) * Line, 120.0, Line), {}, 12.0);
        lines[k]->ShrinkToFit = true;
        lines[k]->MaxLines = AdviserLines;
        lines[k]->FlowGroup = AdviserFlow;
    }
    return lines;
}

void FillAdviserBlock(const std::array<TReportItem*, 5>& lines, const TPlanRecord& rec) {
    lines[0]->Caption = RecordText(rec.Berater);
    lines[1]->Caption = RecordText(rec.Firma);
    lines[2]->Caption = RecordText(rec.Strasse);
    lines[3]->Caption = RecordText(rec.Anschrift);
    lines[4]->Caption = RecordText(rec.Telefon);
}

TReportItem& AddPageFooter(TReportBand& band, bool notesReference, bool blankBeforeVon) {
    const double w = PageGeometry::PrintWidth;
    // The bank block sits at the foot of the band, a hairline and the notes
    // reference directly above it; the shortest footer (16.1 mm) holds all.
    const double groupTop = band.Height - 3.5;
    const double contactTop = groupTop - 4.0;
    const double addressTop = contactTop - 4.0;
    const double ruleTop = addressTop - 0.3;
    if (notesReference)
        band.addLabel(QStringLiteral("QRL_Hinweis"), QRectF(0, ruleTop - 4.2, w, 4.0),
                      QString::fromUtf16(PageTexts::NotesReference), 10.0, false,
                      Qt::AlignHCenter | Qt::AlignVCenter);
    band.addRule(QStringLiteral("QRL_Fusslinie"), 0, ruleTop, w, 0.15, PageColors::Grey);
    TReportItem& address = band.addLabel(QStringLiteral("QRL_Bank"), QRectF(0, addressTop, w, 4.0),
                                         QString::fromUtf16(PageTexts::BankAddress), 10.0, false,
                                         Qt::AlignHCenter | Qt::AlignVCenter);
    address.FontColor = PageColors::Grey;
    TReportItem& contact =
        band.addLabel(QStringLiteral("QRL_Kontakt"), QRectF(0, contactTop, w, 4.0),
                      QString::fromUtf16(PageTexts::BankContact), 10.0, false,
                      Qt::AlignHCenter | Qt::AlignVCenter);
    contact.FontColor = PageColors::Grey;
    TReportItem& group = band.addLabel(QStringLiteral("QRL_Gruppe"), QRectF(0, groupTop, w, 3.4),
                                       QString::fromUtf16(PageTexts::BankGroup), 8.0, false,
                                       Qt::AlignHCenter | Qt::AlignVCenter);
    group.FontColor = PageColors::Blue;

    // The count label ends flush with the right end of the footer and
    // "Seite n" ends where its text begins; a count without a leading blank
    // keeps a blank's width apart, so both read "Seite n von m".
    constexpr double Split = 160.0;
    TReportItem& seite =
        band.addLabel(QStringLiteral("QRL_Seite"), QRectF(Split - 24.0, groupTop, 24.0, 3.4), {},
                      7.0, false, Qt::AlignRight | Qt::AlignVCenter);
    seite.SysPageNumber = true;
    seite.EndsBefore = QStringLiteral("QRL_Von");
    seite.EndsBeforeGap = blankBeforeVon ? 0.0 : 0.7;
    return band.addLabel(QStringLiteral("QRL_Von"), QRectF(Split, groupTop, w - Split, 3.4), {},
                         7.0, false, Qt::AlignRight | Qt::AlignVCenter);
}

std::array<TReportItem*, 4> AddTableHead(TReportBand& band, double top,
                                         const QString& amountHeading1,
                                         const QString& amountHeading2) {
    using namespace TableColumns;
    const double line = 4.4;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    // The long heading needs more than the value columns: it starts over the
    // amount column, whose own heading sits lower, level with the rates.
    band.addLabel(QStringLiteral("QRL_Kopf_1"),
                  QRectF(ValueLeft, top, PageGeometry::PrintWidth - ValueLeft, line),
                  QStringLiteral("Netto-Depotwert am"), 10.0, false,
                  Qt::AlignHCenter | Qt::AlignVCenter);
    band.addLabel(QStringLiteral("QRL_Kopf_2"), QRectF(20.0, top + line, 160.0, line),
                  QStringLiteral("Ende des Jahres bei einer jährlich gleich bleibenden "
                                 "Netto-Wertentwicklung von"),
                  10.0, false, Qt::AlignRight | Qt::AlignVCenter);
    const double rateTop = top + 2 * line + 1.6;
    band.addLabel(QStringLiteral("QRL_Betrag_1"),
                  QRectF(AmountLeft, rateTop - 1.0, AmountRight - AmountLeft - CellPadding, line),
                  amountHeading1, 10.0, false, right);
    band.addLabel(
        QStringLiteral("QRL_Betrag_2"),
        QRectF(AmountLeft, rateTop - 1.0 + line, AmountRight - AmountLeft - CellPadding, line),
        amountHeading2, 10.0, false, right);
    std::array<TReportItem*, 4> rates{};
    for (int i = 1; i <= 4; ++i) {
        const double r = valueRight(i) - CellPadding;
        rates[i - 1] =
            &band.addLabel(QStringLiteral("QRL_Performance_%1").arg(i),
                           QRectF(r - 20.0, rateTop, 16.6, line), {}, 10.0, false, right);
        band.addLabel(QStringLiteral("QRL_Prozent_%1").arg(i), QRectF(r - 3.4, rateTop, 3.6, line),
                      QStringLiteral("%"), 10.0, true, Qt::AlignLeft | Qt::AlignVCenter);
    }
    const double unitTop = rateTop + 2 * line + 0.8;
    band.addLabel(QStringLiteral("QRL_Einheit_Jahr"), QRectF(0, unitTop, JahrRight, line),
                  QStringLiteral("Jahr"), 10.0, false, right);
    band.addLabel(QStringLiteral("QRL_Einheit_Alter"),
                  QRectF(JahrRight, unitTop, AlterRight - JahrRight, line), QStringLiteral("Alter"),
                  10.0, false, right);
    band.addLabel(QStringLiteral("QRL_Einheit_Betrag"),
                  QRectF(AmountLeft, unitTop, AmountRight - AmountLeft - CellPadding, line),
                  QStringLiteral("EUR"), 10.0, false, right);
    for (int i = 1; i <= 4; ++i)
        band.addLabel(QStringLiteral("QRL_Einheit_%1").arg(i),
                      QRectF(valueLeft(i), unitTop, ValueWidth - CellPadding, line),
                      QStringLiteral("EUR"), 10.0, false, right);
    // A rule under the unit line closes the head of the table.
    band.addRule(QStringLiteral("QRL_Kopflinie"), 0, unitTop + line + 0.4, PageGeometry::PrintWidth,
                 0.3);
    return rates;
}

TYearRow AddYearRow(TReportBand& band, double rowHeight) {
    using namespace TableColumns;
    TYearRow row{};
    row.Stripe = &band.addLabel(QStringLiteral("QRS_Streifen"),
                                QRectF(0, 0, PageGeometry::PrintWidth, rowHeight));
    row.Stripe->Transparent = false;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    row.Jahre = &band.addLabel(QStringLiteral("QRL_Jahre"), QRectF(0, 0, JahrRight, rowHeight), {},
                               10.0, false, right);
    row.Alter = &band.addLabel(QStringLiteral("QRL_Alter"),
                               QRectF(JahrRight, 0, AlterRight - JahrRight, rowHeight), {}, 10.0,
                               false, right);
    row.Anlage =
        &band.addLabel(QStringLiteral("QRL_Anlage"),
                       QRectF(AmountLeft, 0, AmountRight - AmountLeft - CellPadding, rowHeight), {},
                       10.0, false, right);
    row.Anlage->Amount = true;
    for (int i = 1; i <= 4; ++i) {
        row.NIW[i - 1] = &band.addLabel(
            QStringLiteral("QRL_NIW_%1").arg(i),
            QRectF(valueLeft(i), 0, ValueWidth - CellPadding, rowHeight), {}, 10.0, false, right);
        row.NIW[i - 1]->ShrinkToFit = true;
        row.NIW[i - 1]->Amount = true;
        row.NIW[i - 1]->GrowRoom = CellPadding;
    }
    return row;
}

QString TColumnWidth::widest(std::string_view pattern) const {
    const QString large = Fmt(pattern, Largest);
    const QString small = Fmt(pattern, Smallest);
    return small.size() > large.size() ? small : large;
}

} // namespace orvanta::reports
