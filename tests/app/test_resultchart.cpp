// The result chart on its own: axis scales for any figure the window accepts,
// and refreshes that jump by orders of magnitude without ever laying out an
// axis with the previous refresh's ticks across the new range.

#include "app/resultchart.h"
#include "core/formatsettings.h"

#include <QChart>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QValueAxis>
#include <QtTest>

#include <algorithm>

using namespace orvanta;

namespace {

// A chart table of n+1 years rising linearly to top.
TChartData Rising(int years, double top) {
    TChartData d;
    d.Title = "Vermögensaufbau in der Einzahlungsphase (Wertentwicklung 6%)";
    d.Series2Title = "Anlagebetrag";
    for (int i = 0; i <= years; ++i) {
        const double y = years == 0 ? top : top * i / years;
        d.Series[0].push_back({double(i), y});
        d.Series[1].push_back({double(i), 0});
        d.Series[2].push_back({double(i), y / 2});
    }
    d.XMax = years;
    d.YMin = 0;
    d.YMax = top + top * 0.01;
    return d;
}

// Ticks an axis would lay out in its current state.
double TickCount(const QValueAxis* axis) {
    if (axis->tickType() == QValueAxis::TicksFixed)
        return axis->tickCount();
    return (axis->max() - axis->min()) / axis->tickInterval();
}

// Records the most ticks an axis ever had to lay out, after every change of
// its range, tick type, anchor or interval.
class TTickWatch {
public:
    explicit TTickWatch(QValueAxis* axis) : FAxis(axis) {
        auto check = [this] { Most = std::max(Most, TickCount(FAxis)); };
        QObject::connect(axis, &QValueAxis::rangeChanged, axis, check);
        QObject::connect(axis, &QValueAxis::tickIntervalChanged, axis, check);
        QObject::connect(axis, &QValueAxis::tickTypeChanged, axis, check);
        QObject::connect(axis, &QValueAxis::tickAnchorChanged, axis, check);
    }
    double Most = 0;

private:
    QValueAxis* FAxis;
};

} // namespace

class TestResultChart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetFormatSettings(TFormatSettings{',', '.'}); }
    void valueAxisScale_data();
    void valueAxisScale();
    void yearAxisScale();
    void refreshesNeverLayOutStaleTicks_data();
    void refreshesNeverLayOutStaleTicks();
    void allZeroShowsDistinctLabels();
};

void TestResultChart::valueAxisScale_data() {
    QTest::addColumn<double>("yMax");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("interval");
    QTest::newRow("all zero") << 0.0 << 1.0 << 1.0;
    QTest::newRow("below one euro") << 0.5 << 0.5 << 1.0;
    QTest::newRow("250.000 plus 1 %") << 252500.0 << 252500.0 << 100000.0;
    QTest::newRow("small plan") << 101.0 << 101.0 << 50.0;
    QTest::newRow("largest amount") << 10.1e6 * 30 << 10.1e6 * 30 << 100e6;
    QTest::newRow("twelve digits") << 999999999999.99 << 999999999999.99 << 200e9;
}

void TestResultChart::valueAxisScale() {
    QFETCH(double, yMax);
    QFETCH(double, top);
    QFETCH(double, interval);
    const TAxisScale s = ValueAxisScale(0, yMax);
    QCOMPARE(s.Min, 0.0);
    QCOMPARE(s.Max, top);
    QCOMPARE(s.Interval, interval);
    // A handful of labels, never a crowd.
    QVERIFY((s.Max - s.Min) / s.Interval <= 10);
}

void TestResultChart::yearAxisScale() {
    for (int years : {0, 1, 10, 11, 25, 35, 99, 150}) {
        const TAxisScale s = YearAxisScale(years);
        QCOMPARE(s.Min, 0.0);
        QCOMPARE(s.Max, double(std::max(years, 1)));
        QVERIFY2(s.Max / s.Interval <= 15, qPrintable(QString::number(years)));
        QVERIFY(s.Interval >= 1);
    }
}

void TestResultChart::refreshesNeverLayOutStaleTicks_data() {
    QTest::addColumn<QList<double>>("tops");
    QTest::addColumn<QList<int>>("years");
    QTest::newRow("100 -> 1.000.000 -> 10.000.000 EUR")
        << QList<double>{100, 1e6, 1e7} << QList<int>{25, 25, 25};
    QTest::newRow("largest back to small")
        << QList<double>{1e7 * 40, 100, 0, 1e7} << QList<int>{1, 99, 0, 150};
}

void TestResultChart::refreshesNeverLayOutStaleTicks() {
    QFETCH(QList<double>, tops);
    QFETCH(QList<int>, years);
    TResultChart chart;
    chart.resize(657, 249);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    TTickWatch x(chart.AxisX());
    TTickWatch y(chart.AxisY());
    for (qsizetype i = 0; i < tops.size(); ++i) {
        const TChartData data = Rising(years[i], tops[i]);
        chart.ShowData(data);
        QCOMPARE(chart.AxisY()->tickType(), QValueAxis::TicksDynamic);
        QCOMPARE(chart.AxisY()->max(), data.YMax > 0 ? data.YMax : 1.0);
        QCOMPARE(chart.Series(0)->count(), years[i] + 1);
        chart.repaint();
    }
    QVERIFY2(y.Most <= 10, qPrintable(QString::number(y.Most)));
    QVERIFY2(x.Most <= 15, qPrintable(QString::number(x.Most)));
    // What is drawn stays small too: no leftover label items.
    QVERIFY(chart.scene()->items().size() < 200);
}

void TestResultChart::allZeroShowsDistinctLabels() {
    TResultChart chart;
    chart.ShowData(Rising(10, 0));
    // 0 and 1, not "0, 1, 1" from fractions shown without decimals.
    QCOMPARE(chart.AxisY()->min(), 0.0);
    QCOMPARE(chart.AxisY()->max(), 1.0);
    QCOMPARE(chart.AxisY()->tickInterval(), 1.0);
    QCOMPARE(chart.AxisY()->labelFormat(), QStringLiteral("%.0f"));
}

QTEST_MAIN(TestResultChart)
#include "test_resultchart.moc"
