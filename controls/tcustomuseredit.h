#pragma once
// Common behaviour of the validated edit fields (TEditFloat, TEditText).
//
// A field holds a typed value. It shows it in the edit format while it has
// the focus and in the view format while it has not, and takes a typed entry
// over only when it is committed:
//   - Enter in the field (then modified() fires),
//   - the focus moving to another control of the same window (then modified()
//     fires),
//   - code committing it with CommitEntry() (no modified()): a window does
//     that for its focused field before it reads its fields' values
//     (TbrixDialog::CommitFocusedEntry), so that code reading a field takes
//     the typed entry over.
// Reading Value never commits: it is the accepted value. Values set by code
// are never checked and never notify.
//
// A wrong entry (outside ValueMin..ValueMax, or not a number) is reported by
// the field: it keeps (takes back) the focus, selects the text, shows
// ErrColor as background until the next key and beeps. Where the user caused
// the commit (Enter, leaving) the field shows the German message itself;
// where code caused it (CommitEntry) EUserEditError is thrown
// and the caller's error handling (RunAndReport in controls/errordisplay.h)
// shows it. Either way the operation stops there.
//
// Focus changes caused by another window becoming active (a message box, a
// pop-up) are neither entering nor leaving the field. Hiding the field (with
// its window: a dialog closed by Esc or Enter) ends the entry: a valid typed
// text is taken over as CommitEntry would take it, a wrong one is given up
// for the last accepted value, the error colour goes, and the field shows its
// view format. Shown again, a focus it gets back is entering it.
//
// A control that takes the focus before it acts (a button) can tell whether
// a field with a wrong entry kept it: the field takes the focus back inside
// that same setFocus() call, so hasFocus() is false right afterwards and the
// control never receives a focus-in. The message follows from the event loop.

#include "core/errors.h"

#include <QColor>
#include <QFlags>
#include <QLineEdit>
#include <QString>

#include <array>

namespace orvanta {

// Raised by a failed check; carries the message text (UTF-8 in what()).
class EUserEditError : public EOrvantaError {
public:
    explicit EUserEditError(const QString& text) : EOrvantaError(text.toStdString()), Text(text) {}
    QString Text;
};

// Which bound checks run. Only ucmMinCheck and ucmMaxCheck have an effect;
// the others may stand in a set and are ignored.
enum TUserCheckMode {
    ucmMinCheck = 0x01,
    ucmMaxCheck = 0x02,
    ucmMandatory = 0x04,
    ucmSpecial = 0x08,
    ucmDependence = 0x10,
    ucmNotValid = 0x20,
};
Q_DECLARE_FLAGS(TUserCheckModes, TUserCheckMode)
Q_DECLARE_OPERATORS_FOR_FLAGS(TUserCheckModes)

enum TUserAlignment { taLeftJustify, taRightJustify };

// The value stores of a field, in the order the shared getter and setter use.
enum TValueIndex { viValue = 0, viMax = 1, viMin = 2, viLast = 3, viDef = 4 };

// What the last check found.
enum TErrorKind { ekNone = 0, ekTooSmall = 1, ekTooLarge = 2, ekNotValid = 4 };

class TCustomUserEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TCustomUserEdit(QWidget* parent = nullptr);

    TUserCheckModes CheckMode() const { return FCheckMode; }
    void SetCheckMode(TUserCheckModes modes) { FCheckMode = modes; }

    // Background while a wrong entry is reported; red by default.
    QColor ErrColor() const { return FErrColor; }
    void SetErrColor(const QColor& color);

    // Display patterns while the field has the focus / has not. Changing them
    // shows the value anew, unless the user has a typed entry pending.
    QString FormatEdit() const { return FFormatEdit; }
    void SetFormatEdit(const QString& pattern);
    QString FormatView() const { return FFormatView; }
    void SetFormatView(const QString& pattern);

    // taRightJustify: flush right while the field has not the focus, inset by
    // a quarter of the font height when it has a frame.
    TUserAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TUserAlignment alignment);

    // Takes over a typed entry: only while Editing and when the text was
    // changed; fires no modified(). Throws EUserEditError
    // for a wrong entry (the field has then taken the focus and shows the
    // error state). The dialog frame may use it before a button acts.
    void CommitEntry();

    // Takes over a changed entry and fires modified(), as Enter does. False
    // for a wrong entry, whose message has then been shown.
    bool CommitAndNotify();

    // Inner state, for the dialog frame and for tests.
    bool Editing() const { return FEditing; }
    bool ErrorRefocus() const { return FErrorRefocus; }
    bool ErrorColorShown() const { return FErrorColorShown; }
    TErrorKind ErrorKind() const { return FErrorKind; }
    // The message for the current ErrorKind, cut at 255 characters.
    QString ErrorText() const;

