#include "controls/tbrixdialog.h"

#include "controls/accelerator.h"
#include "controls/accessibility.h"
#include "controls/housestyle.h"
#include "controls/tcustomuseredit.h"
#include "controls/teditcheck.h"
#include "controls/teditcombo.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <typeinfo>

namespace orvanta {

namespace {

using ChainPositions = QHash<const QWidget*, int>;

// Positions in the window's focus chain: the platform's tab order.
ChainPositions FocusChainPositions(const QWidget* window) {
    ChainPositions positions;
    const QWidget* w = window;
    int i = 0;
    do {
        positions.insert(w, i++);
        w = w->nextInFocusChain();
    } while (w && w != window && !positions.contains(w));
    return positions;
}

// A control can hold the focus itself; a container holds other controls.
// Labels and pictures are neither and have no tab number.
bool IsContainer(const QWidget* w) {
    return w->focusPolicy() == Qt::NoFocus;
}

bool HasTabNumber(const QWidget* w) {
    if (w->isWindow())
        return false;
    if (!IsContainer(w))
        return true;
    for (const QObject* child : w->children()) {
        const auto* cw = qobject_cast<const QWidget*>(child);
        if (cw && !cw->isWindow())
            return true;
    }
    return false;
}

QList<QWidget*> TabSiblings(const QWidget* parent, const ChainPositions& positions) {
    QList<QWidget*> result;
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && HasTabNumber(w))
            result.append(w);
    }
    std::stable_sort(result.begin(), result.end(), [&](const QWidget* a, const QWidget* b) {
        return positions.value(a, INT_MAX) < positions.value(b, INT_MAX);
    });
    return result;
}

void CollectTabOrder(const QWidget* parent, const ChainPositions& positions,
                     QList<QWidget*>& list) {
    for (QWidget* w : TabSiblings(parent, positions)) {
        list.append(w);
        if (IsContainer(w))
            CollectTabOrder(w, positions, list);
    }
}

bool IsTabStop(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

bool IsReturn(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

TbrixDialog::TbrixDialog(QWidget* parent) : QDialog(parent) {
    // The frame sees every key of its window first, as a key preview.
    qApp->installEventFilter(this);
    // Screen readers read the house controls of every window.
    InstallAccessibility();
    // Before any control exists: every control inherits it.
    setPalette(ReadableDisabledPalette(palette()));
}

TbrixDialog::~TbrixDialog() {
    qApp->removeEventFilter(this);
}

void TbrixDialog::LoadData() {}

void TbrixDialog::SaveData() {}

bool TbrixDialog::FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender) {
    return BrixKeyDown(key, shift, sender);
}

bool TbrixDialog::IsFrameControl(const QWidget* control) {
    return qobject_cast<const TEditCheck*>(control) || qobject_cast<const TEditCombo*>(control) ||
           qobject_cast<const TExplorerButton*>(control) ||
           qobject_cast<const TCustomUserEdit*>(control);
}

QList<QWidget*> TbrixDialog::TabOrderList() const {
    QList<QWidget*> list;
    CollectTabOrder(this, FocusChainPositions(this), list);
    return list;
}

int TbrixDialog::TabNumber(const QWidget* control) {
    const QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent || control->isWindow())
        return 0;
    const int n = static_cast<int>(
        TabSiblings(parent, FocusChainPositions(control->window())).indexOf(control));
    return n < 0 ? 0 : n;
}

QWidget* TbrixDialog::FindNextControl(QWidget* current, bool forward) const {
    const QList<QWidget*> list = TabOrderList();
    const int count = static_cast<int>(list.size());
    if (count == 0)
        return nullptr;
    int start = static_cast<int>(list.indexOf(current));
    if (start < 0)
        start = forward ? count - 1 : 0;
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        QWidget* candidate = list.at(i);
        if (CanFocus(candidate) && IsTabStop(candidate))
            return candidate;
    } while (i != start);
    return nullptr;
}

