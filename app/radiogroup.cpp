#include "app/radiogroup.h"

#include <QRadioButton>

namespace orvanta {

TRadioGroup::TRadioGroup(std::initializer_list<std::pair<QRadioButton*, int>> buttons,
                         QObject* parent)
    : QObject(parent), FGroup(new QButtonGroup(this)), FButtons(buttons) {
    for (const auto& [button, value] : FButtons)
        FGroup->addButton(button);
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
}

} // namespace orvanta
