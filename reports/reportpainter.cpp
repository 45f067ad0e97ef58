#include "reports/reportpainter.h"

#include "platform/datalocation.h"
#include "reports/jpegimage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGlyphRun>
#include <QMutex>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRawFont>

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

// How far a PDF reader lands short of a position or step of `steps`/64
// pixels, in 10^-9 pixels: the PDF engine writes each glyph's step from the
// one before with nine significant digits, cutting off the rest.
qint64 writingLoss(qint64 steps) {
    const qint64 size = steps < 0 ? -steps : steps;
    qint64 scale = 1;
    for (qint64 whole = size / 64; whole > 0; whole /= 10)
        scale *= 10;
    const qint64 loss = (size % 64) * 15'625'000 % scale; // 1/64 px = 15 625 000e-9 px
    return steps < 0 ? -loss : loss;
}

// Placed lines of one font and colour, drawn as one run: the PDF engine
// pays for every run it is given, and a row of a table is one run. Whatever
// else is drawn flushes the batch first, so what lies above what stays. A
// line joins only where its glyphs land exactly where they land drawn on
// their own: a line starts with its absolute position, a joined one with a
// step from the line before, and the digits cut off either must agree.
class TGlyphBatch : public TGlyphSink {
public:
    explicit TGlyphBatch(QPainter& painter) : FPainter(painter) {}
    ~TGlyphBatch() { flush(); }
    TGlyphBatch(const TGlyphBatch&) = delete;
    TGlyphBatch& operator=(const TGlyphBatch&) = delete;

    // The colour of the lines placed next.
    void setColor(const QColor& color) {
        if (!FGlyphs.isEmpty() && color != FColor)
            flush();
        FColor = color;
    }

    void place(const QRawFont& font, const quint32* glyphs, const QPointF* positions,
               qsizetype count) override {
        if (count == 0)
            return;
        const qint64 x = steps(positions[0].x());
        const qint64 y = steps(positions[0].y());
        // The engine writes x - lastX and lastY - y, for a run's first glyph
        // from 0: the line must land as it lands starting a run of its own.
        if (!FGlyphs.isEmpty() &&
            (font != FFont || FLossX + writingLoss(x - FLastX) != writingLoss(x) ||
             FLossY + writingLoss(FLastY - y) != writingLoss(-y)))
            flush();
        FFont = font;
        for (qsizetype k = 0; k < count; ++k) {
            const qint64 nx = steps(positions[k].x());
            const qint64 ny = steps(positions[k].y());
            FLossX += writingLoss(nx - FLastX);
            FLossY += writingLoss(FLastY - ny);
            FLastX = nx;
            FLastY = ny;
            FGlyphs.append(glyphs[k]);
            FPositions.append(positions[k]);
        }
    }

    void flush() {
        if (FGlyphs.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(FFont);
        run.setGlyphIndexes(FGlyphs);
        run.setPositions(FPositions);
        FPainter.setPen(FColor);
        FPainter.drawGlyphRun({}, run);
        FGlyphs.clear();
        FPositions.clear();
        FLastX = FLastY = FLossX = FLossY = 0;
    }

private:
    static qint64 steps(double px) { return qRound64(px * 64); }

    QPainter& FPainter;
    QRawFont FFont;
    QColor FColor;
    QList<quint32> FGlyphs;
    QList<QPointF> FPositions;
    qint64 FLastX = 0; // in 1/64 pixels
    qint64 FLastY = 0;
    qint64 FLossX = 0; // where a reader puts the last glyph, short of it
    qint64 FLossY = 0;
};

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
    // Shaping the same texts again is most of our part of writing a PDF set.
    // The PDF engine takes placed glyphs as it takes shaped text; a preview
    // records text, so it gets text.
    const bool glyphRuns =
        FPlacedGlyphs && p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Pdf;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    TGlyphBatch batch(p);
    for (const TPlacedBand& placed : sheet.Bands) {
        const TReportBand& band = placed.Band;
        const double left = PageGeometry::MarginLeft;
        const double top = PageGeometry::MarginTop + placed.Top;
        // White is the paper; painting it would only bloat the PDF.
        if (!band.Transparent && !isWhite(band.Color)) {
            batch.flush();
            p.fillRect(s.rect(QRectF(left, top, PageGeometry::PrintWidth, band.Height)),
                       band.Color);
        }
        for (const TFittedText& fit : FitBand(band, device, &FMetrics)) {
            const TReportItem& item = *fit.Item;
            const QRectF r = s.rect(fit.Rect.translated(left, top));
            if (item.Kind == TItemKind::Picture) {
                const QImage& image = picture(item.PictureFile);
                batch.flush();
                if (!image.isNull())
                    p.drawImage(r, image);
                continue;
            }
            if (!item.Transparent && !isWhite(item.Color)) {
                batch.flush();
                p.fillRect(r, item.Color);
            }
            if (!fit.Lines.isEmpty()) {
                // Drawn line by line where the fitting measured them, on the
                // same device, so nothing is cut at a box edge.
                p.setFont(fit.Font);
                batch.setColor(item.FontColor);
                for (qsizetype k = 0; k < fit.Lines.size(); ++k) {
                    const QPointF at = s.point(left + fit.Origins[size_t(k)].x(),
                                               top + fit.Origins[size_t(k)].y());
                    if (!glyphRuns || !FMetrics.placeLine(fit, k, at, p, batch)) {
                        batch.flush();
                        p.setPen(item.FontColor);
                        p.drawText(at, fit.Lines[k]);
                    }
                }
            }
            if (item.Frame.any()) {
                batch.flush();
                paintFrame(p, s, r, item.Frame);
            }
        }
    }
    batch.flush();
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
