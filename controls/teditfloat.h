#pragma once
// Number field: its value is a 64-bit floating-point number.
//
// Display: while the field has the focus, FormatEdit (or, when empty, the
// shortest decimal form with at most 15 significant digits); otherwise
// FormatView, or with Decimals > 0 fixed point with Decimals decimals, or
// the shortest form. Patterns are those of core/numberpattern.h; the
// separators are the process-wide regional ones (core/formatsettings.h).
//
// Typing: only digits, "-", the decimal and the thousands separator go in
// (the keypad's decimal key gives the decimal separator). A thousands
// separator counts only where it groups thousands; anywhere else it is read
// as the decimal separator (core/numberparse.h), so "150.50" typed out of
// habit is 150,50, not 15050. Ctrl+Alt+E divides the value by
// 1.95583 (Deutsche Mark to euro), Ctrl+Alt+D multiplies by it; the result
// must keep the bounds and counts as the user's entry (modified()).
//
// Checks on commit: an empty entry becomes ValueDef; the text must be a
// number; with ucmMinCheck it must not be below ValueMin, with ucmMaxCheck
// not above ValueMax (both inclusive). The number is taken as typed, not
// rounded to Decimals; a field for WholeNumbers takes (and checks) the whole
// part that its users store, and shows that.

#include "controls/tcustomuseredit.h"

#include <array>
#include <cstdint>

namespace orvanta {

class TEditFloat : public TCustomUserEdit {
    Q_OBJECT
public:
    explicit TEditFloat(QWidget* parent = nullptr);

    // The Deutsche Mark per euro.
    static constexpr double DMRate = 1.95583;

    // The accepted value; an entry still being typed is not part of it
    // until it is committed (CommitEntry).
    double Value() const { return FValues[viValue]; }
    // Sets the value and the last accepted value and shows it. Checks and
    // notifies nothing.
    void SetValue(double value) { SetValueAt(viValue, value); }

    double ValueMin() const { return FValues[viMin]; }
    double ValueMax() const { return FValues[viMax]; }
    double ValueDef() const { return FValues[viDef]; }
    // A non-zero bound switches its check on, zero switches it off; writing
    // the value a bound already has changes nothing.
    void SetValueMin(double value) { SetValueAt(viMin, value); }
    void SetValueMax(double value) { SetValueAt(viMax, value); }
    // Replaces an empty entry before the bound checks.
    void SetValueDef(double value) { SetValueAt(viDef, value); }

    // The shared getter and setter of the five value stores.
    double ValueAt(TValueIndex index) const { return FValues[index]; }
    void SetValueAt(TValueIndex index, double value);

    // Decimals for the display when FormatView is empty, and for the bounds
    // in the messages.
    std::uint8_t Decimals() const { return FDecimals; }
    void SetDecimals(std::uint8_t decimals);

    // Ages and durations: a typed "35,7" commits as 35, the whole part that
    // is stored, instead of showing "36" while 35 is used.
    bool WholeNumbers() const { return FWholeNumbers; }
    void SetWholeNumbers(bool whole) { FWholeNumbers = whole; }

protected:
    bool Validate() override;
    QString GetErrorText() const override;
    void ShowValue() override;
    void TakeOverText() override;
    bool IsValidChar(QChar c) const override;
    void Undo() override;
    bool HandleSpecialKey(QKeyEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The number the text stands for, as this field takes it over.
    bool ParseText(double& number) const;
    // ErrorKind for a number against the bounds the check mode asks for.
    void CheckBounds(double number);
    // The text of a value while it is being edited.
    QString EditText(double value) const;

    std::array<double, 5> FValues{};
    std::uint8_t FDecimals = 0;
    bool FWholeNumbers = false;
};

} // namespace orvanta