bool TbrixDialog::BrixKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* control) {
    if (shift & Qt::AltModifier)
        return false;
    if (IsReturn(key)) {
        if (!control || control == this)
            return false;
        if (const auto* button = qobject_cast<const TExplorerButton*>(control);
            button && button->ActivateByReturn())
            return false; // the button clicks itself
        const bool forward = !(shift & Qt::ShiftModifier);
        QWidget* next = FindNextControl(control, forward);
        if (FModalDialog && (!next || TabNumber(next) <= TabNumber(control))) {
            if (CommitBeforeClosing(control))
                CloseWithResult(mrOk);
            return true;
        }
        if (next) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
        return false;
    }
    if (key == Qt::Key_Escape) {
        const auto* combo = qobject_cast<const TEditCombo*>(control);
        if (FModalDialog && control && control != this && !(combo && combo->DroppedDown())) {
            CloseWithResult(mrCancel);
            return true;
        }
    }
    return false;
}

void TbrixDialog::CloseWithResult(int result) {
    done(result);
}

void TbrixDialog::CommitFocusedEntry() {
    // The window's focus widget also while another window is active: the
    // entry goes on there when the focus comes back.
    if (auto* edit = qobject_cast<TCustomUserEdit*>(focusWidget()))
        edit->CommitEntry();
}

bool TbrixDialog::CommitBeforeClosing(QWidget* control) {
    // The field gets its Enter first, so that the typed entry is taken over
    // (and notified) before the window closes, and a wrong entry is reported
    // and keeps the window open instead of being left behind.
    auto* edit = qobject_cast<TCustomUserEdit*>(control);
    if (!edit || !edit->Editing() || !edit->isModified())
        return true;
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    FForwardingKey = true;
    QCoreApplication::sendEvent(edit, &enter);
    FForwardingKey = false;
    return !edit->isModified();
}

bool TbrixDialog::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || FForwardingKey)
        return false;
    auto* receiver = qobject_cast<QWidget*>(watched);
    if (!receiver || receiver->window() != this)
        return false;
    // Act only where the key arrives first: at the focused control, or at the
    // window when nothing has the focus - not again while it travels up.
    QWidget* focus = isActiveWindow() ? QApplication::focusWidget() : focusWidget();
    if (receiver != (focus ? focus : this))
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::ShortcutOverride) {
        // Alt and a letter come as a key press, so that the window's handler
        // sees it before any accelerator.
        const Qt::KeyboardModifiers mods = key->modifiers();
        if ((mods & Qt::AltModifier) && !(mods & (Qt::ControlModifier | Qt::MetaModifier)) &&
            !KeyEventChar(*key).isNull()) {
            key->accept();
            return true;
        }
        return false;
    }
    return HandleKeyPress(receiver, key);
}

bool TbrixDialog::HandleKeyPress(QWidget* receiver, QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers shift = event->modifiers() & ~Qt::KeypadModifier;
    if ((FKeyPreview || receiver == this) && FormKeyDown(key, shift, this))
        return true;
    if (receiver != this && IsFrameControl(receiver) && BrixKeyDown(key, shift, receiver))
        return true;
    if (DialogChar(receiver, event))
        return true;
    // Alt and a letter that no control takes is no typed character either.
    return (shift & Qt::AltModifier) && !(shift & (Qt::ControlModifier | Qt::MetaModifier)) &&
           !KeyEventChar(*event).isNull();
}

