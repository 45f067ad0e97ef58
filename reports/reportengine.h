#pragma once
// A small banded report engine: the least our report pages need.
//
// A report page owns four bands (title, page header, detail, page footer)
// whose items are laid out in millimetres relative to the printable area.
// Layout turns a list of reports into sheets of placed band snapshots (plain
// numbers and texts); painting is separate (reportpainter.h), so page breaks
// are decided and tested without a paint device.

#include <QColor>
#include <QRectF>
#include <QString>

#include <deque>
#include <vector>

namespace orvanta::reports {

// A4 portrait with the margins of all our pages, in millimetres.
namespace PageGeometry {
inline constexpr double PaperWidth = 210.0;
inline constexpr double PaperHeight = 297.0;
inline constexpr double MarginLeft = 20.0;
inline constexpr double MarginRight = 10.0;
inline constexpr double MarginTop = 5.0;
inline constexpr double MarginBottom = 10.0;
inline constexpr double PrintWidth = PaperWidth - MarginLeft - MarginRight;   // 180
inline constexpr double PrintHeight = PaperHeight - MarginTop - MarginBottom; // 282
} // namespace PageGeometry

struct TFrame {
    bool Top = false;
    bool Bottom = false;
    bool Left = false;
    bool Right = false;
    QColor Color = Qt::black;
    double Width = 0.3; // mm
    Qt::PenStyle Style = Qt::SolidLine;

    bool any() const { return Top || Bottom || Left || Right; }
    void setAll(bool on) { Top = Bottom = Left = Right = on; }
};

enum class TItemKind { Label, Picture };

// A label (text, optionally a filled box and frame lines) or a picture.
// An empty transparent label with frame lines is how rules are drawn; an
// empty opaque one is a shaded stripe.
struct TReportItem {
    TItemKind Kind = TItemKind::Label;
    QString Name;
    QRectF Rect; // mm, relative to the band's top left corner
    bool Enabled = true;

    QString Caption;
    double FontSize = 10.0; // pt
    bool Bold = false;
    bool Underline = false;
    QColor FontColor = Qt::black;
    Qt::Alignment Alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool WordWrap = false;
    // A single-line text wider than its box is printed smaller rather than
    // running into the next column (see textfit.h); with this flag off the
    // layout promises that the text fits at its own size.
    bool ShrinkToFit = false;
    // An amount is never shortened and never printed below the amount floor
    // (textfit.h): should it not fit even there, its box widens by up to
    // GrowRoom mm on its free side.
    bool Amount = false;
    double GrowRoom = 0.0; // mm
    // The widest text the label's column holds in the whole report: the label
    // prints at the size that text needs, so that a column reads at one size.
    QString SizeFrom;
    // Names and adviser lines may take up to MaxLines lines below their box.
    int MaxLines = 1;
    // Name of a label in the same band on whose last line this text stands.
    QString BaselineOf;
    // Name of a label in the same band whose text this one ends before,
    // EndsBeforeGap mm apart: "Seite n" stays next to " von m".
    QString EndsBefore;
    double EndsBeforeGap = 0.0;
    // Items of a band with the same group (> 0) keep clear of each other:
    // when a text takes a second line, the items below it move down.
    int FlowGroup = 0;
    // Single-line labels of a band with the same size group (> 0) print at
    // the size the smallest of them needs, so that a row of figures reads evenly.
    int SizeGroup = 0;
    // Right-aligned cells of a band with the same grid (> 0) form a table of
    // columns of one pitch that prints at one size: a text too wide for its
    // cell first widens all columns together into the room left of the first
    // (up to the caption of its row), and only then makes the table smaller.
    // A cell with OwnSize keeps its column's place but sizes its own text.
    int Grid = 0;
    bool OwnSize = false;
    bool Transparent = true;
    QColor Color = Qt::white; // background when not transparent
    TFrame Frame;
    // The running page number: the engine fills "Seite n" when placing the band.
    bool SysPageNumber = false;

    QString PictureFile; // bare file name, looked up beside the program
};

enum class TBandType { Title, PageHeader, Detail, PageFooter };

// Items live in a deque so that pages can keep references to their labels.
struct TReportBand {
    explicit TReportBand(TBandType type = TBandType::Detail, double height = 0)
        : Type(type), Height(height) {}

    TBandType Type;
    double Height; // mm
    bool Enabled = true;
    bool Transparent = true;
    QColor Color = Qt::white;
    std::deque<TReportItem> Items;

    TReportItem& addLabel(const QString& name, const QRectF& rect, const QString& caption = {},
                          double size = 10.0, bool bold = false,
                          Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    TReportItem& addPicture(const QString& name, const QRectF& rect, const QString& file);
    // A horizontal rule: a transparent label whose top edge is drawn.
    TReportItem& addRule(const QString& name, double left, double top, double width,
                         double lineWidth, const QColor& color = Qt::black);
    // Nullptr when there is no item of that name.
    const TReportItem* find(const QString& name) const;
};

// One report page. A subclass sets up its bands once, fills them in its
// before-print step and once per detail record in its need-data step.
class TQuickReport {
public:
    explicit TQuickReport(QString name);
    virtual ~TQuickReport();
    TQuickReport(const TQuickReport&) = delete;
    TQuickReport& operator=(const TQuickReport&) = delete;

    const QString& name() const { return FName; }

    // Called once when layout of the report begins.
    virtual void QuickRep1BeforePrint() = 0;
    // Called before each detail band: false ends the report, true means the
    // detail band has been filled for one more record.
    virtual bool QuickRep1NeedData() = 0;

    TReportBand Title{TBandType::Title};
    TReportBand PageHeader{TBandType::PageHeader};
    TReportBand Detail{TBandType::Detail};
    TReportBand PageFooter{TBandType::PageFooter};

    bool LastInSet = false;
    int Zeile = 0;

    // From inside the need-data step: end the current sheet (its footer is
    // printed) before the next band; a new sheet begins when one is needed.
    void NewPage() { FNewPageRequested = true; }

private:
    friend class TReportLayouter;
    QString FName;
    bool FNewPageRequested = false;
};

// A band as it was placed: a copy of its items with the texts of that moment.
struct TPlacedBand {
    const TQuickReport* Report = nullptr;
    double Top = 0; // mm below the top of the printable area
    TReportBand Band;
};

struct TSheet {
    int PageNumber = 0; // running number through the whole set, from 1
    std::vector<TPlacedBand> Bands;

    // Detail bands of the given report on this sheet (all reports when null).
    int detailCount(const TQuickReport* report = nullptr) const;
};

struct TLaidOutDocument {
    std::vector<TSheet> Sheets;
    int pageCount() const { return static_cast<int>(Sheets.size()); }
};

// Lays out the reports one after the other on the same sheets.
// Every report starts where the previous one stopped unless that one ended its
// sheet; a band that does not fit moves to a new sheet, which begins with the
// page header band; each sheet gets the page footer of the last report that
// placed a band on it.
TLaidOutDocument LayoutReports(const std::vector<TQuickReport*>& reports);

} // namespace orvanta::reports
