#pragma once
// The chart Chart4 of the result area: three line series over the years of the
// accumulation or withdrawal phase for one scenario.

#include "app/displaydata.h"

#include <QChartView>

class QChart;
class QLineSeries;
class QValueAxis;

namespace orvanta {

class TResultChart : public QChartView {
    Q_OBJECT
public:
    explicit TResultChart(QWidget* parent = nullptr);

    // Replaces the points, titles and axis ranges.
    void Anzeigen(const TChartData& data);

    QChart* Chart() const { return FChart; }
    QLineSeries* Series(int i) const { return FSeries[i]; }
    QValueAxis* AxisX() const { return FAxisX; }
    QValueAxis* AxisY() const { return FAxisY; }

    // The chart's palette; series 0 takes its first colour.
    static QColor PaletteColor(int i);

private:
    QChart* FChart;
    QLineSeries* FSeries[3];
    QValueAxis* FAxisX;
    QValueAxis* FAxisY;
};

} // namespace orvanta