bool TbrixDialog::DialogChar(QWidget* receiver, QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (mods & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QChar letter = KeyEventChar(*event);
    if (letter.isNull())
        return false;
    // The letter alone counts only where it would not be typed.
    if (!(mods & Qt::AltModifier) && receiver != this && TakesTypedCharacters(receiver))
        return false;

    const QList<QWidget*> controls = findChildren<QWidget*>();
    for (QWidget* w : controls) {
        if (w->isWindow() || w->window() != this || !w->isEnabled() || !w->isVisibleTo(this))
            continue;
        if (auto* button = qobject_cast<TExplorerButton*>(w)) {
            if (AcceleratorChar(button->Caption()) == letter && button->Accelerate())
                return true;
        } else if (auto* label = qobject_cast<TEditLabel*>(w)) {
            if (AcceleratorChar(label->Caption()) == letter && label->Accelerate())
                return true;
        } else if (auto* plain = qobject_cast<QLabel*>(w)) {
            QWidget* buddy = plain->buddy();
            if (buddy && AcceleratorChar(plain->text()) == letter && CanFocus(buddy)) {
                buddy->setFocus(Qt::ShortcutFocusReason);
                return true;
            }
        } else if (auto* check = qobject_cast<QAbstractButton*>(w)) {
            if (AcceleratorChar(check->text()) == letter) {
                // Focus first: a field with a wrong entry keeps it, and the
                // box stays as it is.
                check->setFocus(Qt::ShortcutFocusReason);
                if (check->hasFocus() || !isActiveWindow())
                    check->click();
                return true;
            }
        }
    }
    return false;
}

void TbrixDialog::keyPressEvent(QKeyEvent* event) {
    // Not QDialog's: Enter and Esc are the frame's, there is no default button.
    QWidget::keyPressEvent(event);
}

void TbrixDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    // Number fields without an edit format of their own get the default one;
    // derived field classes keep theirs, and so do the windows this one opens.
    const QList<TEditFloat*> fields = findChildren<TEditFloat*>();
    for (TEditFloat* field : fields) {
        if (field->window() == this && typeid(*field) == typeid(TEditFloat) &&
            field->FormatEdit().isEmpty())
            field->SetFormatEdit(QStringLiteral("###0.00"));
    }
    if (!FModalDialog)
        FFocusMovePending = true;
    KeepOnScreen();
}

void TbrixDialog::KeepOnScreen() {
    // A dialog opens 30 pixels off its opener's corner; near a small
    // screen's edge it is pushed back inside, title bar first. Before the
    // first show the frame is unknown: at least a title bar of 30 pixels and
    // borders of 4 are kept free.
    const QScreen* s = screen();
    if (!s || !isWindow() || !parentWidget())
        return;
    const QRect area = s->availableGeometry();
    const QRect frame = frameGeometry();
    const QRect needed = geometry().top() > frame.top() ? frame : frame.adjusted(-4, -30, 4, 4);
    int dx = std::min(0, area.right() - needed.right());
    int dy = std::min(0, area.bottom() - needed.bottom());
    dx = std::max(dx, area.left() - needed.left());
    dy = std::max(dy, area.top() - needed.top());
    if (dx != 0 || dy != 0)
        move(pos() + QPoint(dx, dy));
}

void TbrixDialog::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        FFocusMovePending = false;
    QDialog::hideEvent(event);
}

bool TbrixDialog::event(QEvent* event) {
    // Before the first show: fields without a caption of their own are read
    // by the caption of their row.
    if (event->type() == QEvent::Polish)
        NameFieldsAfterRowCaptions(this);
    if (event->type() == QEvent::WindowActivate && FFocusMovePending) {
        // Queued, so that it follows the platform's own focus and whatever the
        // window's activation does.
        FFocusMovePending = false;
        const int generation = FFocusMoveGeneration;
        QMetaObject::invokeMethod(
            this,
            [this, generation] {
                if (generation == FFocusMoveGeneration)
                    MoveFocusAfterShow();
            },
            Qt::QueuedConnection);
    }
    return QDialog::event(event);
}

void TbrixDialog::CancelFocusMoveAfterShow() {
    FFocusMovePending = false;
    ++FFocusMoveGeneration;
}

void TbrixDialog::MoveFocusAfterShow() {
    if (!isVisible())
        return;
    QWidget* active = focusWidget();
    if (active == this)
        active = nullptr;
    if (QWidget* next = FindNextControl(active, true))
        next->setFocus(Qt::TabFocusReason);
}

} // namespace orvanta
