#pragma once
// Text field: its value is a text of at most 255 characters.
//
// Display: the pattern (FormatEdit while the field has the focus, FormatView
// otherwise) with "%s" replaced by the value ("%%" gives "%"); without a
// pattern the value itself. Every character but Tab may be typed, as long as
// the data file can store it (Windows-1252): "Ł" is refused like Tab instead
// of turning into "?" in the file. Pasted or dropped text loses such
// characters the same way.
//
// Checks on commit: an empty entry becomes ValueDef (not while this field's
// modified() runs); with ucmMinCheck the text must not sort before ValueMin,
// with ucmMaxCheck not after ValueMax (locale-aware, ignoring case).
// On leaving, a text wider than the field shows its beginning.

#include "controls/tcustomuseredit.h"

#include <array>

namespace orvanta {

class TEditText : public TCustomUserEdit {
    Q_OBJECT
public:
    explicit TEditText(QWidget* parent = nullptr);

    static constexpr int MaxLength = 255;

    // The accepted value; an entry still being typed is not part of it
    // until it is committed (CommitEntry).
    QString Value() const { return FValues[viValue]; }
    // Sets the value (cut at 255 characters) and the last accepted value and
    // shows it. Checks and notifies nothing.
    void SetValue(const QString& value) { SetValueAt(viValue, value); }

    QString ValueMin() const { return FValues[viMin]; }
    QString ValueMax() const { return FValues[viMax]; }
    QString ValueDef() const { return FValues[viDef]; }
    // A non-empty bound switches its check on, an empty one off; writing the
    // value a bound already has changes nothing.
    void SetValueMin(const QString& value) { SetValueAt(viMin, value); }
    void SetValueMax(const QString& value) { SetValueAt(viMax, value); }
    void SetValueDef(const QString& value) { SetValueAt(viDef, value); }

    // The shared getter and setter of the five value stores.
    QString ValueAt(TValueIndex index) const { return FValues[index]; }
    void SetValueAt(TValueIndex index, const QString& value);

protected:
    bool Validate() override;
    QString GetErrorText() const override;
    void ShowValue() override;
    void TakeOverText() override;
    bool IsValidChar(QChar c) const override;
    void Undo() override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Drops what IsValidChar refuses from text that came in other than by
    // typing (paste, drop, input method).
    void DropInvalidCharacters();

    std::array<QString, 5> FValues;
};

} // namespace orvanta
