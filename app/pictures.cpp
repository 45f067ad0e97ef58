#include "app/pictures.h"

#include "controls/housestyle.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orvanta {

namespace {
constexpr int IconSize = 33;

QPixmap Leer(QSize size) {
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    return pm;
}
} // namespace

QIcon ChartButtonIcon() {
    QPixmap pm = Leer(QSize(IconSize, IconSize));
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(4, 4, 4, 29);
    p.drawLine(4, 29, 30, 29);
    p.setPen(QPen(HouseRed(), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF rising[] = {{6, 26}, {12, 22}, {18, 19}, {24, 12}, {29, 6}};
    p.drawPolyline(rising, 5);
    p.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF flat[] = {{6, 27}, {14, 25}, {22, 23}, {29, 21}};
    p.drawPolyline(flat, 4);
    return QIcon(pm);
}

QIcon TableButtonIcon() {
    QPixmap pm = Leer(QSize(IconSize, IconSize));
    QPainter p(&pm);
    const QRect frame(3, 5, 27, 23);
    p.fillRect(frame, Qt::white);
    p.fillRect(QRect(3, 5, 27, 5), HouseRed());
    for (int y = 15; y < 28; y += 6)
        p.fillRect(QRect(3, y, 27, 3), ShadedRowGrey());
    p.setPen(QPen(Qt::darkGray, 1));
    p.drawRect(frame);
    p.drawLine(13, 10, 13, 28);
    p.drawLine(22, 10, 22, 28);
    return QIcon(pm);
}

QPixmap DecorativePicture(int which, QSize size) {
    QPixmap pm = Leer(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size.width() - 1, size.height() - 1);
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0, QColor(236, 242, 250));
    sky.setColorAt(1, Qt::white);
    p.fillRect(r, sky);
    const double w = r.width();
    const double h = r.height();
    if (which == 1) {
        // Growing columns: the accumulation phase.
        const int n = 6;
        for (int i = 0; i < n; ++i) {
            const double bh = h * (0.18 + 0.12 * i);
            const QRectF bar(8 + i * (w - 16) / n, h - 8 - bh, (w - 16) / n - 4, bh);
            p.fillRect(bar, i == n - 1 ? HouseRed() : QColor(160, 160, 160));
        }
    } else {
        // A hill of capital used up over the years: the withdrawal phase.
        QPainterPath hill;
        hill.moveTo(6, h - 8);
        hill.cubicTo(w * 0.25, h * 0.15, w * 0.55, h * 0.2, w - 6, h - 8);
        hill.closeSubpath();
        p.fillPath(hill, QColor(200, 200, 200));
        p.setPen(QPen(HouseRed(), 2.5));
        p.drawLine(QPointF(6, h * 0.3), QPointF(w - 6, h * 0.3));
        p.setBrush(HouseRed());
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(w * 0.78, h * 0.22), 7, 7);
    }
    p.setPen(QPen(QColor(150, 150, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    return pm;
}

} // namespace orvanta
