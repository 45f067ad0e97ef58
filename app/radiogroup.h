#pragma once
// A radio group read as one integer and set from one integer, as the plan
// record stores it. The buttons may share their parent with other groups, so
// exclusivity comes from a QButtonGroup, not from the parent.

#include <QButtonGroup>
#include <QObject>

#include <optional>
#include <utility>
#include <vector>

class QRadioButton;

namespace orvanta {

class TRadioGroup : public QObject {
    Q_OBJECT
public:
    TRadioGroup(std::initializer_list<std::pair<QRadioButton*, int>> buttons, QObject* parent);

    // The value of the checked button, or whenNone.
    int Value(int whenNone) const;
    std::optional<int> Checked() const;
    // Checks the buttons whose value equals value and unchecks the others; a
    // value no button has leaves the group without a checked button. The
    // button that becomes checked fires its click handler.
    void SetValue(int value);

    QRadioButton* Button(int value) const;
    const std::vector<std::pair<QRadioButton*, int>>& Buttons() const { return FButtons; }

private:
    QButtonGroup* FGroup;
    std::vector<std::pair<QRadioButton*, int>> FButtons;
};

} // namespace orvanta
