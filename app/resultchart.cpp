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

TResultChart::TResultChart(QWidget* parent) : QChartView(parent), FChart(new QChart) {
    setRenderHint(QPainter::Antialiasing);
    setChart(FChart);
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

void TResultChart::Anzeigen(const TChartData& data) {
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
    FAxisX->setRange(0, data.XMax > 0 ? data.XMax : 1);
    FAxisX->setTickType(QValueAxis::TicksDynamic);
    FAxisX->setTickAnchor(0);
    FAxisX->setTickInterval(data.XMax > 20 ? 5 : data.XMax > 10 ? 2 : 1);
    const double top = data.YMax > data.YMin ? data.YMax : data.YMin + 1;
    FAxisY->setRange(data.YMin, top);
    // Ticks on round numbers, the range itself exactly as computed.
    const double raw = (top - data.YMin) / 5;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double step = raw / magnitude < 2 ? 2 : raw / magnitude < 5 ? 5 : 10;
    FAxisY->setTickType(QValueAxis::TicksDynamic);
    FAxisY->setTickAnchor(0);
    FAxisY->setTickInterval(step * magnitude);
}

} // namespace orvanta
