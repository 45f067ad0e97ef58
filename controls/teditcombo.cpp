#include "controls/teditcombo.h"

#include "controls/housestyle.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace orvanta {

TEditCombo::TEditCombo(QWidget* parent)
    : QWidget(parent), FOwnList(std::make_unique<TItemRefList>()), FList(FOwnList.get()) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_KeyCompression, false);
    ConnectList();
}

TEditCombo::~TEditCombo() = default;

void TEditCombo::ConnectList() {
    disconnect(FListConnection);
    if (FList)
        FListConnection =
            connect(FList, &TItemRefList::changed, this, qOverload<>(&QWidget::update));
}

QString TEditCombo::Text() const {
    return FList ? FList->Items(FIndex) : QString();
}

void TEditCombo::SetValue(int key) {
    const int index = FList ? FList->IndexOfRef(key) : -1;
    FIndex = index;
    FValue = index >= 0 ? key : 0;
    FPreviousKey = FValue;
    update();
}

void TEditCombo::AssignItemRefList(TItemRefList* list) {
    if (!list || list == FList)
        return;
    ClosePopup();
    FList = list;
    FOwnList.reset();
    ConnectList();
    SetValue(FValue);
}

void TEditCombo::SetReadOnly(bool on) {
    FReadOnly = on;
    if (on)
        ClosePopup();
    update();
}

void TEditCombo::ChooseIndex(int index) {
    if (index < -1 || index >= Count() || index == FIndex)
        return;
    if (index >= 0)
        FPreviousKey = FValue;
    FIndex = index;
    FValue = index >= 0 ? FList->Refs(index) : 0;
    SyncPopupRow();
    update();
    emit changed();
    emit modified();
}

void TEditCombo::TypeCharacter(const QString& text) {
    if (!FList)
        return;
    const QString longer = FPrefix + text;
    int index = FList->IndexOfPrefix(longer);
    if (index >= 0) {
        FPrefix = longer;
    } else if (FSearchModeExt) {
        return;
    } else {
        FPrefix = text;
        index = FList->IndexOfPrefix(text);
    }
    if (index >= 0)
        ChooseIndex(index);
}

void TEditCombo::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int key = event->key();
    if (mods & Qt::AltModifier) {
        const bool arrow =
            key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
        if (arrow && !FReadOnly) {
            SetDroppedDown(!DroppedDown());
            return;
        }
        event->ignore();
        return;
    }
    if (FReadOnly) {
        event->ignore();
        return;
    }
    if (key == Qt::Key_Escape) {
        SetValue(FPreviousKey);
        FPrefix.clear();
        return;
    }
    if (!ChoiceKey(event))
        event->ignore();
}

bool TEditCombo::ChoiceKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int count = Count();
    const int page = qMax(1, FDropDownCount - 1);
    bool navigation = true;
    switch (event->key()) {
    case Qt::Key_Backspace:
        ChooseIndex(FList ? FList->IndexOfRef(FValueDef) : -1);
        break;
    case Qt::Key_Home:
        if (count > 0)
            ChooseIndex(0);
        break;
    case Qt::Key_End:
        if (count > 0)
            ChooseIndex(count - 1);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (FIndex > 0)
            ChooseIndex(FIndex - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (FIndex < count - 1)
            ChooseIndex(FIndex + 1);
        break;
    case Qt::Key_PageUp:
        if (count > 0)
            ChooseIndex(qMax(0, FIndex - page));
        break;
    case Qt::Key_PageDown:
        if (count > 0)
            ChooseIndex(qMin(count - 1, FIndex + page));
        break;
    case Qt::Key_Delete:
        ChooseIndex(-1);
        FPreviousKey = 0;
        break;
    default:
        navigation = false;
        break;
    }
    if (navigation) {
        FPrefix.clear();
        return true;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() &&
        !(mods & (Qt::ControlModifier | Qt::MetaModifier))) {
        TypeCharacter(text);
        return true;
    }
    return false;
}

void TEditCombo::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || FReadOnly) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The focus comes with the press; a field that refused to give it up
    // keeps it, and the list stays closed.
    if (!hasFocus() && (focusPolicy() & Qt::ClickFocus))
        return;
    SetDroppedDown(!DroppedDown());
}

void TEditCombo::focusInEvent(QFocusEvent* event) {
    FPrefix.clear();
    update();
    QWidget::focusInEvent(event);
}

void TEditCombo::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void TEditCombo::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        ClosePopup();
    QWidget::changeEvent(event);
}

void TEditCombo::hideEvent(QHideEvent* event) {
    ClosePopup();
    QWidget::hideEvent(event);
}

bool TEditCombo::DroppedDown() const {
    return FPopup && FPopup->isVisible();
}

void TEditCombo::SetDroppedDown(bool open) {
    if (open == DroppedDown())
        return;
    if (open)
        OpenPopup();
    else
        ClosePopup();
}

