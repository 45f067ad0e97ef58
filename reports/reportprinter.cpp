#include "reports/reportprinter.h"

#include "reports/reportpainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>

#include <algorithm>

namespace orvanta::reports {

namespace {
// Printable areas are given in points and converted; a hundredth of a
// millimetre is no reason to reduce a sheet.
constexpr double Tolerance = 0.01; // mm
} // namespace

QPageLayout A4FullPage() {
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
    // Full-page mode: a printer with unprintable edges still takes the layout
    // (in standard mode zero margins would be refused); what lies outside its
    // printable area is FitA4's business.
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

bool RequestA4(QPrinter& printer) {
    printer.setPageLayout(A4FullPage());
    printer.setFullPage(true);
    const QPageLayout got = printer.pageLayout();
    const bool a4 = got.pageSize().isEquivalentTo(QPageSize(QPageSize::A4)) &&
                    got.orientation() == QPageLayout::Portrait;
    // The paper also travels as CUPS job options: the print dialog hands on
    // the one it showed (the printer's own), and a paper size the job does
    // not name is the printer's default. Either would win over the page
    // layout, so the job names A4 itself.
    constexpr auto CupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00); // Qt's key
    QPrintEngine* engine = printer.printEngine();
    if (engine && printer.outputFormat() == QPrinter::NativeFormat) {
        const QStringList options = engine->property(CupsOptions).toStringList();
        QStringList kept;
        for (qsizetype k = 0; k + 1 < options.size(); k += 2)
            if (!QStringList{"PageSize", "PageRegion", "media"}.contains(options[k]))
                kept << options[k] << options[k + 1];
        if (a4)
            kept << QStringLiteral("PageSize") << got.pageSize().key();
        engine->setProperty(CupsOptions, kept);
    }
    return a4;
}

TPaperFit FitA4(const QPageLayout& paper) {
    using namespace PageGeometry;
    QPageLayout mm = paper;
    mm.setUnits(QPageLayout::Millimeter);
    const QRectF full = mm.fullRect(QPageLayout::Millimeter);
    const QRectF printable = full.marginsRemoved(mm.minimumMargins());
    const QRectF printed(MarginLeft, MarginTop, PrintWidth, PrintHeight);

    TPaperFit fit;
    fit.A4 = paper.pageSize().isEquivalentTo(QPageSize(QPageSize::A4)) &&
             paper.orientation() == QPageLayout::Portrait;
    if (printable.adjusted(-Tolerance, -Tolerance, Tolerance, Tolerance).contains(printed))
        return fit;
    fit.Scale = std::min({1.0, printable.width() / PrintWidth, printable.height() / PrintHeight});
    const double left = printable.left() + (printable.width() - PrintWidth * fit.Scale) / 2;
    const double top = printable.top() + (printable.height() - PrintHeight * fit.Scale) / 2;
    fit.Origin = QPointF(left - MarginLeft * fit.Scale, top - MarginTop * fit.Scale);
    return fit;
}

QString PaperNote(const QString& printerName, const QPageLayout& paper, const TPaperFit& fit) {
    if (fit.A4 && !fit.reduced())
        return {};
    const QString drucker = printerName.isEmpty()
                                ? QStringLiteral("Der Drucker")
                                : QStringLiteral("Der Drucker \"%1\"").arg(printerName);
    const QString prozent = QString::number(qRound(fit.Scale * 100));
    if (!fit.A4 && fit.reduced())
        return QStringLiteral("%1 nimmt kein A4-Papier. Die Seiten sind für A4 gestaltet und "
                              "wurden auf %2 gedruckt, dazu auf %3 % verkleinert, damit nichts "
                              "abgeschnitten wird.")
            .arg(drucker, paper.pageSize().name(), prozent);
    if (!fit.A4)
        return QStringLiteral("%1 nimmt kein A4-Papier. Die Seiten sind für A4 gestaltet und "
                              "wurden in Originalgröße auf %2 gedruckt.")
            .arg(drucker, paper.pageSize().name());
    return QStringLiteral("%1 bedruckt A4 nicht bis an die Ränder der Seiten. Die Seiten wurden "
                          "auf %2 % verkleinert, damit nichts abgeschnitten wird.")
        .arg(drucker, prozent);
}

int PrintSheets(QPrinter& printer, const TLaidOutDocument& doc, TReportPainter& sheets, int from,
                int to) {
    const TPaperFit fit = FitA4(printer.pageLayout());
    QPainter painter;
    if (!painter.begin(&printer))
        return -1;
    if (fit.Scale != 1.0 || !fit.Origin.isNull()) {
        painter.translate(fit.Origin.x() * printer.logicalDpiX() / 25.4,
                          fit.Origin.y() * printer.logicalDpiY() / 25.4);
        painter.scale(fit.Scale, fit.Scale);
    }
    const int painted = PaintSheets(painter, printer, doc, sheets, from, to);
    return painter.end() ? painted : -1;
}

} // namespace orvanta::reports
