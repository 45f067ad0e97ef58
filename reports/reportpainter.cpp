#include "reports/reportpainter.h"

#include "platform/datalocation.h"
#include "reports/jpegimage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QMutex>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPen>

#include <filesystem>

namespace orvanta::reports {

namespace {

// Millimetres to device pixels; the painter is never scaled, so fonts are
// hinted and measured at the device's own resolution.
struct TDeviceScale {
    double X;
    double Y;
    QPointF point(double xmm, double ymm) const { return {xmm * X, ymm * Y}; }
    QRectF rect(const QRectF& mm) const {
        return {mm.x() * X, mm.y() * Y, mm.width() * X, mm.height() * Y};
    }
};

void paintFrame(QPainter& p, const TDeviceScale& s, const QRectF& r, const TFrame& f) {
    QPen pen(f.Color);
    pen.setWidthF(f.Width * s.Y);
    pen.setStyle(f.Style);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    if (f.Top)
        p.drawLine(r.topLeft(), r.topRight());
    if (f.Bottom)
        p.drawLine(r.bottomLeft(), r.bottomRight());
    if (f.Left)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (f.Right)
        p.drawLine(r.topRight(), r.bottomRight());
}

bool isWhite(const QColor& c) {
    return c.rgb() == qRgb(255, 255, 255);
}

// Decoding the pictures takes longer than painting a sheet, and every
// preview and PDF needs the same few files: they are decoded once per run
// and again only when a file changes.
QImage decodedPicture(const QString& path) {
    struct TDecoded {
        std::filesystem::file_time_type Modified;
        std::uintmax_t Size = 0;
        QImage Image;
    };
    static QMutex guard;
    static QHash<QString, TDecoded> decoded;
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(file, error);
    const std::uintmax_t size = error ? 0 : std::filesystem::file_size(file, error);
    const QMutexLocker lock(&guard);
    auto it = decoded.find(path);
    if (it == decoded.end() || it->Modified != modified || it->Size != size)
        it = decoded.insert(path, {modified, size, ReadJpegImage(path)});
    return it->Image;
}

} // namespace

TReportPainter::TReportPainter(QString pictureDir) : FPictureDir(std::move(pictureDir)) {
    // Beside the program in the build folder, in ../share/orvanta when installed.
    if (FPictureDir.isEmpty())
        FPictureDir = orvanta::findDataLocation().deliveredDir;
}

const QImage& TReportPainter::picture(const QString& file) {
    auto it = FPictures.find(file);
    if (it == FPictures.end())
        it = FPictures.insert(file, decodedPicture(QDir(FPictureDir).filePath(file)));
    return *it;
}

void TReportPainter::paintSheet(QPainter& p, const TSheet& sheet) {
    const QPaintDevice* device = p.device();
    const TDeviceScale s{device->logicalDpiX() / 25.4, device->logicalDpiY() / 25.4};
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const TPlacedBand& placed : sheet.Bands) {
        const TReportBand& band = placed.Band;
        const double left = PageGeometry::MarginLeft;
        const double top = PageGeometry::MarginTop + placed.Top;
        // White is the paper; painting it would only bloat the PDF.
        if (!band.Transparent && !isWhite(band.Color))
            p.fillRect(s.rect(QRectF(left, top, PageGeometry::PrintWidth, band.Height)),
                       band.Color);
        for (const TFittedText& fit : FitBand(band, device, &FMetrics)) {
            const TReportItem& item = *fit.Item;
            const QRectF r = s.rect(fit.Rect.translated(left, top));
            if (item.Kind == TItemKind::Picture) {
                const QImage& image = picture(item.PictureFile);
                if (!image.isNull())
                    p.drawImage(r, image);
                continue;
            }
            if (!item.Transparent && !isWhite(item.Color))
                p.fillRect(r, item.Color);
            if (!fit.Lines.isEmpty()) {
                // Drawn line by line where the fitting measured them, on the
                // same device, so nothing is cut at a box edge.
                p.setFont(fit.Font);
                p.setPen(item.FontColor);
                for (qsizetype k = 0; k < fit.Lines.size(); ++k)
                    p.drawText(s.point(left + fit.Origins[size_t(k)].x(),
                                       top + fit.Origins[size_t(k)].y()),
                               fit.Lines[k]);
            }
            if (item.Frame.any())
                paintFrame(p, s, r, item.Frame);
        }
    }
    p.restore();
}

int PaintSheets(QPainter& painter, QPagedPaintDevice& device, const TLaidOutDocument& doc,
                TReportPainter& sheets, int from, int to) {
    const int last = doc.pageCount();
    if (from < 1)
        from = 1;
    if (to < 1 || to > last)
        to = last;
    int painted = 0;
    for (int n = from; n <= to; ++n) {
        if (painted > 0)
            device.newPage();
        sheets.paintSheet(painter, doc.Sheets[static_cast<size_t>(n - 1)]);
        ++painted;
    }
    return painted;
}

} // namespace orvanta::reports
