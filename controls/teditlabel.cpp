#include "controls/teditlabel.h"

#include "controls/accelerator.h"
#include "controls/teditcheck.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvanta {

namespace {

// The sunken frame of a label, painted on the label's parent around it: a
// sibling one pixel larger on each side, stacked under the label, that paints
// only its one-pixel ring.
class Ctl3DFrame : public QWidget {
public:
    explicit Ctl3DFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QRect r = rect();
        p.setPen(QColor(128, 128, 128));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
};

} // namespace

TEditLabel::TEditLabel(QWidget* parent) : TEditLabel(QString(), parent) {}

TEditLabel::TEditLabel(const QString& caption, QWidget* parent) : QWidget(parent) {
    SetCaption(caption);
}

TEditLabel::~TEditLabel() {
    // The frame lives in the parent; it goes with the label.
    delete m_frame;
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
    UpdateFrame();
}

void TEditLabel::UpdateFrame() {
    QWidget* parent = parentWidget();
    if (!m_ctl3D || !parent || isWindow()) {
        delete m_frame;
        return;
    }
    if (m_frame && m_frame->parentWidget() != parent)
        delete m_frame;
    if (!m_frame)
        m_frame = new Ctl3DFrame(parent);
    m_frame->setGeometry(geometry().adjusted(-1, -1, 1, 1));
    m_frame->stackUnder(this);
    m_frame->setVisible(isVisibleTo(parent));
}

void TEditLabel::setVisible(bool visible) {
    QWidget::setVisible(visible);
    // Also while the window is hidden, which sends no show or hide events.
    if (m_ctl3D || m_frame)
        UpdateFrame();
}

bool TEditLabel::event(QEvent* event) {
    const bool result = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
    case QEvent::ZOrderChange:
        if (m_ctl3D || m_frame)
            UpdateFrame();
        break;
    default:
        break;
    }
    return result;
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
    return outer;
}

QSize TEditLabel::sizeHint() const {
    const QFontMetrics fm(font());
    const int width = m_wordWrap && this->width() > 0 ? this->width() : 2000;
    const QRect text = fm.boundingRect(QRect(0, 0, width, 2000), TextFlags(),
                                       m_caption.isEmpty() ? QStringLiteral(" ") : m_caption);
    return text.size();
}

QSize TEditLabel::minimumSizeHint() const {
    const QFontMetrics fm(font());
    return QSize(0, fm.height());
}

int TEditLabel::heightForWidth(int width) const {
    const QFontMetrics fm(font());
    return fm
        .boundingRect(QRect(0, 0, qMax(1, width), 2000), TextFlags(),
                      m_caption.isEmpty() ? QStringLiteral(" ") : m_caption)
        .height();
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
