// Where the main window opens on the screens advisers use, without a screen:
// inside the free area with its title bar, at its designed size where that
// fits, and at the place it had last time while that is on a screen.

#include "app/fensterplatz.h"

#include <QtTest>

using namespace orvanta;

using Platz = std::optional<QPoint>;
Q_DECLARE_METATYPE(Platz)

class TestFensterplatz : public QObject {
    Q_OBJECT

private slots:
    void fitsEveryScreen_data();
    void fitsEveryScreen();
};

namespace {

// The window as built: 812 x 737 below a menu bar of 23, a title bar of 30
// device pixels and borders of 4, scroll bars of 16; the free area of a
// screen of w x h device pixels at a scale, less a panel of 32 at the bottom.
const QSize Entwurf(812, 760);
constexpr int Leiste = 16;

QRect frei(int w, int h, double scale, QPoint links = {}) {
    return {links, QSize(qRound(w / scale), qRound((h - 32) / scale))};
}

QMargins rahmen(double scale) {
    const int r = qCeil(4 / scale);
    return {r, qCeil(30 / scale), r, r};
}

} // namespace

void TestFensterplatz::fitsEveryScreen_data() {
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<double>("scale");
    QTest::addColumn<Platz>("gemerkt");
    QTest::addColumn<QSize>("innen"); // expected size
    QTest::addColumn<bool>("rollen");
    QTest::addColumn<int>("bildschirm"); // the screen it opens on

    const Platz keiner;
    // Height short: a vertical scroll bar, its width added where there is room.
    QTest::newRow("1366x768 100%") << QList<QRect>{frei(1366, 768, 1)} << 1.0 << keiner
                                   << QSize(812 + Leiste, 768 - 32 - 34) << true << 0;
    QTest::newRow("1920x1080 150%") << QList<QRect>{frei(1920, 1080, 1.5)} << 1.5 << keiner
                                    << QSize(812 + Leiste, 699 - 20 - 3) << true << 0;
    // Width and height short: both scroll bars, the window the whole free area.
    QTest::newRow("1600x1200 200%") << QList<QRect>{frei(1600, 1200, 2)} << 2.0 << keiner
                                    << QSize(800 - 4, 584 - 15 - 2) << true << 0;
    QTest::newRow("3840x2160 200%")
        << QList<QRect>{frei(3840, 2160, 2)} << 2.0 << keiner << Entwurf << false << 0;
    // The place of last time on the second screen is kept there; one on a
    // screen that is gone, or with its title bar above the screen, is not.
    const QList<QRect> zwei{frei(1920, 1080, 1), frei(1920, 1080, 1, QPoint(1920, 0))};
    QTest::newRow("remembered, second screen")
        << zwei << 1.0 << Platz(QPoint(2000, 100)) << Entwurf << false << 1;
    QTest::newRow("remembered, screen gone") << QList<QRect>{frei(1920, 1080, 1)} << 1.0
                                             << Platz(QPoint(2000, 100)) << Entwurf << false << 0;
    QTest::newRow("remembered, title bar above")
        << QList<QRect>{frei(1920, 1080, 1)} << 1.0 << Platz(QPoint(100, -98)) << Entwurf << false
        << 0;
}

void TestFensterplatz::fitsEveryScreen() {
    QFETCH(QList<QRect>, screens);
    QFETCH(double, scale);
    QFETCH(Platz, gemerkt);
    QFETCH(QSize, innen);
    QFETCH(bool, rollen);
    QFETCH(int, bildschirm);
    const QMargins r = rahmen(scale);
    const TFensterplatz p = Fensterplatz(Entwurf, r, screens, 0, gemerkt, Leiste);
    QCOMPARE(p.Innen.size(), innen);
    QCOMPARE(p.Rollen, rollen);
    // Frame and title bar wholly inside the free area of its screen.
    const QRect aussen = p.Innen.marginsAdded(r);
    QVERIFY2(screens[bildschirm].contains(aussen), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                                  .arg(aussen.x())
                                                                  .arg(aussen.y())
                                                                  .arg(aussen.width())
                                                                  .arg(aussen.height())));
    // A place of last time that lies on a screen is kept as it was.
    if (gemerkt && screens[bildschirm].contains(QRect(*gemerkt, aussen.size())))
        QCOMPARE(aussen.topLeft(), *gemerkt);
}

QTEST_APPLESS_MAIN(TestFensterplatz)
#include "test_fensterplatz.moc"
