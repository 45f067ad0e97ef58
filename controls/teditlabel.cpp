#include "controls/teditlabel.h"

#include "controls/accelerator.h"
#include "controls/teditcheck.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvanta {

TEditLabel::TEditLabel(QWidget* parent) : TEditLabel(QString(), parent) {}

TEditLabel::TEditLabel(const QString& caption, QWidget* parent) : QWidget(parent) {
    SetCaption(caption);
}

void TEditLabel::SetCaption(const QString& caption) {
    if (m_caption == caption && !caption.isEmpty())
        return;
    m_caption = caption;
    UpdateShortcut();
    AdjustBounds();
    update();
}

void TEditLabel::SetFocusControl(QWidget* control) {
    m_focusControl = control;
    UpdateShortcut();
}

void TEditLabel::SetAlignment(Qt::Alignment alignment) {
    m_alignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TEditLabel::SetAutoSize(bool on) {
    m_autoSize = on;
    AdjustBounds();
}

void TEditLabel::SetWordWrap(bool on) {
    m_wordWrap = on;
    updateGeometry();
    AdjustBounds();
    update();
}

void TEditLabel::SetColor(const QColor& color) {
    m_color = color;
    update();
}

QColor TEditLabel::FontColor() const {
    return palette().color(QPalette::WindowText);
}

void TEditLabel::SetFontColor(const QColor& color) {
    QPalette pal = palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, color);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(pal);
}

void TEditLabel::SetCtl3D(bool on) {
    m_ctl3D = on;
    update();
}

void TEditLabel::Click() {
    QWidget* control = m_focusControl;
    if (control && CanFocus(control)) {
        if (auto* check = qobject_cast<TEditCheck*>(control))
            check->click();
        control->setFocus(Qt::MouseFocusReason);
    }
    emit OnClick(this);
}

bool TEditLabel::Accelerate() {
    if (!isEnabled() || !m_focusControl || !CanFocus(m_focusControl))
        return false;
    m_focusControl->setFocus(Qt::ShortcutFocusReason);
    return true;
}

int TEditLabel::TextFlags() const {
    return int(m_alignment) | Qt::AlignTop | Qt::TextShowMnemonic |
           (m_wordWrap ? Qt::TextWordWrap : 0);
}

QRect TEditLabel::TextRect(const QRect& outer) const {
    return m_ctl3D ? outer.adjusted(1, 1, -1, -1) : outer;
}

QSize TEditLabel::sizeHint() const {
    const QFontMetrics fm(font());
    const int frame = m_ctl3D ? 2 : 0;
    const int width = m_wordWrap && this->width() > frame ? this->width() - frame : 2000;
    const QRect text = fm.boundingRect(QRect(0, 0, width, 2000), TextFlags(),
                                       m_caption.isEmpty() ? QStringLiteral(" ") : m_caption);
    return QSize(text.width() + frame, text.height() + frame);
}

QSize TEditLabel::minimumSizeHint() const {
    const QFontMetrics fm(font());
    return QSize(0, fm.height());
}

int TEditLabel::heightForWidth(int width) const {
    const QFontMetrics fm(font());
    const int frame = m_ctl3D ? 2 : 0;
    return fm.boundingRect(QRect(0, 0, qMax(1, width - frame), 2000), TextFlags(),
                           m_caption.isEmpty() ? QStringLiteral(" ") : m_caption)
               .height() +
           frame;
}

void TEditLabel::AdjustBounds() {
    if (!m_autoSize)
        return;
    if (m_wordWrap && width() > 0 && testAttribute(Qt::WA_Resized))
        resize(width(), heightForWidth(width()));
    else
        resize(sizeHint());
}

void TEditLabel::UpdateShortcut() {
    UpdateAcceleratorShortcut(m_shortcut, this, m_caption, !m_focusControl.isNull(),
                              [this] { Accelerate(); });
}

void TEditLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_color.isValid())
        p.fillRect(rect(), m_color);
    if (m_ctl3D) {
        // One pixel frame: grey top and left, white bottom and right.
        const QRect r = rect();
        p.setPen(QColor(128, 128, 128));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.setFont(font());
    p.drawText(TextRect(rect()), TextFlags(), m_caption);
}

void TEditLabel::mousePressEvent(QMouseEvent* event) {
    m_pressed = event->button() == Qt::LeftButton;
}

void TEditLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Click();
}

void TEditLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        updateGeometry();
        AdjustBounds();
    }
    QWidget::changeEvent(event);
}

} // namespace orvanta
