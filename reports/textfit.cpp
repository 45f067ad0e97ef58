#include "reports/textfit.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QMutex>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <QThread>
#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace orvanta::reports {

// Font metrics of one style at one size, in millimetres.
class TMeasure {
public:
    TMeasure(const TReportItem& item, double size, const QPaintDevice* device)
        : FFont(ReportFont(item, size)), FFm(FFont, device), FPxX(device->logicalDpiX() / 25.4),
          FPxY(device->logicalDpiY() / 25.4), FAscent(FFm.ascent() / FPxY),
          FDescent(FFm.descent() / FPxY), FLeading(std::max(0.0, FFm.leading() / FPxY)) {}

    // Shaping a text is the costly step of the fitting: each text is shaped
    // once per size, however often a size is tried or its lines are placed,
    // and figures are not shaped at all where adding up the advances of their
    // characters gives the same width (see figureWidth).
    double width(const QString& text) const {
        auto it = FWidths.constFind(text);
        if (it == FWidths.constEnd()) {
            // Kept for the thread, so bounded: a new customer's amounts
            // start it afresh now and then.
            if (FWidths.size() >= MaxWidthsKept)
                FWidths.clear();
            double wide = 0;
            if (!figureWidth(text, wide))
                wide = FFm.horizontalAdvance(text);
            it = FWidths.insert(text, wide / FPxX);
        }
        return *it;
    }
    // Asked for every label: kept rather than asked of the font each time.
    double ascent() const { return FAscent; }
    double descent() const { return FDescent; }
    double leading() const { return FLeading; }
    double pitch() const { return leading() + ascent() + descent(); }
    QString elided(const QString& text, double widthMm) const {
        return FFm.elidedText(text, Qt::ElideRight, widthMm * FPxX);
    }

    // Hands a line to sink as drawText would place it at origin (device
    // pixels) in the painter's font, positions in the text engine's 1/64
    // pixel steps with the origin truncated to them as it truncates it. A
    // figure text comes from its characters (a glyph and an advance each), any
    // other from one shaping per text and size, however often it is printed
    // (the notes and footers read the same on every sheet and set). False,
    // with nothing placed, where only drawing it as text will do.
    bool placeLine(const QString& text, QPointF origin, const QFont& painterFont,
                   TGlyphSink& sink) const {
        if (painterFont.underline())
            return false;
        const qint64 x = steps(origin.x());
        const double y = double(steps(origin.y())) / 64;
        QVarLengthArray<quint32, 64> glyphs;
        QVarLengthArray<QPointF, 64> positions;
        if (figureGlyphs(text, painterFont, x, y, glyphs, positions)) {
            sink.place(FRaw, glyphs.constData(), positions.constData(), glyphs.size());
            return true;
        }
        auto it = FShaped.constFind(text);
        if (it == FShaped.constEnd() || it->Font != painterFont) {
            if (FShaped.size() >= MaxLinesKept)
                FShaped.clear();
            it = FShaped.insert(text, {painterFont, shapedOnce(text, painterFont)});
        }
        if (it->Runs.empty())
            return false;
        for (const TShapedRun& run : it->Runs) {
            positions.resize(run.X.size());
            for (qsizetype k = 0; k < run.X.size(); ++k)
                positions[k] = QPointF(double(x + run.X[k]) / 64, y);
            sink.place(run.Font, run.Glyphs.constData(), positions.constData(), run.X.size());
        }
        return true;
    }

    QFont FFont;
    QFontMetricsF FFm;
    double FPxX;
    double FPxY;

private:
    // Device pixels in the text engine's 1/64 steps, truncated as it truncates.
    static qint64 steps(double px) { return static_cast<qint64>(px * 64); }

