#pragma once
// The elements all our report pages share: bank logo, product line, bank
// block, page number, notes reference, adviser block, Swiss pictures, and the
// table columns of the two year tables.

#include "reports/reportengine.h"

#include "core/performcalc.h"

#include <QColor>

#include <algorithm>
#include <array>
#include <string_view>

namespace orvanta::reports {

namespace PageColors {
inline const QColor Red(255, 39, 13);      // product line and slogans
inline const QColor Blue(32, 78, 137);     // group line of the bank block
inline const QColor Grey(123, 123, 123);   // bank name, address and contact
inline const QColor Shaded(229, 229, 229); // shaded table rows
} // namespace PageColors

namespace PictureFiles {
inline const char* const Logo = "bank_logo.jpg";
inline const char* const SwissCross = "schweizerkreuz.jpg";
inline const char* const Matterhorn = "matterhorn.jpg";
} // namespace PictureFiles

// Base of our pages: they read the plan record and result tables of the one
// calculation object and the set's total page count.
class TOrvantaReport : public TQuickReport {
public:
    TOrvantaReport(QString name, const TPerformCalc& calc, const int& maxPage)
        : TQuickReport(std::move(name)), FCalc(calc), MaxPage(maxPage) {}

protected:
    // Need-data step of a page whose content stands in its bands: one detail
    // row, then the next report of the set starts on a fresh sheet; the last
    // one leaves the closing to its footer.
    bool SingleRowNeedData() {
        const bool more = Zeile <= 0;
        ++Zeile;
        if (!more && !LastInSet)
            NewPage();
        return more;
    }

    const TPerformCalc& FCalc;
    const int& MaxPage;
};

// Logo centred at the top, product line below it at productLeft.
void AddLogoAndProductLine(TReportBand& band, double productLeft = 0.0);

// Swiss cross at the right edge level with the product line, Matterhorn below.
struct TSwissPictures {
    TReportItem* Cross;
    TReportItem* Matterhorn;
};
TSwissPictures AddSwissPictures(TReportBand& band);

// Lines a customer's name (Vorname and Nachname, up to 255 characters) and
// an adviser line may take on paper; the pages keep room for them.
inline constexpr int NameLines = 4;
inline constexpr int AdviserLines = 3;

// "erstellt von" and the five adviser lines from top down; returns the lines.
std::array<TReportItem*, 5> AddAdviserBlock(TReportBand& band, double left, double top);
void FillAdviserBlock(const std::array<TReportItem*, 5>& lines, const TPlanRecord& rec);

// Notes reference (optional), bank block and page number. Returns the label
// after "Seite n" that the page fills with "von "/" von " and MaxPage.
TReportItem& AddPageFooter(TReportBand& band, bool notesReference, bool blankBeforeVon);

// Columns of the year tables (model calculation, withdrawal course):
// year, age, monthly amount, four values.
namespace TableColumns {
inline constexpr double JahrRight = 10.0;
inline constexpr double AlterRight = 22.0;
inline constexpr double AmountLeft = 22.0;
inline constexpr double AmountRight = 50.0;
inline constexpr double ValueWidth = 32.5;
inline constexpr double ValueLeft = PageGeometry::PrintWidth - 4 * ValueWidth; // 50
inline constexpr double CellPadding = 1.5;
inline double valueLeft(int i) {
    return ValueLeft + (i - 1) * ValueWidth;
} // i = 1..4
inline double valueRight(int i) {
    return valueLeft(i) + ValueWidth;
}
} // namespace TableColumns

// The shared head of the two year tables: column headings, rates with a bold
// "%", and the unit line. Returns the four rate labels.
std::array<TReportItem*, 4> AddTableHead(TReportBand& band, double top,
                                         const QString& amountHeading1,
                                         const QString& amountHeading2);

// The detail row of the two year tables: a full-width stripe that carries the
// shading (the labels on it stay transparent), then year, age, amount and the
// four values, right-aligned; the values print smaller rather than overflow.
struct TYearRow {
    TReportItem* Stripe;
    TReportItem* Jahre;
    TReportItem* Alter;
    TReportItem* Anlage;
    std::array<TReportItem*, 4> NIW;
};
TYearRow AddYearRow(TReportBand& band, double rowHeight);

// Values of one column of a year table, gathered for its size: the widest
// text the column prints in a pattern. Figures of our fonts are all equally
// wide, so that is the text of the largest or of the smallest value.
class TColumnWidth {
public:
    void add(double value) {
        Largest = std::max(Largest, value);
        Smallest = std::min(Smallest, value);
    }
    QString widest(std::string_view pattern) const;

private:
    double Largest = 0;
    double Smallest = 0;
};

} // namespace orvanta::reports
