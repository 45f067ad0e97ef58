#include "reports/textfit.h"

#include <QFontMetricsF>
#include <QHash>
#include <QMutex>
#include <QPaintDevice>
#include <QTextLayout>

#include <algorithm>
#include <array>
#include <cmath>

namespace orvanta::reports {

// Font metrics of one style at one size, in millimetres.
class TMeasure {
public:
    TMeasure(const TReportItem& item, double size, const QPaintDevice* device)
        : Font(ReportFont(item, size)), Fm(Font, device), PxX(device->logicalDpiX() / 25.4),
          PxY(device->logicalDpiY() / 25.4) {}

    // Shaping a text is the costly step of the fitting: each text is shaped
    // once per size, however often a size is tried or its lines are placed,
    // and figures are not shaped at all where adding up the advances of their
    // characters gives the same width (see figureWidth).
    double width(const QString& text) const {
        auto it = Widths.constFind(text);
        if (it == Widths.constEnd()) {
            double wide = 0;
            if (!figureWidth(text, wide))
                wide = Fm.horizontalAdvance(text);
            it = Widths.insert(text, wide / PxX);
        }
        return *it;
    }
    double ascent() const { return Fm.ascent() / PxY; }
    double descent() const { return Fm.descent() / PxY; }
    double leading() const { return std::max(0.0, Fm.leading() / PxY); }
    double pitch() const { return leading() + ascent() + descent(); }
    QString elided(const QString& text, double widthMm) const {
        return Fm.elidedText(text, Qt::ElideRight, widthMm * PxX);
    }

    QFont Font;
    QFontMetricsF Fm;
    double PxX;
    double PxY;

private:
    // The characters amounts, rates and years are written with.
    static constexpr QStringView Figures = u"0123456789.,-+% EUR";

    // The width of a text of figure characters alone, in device pixels, as
    // the sum of their advances. That is the shaped width exactly when the
    // font adjusts no pair of them (no kerning, no ligature). Such
    // adjustments belong to the face, not to a size, so each face is checked
    // once per run with one text holding every pair.
    bool figureWidth(const QString& text, double& wide) const {
        if (FiguresState == TFigures::Unknown)
            checkFigures();
        if (FiguresState != TFigures::Summed)
            return false;
        wide = 0;
        for (const QChar c : text) {
            const qsizetype k = Figures.indexOf(c);
            if (k < 0)
                return false;
            wide += Advances[size_t(k)];
        }
        return true;
    }

    void checkFigures() const {
        double sum = 0;
        for (qsizetype k = 0; k < Figures.size(); ++k) {
            Advances[size_t(k)] = Fm.horizontalAdvance(Figures[k]);
            sum += 2 * Figures.size() * Advances[size_t(k)];
        }
        static QMutex guard;
        static QHash<QString, bool> summable;
        const QString face = Font.family() + QLatin1Char('/') +
                             QString::number(Font.weight()) + QLatin1Char('/') +
                             QString::number(int(Font.style()));
        const QMutexLocker lock(&guard);
        auto it = summable.constFind(face);
        if (it == summable.constEnd()) {
            QString pairs;
            for (const QChar a : Figures)
                for (const QChar b : Figures)
                    pairs += a, pairs += b;
            it = summable.insert(face, Fm.horizontalAdvance(pairs) == sum);
        }
        FiguresState = *it ? TFigures::Summed : TFigures::Shaped;
    }

    enum class TFigures { Unknown, Summed, Shaped };
    mutable TFigures FiguresState = TFigures::Unknown;
    mutable std::array<double, Figures.size()> Advances{};
    mutable QHash<QString, double> Widths;
};

TTextMetricsCache::TTextMetricsCache() = default;
TTextMetricsCache::~TTextMetricsCache() = default;

const TMeasure& TTextMetricsCache::get(const TReportItem& item, double size,
                                       const QPaintDevice* device) {
    const TKey key{device->logicalDpiX(), device->logicalDpiY(), item.Bold, item.Underline,
                   std::llround(size * 1000)};
    auto it = Cache.find(key);
    if (it == Cache.end())
        it = Cache.emplace(key, std::make_unique<TMeasure>(item, size, device)).first;
    return *it->second;
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
// text is no wider than w.
double shrunkSize(const TReportItem& item, const QString& text, double w, TFitContext& ctx,
                  double floor) {
    const double own = item.FontSize;
    const double wide = ctx.measure(item, own).width(text);
    if (wide <= w + Epsilon)
        return own;
    // Widths grow almost in proportion to the size; hinting and rounding make
    // up the rest, which the measured steps below take care of.
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

// The lines of a word-wrapped paragraph at the item's own size.
QStringList wrappedLines(const TReportItem& item, const TMeasure& m, const TFitContext& ctx,
                         double w) {
    QTextLayout layout(item.Caption, m.Font, ctx.Device);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(w * m.PxX);
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
    fit.Font = m.Font;
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
            // Two lines, from the wrapping size down to the smallest; below
            // that the end of the second line gives way.
            for (double size = std::min(item.FontSize, TextFit::WrapFontSize);;
                 size = std::max(TextFit::MinFontSize, quantize(size - 2 * SizeStep))) {
                const TMeasure& m = ctx.measure(item, size);
                auto [first, rest] = splitLine(m, text, w);
                fit.FontSize = size;
                if (m.width(rest) <= w + Epsilon) {
                    fit.Lines = {first, rest};
                    break;
                }
                if (size <= TextFit::MinFontSize + Epsilon) {
                    fit.Lines = {first, m.elided(rest, w)};
                    fit.Elided = true;
                    break;
                }
            }
        }
    } else {
        fit.FontSize = shrunkSize(item, text, w, ctx, TextFit::MinFontSize);
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