    // The glyphs of a figure text at (x steps, y) where the face adjusts no
    // pair of figures; false for any other text.
    bool figureGlyphs(const QString& text, const QFont& painterFont, qint64 x, double y,
                      QVarLengthArray<quint32, 64>& glyphs,
                      QVarLengthArray<QPointF, 64>& positions) const {
        if (FFiguresState == TFigures::Unknown)
            checkFigures();
        if (FFiguresState != TFigures::Summed)
            return false;
        if (!FRaw.isValid() || FRawFont != painterFont) {
            FRawFont = painterFont;
            FRaw = QRawFont::fromFont(painterFont);
            const QList<quint32> ids = FRaw.glyphIndexesForString(Figures.toString());
            if (ids.size() != Figures.size() || ids.contains(0u)) {
                FRaw = QRawFont();
                return false;
            }
            std::copy(ids.begin(), ids.end(), FGlyphs.begin());
        }
        for (const QChar c : text) {
            const qsizetype k = Figures.indexOf(c);
            if (k < 0)
                return false;
            glyphs.append(FGlyphs[size_t(k)]);
            positions.append(QPointF(double(x) / 64, y));
            x += steps(FAdvances[size_t(k)]);
        }
        return true;
    }

    // The glyphs of one font in a shaped line, x in 1/64 pixel steps from its
    // origin on the baseline.
    struct TShapedRun {
        QRawFont Font;
        QList<quint32> Glyphs;
        QList<qint64> X;
    };
    struct TShapedLine {
        QFont Font; // the painter's, which it was shaped in
        std::vector<TShapedRun> Runs;
    };

    // A line's glyph runs as drawText shapes it; none where it would not
    // stay one plain line.
    static std::vector<TShapedRun> shapedOnce(const QString& text, const QFont& painterFont) {
        QTextLayout layout(text, painterFont);
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        if (layout.lineCount() != 1 || line.textLength() != text.size())
            return {};
        std::vector<TShapedRun> runs;
        for (const QGlyphRun& run : layout.glyphRuns()) {
            if (!run.rawFont().isValid() || run.overline() || run.underline() || run.strikeOut())
                return {};
            TShapedRun& shaped = runs.emplace_back();
            shaped.Font = run.rawFont();
            shaped.Glyphs = run.glyphIndexes();
            for (const QPointF at : run.positions()) {
                if (at.y() != line.ascent())
                    return {};
                shaped.X.append(steps(at.x()));
            }
            if (shaped.X.size() != shaped.Glyphs.size())
                return {};
        }
        return runs;
    }

    double FAscent;
    double FDescent;
    double FLeading;

    // A set measures a few thousand texts and shapes a few hundred lines.
    static constexpr qsizetype MaxWidthsKept = 20'000;
    static constexpr qsizetype MaxLinesKept = 2'000;

    // The characters amounts, rates and years are written with.
    static constexpr QStringView Figures = u"0123456789.,-+% EUR";

    // The width of a text of figure characters alone, in device pixels, as
    // the sum of their advances. That is the shaped width exactly when the
    // font adjusts no pair of them (no kerning, no ligature). Such
    // adjustments belong to the face, not to a size, so each face is checked
    // once per run with one text holding every pair.
    bool figureWidth(const QString& text, double& wide) const {
        if (FFiguresState == TFigures::Unknown)
            checkFigures();
        if (FFiguresState != TFigures::Summed)
            return false;
        wide = 0;
        for (const QChar c : text) {
            const qsizetype k = Figures.indexOf(c);
            if (k < 0)
                return false;
            wide += FAdvances[size_t(k)];
        }
        return true;
    }

    void checkFigures() const {
        double sum = 0;
        for (qsizetype k = 0; k < Figures.size(); ++k) {
            FAdvances[size_t(k)] = FFm.horizontalAdvance(Figures[k]);
            sum += 2 * Figures.size() * FAdvances[size_t(k)];
        }
        static QMutex guard;
        static QHash<QString, bool> summable;
        const QString face = FFont.family() + QLatin1Char('/') + QString::number(FFont.weight()) +
                             QLatin1Char('/') + QString::number(int(FFont.style()));
        const QMutexLocker lock(&guard);
        auto it = summable.constFind(face);
        if (it == summable.constEnd()) {
            QString pairs;
            for (const QChar a : Figures)
                for (const QChar b : Figures)
                    pairs += a, pairs += b;
            it = summable.insert(face, FFm.horizontalAdvance(pairs) == sum);
        }
        FFiguresState = *it ? TFigures::Summed : TFigures::Shaped;
    }

