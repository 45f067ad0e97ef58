#pragma once
// The frame of the program's windows: a common keyboard behaviour over the
// input controls (Enter moves on like Tab; in a modal dialog Enter past the end
// accepts and Esc cancels), accelerator letters, the hooks for loading and
// saving data, and the show step. The frame has no buttons of its own.
//
// A window puts a key handler of its own in front of the frame's by overriding
// FormKeyDown and passing the keys it does not take to TbrixDialog::FormKeyDown.

#include <QDialog>
#include <QList>

namespace orvanta {

class TbrixDialog : public QDialog {
    Q_OBJECT
public:
    // Modal results; exec() and ShowModal() return them.
    enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2 };

    explicit TbrixDialog(QWidget* parent = nullptr);
    ~TbrixDialog() override;

    // Used as a modal dialog: Enter past the end of the tab order accepts it,
    // Esc cancels it, and showing it does not move the focus.
    bool ModalDialog() const { return FModalDialog; }
    void SetModalDialog(bool on) { FModalDialog = on; }
    // The window's key handler sees every key before the focused control.
    bool KeyPreview() const { return FKeyPreview; }
    void SetKeyPreview(bool on) { FKeyPreview = on; }

    // Fill the window's inputs from the data, and copy them back and store
    // them. Empty in the frame.
    virtual void LoadData();
    virtual void SaveData();

    // Takes over the entry typed in the window's focused field, without its
    // notification, before code reads the window's fields (a field's Value
    // holds only committed entries). Throws EUserEditError for a wrong entry,
    // which the field then reports with the focus and its error colour.
    void CommitFocusedEntry();

    // Shows the window modally and returns its modal result.
    int ShowModal() { return exec(); }
    // Closes the window with a modal result.
    void SetModalResult(int result) { done(result); }

    // The frame's key handler, called with the key, the modifiers and the
    // control that received the key (the window itself for the key preview).
    // Returns true when it took the key.
    bool BrixKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* control);

    // All controls of the window in tab order, depth first (the controls of a
    // container follow the container).
    QList<QWidget*> TabOrderList() const;
    // The next control after current that can take the focus and is a tab
    // stop, with wrap-around; current itself comes last. nullptr if none.
    QWidget* FindNextControl(QWidget* current, bool forward) const;
    // A control's position among the controls of its own container.
    static int TabNumber(const QWidget* control);
    // Whether the control is one of the input family that gets the frame's
    // key handler.
    static bool IsFrameControl(const QWidget* control);

protected:
    // The window's key-down handler; by default the frame's. Return true to
    // take the key, or pass it on to this base version.
    virtual bool FormKeyDown(int key, Qt::KeyboardModifiers shift, QWidget* sender);

    // Drops the show step's pending focus move (also one already queued), for
    // a window whose activation places the focus itself.
    void CancelFocusMoveAfterShow();

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public slots:
    void accept() override { done(mrOk); }
    void reject() override { done(mrCancel); }

private:
    bool HandleKeyPress(QWidget* receiver, QKeyEvent* event);
    bool DialogChar(QWidget* receiver, QKeyEvent* event);
    void MoveFocusAfterShow();
    // A dialog wholly inside its screen's free area.
    void KeepOnScreen();
    void CloseWithResult(int result);
    bool CommitBeforeClosing(QWidget* control);

    bool FModalDialog = false;
    bool FKeyPreview = true;
    bool FFocusMovePending = false;
    int FFocusMoveGeneration = 0; // a queued move runs only in its generation
    bool FForwardingKey = false;
};

} // namespace orvanta
