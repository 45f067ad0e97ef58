#pragma once
// The chart Chart4 of the result area: three line series over the years of the
// accumulation or withdrawal phase for one scenario.

#include "app/displaydata.h"

#include <QChartView>

class QChart;
class QLineSeries;
class QValueAxis;

namespace orvanta {

// Where an axis runs and how far apart its labelled ticks stand. The labels
// show whole numbers, so ticks are at least 1 apart; the interval grows with
// the span, so that an axis never carries more than a dozen labels.
struct TAxisScale {
    double Min;
    double Max;
    double Interval;
};
// Bottom axis: 0 to the last year (at least 1), ticks every 1, 2 or 5 years.
TAxisScale YearAxisScale(double xMax);
// Left axis: min to max exactly as computed (max at least min + 1), ticks on
// round numbers (1, 2 or 5 times a power of ten).
TAxisScale ValueAxisScale(double yMin, double yMax);

class TResultChart : public QChartView {
    Q_OBJECT
public:
    explicit TResultChart(QWidget* parent = nullptr);

    // Replaces the points, titles and axis ranges.
    void ShowData(const TChartData& data);

    QChart* Chart() const { return FChart; }
    QLineSeries* Series(int i) const { return FSeries[i]; }
    QValueAxis* AxisX() const { return FAxisX; }
    QValueAxis* AxisY() const { return FAxisY; }

    // The chart's palette; series 0 takes its first colour.
    static QColor PaletteColor(int i);

private:
    static void ApplyScale(QValueAxis* axis, const TAxisScale& scale);

    QChart* FChart;
    QLineSeries* FSeries[3];
    QValueAxis* FAxisX;
    QValueAxis* FAxisY;
};

} // namespace orvanta
