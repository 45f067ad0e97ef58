#pragma once
// Where and how large the texts of a placed band are printed.
//
// Every label's text is measured with the metrics of the device it is
// painted on, so that what is decided to fit also fits on the paper. A
// single-line text that is too wide shrinks by measurement down to
// MinFontSize, an amount only down to AmountFloor, and a column of amounts
// at the size its widest text needs (SizeFrom); an amount is never shortened
// but widens its box into the room its label grants. The cells of a grid
// widen their columns into free room first and shrink last, all at one size.
// Names and adviser lines wrap onto up to MaxLines lines when one line would
// need less than WrapFontSize. Only a text that is not an amount is elided,
// and only when even the smallest size does not hold it.

#include "reports/reportengine.h"

#include <QFont>
#include <QStringList>

#include <map>
#include <memory>
#include <tuple>
#include <vector>

class QPaintDevice;
class QPainter;
class QRawFont;

namespace orvanta::reports {

namespace TextFit {
inline constexpr double MinFontSize = 6.0;  // pt
inline constexpr double AmountFloor = 7.0;  // pt: amounts stay readable on paper
inline constexpr double WrapFontSize = 8.0; // pt
} // namespace TextFit

QFont ReportFont(const TReportItem& item, double size);

class TMeasure;
struct TFittedText;

// Takes the glyphs of printed lines: glyphs of one font and where they lie
// on the device, in pixels that are whole 1/64 steps.
class TGlyphSink {
public:
    virtual void place(const QRawFont& font, const quint32* glyphs, const QPointF* positions,
                       qsizetype count) = 0;

protected:
    ~TGlyphSink() = default;
};

// Font metrics by resolution, style and size. A set lays out thousands of
// labels in a handful of fonts, and resolving a font and measuring its texts
// are the expensive part: painters share one cache per thread (fonts belong
// to a thread), so the preview, the PDF and the next set measure each text
// once.
class TTextMetricsCache {
public:
    TTextMetricsCache();
    ~TTextMetricsCache();
    TTextMetricsCache(const TTextMetricsCache&) = delete;
    TTextMetricsCache& operator=(const TTextMetricsCache&) = delete;

    static TTextMetricsCache& ofThisThread();

    const TMeasure& get(const TReportItem& item, double size, const QPaintDevice* device);

    // Hands line `line` of a fitted text to sink as
    // painter.drawText(origin, line) would place its glyphs; false, with
    // nothing placed, where only drawing it as text will do (underlined).
    bool placeLine(const TFittedText& fit, qsizetype line, QPointF origin, const QPainter& painter,
                   TGlyphSink& sink);

private:
    using TKey = std::tuple<int, int, bool, bool, long long>;
    std::map<TKey, std::unique_ptr<TMeasure>> FCache;
};

// One label's text as it is printed, in millimetres relative to the band.
struct TFittedText {
    const TReportItem* Item = nullptr;
    QRectF Rect; // the label's box, after widening and moving down
    double FontSize = 0;
    QFont Font; // of FontSize, shared with the metrics cache
    QStringList Lines;
    std::vector<QPointF> Origins; // left end of each line on its baseline
    std::vector<double> Widths;   // advance of each line
    double Ascent = 0;            // of the printed size
    double Descent = 0;
    bool Elided = false;
    bool Shrunk = false;

    // The box the glyphs of line k take.
    QRectF lineBox(qsizetype k) const;
    // Union of the line boxes.
    QRectF inkBox() const;
};

// Fits every enabled label with a text in the band; pictures and empty
// labels (stripes, rules) only move with their flow group. The result holds
// one entry per enabled item, in band order; FontSize is 0 for items that
// print no text.
std::vector<TFittedText> FitBand(const TReportBand& band, const QPaintDevice* device,
                                 TTextMetricsCache* cache = nullptr);

} // namespace orvanta::reports
