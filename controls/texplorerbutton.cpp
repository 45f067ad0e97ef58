#include "controls/texplorerbutton.h"

#include "controls/accelerator.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

namespace orvanta {

TExplorerButton::TExplorerButton(QWidget* parent) : TExplorerButton(QString(), parent) {}

TExplorerButton::TExplorerButton(const QString& caption, QWidget* parent) : QWidget(parent) {
    // The design colours; each window puts its own scheme over them.
    const QColor face = palette().color(QPalette::Button);
    m_colors = {face, Qt::black, face, Qt::black};
    // Tab reaches the button; a mouse click focuses it only when it acts.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(false);
    setAttribute(Qt::WA_Hover, false);
    SetCaption(caption);
}

void TExplorerButton::SetCaption(const QString& caption) {
    m_caption = caption;
    UpdateShortcut();
    updateGeometry();
    update();
}

void TExplorerButton::SetColors(const TExplorerButtonColors& colors) {
    m_colors = colors;
    update();
}

void TExplorerButton::SetFocusPenColor(const QColor& color) {
    m_colors.FocusPenColor = color;
    update();
}

void TExplorerButton::SetFontColor(const QColor& color) {
    m_fontColor = color;
    update();
}

void TExplorerButton::SetRounded(bool on) {
    m_rounded = on;
    update();
}

void TExplorerButton::SetOptions(TExplorerButtonOptions options) {
    m_options = options;
    update();
}

void TExplorerButton::SetTabStop(bool on) {
    m_tabStop = on;
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
    if (!OwnsFocus() && m_tabStop && CanFocus(this)) {
        // Taking the focus makes the field that loses it commit its entry; a
        // wrong entry takes the focus back and the click ends here.
        setFocus(Qt::OtherFocusReason);
        if (!OwnsFocus())
            return;
    }
    emit OnClick(this);
}

bool TExplorerButton::Accelerate() {
    if (!isEnabled() || !isVisibleTo(window()))
        return false;
    Click();
    return true;
}

void TExplorerButton::UpdateShortcut() {
    UpdateAcceleratorShortcut(m_shortcut, this, m_caption, true, [this] { Accelerate(); });
}

QSize TExplorerButton::sizeHint() const {
    const QFontMetrics fm(font());
    const int text = fm.boundingRect(QRect(), Qt::TextShowMnemonic, m_caption).width();
    return QSize(text + 24 + (m_rounded ? 8 : 0), qMax(21, fm.height() + 4));
}

QSize TExplorerButton::minimumSizeHint() const {
    return QSize(21, 21);
}

void TExplorerButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool focused = hasFocus();
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);

    QPainterPath face;
    if (m_rounded) {
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

    const QColor fill = focused ? m_colors.FocusColor : m_colors.NonFocusColor;
    const bool outline = focused || (m_options & boNonFocBorder);
    p.setPen(outline ? QPen(focused ? m_colors.FocusPenColor : m_colors.NonFocusPenColor, 1)
                     : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(face);

    if ((m_options & boShowBevel) && height() > 6) {
        // A light top edge and a dark bottom edge along the straight part.
        const qreal right = m_rounded ? r.right() - r.height() / 2 : r.right() - 1;
        p.setPen(QPen(fill.lighter(135), 1));
        p.drawLine(QPointF(r.left() + 1, r.top() + 1), QPointF(right, r.top() + 1));
        p.drawLine(QPointF(r.left() + 1, r.top() + 1), QPointF(r.left() + 1, r.bottom() - 1));
        p.setPen(QPen(fill.darker(135), 1));
        p.drawLine(QPointF(r.left() + 1, r.bottom() - 1), QPointF(right, r.bottom() - 1));
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    QColor textColor = focused ? m_colors.FocusPenColor : m_fontColor;
    if (!isEnabled())
        textColor = palette().color(QPalette::Disabled, QPalette::ButtonText);
    QRect textRect = rect().adjusted(4, 0, m_rounded ? -(height() / 2) : -4, 0);
    if (m_mouseDown && m_mouseInside)
        textRect.translate(1, 1);
    p.setPen(textColor);
    p.setFont(font());
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, m_caption);

    if (focused) {
        QPen dotted(m_colors.FocusPenColor, 1, Qt::DotLine);
        p.setPen(dotted);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(3, 3, m_rounded ? -(height() / 2) : -4, -4));
    }
}

void TExplorerButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_mouseDown = true;
    m_mouseInside = true;
    update();
}

void TExplorerButton::mouseMoveEvent(QMouseEvent* event) {
    if (!m_mouseDown)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside != m_mouseInside) {
        m_mouseInside = inside;
        update();
    }
}

void TExplorerButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_mouseDown) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_mouseDown = false;
    update();
    if (rect().contains(event->position().toPoint()))
        Click();
}

void TExplorerButton::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    if (event->key() == Qt::Key_Space && mods == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            m_spaceDown = true;
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_activateByReturn &&
        mods == Qt::NoModifier) {
        Click();
        return;
    }
    event->ignore();
}

void TExplorerButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && m_spaceDown) {
        m_spaceDown = false;
        if (hasFocus())
            Click();
        return;
    }
    event->ignore();
}

void TExplorerButton::focusInEvent(QFocusEvent* event) {
    update();
    QWidget::focusInEvent(event);
    emit OnSetFocus(this);
}

void TExplorerButton::focusOutEvent(QFocusEvent* event) {
    m_spaceDown = false;
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
        m_mouseDown = m_spaceDown = false;
    QWidget::changeEvent(event);
}

} // namespace orvanta
