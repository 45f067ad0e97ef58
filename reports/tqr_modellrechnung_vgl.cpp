#include "reports/tqr_modellrechnung_vgl.h"

#include "reports/reporttexts.h"

#include <cmath>
#include <tuple>

namespace orvanta::reports {

namespace {
constexpr double HeadHeight = 104.5;
constexpr double RowHeight = 5.03;
constexpr double FooterHeight = 24.3;
constexpr double Line = 4.6;

// Year, monthly amount, then per scenario a pair of columns (plan, FRV).
// The narrow year column leaves the values the room twelve digits need at
// the amount floor.
namespace Columns {
constexpr double JahrRight = 8.0;
constexpr double AmountLeft = 10.0;
constexpr double AmountRight = 29.0;
constexpr double ValueWidth = (PageGeometry::PrintWidth - AmountRight) / 8; // 18.875
constexpr double Padding = 1.5;
constexpr double pairLeft(int i) { // i = 1..4
    return AmountRight + (i - 1) * 2 * ValueWidth;
}
} // namespace Columns

inline constexpr char16_t SloganZeile1[] = u"M I T  S I C H E R H E I T  V E R M Ö G E N:";
inline constexpr char16_t SloganZeile2[] =
    u"D A M I T  S I E  W I S S E N,  W I E  I H R  V E R M Ö G E N  W Ä C H S T";
} // namespace

TQR_Modellrechnung_Vgl::TQR_Modellrechnung_Vgl(const TPerformCalc& calc, const int& maxPage)
    : TOrvantaReport(QStringLiteral("TQR_Modellrechnung_Vgl"), calc, maxPage) {
    using namespace Columns;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const double w = PageGeometry::PrintWidth;

    // Every sheet carries the same head; there is no title band.
    Title.Enabled = false;
    TReportBand& head = PageHeader;
    head.Height = HeadHeight;
    head.addPicture(QStringLiteral("QRI_Logo"), QRectF((w - 56.0) / 2, 6.3, 56.0, 15.0),
                    QString::fromLatin1(PictureFiles::Logo));
    for (const auto& [name, top, text] :
         {std::tuple{"QRL_Slogan_1", 28.0, SloganZeile1}, {"QRL_Slogan_2", 33.3, SloganZeile2}}) {
        TReportItem& slogan = head.addLabel(QString::fromLatin1(name), QRectF(0, top, w, Line),
                                            QString::fromUtf16(text), 10.0, true);
        slogan.FontColor = PageColors::Red;
    }
    // The red rule under the slogan, as long as a row of underscores would be.
    head.addRule(QStringLiteral("QRL_Sloganlinie"), 0, 39.2, 87.0, 0.6, QColor(255, 0, 0));
    QRL_Depotname =
        &head.addLabel(QStringLiteral("QRL_Depotname"), QRectF(0, 42.6, w, Line), {}, 10.0, true);
    QRL_Depotname->FontColor = PageColors::Blue;
    QRL_Depotname->ShrinkToFit = true;
    head.addLabel(QStringLiteral("QRL_Titel"), QRectF(0, 52.9, w, 7.0),
                  QStringLiteral("Modellrechnung"), 16.0, true);
    head.addLabel(QStringLiteral("QRL_Untertitel"), QRectF(0, 61.4, w, Line),
                  QStringLiteral("über die mögliche Entwicklung des Netto-Depotwertes "
                                 "(\"Rücknahmewert\")*"));
    QRL_Dynamik = &head.addLabel(QStringLiteral("QRL_Dynamik"), QRectF(0, 67.5, w, Line));
    head.addLabel(QStringLiteral("QRL_Fussnote"), QRectF(0, 73.6, w, Line),
                  QStringLiteral("*Netto-Depotwert = Guthaben nach Abzug aller laufenden Kosten "
                                 "und Gebühren"),
                  9.0, true);

    // The amount headings are wider than their column and reach to the left.
    head.addLabel(QStringLiteral("QRL_Betrag_1"), QRectF(0, 78.3, AmountRight - Padding, Line),
                  QStringLiteral("Monatsbetrag"), 10.0, false, right);
    head.addLabel(QStringLiteral("QRL_Betrag_2"), QRectF(0, 84.7, AmountRight - Padding, Line),
                  QStringLiteral("Aufbauplan"), 10.0, false, right);
    head.addLabel(QStringLiteral("QRL_Kopf"),
                  QRectF(AmountRight, 78.3, w - AmountRight - Padding, Line),
                  QStringLiteral("Netto-Depotwert bei einer jährlich gleich bleibenden "
                                 "Netto-Wertentwicklung von"),
                  10.0, false, right);
    head.addLabel(QStringLiteral("QRL_Einheit_Jahr"), QRectF(0, 91.0, JahrRight, Line),
                  QStringLiteral("Jahr"), 10.0, false, right);
    head.addLabel(QStringLiteral("QRL_Einheit_Betrag"),
                  QRectF(AmountLeft, 91.0, AmountRight - AmountLeft - Padding, Line),
                  QStringLiteral("EUR"), 10.0, false, right);
    for (int i = 1; i <= 4; ++i) {
        const double left = pairLeft(i);
        const double mid = left + ValueWidth;
        // The rate ends just left of the pair's middle, its bold "%" follows,
        // so that the two together sit about centred over the pair.
        FRaten[i - 1] =
            &head.addLabel(QStringLiteral("QRL_Performance_%1").arg(i),
                           QRectF(left, 84.7, mid + 0.6 - left, Line), {}, 10.0, false, right);
        head.addLabel(QStringLiteral("QRL_Prozent_%1").arg(i), QRectF(mid + 0.8, 84.7, 5.0, Line),
                      QStringLiteral("%"), 10.0, true, Qt::AlignLeft | Qt::AlignVCenter);
        head.addLabel(QStringLiteral("QRL_Einheit_%1").arg(i),
                      QRectF(left + Padding, 91.0, 2 * ValueWidth - Padding, Line),
                      QStringLiteral("EUR"), 10.0, false, centre);
        head.addLabel(QStringLiteral("QRL_Spalten_%1").arg(i),
                      QRectF(left + Padding, 97.4, 2 * ValueWidth - Padding, Line),
                      QStringLiteral("VM47          FRV"), 10.0, false, centre);
    }
    head.addRule(QStringLiteral("QRL_Kopflinie"), 0, 102.6, w, 0.3);

    Detail.Height = RowHeight;
    Detail.Transparent = false;
    FStreifen = &Detail.addLabel(QStringLiteral("QRS_Streifen"), QRectF(0, 0, w, RowHeight));
    FStreifen->Transparent = false;
    QRL_Jahre = &Detail.addLabel(QStringLiteral("QRL_Jahre"), QRectF(0, 0, JahrRight, RowHeight),
                                 {}, 10.0, false, right);
    QRL_Anlage =
        &Detail.addLabel(QStringLiteral("QRL_Anlage"),
                         QRectF(AmountLeft, 0, AmountRight - AmountLeft - Padding, RowHeight), {},
                         10.0, false, right);
    QRL_Anlage->ShrinkToFit = true;
    QRL_Anlage->Amount = true;
    QRL_Anlage->GrowRoom = AmountLeft - JahrRight - Padding;
    for (int i = 1; i <= 4; ++i) {
        const double left = pairLeft(i);
        // Long plans reach values of ten and more digits: they print smaller
        // rather than into the neighbouring column.
        QRL_NIW[i - 1] = &Detail.addLabel(QStringLiteral("QRL_NIW_%1").arg(i),
                                          QRectF(left, 0, ValueWidth - Padding, RowHeight), {},
                                          10.0, false, right);
        QRL_NIW[i - 1]->ShrinkToFit = true;
        QRL_NIW[i - 1]->Amount = true;
        QRL_NIW[i - 1]->GrowRoom = Padding;
        QRL_FRV[i - 1] = &Detail.addLabel(
            QStringLiteral("QRL_FRV_%1").arg(i),
            QRectF(left + ValueWidth, 0, ValueWidth - Padding, RowHeight), {}, 10.0, false, right);
        QRL_FRV[i - 1]->ShrinkToFit = true;
        QRL_FRV[i - 1]->Amount = true;
        QRL_FRV[i - 1]->GrowRoom = Padding;
    }

    PageFooter.Height = FooterHeight;
    FVon = &AddPageFooter(PageFooter, false, false);
}

int TQR_Modellrechnung_Vgl::ZeilenJeBlatt() {
    const double room = PageGeometry::PrintHeight - HeadHeight - FooterHeight;
    return static_cast<int>(std::floor(room / RowHeight + 1e-6));
}

void TQR_Modellrechnung_Vgl::QuickRep1BeforePrint() {
    const TPlanRecord& rec = FCalc.Rec;
    Zeile = 0;
    const double dynamik = AngewandteDynamik(rec);
    QRL_Dynamik->Caption = dynamik != 0
                               ? QStringLiteral("bei einer Erhöhung des Anlagebetrages von ") +
                                     Fmt("##0.0", dynamik) +
                                     QStringLiteral("% p.a. als unverbindliches Beispiel")
                               : QStringLiteral("als unverbindliches Beispiel");
    for (int i = 1; i <= 4; ++i)
        FRaten[i - 1]->Caption = Fmt("##0.0", rec.Performance[i]);
    QRL_Depotname->Caption = RecordText(rec.Berichtstitel);
    // Each column prints at one size, the one its widest value needs.
    TColumnWidth anlage;
    std::array<TColumnWidth, 4> niw;
    std::array<TColumnWidth, 4> frv;
    for (const TPerformanceData& row : FCalc.Aufbautabelle) {
        anlage.add(row.Betrag);
        for (int i = 1; i <= 4; ++i) {
            niw[size_t(i - 1)].add(row.NIW[i]);
            frv[size_t(i - 1)].add(row.FRV_Wert[i]);
        }
    }
    QRL_Anlage->SizeFrom = anlage.widest("#,##0");
    for (int i = 1; i <= 4; ++i) {
        QRL_NIW[size_t(i - 1)]->SizeFrom = niw[size_t(i - 1)].widest("#,##0");
        QRL_FRV[size_t(i - 1)]->SizeFrom = frv[size_t(i - 1)].widest("#,##0");
    }
    FVon->Caption = QStringLiteral("von ") + QString::number(MaxPage);
}

bool TQR_Modellrechnung_Vgl::QuickRep1NeedData() {
    const int h = static_cast<int>(FCalc.Aufbautabelle.size()) - 1;
    if (Zeile > h)
        return false;
    // The last year never stands alone on a sheet: when it would open one,
    // the year before it goes along.
    const int rows = h + 1;
    if (rows > 1 && rows % ZeilenJeBlatt() == 1 && Zeile == h - 1)
        NewPage();
    const TPerformanceData& row = FCalc.Aufbautabelle[static_cast<size_t>(Zeile)];
    QRL_Jahre->Caption = Fmt("#0", row.Jahr);
    QRL_Anlage->Caption = Fmt("#,##0", row.Betrag);
    for (int i = 1; i <= 4; ++i) {
        QRL_NIW[i - 1]->Caption = Fmt("#,##0", row.NIW[i]);
        QRL_FRV[i - 1]->Caption = Fmt("#,##0", row.FRV_Wert[i]);
    }
    // Year 0 and every second year after it are shaded; the labels stay
    // transparent on the stripe.
    const bool shaded = Zeile % 2 == 0;
    Detail.Color = Qt::white;
    FStreifen->Color = shaded ? PageColors::Shaded : QColor(Qt::white);
    ++Zeile;
    return true;
}

} // namespace orvanta::reports