    enum class TFigures { Unknown, Summed, Shaped };
    mutable TFigures FFiguresState = TFigures::Unknown;
    mutable std::array<double, Figures.size()> FAdvances{};
    mutable std::array<quint32, Figures.size()> FGlyphs{};
    mutable QRawFont FRaw;
    mutable QFont FRawFont;
    mutable QHash<QString, double> FWidths;
    mutable QHash<QString, TShapedLine> FShaped;
};

TTextMetricsCache::TTextMetricsCache() = default;
TTextMetricsCache::~TTextMetricsCache() = default;

TTextMetricsCache& TTextMetricsCache::ofThisThread() {
    thread_local TTextMetricsCache cache;
    thread_local bool registered = false;
    // The fonts it holds must go while the application still has its font
    // system, not when the main thread ends after it.
    if (!registered) {
        registered = true;
        const QCoreApplication* app = QCoreApplication::instance();
        if (app && QThread::currentThread() == app->thread())
            qAddPostRoutine([] { ofThisThread().FCache.clear(); });
    }
    return cache;
}

const TMeasure& TTextMetricsCache::get(const TReportItem& item, double size,
                                       const QPaintDevice* device) {
    const TKey key{device->logicalDpiX(), device->logicalDpiY(), item.Bold, item.Underline,
                   std::llround(size * 1000)};
    auto it = FCache.find(key);
    if (it == FCache.end())
        it = FCache.emplace(key, std::make_unique<TMeasure>(item, size, device)).first;
    return *it->second;
}

bool TTextMetricsCache::placeLine(const TFittedText& fit, qsizetype line, QPointF origin,
                                  const QPainter& painter, TGlyphSink& sink) {
    return get(*fit.Item, fit.FontSize, painter.device())
        .placeLine(fit.Lines[line], origin, painter.font(), sink);
}

