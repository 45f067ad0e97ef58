#include "reports/reportengine.h"

#include <utility>

namespace orvanta::reports {

namespace {
// Band heights are decimals of a millimetre; sums of them must not lose a row
// to rounding.
constexpr double Epsilon = 1e-6;
} // namespace

TReportItem& TReportBand::addLabel(const QString& name, const QRectF& rect, const QString& caption,
                                   double size, bool bold, Qt::Alignment align) {
    TReportItem& item = Items.emplace_back();
    item.Kind = TItemKind::Label;
    item.Name = name;
    item.Rect = rect;
    item.Caption = caption;
    item.FontSize = size;
    item.Bold = bold;
    item.Alignment = align;
    return item;
}

TReportItem& TReportBand::addPicture(const QString& name, const QRectF& rect, const QString& file) {
    TReportItem& item = Items.emplace_back();
    item.Kind = TItemKind::Picture;
    item.Name = name;
    item.Rect = rect;
    item.PictureFile = file;
    return item;
}

TReportItem& TReportBand::addRule(const QString& name, double left, double top, double width,
                                  double lineWidth, const QColor& color) {
    TReportItem& item = addLabel(name, QRectF(left, top, width, 0.0));
    item.Frame.Top = true;
    item.Frame.Width = lineWidth;
    item.Frame.Color = color;
    return item;
}

const TReportItem* TReportBand::find(const QString& name) const {
    for (const TReportItem& item : Items)
        if (item.Name == name)
            return &item;
    return nullptr;
}

TQuickReport::TQuickReport(QString name) : FName(std::move(name)) {}
TQuickReport::~TQuickReport() = default;

int TSheet::detailCount(const TQuickReport* report) const {
    int n = 0;
    for (const TPlacedBand& b : Bands)
        if (b.Band.Type == TBandType::Detail && (!report || b.Report == report))
            ++n;
    return n;
}

class TReportLayouter {
public:
    TLaidOutDocument run(const std::vector<TQuickReport*>& reports) {
        for (TQuickReport* report : reports)
            layoutReport(*report);
        closeSheet();
        return std::move(FDoc);
    }

private:
    TLaidOutDocument FDoc;
    TSheet* FSheet = nullptr;
    double FY = 0;
    TQuickReport* FOwner = nullptr; // last report that placed a band on the open sheet
    bool FFresh = false;            // nothing but the page header on the open sheet yet

    static constexpr size_t BandsPerSheet = 80;

    static double footerHeight(const TQuickReport& r) {
        return r.PageFooter.Enabled ? r.PageFooter.Height : 0.0;
    }
    double room(const TQuickReport& r) const {
        return PageGeometry::PrintHeight - footerHeight(r) - FY;
    }

    void place(TQuickReport& r, const TReportBand& band) {
        TPlacedBand& placed = FSheet->Bands.emplace_back();
        placed.Report = &r;
        placed.Top = FY;
        placed.Band = band;
        for (TReportItem& item : placed.Band.Items)
            if (item.SysPageNumber)
                item.Caption = QStringLiteral("Seite %1").arg(FSheet->PageNumber);
        FY += band.Height;
        FOwner = &r;
    }

    void openSheet(TQuickReport& r, bool withHeader) {
        TSheet& s = FDoc.Sheets.emplace_back();
        // A band holds its items in a deque, which a growing vector copies
        // rather than moves: room for a full page of rows from the start.
        s.Bands.reserve(BandsPerSheet);
        s.PageNumber = static_cast<int>(FDoc.Sheets.size());
        FSheet = &s;
        FY = 0;
        FOwner = &r;
        if (withHeader && r.PageHeader.Enabled)
            place(r, r.PageHeader);
        FFresh = true;
    }

    void closeSheet() {
        if (!FSheet)
            return;
        if (FOwner && FOwner->PageFooter.Enabled) {
            FY = PageGeometry::PrintHeight - FOwner->PageFooter.Height;
            place(*FOwner, FOwner->PageFooter);
        }
        FSheet = nullptr;
        FOwner = nullptr;
    }

    // Places a band of r, moving to a new sheet when it does not fit. A band
    // taller than an empty sheet is placed anyway rather than looping.
    void placeFitting(TQuickReport& r, const TReportBand& band, bool headerOnNewSheet) {
        if (!FSheet) {
            openSheet(r, headerOnNewSheet);
        } else if (!FFresh && room(r) + Epsilon < band.Height) {
            closeSheet();
            openSheet(r, headerOnNewSheet);
        }
        place(r, band);
        FFresh = false;
    }

    void layoutReport(TQuickReport& r) {
        r.FNewPageRequested = false;
        r.QuickRep1BeforePrint();
        if (r.Title.Enabled) {
            // The title takes the place of the page header on the sheet where
            // the report starts.
            placeFitting(r, r.Title, false);
        } else if (!FSheet) {
            openSheet(r, true);
        }
        for (;;) {
            r.FNewPageRequested = false;
            const bool more = r.QuickRep1NeedData();
            if (r.FNewPageRequested && FSheet) {
                FOwner = &r; // the requesting report's footer closes the sheet
                closeSheet();
            }
            if (!more)
                break;
            placeFitting(r, r.Detail, true);
        }
    }
};

TLaidOutDocument LayoutReports(const std::vector<TQuickReport*>& reports) {
    return TReportLayouter().run(reports);
}

} // namespace orvanta::reports
