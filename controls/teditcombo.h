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
    int Value() const { return m_value; }
    void SetValue(int key);
    // The key Backspace chooses.
    int ValueDef() const { return m_valueDef; }
    void SetValueDef(int key) { m_valueDef = key; }

    int ItemIndex() const { return m_index; }
    QString Text() const;

    // The list the combo shows: its own one, or a shared one after
    // AssignItemRefList. Never null while the combo owns its list.
    TItemRefList* ItemRefList() const { return m_list; }
    // Uses a shared list from now on (the combo never frees it) and selects
    // the current Value in it. A null list is ignored.
    void AssignItemRefList(TItemRefList* list);

    bool CanExpandHorz() const { return m_canExpandHorz; }
    void SetCanExpandHorz(bool on) { m_canExpandHorz = on; }
    int DropDownCount() const { return m_dropDownCount; }
    void SetDropDownCount(int count) { m_dropDownCount = qMax(1, count); }
    // Hides the button; neither keys nor the mouse change the choice.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on);
    // A letter that matches no entry leaves the selection (and the typed
    // prefix) as they are, instead of starting a new search with it.
    bool SearchModeExt() const { return m_searchModeExt; }
    void SetSearchModeExt(bool on) { m_searchModeExt = on; }

    bool DroppedDown() const;
    void SetDroppedDown(bool open);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // Both fire after the user chose another entry, OnChange first.
    void OnChange(orvanta::TEditCombo* Sender);
    void OnModified(orvanta::TEditCombo* Sender);
    // Fires before the pop-up list opens.
    void OnDropDown(orvanta::TEditCombo* Sender);

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
    int Count() const { return m_list ? m_list->Count() : 0; }
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

    std::unique_ptr<TItemRefList> m_ownList;
    QPointer<TItemRefList> m_list;
    QMetaObject::Connection m_listConnection;
    int m_value = 0;
    int m_valueDef = 0;
    int m_previousKey = 0;
    int m_index = -1;
    bool m_canExpandHorz = false;
    int m_dropDownCount = 8;
    bool m_readOnly = false;
    bool m_searchModeExt = false;
    QString m_prefix;
    QFrame* m_popup = nullptr;
    QListWidget* m_popupList = nullptr;
};

} // namespace orvanta
