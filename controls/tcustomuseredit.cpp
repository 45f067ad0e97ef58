#include "controls/tcustomuseredit.h"

#include "controls/errordisplay.h"
#include "controls/housestyle.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QHideEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QShowEvent>
#include <QTimer>

namespace orvanta {

namespace {

constexpr int MaxMessageLength = 255;

// Focus changes that come from another window becoming active: a message
// box, a pop-up list or menu, another program. The field is neither left nor
// entered by them.
bool IsWindowFocusChange(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}

// Keys that reach a field as typed characters even without printable text.
bool IsTypedControlKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
           key == Qt::Key_Backspace;
}

} // namespace

TCustomUserEdit::TCustomUserEdit(QWidget* parent) : QLineEdit(parent) {
    FRememberedBase = palette().color(QPalette::Active, QPalette::Base);
    ApplyDisabledColors();
}

void TCustomUserEdit::SetErrColor(const QColor& color) {
    FErrColor = color;
    if (FErrorColorShown)
        SetBackground(color);
}

void TCustomUserEdit::SetFormatEdit(const QString& pattern) {
    FFormatEdit = pattern;
    // A pending typed entry is the user's: never overwrite it.
    if (!(FEditing && isModified()))
        Refresh();
}

void TCustomUserEdit::SetFormatView(const QString& pattern) {
    FFormatView = pattern;
    if (!(FEditing && isModified()))
        Refresh();
}

void TCustomUserEdit::SetAlignment(TUserAlignment alignment) {
    FAlignment = alignment;
    ApplyAlignment();
}

QString TCustomUserEdit::ErrorText() const {
    return GetErrorText().left(MaxMessageLength);
}

QString TCustomUserEdit::BoundErrorText(const QString& min, const QString& max) const {
    const QString range =
        QStringLiteral(" Gültige Eingaben liegen im Bereich\n\nvon \"%1\" bis \"%2\"")
            .arg(min, max);
    switch (FErrorKind) {
    case ekTooSmall:
        return QStringLiteral("Der Eingabewert ist zu klein!") + range;
    case ekTooLarge:
        return QStringLiteral("Der Eingabewert ist zu groß!") + range;
    case ekNotValid:
    case ekNone:
        break;
    }
    return {};
}

void TCustomUserEdit::CommitEntry() {
    if (FEditing)
        Commit();
}

bool TCustomUserEdit::CommitAndNotify() {
    if (!isModified())
        return true;
    try {
        Commit();
    } catch (const EUserEditError& e) {
        ShowErrorMessage(e.Text, this);
        return false;
    }
    FEditing = false;
    setModified(false);
    NotifyReportingErrors(false);
    return true;
}

void TCustomUserEdit::Refresh() {
    ShowValue();
    ApplyAlignment();
}

void TCustomUserEdit::ValueWritten() {
    // Outside an entry there is no wrong entry left to mark.
    if (!FEditing)
        RestoreBackground();
    ShowValue(); // setText clears Modified
    ApplyAlignment();
    if (FEditing)
        selectAll();
}

void TCustomUserEdit::ReplaceTextKeepModified(const QString& text) {
    const bool modified = isModified();
    setText(text);
    setModified(modified);
}

void TCustomUserEdit::Commit() {
    if (!isModified())
        return;
    if (Validate()) {
        TakeOverText();
        return;
    }
    ReportWrongEntry();
}

void TCustomUserEdit::ReportWrongEntry() {
    const QString message = ErrorText();
    if (!hasFocus()) {
        if (!isEnabled() || !isVisible()) {
            // Code disabled or hid the field while it held a wrong entry: it
            // can no longer keep the focus, so the entry is given up and the
            // last accepted value comes back (reported all the same).
            Undo();
            FEditing = false;
            FSuspended = false;
            Refresh();
            QApplication::beep();
            throw EUserEditError(message);
        }
        // Take the focus back. In the active window the focus-in comes at
        // once and is no entering of the field; in an inactive one the field
        // just becomes the window's focus again.
        FErrorRefocus = true;
        setFocus(Qt::OtherFocusReason);
        FErrorRefocus = false;
    }
    SetBackground(FErrColor);
    FErrorColorShown = true;
    selectAll();
    QApplication::beep();
    throw EUserEditError(message);
}

void TCustomUserEdit::SetBackground(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::Base, color);
    p.setColor(QPalette::Inactive, QPalette::Base, color);
    setPalette(p);
}

void TCustomUserEdit::RestoreBackground() {
    if (!FErrorColorShown)
        return;
    FErrorColorShown = false;
    SetBackground(FRememberedBase);
}