namespace {

struct TFitContext {
    const QPaintDevice* Device;
    TTextMetricsCache& Cache;
    const TMeasure& measure(const TReportItem& item, double size) {
        return Cache.get(item, size, Device);
    }
};

constexpr double Epsilon = 1e-6;
// Sizes are tried in tenths of a point: fine enough for the eye, and few
// enough font sizes for the font cache.
constexpr double SizeStep = 0.1;

double quantize(double size) {
    return std::floor(size / SizeStep + Epsilon) * SizeStep;
}

// The largest size (at most the item's own, at least floor) at which the
// text is no wider than w. Most texts fit at their own size, which is tried
// first; otherwise the size follows from the width, which grows almost in
// proportion to it, and only rounding can cost a step more. Every size tried
// is a font to load, so few are.
double shrunkSize(const TReportItem& item, const QString& text, double w, TFitContext& ctx,
                  double floor, double largest = 0) {
    const double own = largest > 0 ? largest : item.FontSize;
    const double wide = ctx.measure(item, own).width(text);
    if (wide <= w + Epsilon)
        return own;
    double size = std::max(floor, std::min(own, quantize(own * w / wide)));
    while (size > floor + Epsilon && ctx.measure(item, size).width(text) > w + Epsilon)
        size = std::max(floor, quantize(size - SizeStep));
    return size;
}

// Splits text into a first line no wider than w, preferably after a blank or
// a hyphen, and the rest.
std::pair<QString, QString> splitLine(const TMeasure& m, const QString& text, double w) {
    qsizetype best = -1;
    for (qsizetype k = 1; k < text.size(); ++k) {
        const bool after = text[k - 1] == QLatin1Char('-') || text[k] == QLatin1Char(' ');
        if (!after)
            continue;
        if (m.width(text.left(k).trimmed()) > w + Epsilon)
            break;
        best = k;
    }
    if (best < 0) { // one long word: break it where the line is full
        best = 1;
        while (best < text.size() && m.width(text.left(best + 1)) <= w + Epsilon)
            ++best;
    }
    return {text.left(best).trimmed(), text.mid(best).trimmed()};
}

// The text broken into lines no wider than w (a word wider than a line is
// broken where the line is full).
QStringList brokenLines(const TMeasure& m, QString text, double w) {
    QStringList lines;
    while (m.width(text) > w + Epsilon && text.size() > 1) {
        auto [first, rest] = splitLine(m, text, w);
        lines << first;
        text = rest;
    }
    lines << text;
    return lines;
}

// The lines of a word-wrapped paragraph at the item's own size.
QStringList wrappedLines(const TReportItem& item, const TMeasure& m, const TFitContext& ctx,
                         double w) {
    QTextLayout layout(item.Caption, m.FFont, ctx.Device);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(w * m.FPxX);
        lines << item.Caption.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

struct TWork {
    TFittedText Fit;
    double BaselineOffset = 0; // first baseline below the top of the box
    double Pitch = 0;
    double Shift = 0; // moved down by the flow
    double Extra = 0; // taller than the box
};

// Where the first of n lines of the item's own size stands in its box, as a
// plain label draws it.
double ownBaseline(const TReportItem& item, const TMeasure& own, qsizetype n) {
    const double height = item.Rect.height();
    const double block = n * own.pitch();
    double yoff = 0;
    if (item.Alignment & Qt::AlignBottom)
        yoff = height - block;
    else if (item.Alignment & Qt::AlignVCenter)
        yoff = (height - block) / 2;
    return yoff + own.leading() + own.ascent();
}

// Font and line metrics of the fitted lines at the size m measures.
void uebernehmeMasse(TWork& work, const TMeasure& m) {
    TFittedText& fit = work.Fit;
    fit.Font = m.FFont;
    fit.Widths.clear();
    for (const QString& line : fit.Lines)
        fit.Widths.push_back(m.width(line));
    fit.Ascent = m.ascent();
    fit.Descent = m.descent();
    work.Pitch = m.pitch();
}

// A size group prints its one-line members at the size of the smallest.
bool inGroessengruppe(const TWork& work) {
    const TReportItem& item = *work.Fit.Item;
    return item.SizeGroup > 0 && work.Fit.Lines.size() == 1 && !item.WordWrap;
}

void fitItem(TWork& work, TFitContext& ctx) {
    const TReportItem& item = *work.Fit.Item;
    TFittedText& fit = work.Fit;
    const double w = std::max(0.0, item.Rect.width());
    const TMeasure& own = ctx.measure(item, item.FontSize);
    const QString& text = item.Caption;
    fit.FontSize = item.FontSize;

    if (item.WordWrap) {
        fit.Lines = wrappedLines(item, own, ctx, w);
    } else if (item.MaxLines >= 2) {
        fit.FontSize = shrunkSize(item, text, w, ctx, TextFit::WrapFontSize);
        if (ctx.measure(item, fit.FontSize).width(text) <= w + Epsilon) {
            fit.Lines = {text};
        } else {
            // More lines, at the largest size from the wrapping size down to
            // the smallest at which the text takes no more than MaxLines;
            // below that the end of the last line gives way.
            std::vector<double> sizes;
            for (double size = std::min(item.FontSize, TextFit::WrapFontSize);
                 size > TextFit::MinFontSize + Epsilon; size = quantize(size - 2 * SizeStep))
                sizes.push_back(size);
            sizes.push_back(TextFit::MinFontSize);
            auto fits = [&](size_t k) {
                return brokenLines(ctx.measure(item, sizes[k]), text, w).size() <= item.MaxLines;
            };
            // The first size that fits, searched rather than stepped to:
            // smaller sizes never need more lines.
            size_t lo = 0;
            size_t hi = sizes.size() - 1;
            if (!fits(lo)) {
                while (hi - lo > 1) {
                    const size_t mid = (lo + hi) / 2;
                    (fits(mid) ? hi : lo) = mid;
                }
                lo = hi;
            }
            fit.FontSize = sizes[lo];
            const TMeasure& m = ctx.measure(item, fit.FontSize);
            fit.Lines = brokenLines(m, text, w);
            if (fit.Lines.size() > item.MaxLines) {
                QStringList kept = fit.Lines.mid(0, item.MaxLines - 1);
                kept << m.elided(fit.Lines.mid(item.MaxLines - 1).join(QLatin1Char(' ')), w);
                fit.Lines = kept;
                fit.Elided = true;
            }
        }
    } else if (item.Grid > 0) {
        // Sized with the whole grid (fitGrid).
        fit.Lines = {text};
    } else {
        const double floor = item.Amount ? TextFit::AmountFloor : TextFit::MinFontSize;
        fit.FontSize = shrunkSize(item, text, w, ctx, floor);
        if (!item.SizeFrom.isEmpty())
            fit.FontSize = std::min(fit.FontSize, shrunkSize(item, item.SizeFrom, w, ctx, floor));
        fit.Lines = {text};
        const double wide = ctx.measure(item, fit.FontSize).width(text);
        if (wide > w + Epsilon) {
            if (item.Amount) {
                // Every digit stays: the box takes the room on its free side.
                const double grow = std::min(item.GrowRoom, wide - w);
                if (item.Alignment & Qt::AlignRight)
                    fit.Rect.setLeft(fit.Rect.left() - grow);
                else if (item.Alignment & Qt::AlignHCenter)
                    fit.Rect.adjust(-grow / 2, 0, grow / 2, 0);
                else
                    fit.Rect.setRight(fit.Rect.right() + grow);
            } else {
                fit.Lines = {ctx.measure(item, fit.FontSize).elided(text, w)};
                fit.Elided = true;
            }
        }
    }
    fit.Shrunk = fit.FontSize < item.FontSize - Epsilon;

    const TMeasure& m = ctx.measure(item, fit.FontSize);
    uebernehmeMasse(work, m);
    // A shrunk line keeps the baseline the text has at its own size. Two
    // lines of a smaller size start at the top of the box: stacked lines
    // (the adviser block) then need the least room.
    if (item.WordWrap)
        work.BaselineOffset = ownBaseline(item, own, fit.Lines.size());
    else if (fit.Lines.size() > 1)
        work.BaselineOffset = m.leading() + m.ascent();
    else
        work.BaselineOffset = ownBaseline(item, own, 1);
}

// Where the widest line of a fitted text ends; far left when it has none.
double inkRight(const TFittedText& fit) {
    double right = -1e9;
    const Qt::Alignment align = fit.Item->Alignment;
    for (const double wide : fit.Widths) {
        if (align & Qt::AlignRight)
            right = std::max(right, fit.Rect.right());
        else if (align & Qt::AlignHCenter)
            right = std::max(right, fit.Rect.center().x() + wide / 2);
        else
            right = std::max(right, fit.Rect.left() + wide);
    }
    return right;
}

// One grid: the cells of a table of right-aligned columns of one pitch.
// Widening first: a text too wide for its cell moves the columns apart and,
// all together, left into the room before the first column, as far as the
// caption of each row allows. Only when that room is used up does the table
// print smaller, at one size for all its cells, never below the floor.
void fitGrid(std::vector<TWork*>& cells, const std::vector<TWork>& works,
             const QHash<QString, size_t>& byName, TFitContext& ctx) {
    struct TCell {
        TWork* Work;
        size_t Column = 0;
        double LeftLimit; // the ink of column 0 keeps right of it
    };
    std::vector<double> rights;
    for (const TWork* c : cells)
        rights.push_back(c->Fit.Item->Rect.right());
    std::sort(rights.begin(), rights.end());
    rights.erase(std::unique(rights.begin(), rights.end(),
                             [](double a, double b) { return std::abs(a - b) < 0.01; }),
                 rights.end());
    const size_t n = rights.size();
    const double right = rights.back();

    std::vector<TCell> sized;
    std::vector<TCell> own;
    double ownSize = 0;
    double cellWidth = 0;
    bool amounts = false;
    for (TWork* c : cells) {
        const TReportItem& item = *c->Fit.Item;
        TCell cell{c, 0, -1e9};
        while (cell.Column + 1 < n && item.Rect.right() > rights[cell.Column] + 0.01)
            ++cell.Column;
        const auto caption = byName.find(item.BaselineOf);
        if (caption != byName.end())
            cell.LeftLimit = inkRight(works[*caption].Fit);
        if (item.OwnSize) {
            own.push_back(cell);
            continue;
        }
        sized.push_back(cell);
        ownSize = std::max(ownSize, item.FontSize);
        cellWidth = std::max(cellWidth, item.Rect.width());
        amounts = amounts || item.Amount;
    }
    const double pitch0 = n >= 2 ? rights[1] - rights[0] : cellWidth;
    const double gap = std::max(0.0, pitch0 - cellWidth);
    const double floor = amounts ? TextFit::AmountFloor : TextFit::MinFontSize;

    // Where the text of a cell of the first column may begin: after its
    // caption, or in its cell when it has none.
    auto leftLimit = [&](const TCell& c, double right0, double pitch) {
        return c.LeftLimit > -1e8 ? c.LeftLimit + gap : right0 - (pitch - gap);
    };
    // The pitch the widths need at a size, or 0 when the first column would
    // run into a caption.
    auto pitchFor = [&](const std::function<double(const TCell&)>& width) {
        double pitch = pitch0;
        for (const TCell& c : sized)
            if (c.Column > 0)
                pitch = std::max(pitch, width(c) + gap);
        const double right0 = right - double(n - 1) * pitch;
        for (const TCell& c : sized)
            if (c.Column == 0 && right0 - width(c) < leftLimit(c, right0, pitch) - Epsilon)
                return 0.0;
        return pitch;
    };
    auto measured = [&](double size) {
        return [&ctx, size](const TCell& c) {
            return ctx.measure(*c.Work->Fit.Item, size).width(c.Work->Fit.Item->Caption);
        };
    };

    double size = ownSize;
    if (!sized.empty() && pitchFor(measured(size)) == 0.0) {
        // Widths at other sizes follow those at the own size almost in
        // proportion: the estimate needs no font; the sizes near it are
        // measured.
        const auto scaled = [&](double s) {
            return [&ctx, s, ownSize](const TCell& c) {
                const TReportItem& item = *c.Work->Fit.Item;
                return ctx.measure(item, ownSize).width(item.Caption) * s / ownSize;
            };
        };
        double lo = floor;
        double hi = ownSize;
        while (hi - lo > SizeStep / 2) {
            const double mid = (lo + hi) / 2;
            (pitchFor(scaled(mid)) > 0.0 ? lo : hi) = mid;
        }
        size = std::max(floor, quantize(lo));
        while (size > floor + Epsilon && pitchFor(measured(size)) == 0.0)
            size = std::max(floor, quantize(size - SizeStep));
    }
    // Should even the floor not do, the columns still take the widths.
    double pitch = pitchFor(measured(size));
    if (pitch == 0.0) {
        pitch = pitch0;
        for (const TCell& c : sized)
            if (c.Column > 0)
                pitch = std::max(pitch, measured(size)(c) + gap);
    }

    auto place = [&](const TCell& c, double width) {
        TFittedText& fit = c.Work->Fit;
        const double cellRight = right - double(n - 1 - c.Column) * pitch;
        fit.Rect.setRight(cellRight);
        fit.Rect.setLeft(cellRight - std::max(pitch - gap, width));
    };
    for (const TCell& c : sized) {
        const TReportItem& item = *c.Work->Fit.Item;
        c.Work->Fit.FontSize = size;
        c.Work->Fit.Shrunk = size < item.FontSize - Epsilon;
        uebernehmeMasse(*c.Work, ctx.measure(item, size));
        place(c, c.Work->Fit.Widths.front());
    }
    // A cell of its own size (a text among the amounts) takes its column's
    // place and the room up to its caption, and is no larger than the table.
    for (const TCell& c : own) {
        const TReportItem& item = *c.Work->Fit.Item;
        TFittedText& fit = c.Work->Fit;
        const double cellRight = right - double(n - 1 - c.Column) * pitch;
        const double room = cellRight - (c.Column == 0 ? leftLimit(c, cellRight, pitch)
                                                       : cellRight - (pitch - gap));
        const double floorOwn = item.Amount ? TextFit::AmountFloor : TextFit::MinFontSize;
        fit.FontSize = shrunkSize(item, item.Caption, room, ctx, std::min(floorOwn, size),
                                  std::min(item.FontSize, size));
        fit.Shrunk = fit.FontSize < item.FontSize - Epsilon;
        const TMeasure& m = ctx.measure(item, fit.FontSize);
        if (!item.Amount && m.width(item.Caption) > room + Epsilon) {
            fit.Lines = {m.elided(item.Caption, room)};
            fit.Elided = true;
        }
        uebernehmeMasse(*c.Work, m);
        fit.Rect.setRight(cellRight);
        fit.Rect.setLeft(cellRight - std::max(room, fit.Widths.front()));
    }
}

double neededHeight(const TWork& work) {
    const qsizetype n = work.Fit.Lines.size();
    return n == 0 ? 0.0 : work.BaselineOffset + (n - 1) * work.Pitch + work.Fit.Descent;
}

} // namespace

QFont ReportFont(const TReportItem& item, double size) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(size);
    font.setBold(item.Bold);
    font.setUnderline(item.Underline);
    return font;
}

