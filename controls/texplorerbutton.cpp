#include "controls/texplorerbutton.h"

#include "controls/accelerator.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>

namespace orvanta {

TExplorerButton::TExplorerButton(QWidget* parent) : TExplorerButton(QString(), parent) {}

TExplorerButton::TExplorerButton(const QString& caption, QWidget* parent)
    : QWidget(parent), FShortcut(new QShortcut(this)) {
    connect(FShortcut, &QShortcut::activated, this, &TExplorerButton::Accelerate);
    // The design colours; each window puts its own scheme over them.
    const QColor face = palette().color(QPalette::Button);
    FColors = {face, Qt::black, face, Qt::black};
    // Tab reaches the button; a mouse click focuses it only when it acts.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_Hover, false);
    SetCaption(caption);
}

void TExplorerButton::SetCaption(const QString& caption) {
    FCaption = caption;
    UpdateShortcut();
    updateGeometry();
    update();
}

void TExplorerButton::SetColors(const TExplorerButtonColors& colors) {
    FColors = colors;
    update();
}

void TExplorerButton::SetFocusPenColor(const QColor& color) {
    FColors.FocusPenColor = color;
    update();
}

void TExplorerButton::SetFontColor(const QColor& color) {
    FFontColor = color;
    update();
}

void TExplorerButton::SetRounded(bool on) {
    FRounded = on;
    update();
}

void TExplorerButton::SetOptions(TExplorerButtonOptions options) {
    FOptions = options;
    update();
}

void TExplorerButton::SetTabStop(bool on) {
    FTabStop = on;
    setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

bool TExplorerButton::OwnsFocus() const {
    if (hasFocus())
        return true;
    // In a window that is not active the focus is only recorded.
    return !window()->isActiveWindow() && window()->focusWidget() == this;
}

void TExplorerButton::Click() {
    if (!isEnabled())
        return;
    if (!OwnsFocus() && FTabStop && CanFocus(this)) {
        // Taking the focus makes the field that loses it commit its entry; a
        // wrong entry takes the focus back and the click ends here.
        setFocus(Qt::OtherFocusReason);
        if (!OwnsFocus())
            return;
    }
    emit clicked();
}

bool TExplorerButton::Accelerate() {
    if (!isEnabled() || !isVisibleTo(window()))
        return false;
    Click();
    return true;
}

void TExplorerButton::UpdateShortcut() {
    SetAcceleratorKey(*FShortcut, FCaption, true);
}

QSize TExplorerButton::sizeHint() const {
    const QFontMetrics fm(font());
    const int text = fm.boundingRect(QRect(), Qt::TextShowMnemonic, FCaption).width();
    return QSize(text + 24 + (FRounded ? 8 : 0), qMax(21, fm.height() + 4));
}

QSize TExplorerButton::minimumSizeHint() const {
    return QSize(21, 21);
}

void TExplorerButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool focused = hasFocus();
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    QPainterPath face;
    if (FRounded) {
        // The corners outside the curve show the parent's colour.
        const QWidget* parent = parentWidget();
        const QColor behind = parent ? parent->palette().color(parent->backgroundRole())
                                     : palette().color(QPalette::Window);
        p.fillRect(rect(), behind);
        const qreal radius = qMin(r.height() / 2, r.width() / 2);
        face.moveTo(r.left(), r.top());
        face.lineTo(r.right() - radius, r.top());
        face.arcTo(QRectF(r.right() - 2 * radius, r.top(), 2 * radius, r.height()), 90, -180);
        face.lineTo(r.left(), r.bottom());
        face.closeSubpath();
        p.setRenderHint(QPainter::Antialiasing);
    } else {
        face.addRect(r);
    }

    const QColor fill = focused ? FColors.FocusColor : FColors.NonFocusColor;
    const bool outline = focused || (FOptions & boNonFocBorder);
    p.setPen(outline ? QPen(focused ? FColors.FocusPenColor : FColors.NonFocusPenColor, 1)
                     : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(face);

    if ((FOptions & boShowBevel) && height() > 6) {
        // A light top edge and a dark bottom edge along the straight part.
        const qreal right = FRounded ? r.right() - r.height() / 2 : r.right() - 1;
        p.setPen(QPen(fill.lighter(135), 1));
        p.drawLine(QPointF(r.left() + 1, r.top() + 1), QPointF(right, r.top() + 1));
        p.drawLine(QPointF(r.left() + 1, r.top() + 1), QPointF(r.left() + 1, r.bottom() - 1));
        p.setPen(QPen(fill.darker(135), 1));
        p.drawLine(QPointF(r.left() + 1, r.bottom() - 1), QPointF(right, r.bottom() - 1));
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    QColor textColor = focused ? FColors.FocusPenColor : FFontColor;
    if (!isEnabled())
        textColor = palette().color(QPalette::Disabled, QPalette::ButtonText);
    QRect textRect = rect().adjusted(4, 0, FRounded ? -(height() / 2) : -4, 0);
    if (FMouseDown && FMouseInside)
        textRect.translate(1, 1);
    p.setPen(textColor);
    p.setFont(font());
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, FCaption);

    if (focused) {
        QPen dotted(FColors.FocusPenColor, 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(3, 3, FRounded ? -(height() / 2) : -4, -4));
    }
}

void TExplorerButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    FMouseDown = true;
    FMouseInside = true;
    update();
}

void TExplorerButton::mouseMoveEvent(QMouseEvent* event) {
    if (!FMouseDown)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != FMouseInside) {
        FMouseInside = inside;
        update();
    }
}

void TExplorerButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !FMouseDown) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    FMouseDown = false;
    update();
    if (rect().contains(event->position().toPoint()))
        Click();
}

void TExplorerButton::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    if (event->key() == Qt::Key_Space && mods == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            FSpaceDown = true;
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && FActivateByReturn &&
        mods == Qt::NoModifier) {
        Click();
        return;
    }
    event->ignore();
}

void TExplorerButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && FSpaceDown) {
        FSpaceDown = false;
        if (hasFocus())
            Click();
        return;
    }
    event->ignore();
}

void TExplorerButton::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
    emit focusReceived();
}

void TExplorerButton::focusOutEvent(QFocusEvent* event) {
    FSpaceDown = false;
    update();
    QWidget::focusOutEvent(event);
}

void TExplorerButton::enterEvent(QEnterEvent* event) {
    update();
    QWidget::enterEvent(event);
}

void TExplorerButton::leaveEvent(QEvent* event) {
    update();
    QWidget::leaveEvent(event);
}

void TExplorerButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        FMouseDown = FSpaceDown = false;
    QWidget::changeEvent(event);
}

} // namespace orvanta
