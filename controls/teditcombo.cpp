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
    : QWidget(parent), m_ownList(std::make_unique<TItemRefList>()), m_list(m_ownList.get()) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_KeyCompression, false);
    ConnectList();
}

TEditCombo::~TEditCombo() = default;

void TEditCombo::ConnectList() {
    disconnect(m_listConnection);
    if (m_list)
        m_listConnection =
            connect(m_list, &TItemRefList::Changed, this, qOverload<>(&QWidget::update));
}

QString TEditCombo::Text() const {
    return m_list ? m_list->Items(m_index) : QString();
}

void TEditCombo::SetValue(int key) {
    const int index = m_list ? m_list->IndexOfRef(key) : -1;
    m_index = index;
    m_value = index >= 0 ? key : 0;
    m_previousKey = m_value;
    update();
}

void TEditCombo::AssignItemRefList(TItemRefList* list) {
    if (!list || list == m_list)
        return;
    ClosePopup();
    m_list = list;
    m_ownList.reset();
    ConnectList();
    SetValue(m_value);
}

void TEditCombo::SetReadOnly(bool on) {
    m_readOnly = on;
    if (on)
        ClosePopup();
    update();
}

void TEditCombo::ChooseIndex(int index) {
    if (index < -1 || index >= Count() || index == m_index)
        return;
    if (index >= 0)
        m_previousKey = m_value;
    m_index = index;
    m_value = index >= 0 ? m_list->Refs(index) : 0;
    SyncPopupRow();
    update();
    emit OnChange(this);
    emit OnModified(this);
}

void TEditCombo::TypeCharacter(const QString& text) {
    if (!m_list)
        return;
    const QString longer = m_prefix + text;
    int index = m_list->IndexOfPrefix(longer);
    if (index >= 0) {
        m_prefix = longer;
    } else if (m_searchModeExt) {
        return;
    } else {
        m_prefix = text;
        index = m_list->IndexOfPrefix(text);
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
        if (arrow && !m_readOnly) {
            SetDroppedDown(!DroppedDown());
            return;
        }
        event->ignore();
        return;
    }
    if (m_readOnly) {
        event->ignore();
        return;
    }
    if (key == Qt::Key_Escape) {
        SetValue(m_previousKey);
        m_prefix.clear();
        return;
    }
    if (!ChoiceKey(event))
        event->ignore();
}

bool TEditCombo::ChoiceKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    const int count = Count();
    const int page = qMax(1, m_dropDownCount - 1);
    bool navigation = true;
    switch (event->key()) {
    case Qt::Key_Backspace:
        ChooseIndex(m_list ? m_list->IndexOfRef(m_valueDef) : -1);
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
        if (m_index > 0)
            ChooseIndex(m_index - 1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (m_index < count - 1)
            ChooseIndex(m_index + 1);
        break;
    case Qt::Key_PageUp:
        if (count > 0)
            ChooseIndex(qMax(0, m_index - page));
        break;
    case Qt::Key_PageDown:
        if (count > 0)
            ChooseIndex(qMin(count - 1, m_index + page));
        break;
    case Qt::Key_Delete:
        ChooseIndex(-1);
        m_previousKey = 0;
        break;
    default:
        navigation = false;
        break;
    }
    if (navigation) {
        m_prefix.clear();
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
    if (event->button() != Qt::LeftButton || m_readOnly) {
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
    m_prefix.clear();
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
    return m_popup && m_popup->isVisible();
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
    if (m_readOnly || !isEnabled())
        return;
    emit OnDropDown(this);
    if (!m_popup) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setFrameShape(QFrame::Box);
        m_popup->setLineWidth(1);
        m_popup->setAttribute(Qt::WA_NoMouseReplay);
        auto* layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(0, 0, 0, 0);
        m_popupList = new QListWidget(m_popup);
        m_popupList->setFrameShape(QFrame::NoFrame);
        m_popupList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_popupList->setUniformItemSizes(true);
        // The list is as tall as its rows, not as a scroll area likes to be.
        m_popupList->setMinimumSize(1, 1);
        layout->addWidget(m_popupList);
        m_popupList->installEventFilter(this);
        connect(m_popupList, &QListWidget::clicked, this, [this](const QModelIndex& index) {
            ClosePopup();
            m_prefix.clear();
            ChooseIndex(index.row());
        });
    }
    m_popupList->clear();
    const int count = Count();
    for (int i = 0; i < count; ++i)
        m_popupList->addItem(m_list->Items(i));
    m_popupList->setFont(font());
    SyncPopupRow();

    const QFontMetrics fm(font());
    const int hinted = count > 0 ? m_popupList->sizeHintForRow(0) : 0;
    const int rowHeight = hinted > 0 ? hinted : fm.height() + 2;
    const int rows = qBound(1, count, m_dropDownCount);
    const bool scrolls = count > m_dropDownCount;
    int width = this->width();
    if (m_canExpandHorz) {
        int longest = 0;
        for (int i = 0; i < count; ++i)
            longest = qMax(longest, fm.horizontalAdvance(m_list->Items(i)));
        const int needed =
            longest + 12 + (scrolls ? m_popupList->verticalScrollBar()->sizeHint().width() : 0);
        width = qMax(width, needed);
    }
    const int height = rows * rowHeight + 2 * m_popup->frameWidth();
    QPoint pos = mapToGlobal(QPoint(0, this->height()));
    if (const QScreen* screen = this->screen()) {
        const QRect avail = screen->availableGeometry();
        if (pos.y() + height > avail.bottom() &&
            mapToGlobal(QPoint(0, 0)).y() - height >= avail.top())
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - height);
    }
    m_popup->setGeometry(QRect(pos, QSize(width, height)));
    m_popup->show();
    m_popupList->setFocus(Qt::PopupFocusReason);
    update();
}

void TEditCombo::ClosePopup() {
    if (!DroppedDown())
        return;
    m_popup->hide();
    update();
}

void TEditCombo::SyncPopupRow() {
    if (!m_popupList)
        return;
    if (m_index >= 0 && m_index < m_popupList->count()) {
        m_popupList->setCurrentRow(m_index);
    } else {
        m_popupList->clearSelection();
        m_popupList->setCurrentRow(-1);
    }
}

bool TEditCombo::eventFilter(QObject* watched, QEvent* event) {
    // The open list has the keyboard; it follows the combo's own key rules,
    // so that a choice by key is made (and notified) at once.
    if (watched == m_popupList && event->type() == QEvent::KeyPress) {
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
            m_prefix.clear();
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            ClosePopup();
            m_prefix.clear();
            // ... and Tab moves on from the combo, as it does when closed.
            if (!hasFocus())
                setFocus(Qt::PopupFocusReason);
            focusNextPrevChild(k == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        default:
            break;
        }
        if (!m_readOnly)
            ChoiceKey(key);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int TEditCombo::ButtonWidth() const {
    return m_readOnly ? 0 : qMin(17, qMax(12, height() - 4));
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
