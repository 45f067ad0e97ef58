#include "controls/teditcheck.h"

#include <QPainter>
#include <QPainterPath>

namespace orvanta {

namespace {
constexpr int BoxSize = 13;
constexpr int TextGap = 4;
// A box without a caption carries its focus mark around itself; this keeps
// room for it inside the control.
constexpr int MarkRoom = 2;
} // namespace

TEditCheck::TEditCheck(QWidget* parent) : TEditCheck(QString(), parent) {}

TEditCheck::TEditCheck(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

void TEditCheck::SetChecksign(TChecksign sign) {
    if (FChecksign == sign)
        return;
    FChecksign = sign;
    update();
}

void TEditCheck::SetBackColor(const QColor& color) {
    if (FBackColor == color)
        return;
    FBackColor = color;
    update();
}

QRect TEditCheck::BoxRect() const {
    const int x = text().isEmpty() ? MarkRoom : 0;
    return QRect(x, (height() - BoxSize) / 2, BoxSize, BoxSize);
}

QSize TEditCheck::sizeHint() const {
    const QFontMetrics fm(font());
    const QRect text = fm.boundingRect(QRect(), Qt::TextShowMnemonic, this->text());
    if (this->text().isEmpty())
        return QSize(BoxSize + 2 * MarkRoom, qMax(BoxSize + 2 * MarkRoom, fm.height() + 2));
    return QSize(BoxSize + TextGap + text.width() + 2, qMax(BoxSize, fm.height()) + 2);
}

void TEditCheck::DrawFocusMark(QPainter& p, const QRect& around) const {
    QPen dotted(palette().color(QPalette::WindowText));
    dotted.setStyle(Qt::DotLine);
    p.setPen(dotted);
    p.setBrush(Qt::NoBrush);
    p.drawRect(around & rect().adjusted(0, 0, -1, -1));
}

bool TEditCheck::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void TEditCheck::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool enabled = isEnabled();
    const QRect box = BoxRect();

    p.fillRect(box, enabled ? FBackColor : palette().color(QPalette::Button));
    p.setPen(palette().color(QPalette::Dark));
    p.drawRect(box.adjusted(0, 0, -1, -1));

    if (isChecked()) {
        QPen pen(enabled ? palette().color(QPalette::Active, QPalette::WindowText)
                         : palette().color(QPalette::Disabled, QPalette::WindowText));
        pen.setWidthF(1.6);
        pen.setCapStyle(Qt::SquareCap);
        p.setPen(pen);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF in = QRectF(box).adjusted(3.5, 3.5, -3.5, -3.5);
        if (FChecksign == csCross) {
            p.drawLine(in.topLeft(), in.bottomRight());
            p.drawLine(in.topRight(), in.bottomLeft());
        } else {
            QPainterPath hook;
            hook.moveTo(in.left(), in.center().y());
            hook.lineTo(in.left() + in.width() * 0.38, in.bottom());
            hook.lineTo(in.right(), in.top());
            p.drawPath(hook);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    if (text().isEmpty()) {
        if (hasFocus())
            DrawFocusMark(p, box.adjusted(-MarkRoom, -MarkRoom, MarkRoom - 1, MarkRoom - 1));
        return;
    }
    const QRect textRect(box.right() + 1 + TextGap, 0, width() - box.right() - 1 - TextGap,
                         height());
    p.setPen(
        palette().color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic;
    p.drawText(textRect, flags, text());
    if (hasFocus())
        DrawFocusMark(p, p.boundingRect(textRect, flags, text()).adjusted(-1, 0, 1, 0));
}

} // namespace orvanta
