#include "controls/radiogroup.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRadioButton>

#include <algorithm>

namespace orvanta {

TRadioGroup::TRadioGroup(std::initializer_list<std::pair<QRadioButton*, int>> buttons,
                         QObject* parent)
    : QObject(parent), FGroup(new QButtonGroup(this)), FButtons(buttons) {
    for (const auto& [button, value] : FButtons) {
        FGroup->addButton(button);
        button->installEventFilter(this);
    }
    connect(FGroup, &QButtonGroup::buttonToggled, this, [this] { UpdateTabStops(); });
    UpdateTabStops();
}

std::optional<int> TRadioGroup::Checked() const {
    for (const auto& [button, value] : FButtons)
        if (button->isChecked())
            return value;
    return std::nullopt;
}

int TRadioGroup::Value(int whenNone) const {
    const auto v = Checked();
    return v ? *v : whenNone;
}

QRadioButton* TRadioGroup::Button(int value) const {
    for (const auto& [button, v] : FButtons)
        if (v == value)
            return button;
    return nullptr;
}

void TRadioGroup::SetValue(int value) {
    QRadioButton* target = Button(value);
    if (target) {
        target->setChecked(true); // the group unchecks the others
        return;
    }
    // An exclusive group cannot be emptied button by button.
    FGroup->setExclusive(false);
    for (const auto& [button, v] : FButtons)
        button->setChecked(false);
    FGroup->setExclusive(true);
    UpdateTabStops();
}

QRadioButton* TRadioGroup::CheckedButton() const {
    for (const auto& [button, value] : FButtons)
        if (button->isChecked())
            return button;
    return nullptr;
}

bool TRadioGroup::Usable(const QRadioButton* button) {
    // isHidden, not isVisible: the window itself may not be shown yet.
    return button->isEnabled() && !button->isHidden();
}

QRadioButton* TRadioGroup::TabStop() const {
    QRadioButton* checked = CheckedButton();
    if (checked && Usable(checked))
        return checked;
    for (QRadioButton* button : ScreenOrder())
        if (Usable(button))
            return button;
    return nullptr;
}

std::vector<QRadioButton*> TRadioGroup::ScreenOrder() const {
    std::vector<std::pair<QPoint, QRadioButton*>> placed;
    for (const auto& [button, value] : FButtons)
        placed.emplace_back(button->mapTo(button->window(), QPoint(0, 0)), button);
    // Top to bottom, then left to right, whatever order the values have.
    std::stable_sort(placed.begin(), placed.end(), [](const auto& a, const auto& b) {
        return a.first.y() != b.first.y() ? a.first.y() < b.first.y() : a.first.x() < b.first.x();
    });
    std::vector<QRadioButton*> order;
    for (const auto& entry : placed)
        order.push_back(entry.second);
    return order;
}

void TRadioGroup::UpdateTabStops() {
    QRadioButton* stop = TabStop();
    for (const auto& [button, value] : FButtons) {
        const Qt::FocusPolicy policy = button == stop ? Qt::StrongFocus : Qt::ClickFocus;
        if (button->focusPolicy() != policy)
            button->setFocusPolicy(policy);
    }
}

QRadioButton* TRadioGroup::Neighbour(QRadioButton* from, bool forward) const {
    const std::vector<QRadioButton*> order = ScreenOrder();
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    const std::ptrdiff_t start = std::find(order.begin(), order.end(), from) - order.begin();
    for (std::ptrdiff_t step = 1; step < n; ++step) {
        const std::ptrdiff_t i = ((start + (forward ? step : -step)) % n + n) % n;
        if (Usable(order[static_cast<std::size_t>(i)]))
            return order[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

bool TRadioGroup::eventFilter(QObject* watched, QEvent* event) {
    // A button being destroyed still sends events, but is no radio button by then.
    auto* button = qobject_cast<QRadioButton*>(watched);
    if (!button)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
            break;
        bool forward = true;
        switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            // Tab leaves the group from whichever button has the focus.
            for (const auto& [other, value] : FButtons)
                if (other != button)
                    other->setFocusPolicy(Qt::ClickFocus);
            return false;
        case Qt::Key_Up:
        case Qt::Key_Left:
            forward = false;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            break;
        default:
            return false;
        }
        if (QRadioButton* next = Neighbour(button, forward)) {
            next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            // As a click: the button's handler runs as for the mouse.
            if (!next->isChecked())
                next->click();
        }
        return true; // the arrows never leave the group
    }
    case QEvent::FocusIn: {
        // The platform makes whichever button got the focus the group's tab
        // stop; the checked one is.
        auto* focus = static_cast<QFocusEvent*>(event);
        QRadioButton* stop = TabStop();
        if (focus->reason() == Qt::ShortcutFocusReason && stop && stop != button &&
            stop->isChecked()) {
            stop->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
    case QEvent::EnabledChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        UpdateTabStops();
        break;
    default:
        break;
    }
    return false;
}

} // namespace orvanta
