#pragma once
// A radio group read as one integer and set from one integer, as the plan
// record stores it. The buttons may share their parent with other groups, so
// exclusivity comes from a QButtonGroup, not from the parent.
//
// Keyboard, as users know it from radio groups: the group is one stop of the
// tab order, at its checked button (at its first usable button while none is
// checked or the checked one is hidden or disabled), so Tab and Enter never
// land on a button that Space or an arrow would check by mistake. The arrow
// keys move within the group in the order the buttons stand on screen (top
// to bottom, then left to right), wrapping at its ends, and check the button
// they reach. An accelerator that would focus an unchecked button of the
// group focuses the checked one instead.

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

    // The button Tab and Enter stop at; none while no button can take the focus.
    QRadioButton* TabStop() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* CheckedButton() const;
    static bool Usable(const QRadioButton* button);
    // Gives the tab stop to TabStop() and takes it from the other buttons.
    void UpdateTabStops();
    // The buttons top to bottom, then left to right.
    std::vector<QRadioButton*> ScreenOrder() const;
    // The next usable button after from (backwards: before it) on screen, wrapping.
    QRadioButton* Neighbour(QRadioButton* from, bool forward) const;

    QButtonGroup* FGroup;
    std::vector<std::pair<QRadioButton*, int>> FButtons;
};

} // namespace orvanta