signals:
    // The user's entry was taken over (Enter or leaving the field), also when
    // it equals the old value. Never for values set by code.
    void modified();
    // The field was entered (it received the focus from another control).
    void entered();

protected:
    // Operations per value type.
    // Checks the text and sets ErrorKind; true when the entry is valid.
    virtual bool Validate() = 0;
    // The message for ErrorKind (before the cut at 255 characters).
    virtual QString GetErrorText() const = 0;
    // Writes the value into the text in the current format.
    virtual void ShowValue() = 0;
    // Sets Value and the last accepted value from the (validated) text.
    virtual void TakeOverText() = 0;
    // Whether a typed character may go into the text. Control characters
    // other than Tab never reach this.
    virtual bool IsValidChar(QChar c) const = 0;
    // Sets Value back to the last accepted value.
    virtual void Undo() = 0;
    // Keys a field type handles itself (after the error colour went, before
    // Esc, Enter and the character filter); true when the key was taken.
    virtual bool HandleSpecialKey(QKeyEvent* event);

    // Called by the value setters of the subclasses after a value was written
    // by code: shows it, and while Editing selects it and clears Modified.
    void ValueWritten();
    // The shared setter of a field type's five value stores: writing viValue
    // sets the last accepted value too and shows it; a bound switches its
    // check on when boundActive, off otherwise, and writing the value it
    // already has changes nothing.
    template <typename T>
    void WriteValueStore(std::array<T, 5>& values, TValueIndex index, const T& value,
                         bool boundActive);
    // The message for an entry outside the bounds (ekTooSmall, ekTooLarge),
    // with the range as the field type shows it; empty for other kinds.
    QString BoundErrorText(const QString& min, const QString& max) const;
    // Sets ErrorKind (for Validate).
    void SetErrorKind(TErrorKind kind) { FErrorKind = kind; }
    // True while a modified() of this field runs.
    bool InNotification() const { return FInNotification; }
    // Replaces the text without losing the Modified flag (Validate's
    // substitution of ValueDef for an empty entry).
    void ReplaceTextKeepModified(const QString& text);
    // Commit; throws EUserEditError.
    void Commit();
    // Fires modified() for an entry the field has taken over itself (a
    // conversion key), showing what a failing handler reports.
    void NotifyEntry() { NotifyReportingErrors(false); }

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    // Shows the value in the current format and applies the alignment.
    void Refresh();

private:
    [[noreturn]] void ReportWrongEntry();
    void RestoreBackground();
    void SetBackground(const QColor& color);
    void ApplyAlignment();
    void ApplyDisabledColors();
    void Notify();
    void NotifyReportingErrors(bool deferred);
    void ReportLater(const QString& text);
    void EndEntryOnHide();

    TUserCheckModes FCheckMode;
    QColor FErrColor{255, 0, 0};
    QString FFormatEdit;
    QString FFormatView;
    TUserAlignment FAlignment = taLeftJustify;

    bool FEditing = false;
    bool FErrorRefocus = false;
    bool FErrorColorShown = false;
    TErrorKind FErrorKind = ekNone;
    // Background remembered on entering, brought back after an error.
    QColor FRememberedBase;
    // The focus went to another window (message box, pop-up): not a leave.
    bool FSuspended = false;
    bool FInNotification = false;
    // A message waiting to be shown after a focus change.
    QString FPendingReport;
};

template <typename T>
void TCustomUserEdit::WriteValueStore(std::array<T, 5>& values, TValueIndex index, const T& value,
                                      bool boundActive) {
    switch (index) {
    case viValue:
        values[viValue] = value;
        values[viLast] = value;
        ValueWritten();
        return;
    case viMin:
    case viMax: {
        if (values[index] == value)
            return;
        values[index] = value;
        const TUserCheckMode mode = index == viMin ? ucmMinCheck : ucmMaxCheck;
        SetCheckMode(boundActive ? CheckMode() | mode : CheckMode() & ~TUserCheckModes(mode));
        return;
    }
    case viLast:
    case viDef:
        values[index] = value;
        return;
    }
}

} // namespace orvanta
