#pragma once
// Printing the set on a printer: every sheet is designed for A4 portrait, so
// the printer is asked for exactly that, whatever paper it would take by
// default. A printer that cannot take A4, or whose printable area is smaller
// than the sheets' margins, gets each sheet reduced into its printable area,
// never cut, and the adviser is told so.

#include "reports/reportengine.h"

#include <QPointF>
#include <QString>

class QPageLayout;
class QPrinter;

namespace orvanta::reports {

class TReportPainter;

// A4 portrait, the sheet's origin at the corner of the paper.
QPageLayout A4FullPage();

// Asks the printer for A4 portrait over the whole sheet; true when it took it.
// Called before the print dialog and again after it, since the dialog takes
// over the paper the chosen printer prefers.
bool RequestA4(QPrinter& printer);

// Where an A4 sheet of the set lands on the paper: its top left corner at
// Origin (mm on the paper), its lengths times Scale.
struct TPaperFit {
    double Scale = 1.0;
    QPointF Origin;
    bool A4 = true; // the paper is A4
    bool reduced() const { return Scale < 1.0; }
};

// Unchanged when the printed part of the sheet (inside its margins) lies in
// the paper's printable area; otherwise reduced to fit that area, centred in
// it. paper is the printer's layout with its smallest margins.
TPaperFit FitA4(const QPageLayout& paper);

// The German note for the adviser when the sheets do not print as designed on
// A4; empty when they do.
QString PaperNote(const QString& printerName, const QPageLayout& paper, const TPaperFit& fit);

// Paints the sheets with page numbers from..to (0 = first or last) onto the
// printer as FitA4 places them on its paper. Returns the number of sheets
// painted, -1 when the printer could not begin (no device, file not
// writable).
int PrintSheets(QPrinter& printer, const TLaidOutDocument& doc, TReportPainter& sheets,
                int from = 0, int to = 0);

} // namespace orvanta::reports
