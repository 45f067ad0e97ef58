#pragma once
// Combo field over a keyed choice list: a read-only text box, a drop-down
// button and a pop-up list. It holds the integer key of the chosen entry and
// always shows that entry's text.

#include "controls/titemreflist.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QFrame;
class QKeyEvent;
class QListWidget;

namespace orvanta {

class TEditCombo : public QWidget {
    Q_OBJECT
public:
    explicit TEditCombo(QWidget* parent = nullptr);
    ~TEditCombo() override;

    // The key of the chosen entry; 0 when none is chosen. Setting it selects
    // the first entry with that key (none if there is no such entry) and fires
    // nothing.
    int Value() const { return FValue; }
    void SetValue(int key);
    // The key Backspace chooses.
    int ValueDef() const { return FValueDef; }
    void SetValueDef(int key) { FValueDef = key; }

    int ItemIndex() const { return FIndex; }
    QString Text() const;

    // The list the combo shows: its own one, or a shared one after
    // AssignItemRefList. Never null while the combo owns its list.
    TItemRefList* ItemRefList() const { return FList; }
    // Uses a shared list from now on (the combo never frees it) and selects
    // the current Value in it. A null list is ignored.
    void AssignItemRefList(TItemRefList* list);

    bool CanExpandHorz() const { return FCanExpandHorz; }
    void SetCanExpandHorz(bool on) { FCanExpandHorz = on; }
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count) { FDropDownCount = qMax(1, count); }
    // Hides the button; neither keys nor the mouse change the choice.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool on);
    // A letter that matches no entry leaves the selection (and the typed
    // prefix) as they are, instead of starting a new search with it.
    bool SearchModeExt() const { return FSearchModeExt; }
    void SetSearchModeExt(bool on) { FSearchModeExt = on; }

    bool DroppedDown() const;
    void SetDroppedDown(bool open);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Both fire after the user chose another entry, changed() first.
    void changed();
    void modified();
    // Fires before the pop-up list opens.
    void aboutToDropDown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Count() const { return FList ? FList->Count() : 0; }
    int ButtonWidth() const;
    // The user's choice of an entry (-1 for none), with its notifications.
    void ChooseIndex(int index);
    void TypeCharacter(const QString& text);
    // The choice keys (not Alt, not Esc), with the combo closed or its list
    // open; false when the key is none of them.
    bool ChoiceKey(QKeyEvent* event);
    // The open list's highlight follows the choice.
    void SyncPopupRow();
    void OpenPopup();
    void ClosePopup();
    void ConnectList();

    std::unique_ptr<TItemRefList> FOwnList;
    QPointer<TItemRefList> FList;
    QMetaObject::Connection FListConnection;
    int FValue = 0;
    int FValueDef = 0;
    int FPreviousKey = 0;
    int FIndex = -1;
    bool FCanExpandHorz = false;
    int FDropDownCount = 8;
    bool FReadOnly = false;
    bool FSearchModeExt = false;
    QString FPrefix;
    QFrame* FPopup = nullptr;
    QListWidget* FPopupList = nullptr;
};

} // namespace orvanta
