#include "controls/teditlabel.h"

#include "controls/accelerator.h"
#include "controls/accessibility.h"
#include "controls/teditcheck.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>

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

TEditLabel::TEditLabel(const QString& caption, QWidget* parent)
    : QWidget(parent), FShortcut(new QShortcut(this)) {
    connect(FShortcut, &QShortcut::activated, this, &TEditLabel::Accelerate);
    SetCaption(caption);
}

TEditLabel::~TEditLabel() {
    // The frame lives in the parent; it goes with the label.
    delete FFrame;
}

void TEditLabel::SetCaption(const QString& caption) {
    if (FCaption == caption && !caption.isEmpty())
        return;
    FCaption = caption;
    NameAfterCaption(FFocusControl, FCaption);
    UpdateShortcut();
    AdjustBounds();
    update();
}

void TEditLabel::SetFocusControl(QWidget* control) {
    FFocusControl = control;
    NameAfterCaption(FFocusControl, FCaption);
    UpdateShortcut();
}

void TEditLabel::SetAlignment(Qt::Alignment alignment) {
    FAlignment = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void TEditLabel::SetAutoSize(bool on) {
    FAutoSize = on;
    AdjustBounds();
}

void TEditLabel::SetWordWrap(bool on) {
    FWordWrap = on;
    updateGeometry();
    AdjustBounds();
    update();
}

void TEditLabel::SetColor(const QColor& color) {
    FColor = color;
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
    FCtl3D = on;
    UpdateFrame();
}

void TEditLabel::UpdateFrame() {
    QWidget* parent = parentWidget();
    if (!FCtl3D || !parent || isWindow()) {
        delete FFrame;
        return;
    }
    if (FFrame && FFrame->parentWidget() != parent)
        delete FFrame;
    if (!FFrame)
        FFrame = new Ctl3DFrame(parent);
    FFrame->setGeometry(geometry().adjusted(-1, -1, 1, 1));
    FFrame->stackUnder(this);
    FFrame->setVisible(isVisibleTo(parent));
}

void TEditLabel::setVisible(bool visible) {
    QWidget::setVisible(visible);
    // Also while the window is hidden, which sends no show or hide events.
    if (FCtl3D || FFrame)
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
        if (FCtl3D || FFrame)
            UpdateFrame();
        break;
    default:
        break;
    }
    return result;
}

void TEditLabel::Click() {
    QWidget* control = FFocusControl;
    if (control && CanFocus(control)) {
        if (auto* check = qobject_cast<TEditCheck*>(control))
            check->click();
        control->setFocus(Qt::MouseFocusReason);
    }
    emit clicked();
}

bool TEditLabel::Accelerate() {
    if (!isEnabled() || !FFocusControl || !CanFocus(FFocusControl))
        return false;
    FFocusControl->setFocus(Qt::ShortcutFocusReason);
    return true;
}

int TEditLabel::TextFlags() const {
    return int(FAlignment) | Qt::AlignTop | Qt::TextShowMnemonic |
           (FWordWrap ? Qt::TextWordWrap : 0);
}

QRect TEditLabel::TextRect(const QRect& outer) const {
    return outer;
}

QSize TEditLabel::sizeHint() const {
    const QFontMetrics fm(font());
    const int width = FWordWrap && this->width() > 0 ? this->width() : 2000;
    const QRect text = fm.boundingRect(QRect(0, 0, width, 2000), TextFlags(),
                                       FCaption.isEmpty() ? QStringLiteral(" ") : FCaption);
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
                      FCaption.isEmpty() ? QStringLiteral(" ") : FCaption)
        .height();
}

void TEditLabel::AdjustBounds() {
    if (!FAutoSize)
        return;
    if (FWordWrap && width() > 0 && testAttribute(Qt::WA_Resized))
        resize(width(), heightForWidth(width()));
    else
        resize(sizeHint());
}

void TEditLabel::UpdateShortcut() {
    SetAcceleratorKey(*FShortcut, FCaption, !FFocusControl.isNull());
}

void TEditLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (FColor.isValid())
        p.fillRect(rect(), FColor);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.setFont(font());
    p.drawText(TextRect(rect()), TextFlags(), FCaption);
}

void TEditLabel::mousePressEvent(QMouseEvent* event) {
    FPressed = event->button() == Qt::LeftButton;
}

void TEditLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = FPressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    FPressed = false;
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
