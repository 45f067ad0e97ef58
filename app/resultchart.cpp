#include "app/resultchart.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>

#include <cmath>

namespace orvanta {

namespace {
QFont ArialPx(int px, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}
} // namespace

QColor TResultChart::PaletteColor(int i) {
    static const QColor palette[] = {QColor(255, 39, 13), QColor(0, 128, 0), QColor(255, 255, 0),
                                     QColor(0, 0, 255)};
    return palette[i % 4];
}

TAxisScale YearAxisScale(double xMax) {
    const double top = xMax >= 1 ? xMax : 1;
    return {0, top, top > 50 ? 10.0 : top > 20 ? 5.0 : top > 10 ? 2.0 : 1.0};
}

TAxisScale ValueAxisScale(double yMin, double yMax) {
    const double top = yMax > yMin ? yMax : yMin + 1;
    const double raw = (top - yMin) / 5;
    double interval = 1;
    if (raw > 1) {
        const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
        const double step = raw / magnitude < 2 ? 2 : raw / magnitude < 5 ? 5 : 10;
        interval = step * magnitude;
    }
    return {yMin, top, interval};
}

// The view is built on its own chart: QChartView(parent) would make a default
// chart that setChart() only releases, never deletes.
TResultChart::TResultChart(QWidget* parent) : QChartView(new QChart, parent), FChart(chart()) {
    setRenderHint(QPainter::Antialiasing);
    FChart->setAnimationOptions(QChart::NoAnimation);
    FChart->setBackgroundRoundness(0);
    FChart->setMargins(QMargins(4, 4, 10, 4)); // right margin 10 pixels
    FChart->setTitleFont(ArialPx(12, true));
    FChart->setTitleBrush(Qt::black);
    // Axis labels with the regional thousands separator.
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::German, QLocale::Germany);
    FChart->setLocale(locale);
    FChart->setLocalizeNumbers(true);

    const QString titles[3] = {QStringLiteral("VALMERA 47"), QStringLiteral("FRV"),
                               QStringLiteral("Summe der Einzahlungen")};
    const QColor colours[3] = {PaletteColor(0), Qt::blue, Qt::black};
    FAxisX = new QValueAxis;
    FAxisX->setTitleText(QStringLiteral("Jahre"));
    FAxisX->setTitleFont(ArialPx(11, true));
    FAxisX->setLabelFormat(QStringLiteral("%.0f"));
    FAxisX->setLabelsFont(ArialPx(10));
    FAxisX->setMin(0);
    FAxisY = new QValueAxis;
    FAxisY->setTitleVisible(false);
    FAxisY->setLabelFormat(QStringLiteral("%.0f"));
    FAxisY->setLabelsFont(ArialPx(10));
    FAxisY->setMin(0);
    FChart->addAxis(FAxisX, Qt::AlignBottom);
    FChart->addAxis(FAxisY, Qt::AlignLeft);
    for (int i = 0; i < 3; ++i) {
        FSeries[i] = new QLineSeries(FChart);
        FSeries[i]->setName(titles[i]);
        QPen pen(colours[i]);
        pen.setWidth(3);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        FSeries[i]->setPen(pen);
        FSeries[i]->setPointsVisible(false);
        FChart->addSeries(FSeries[i]);
        FSeries[i]->attachAxis(FAxisX);
        FSeries[i]->attachAxis(FAxisY);
    }

    QLegend* legend = FChart->legend();
    legend->setAlignment(Qt::AlignBottom);
    legend->setFont(ArialPx(9));
    legend->setMarkerShape(QLegend::MarkerShapeRectangle);
    legend->setShowToolTips(false);
    legend->setBackgroundVisible(false);
    legend->setBorderColor(Qt::transparent);
}

void TResultChart::ShowData(const TChartData& data) {
    FChart->setTitle(QString::fromStdString(data.Title));
    FSeries[2]->setName(QString::fromStdString(data.Series2Title));
    for (int i = 0; i < 3; ++i) {
        QList<QPointF> points;
        points.reserve(static_cast<qsizetype>(data.Series[i].size()));
        for (const TChartPoint& p : data.Series[i])
            points.append(QPointF(p.X, p.Y));
        FSeries[i]->replace(points);
    }
    FSeries[1]->setVisible(data.FRVVisible);
    // A hidden series keeps its legend entry out as well.
    const auto markers = FChart->legend()->markers(FSeries[1]);
    for (QLegendMarker* m : markers)
        m->setVisible(data.FRVVisible);
    ApplyScale(FAxisX, YearAxisScale(data.XMax));
    ApplyScale(FAxisY, ValueAxisScale(data.YMin, data.YMax));
}

void TResultChart::ApplyScale(QValueAxis* axis, const TAxisScale& scale) {
    // Every setter lays the axis out at once. With dynamic ticks, a new range
    // under the old interval (or the reverse) would create one label per old
    // interval across the new range: millions for 100 -> 10.000.000 EUR. A
    // fixed count of ticks while range and interval change keeps each step
    // cheap; the dynamic ticks come back when both fit together.
    if (axis->tickType() != QValueAxis::TicksFixed)
        axis->setTickType(QValueAxis::TicksFixed);
    axis->setRange(scale.Min, scale.Max);
    axis->setTickAnchor(scale.Min);
    axis->setTickInterval(scale.Interval);
    axis->setTickType(QValueAxis::TicksDynamic);
}

} // namespace orvanta