void TCustomUserEdit::ApplyDisabledColors() {
    // A disabled field shows the button face as background and grey text; the
    // disabled colour group does that, and enabling shows the normal colours
    // again (also for a field created disabled). The grey is the platform's,
    // darkened where it would be hard to read on the button face.
    const QPalette app = QApplication::palette();
    QPalette p = palette();
    const QColor face = app.color(QPalette::Active, QPalette::Button);
    p.setColor(QPalette::Disabled, QPalette::Base, face);
    p.setColor(QPalette::Disabled, QPalette::Text, DisabledFieldText(app));
    setPalette(p);
}

void TCustomUserEdit::ApplyAlignment() {
    const bool right = FAlignment == taRightJustify && !FEditing && !hasFocus();
    QLineEdit::setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    const int inset = (right && hasFrame()) ? fontMetrics().height() / 4 : 0;
    setTextMargins(0, 0, inset, 0);
}

void TCustomUserEdit::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        ApplyDisabledColors();
    else if (event->type() == QEvent::FontChange)
        ApplyAlignment();
}

void TCustomUserEdit::showEvent(QShowEvent* event) {
    QLineEdit::showEvent(event);
    // Whatever focus the field gets now enters it: the entry it was in ended
    // when it was hidden, even if the window lost the focus only afterwards.
    if (!event->spontaneous())
        FSuspended = false;
}

void TCustomUserEdit::hideEvent(QHideEvent* event) {
    QLineEdit::hideEvent(event);
    // A minimised window comes back as it was.
    if (!event->spontaneous())
        EndEntryOnHide();
}

void TCustomUserEdit::EndEntryOnHide() {
    FSuspended = false;
    FErrorRefocus = false;
    if (FErrorColorShown) {
        // The wrong entry was reported; nobody can put it right any more.
        Undo();
    } else if (FEditing && isModified()) {
        // Taken over as reading Value would, so that a window that reads its
        // fields after closing (whatever the result) gets the entry; a wrong
        // one is given up.
        if (Validate())
            TakeOverText();
        else
            Undo();
    }
    RestoreBackground();
    FEditing = false;
    // Also after Enter, which ends the entry but leaves the typed text shown.
    Refresh();
}

void TCustomUserEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (FErrorRefocus) {
        // Back after a failed check: text, selection and colour stay.
        FErrorRefocus = false;
        FSuspended = false;
        return;
    }
    if (FSuspended && IsWindowFocusChange(event->reason())) {
        // Our window is active again; the entry goes on where it was.
        FSuspended = false;
        return;
    }
    FSuspended = false;
    FEditing = true;
    if (!FErrorColorShown)
        FRememberedBase = palette().color(QPalette::Active, QPalette::Base);
    Refresh(); // clears Modified
    selectAll();
    emit entered();
}

void TCustomUserEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (IsWindowFocusChange(event->reason())) {
        // Also after Enter (no longer Editing) the text may hold typing.
        FSuspended = true;
        return;
    }
    if (!isModified()) {
        FEditing = false;
        Refresh();
        return;
    }
    try {
        Commit();
    } catch (const EUserEditError& e) {
        // The field has taken the focus back; the message comes once the
        // focus change is over, as the application's error display.
        ReportLater(e.Text);
        return;
    }
    FEditing = false;
    setModified(false);
    NotifyReportingErrors(true);
    // A handler that put the focus back into the field has entered it anew.
    if (!FEditing)
        Refresh();
}

void TCustomUserEdit::ReportLater(const QString& text) {
    // Keys typed ahead (a second Tab) may fail again before the message is
    // out: the user sees the same message once.
    if (FPendingReport == text)
        return;
    FPendingReport = text;
    QTimer::singleShot(0, this, [this, text] {
        ShowErrorMessage(text, this);
        if (FPendingReport == text)
            FPendingReport.clear();
    });
}

void TCustomUserEdit::Notify() {
    FInNotification = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FInNotification};
    emit modified();
}

void TCustomUserEdit::NotifyReportingErrors(bool deferred) {
    // A handler that fails (a wrong entry in another field it reads, a
    // calculation error) ends its operation; the entry itself is taken over.
    try {
        Notify();
    } catch (const std::exception& e) {
        if (deferred)
            ReportLater(ExceptionText(e));
        else
            ShowException(e, this);
    }
}

bool TCustomUserEdit::HandleSpecialKey(QKeyEvent*) {
    return false;
}

void TCustomUserEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool typed = !text.isEmpty() || IsTypedControlKey(event->key());
    if (typed)
        RestoreBackground();
    if (HandleSpecialKey(event)) {
        event->accept();
        return;
    }

    switch (event->key()) {
    case Qt::Key_Escape:
        Undo();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        CommitAndNotify();
        return;
    default:
        break;
    }

    // Characters that would go into the text pass the field's filter; a
    // rejected one is dropped silently. Shortcuts (Ctrl+C, Ctrl+V, ...) and
    // keys without text (arrows, Delete) are not characters.
    const bool inserts =
        !text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier);
    if (inserts) {
        for (QChar c : text) {
            if (c == QLatin1Char('\t') || !IsValidChar(c)) {
                event->accept();
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace orvanta