void TEditCombo::OpenPopup() {
    if (FReadOnly || !isEnabled())
        return;
    emit aboutToDropDown();
    if (!FPopup) {
        FPopup = new QFrame(this, Qt::Popup);
        FPopup->setFrameShape(QFrame::Box);
        FPopup->setLineWidth(1);
        FPopup->setAttribute(Qt::WA_NoMouseReplay);
        auto* layout = new QVBoxLayout(FPopup);
        layout->setContentsMargins(0, 0, 0, 0);
        FPopupList = new QListWidget(FPopup);
        FPopupList->setFrameShape(QFrame::NoFrame);
        FPopupList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        FPopupList->setUniformItemSizes(true);
        // The list is as tall as its rows, not as a scroll area likes to be.
        FPopupList->setMinimumSize(1, 1);
        layout->addWidget(FPopupList);
        FPopupList->installEventFilter(this);
        connect(FPopupList, &QListWidget::clicked, this, [this](const QModelIndex& index) {
            ClosePopup();
            FPrefix.clear();
            ChooseIndex(index.row());
        });
    }
    FPopupList->clear();
    const int count = Count();
    for (int i = 0; i < count; ++i)
        FPopupList->addItem(FList->Items(i));
    FPopupList->setFont(font());
    SyncPopupRow();

    const QFontMetrics fm(font());
    const int hinted = count > 0 ? FPopupList->sizeHintForRow(0) : 0;
    const int rowHeight = hinted > 0 ? hinted : fm.height() + 2;
    const int rows = qBound(1, count, FDropDownCount);
    const bool scrolls = count > FDropDownCount;
    int width = this->width();
    if (FCanExpandHorz) {
        int longest = 0;
        for (int i = 0; i < count; ++i)
            longest = qMax(longest, fm.horizontalAdvance(FList->Items(i)));
        const int needed =
            longest + 12 + (scrolls ? FPopupList->verticalScrollBar()->sizeHint().width() : 0);
        width = qMax(width, needed);
    }
    const int height = rows * rowHeight + 2 * FPopup->frameWidth();
    QPoint pos = mapToGlobal(QPoint(0, this->height()));
    if (const QScreen* screen = this->screen()) {
        const QRect avail = screen->availableGeometry();
        if (pos.y() + height > avail.bottom() &&
            mapToGlobal(QPoint(0, 0)).y() - height >= avail.top())
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - height);
    }
    FPopup->setGeometry(QRect(pos, QSize(width, height)));
    FPopup->show();
    FPopupList->setFocus(Qt::PopupFocusReason);
    update();
}

void TEditCombo::ClosePopup() {
    if (!DroppedDown())
        return;
    FPopup->hide();
    update();
}

void TEditCombo::SyncPopupRow() {
    if (!FPopupList)
        return;
    if (FIndex >= 0 && FIndex < FPopupList->count()) {
        FPopupList->setCurrentRow(FIndex);
    } else {
        FPopupList->clearSelection();
        FPopupList->setCurrentRow(-1);
    }
}

bool TEditCombo::eventFilter(QObject* watched, QEvent* event) {
    // The open list has the keyboard; it follows the combo's own key rules,
    // so that a choice by key is made (and notified) at once.
    if (watched == FPopupList && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const int k = key->key();
        if (key->modifiers() & Qt::AltModifier) {
            if (k == Qt::Key_Up || k == Qt::Key_Down || k == Qt::Key_Left || k == Qt::Key_Right)
                ClosePopup();
            return true;
        }
        switch (k) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The choice is made already; Esc and Enter only close the list.
            ClosePopup();
            FPrefix.clear();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            ClosePopup();
            FPrefix.clear();
            // ... and Tab moves on from the combo, as it does when closed.
            if (!hasFocus())
                setFocus(Qt::PopupFocusReason);
            focusNextPrevChild(k == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        default:
            break;
        }
        if (!FReadOnly)
            ChoiceKey(key);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int TEditCombo::ButtonWidth() const {
    return FReadOnly ? 0 : qMin(17, qMax(12, height() - 4));
}

QSize TEditCombo::sizeHint() const {
    const QFontMetrics fm(font());
    return QSize(120, fm.height() + 8);
}

QSize TEditCombo::minimumSizeHint() const {
    const QFontMetrics fm(font());
    return QSize(40, fm.height() + 4);
}

void TEditCombo::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool enabled = isEnabled();
    const QPalette& pal = palette();
    const QRect r = rect();

    // Disabled: button face behind grey text, as the edit fields show it.
    p.fillRect(r, enabled ? pal.color(QPalette::Active, QPalette::Base)
                          : pal.color(QPalette::Active, QPalette::Button));
    p.setPen(pal.color(QPalette::Dark));
    p.drawRect(r.adjusted(0, 0, -1, -1));

    const int bw = ButtonWidth();
    const QRect button(r.right() - 1 - bw, r.top() + 2, bw, r.height() - 4);
    QRect text = r.adjusted(3, 2, -3 - (bw ? bw + 1 : 0), -2);

    if (bw > 0) {
        p.fillRect(button, pal.color(QPalette::Button));
        p.setPen(pal.color(QPalette::Mid));
        p.drawRect(button.adjusted(0, 0, -1, -1));
        const QPointF c = QRectF(button).center();
        const qreal a = qMin(4.0, button.width() / 4.0);
        QPolygonF arrow;
        arrow << QPointF(c.x() - a, c.y() - a / 2) << QPointF(c.x() + a, c.y() - a / 2)
              << QPointF(c.x(), c.y() + a / 2);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(enabled ? pal.color(QPalette::Active, QPalette::ButtonText)
                           : pal.color(QPalette::Disabled, QPalette::ButtonText));
        p.drawPolygon(arrow);
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    const QString shown = Text();
    QColor textColor =
        enabled ? pal.color(QPalette::Active, QPalette::Text) : DisabledFieldText(pal);
    if (hasFocus() && enabled && !DroppedDown()) {
        // The shown text is selected while the combo has the focus.
        p.fillRect(text, pal.color(QPalette::Active, QPalette::Highlight));
        textColor = pal.color(QPalette::Active, QPalette::HighlightedText);
    }
    p.setPen(textColor);
    p.setFont(font());
    p.drawText(text.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(shown, Qt::ElideRight, text.width() - 4));
}

} // namespace orvanta