QRectF TFittedText::lineBox(qsizetype k) const {
    const QPointF o = Origins[static_cast<size_t>(k)];
    return {o.x(), o.y() - Ascent, Widths[static_cast<size_t>(k)], Ascent + Descent};
}

QRectF TFittedText::inkBox() const {
    QRectF box;
    for (qsizetype k = 0; k < Lines.size(); ++k)
        box = box.isNull() ? lineBox(k) : box.united(lineBox(k));
    return box;
}

std::vector<TFittedText> FitBand(const TReportBand& band, const QPaintDevice* device,
                                 TTextMetricsCache* cache) {
    TTextMetricsCache own;
    TFitContext ctx{device, cache ? *cache : own};
    std::vector<TWork> works;
    QHash<QString, size_t> byName;
    for (const TReportItem& item : band.Items) {
        if (!item.Enabled)
            continue;
        TWork& work = works.emplace_back();
        work.Fit.Item = &item;
        work.Fit.Rect = item.Rect;
        byName.insert(item.Name, works.size() - 1);
        if (item.Kind == TItemKind::Label && !item.Caption.isEmpty())
            fitItem(work, ctx);
    }

    std::map<int, std::vector<TWork*>> grids;
    for (TWork& work : works)
        if (work.Fit.Item->Grid > 0 && !work.Fit.Lines.isEmpty())
            grids[work.Fit.Item->Grid].push_back(&work);
    for (auto& [grid, cells] : grids)
        fitGrid(cells, works, byName, ctx);

    QHash<int, double> groupSize;
    for (const TWork& work : works) {
        if (!inGroessengruppe(work))
            continue;
        const int gruppe = work.Fit.Item->SizeGroup;
        auto it = groupSize.find(gruppe);
        if (it == groupSize.end() || work.Fit.FontSize < *it)
            groupSize.insert(gruppe, work.Fit.FontSize);
    }
    for (TWork& work : works) {
        if (!inGroessengruppe(work))
            continue;
        const TReportItem& item = *work.Fit.Item;
        const double size = groupSize.value(item.SizeGroup, work.Fit.FontSize);
        if (size >= work.Fit.FontSize - Epsilon)
            continue;
        work.Fit.FontSize = size;
        work.Fit.Shrunk = true;
        uebernehmeMasse(work, ctx.measure(item, size));
    }

    // Values stand on the last line of their caption, whatever their size.
    for (TWork& work : works) {
        const TReportItem& item = *work.Fit.Item;
        if (item.BaselineOf.isEmpty() || work.Fit.Lines.isEmpty())
            continue;
        const auto ref = byName.find(item.BaselineOf);
        if (ref == byName.end())
            continue;
        const TWork& caption = works[*ref];
        const qsizetype n = caption.Fit.Lines.size();
        if (n == 0)
            continue;
        work.BaselineOffset = caption.Fit.Item->Rect.top() + caption.BaselineOffset +
                              (n - 1) * caption.Pitch - item.Rect.top();
    }
    for (TWork& work : works)
        work.Extra = std::max(0.0, neededHeight(work) - work.Fit.Item->Rect.height());

    // An item that grew pushes the items of its group below it down, only as
    // far as needed to keep clear of it.
    std::vector<TWork*> flow;
    for (TWork& work : works)
        if (work.Fit.Item->FlowGroup > 0)
            flow.push_back(&work);
    std::stable_sort(flow.begin(), flow.end(), [](const TWork* a, const TWork* b) {
        return a->Fit.Item->Rect.top() < b->Fit.Item->Rect.top();
    });
    for (size_t k = 0; k < flow.size(); ++k) {
        const TReportItem& below = *flow[k]->Fit.Item;
        for (size_t j = 0; j < k; ++j) {
            const TReportItem& above = *flow[j]->Fit.Item;
            if (above.FlowGroup != below.FlowGroup ||
                above.Rect.bottom() > below.Rect.top() + Epsilon)
                continue;
            const double bottom = above.Rect.bottom() + flow[j]->Shift + flow[j]->Extra;
            flow[k]->Shift = std::max(flow[k]->Shift, bottom - below.Rect.top());
        }
    }

    for (TWork& work : works) {
        TFittedText& fit = work.Fit;
        fit.Rect.translate(0, work.Shift);
        fit.Rect.setHeight(fit.Rect.height() + work.Extra);
        const Qt::Alignment align = fit.Item->Alignment;
        for (qsizetype k = 0; k < fit.Lines.size(); ++k) {
            const double wide = fit.Widths[static_cast<size_t>(k)];
            double x = fit.Rect.left();
            if (align & Qt::AlignRight)
                x = fit.Rect.right() - wide;
            else if (align & Qt::AlignHCenter)
                x = fit.Rect.center().x() - wide / 2;
            fit.Origins.emplace_back(x, fit.Rect.top() + work.BaselineOffset + k * work.Pitch);
        }
    }

    // "Seite n" ends where " von m" begins.
    for (TWork& work : works) {
        TFittedText& fit = work.Fit;
        const auto ref = byName.find(fit.Item->EndsBefore);
        if (fit.Item->EndsBefore.isEmpty() || ref == byName.end() || fit.Lines.isEmpty() ||
            works[*ref].Fit.Origins.empty())
            continue;
        const double right = works[*ref].Fit.Origins.front().x() - fit.Item->EndsBeforeGap;
        const double dx = right - fit.Rect.right();
        fit.Rect.translate(dx, 0);
        for (QPointF& o : fit.Origins)
            o.rx() += dx;
    }

    std::vector<TFittedText> result;
    result.reserve(works.size());
    for (TWork& work : works)
        result.push_back(std::move(work.Fit));
    return result;
}

} // namespace orvanta::reports
