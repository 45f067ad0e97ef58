#pragma once
// Paints laid-out sheets with QPainter. Preview, printer and PDF all go
// through this one path, so what the adviser sees is what the customer gets.

#include "reports/reportengine.h"
#include "reports/textfit.h"

#include <QHash>
#include <QImage>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace orvanta::reports {

class TReportPainter {
public:
    // Pictures are looked up in pictureDir; empty means where the delivered
    // files lie (beside the program in the build folder).
    explicit TReportPainter(QString pictureDir = {});

    // Paints one sheet. The painter's device must have its origin at the
    // top left corner of the paper (full-page mode) and report its resolution
    // in logicalDpiX/Y.
    void paintSheet(QPainter& painter, const TSheet& sheet);

    // Decoded once per painter; a missing or unreadable file gives a null image.
    const QImage& picture(const QString& file);

    // On a PDF, lines go as glyphs placed where text would put them, a row
    // of them in one run (on by default); off, every line is drawn as text,
    // as on other devices.
    void setPlacedGlyphs(bool on) { FPlacedGlyphs = on; }

private:
    bool FPlacedGlyphs = true;
    QString FPictureDir;
    QHash<QString, QImage> FPictures;
    TTextMetricsCache& FMetrics = TTextMetricsCache::ofThisThread();
};

// Paints the sheets with page numbers from..to (1-based, inclusive; 0 = first
// or last) onto a painter already begun on a paged device, starting a new page
// between sheets. Returns the number of sheets painted.
int PaintSheets(QPainter& painter, QPagedPaintDevice& device, const TLaidOutDocument& doc,
                TReportPainter& sheets, int from = 0, int to = 0);

} // namespace orvanta::reports
