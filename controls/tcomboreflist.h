#pragma once
// Registry of named choice lists. A window's registry creates its lists once;
// combo fields then share them by name. Free of widgets apart from the one
// message a failed creation shows, which descendants and tests may redirect.

#include "controls/titemreflist.h"

#include <QString>

#include <memory>
#include <vector>

namespace orvanta {

class TComboRefList {
public:
    // The list every registry must hold; unknown names yield it.
    static inline const QString DefaultListName = QStringLiteral("Default");

    TComboRefList() = default;
    virtual ~TComboRefList();
    TComboRefList(const TComboRefList&) = delete;
    TComboRefList& operator=(const TComboRefList&) = delete;

    // Creates an empty list under name and returns it; the registry owns it.
    // On failure the reason is shown and nullptr returned.
    TItemRefList* NewList(const QString& name);
    // The list stored under name (ignoring case), else the one the missing-list
    // hook creates, else "Default". nullptr only if not even "Default" exists.
    TItemRefList* GetList(const QString& name);

    int Count() const { return static_cast<int>(FLists.size()); }
    QString Names(int index) const;
    TItemRefList* Lists(int index) const;
    int IndexOf(const QString& name) const;

protected:
    // Runs before an existing list is handed out by GetList.
    virtual void DoBeforeGetList(const QString& name, TItemRefList* list);
    // Runs for a name the registry does not hold; may create the list (with
    // NewList) and return it. nullptr falls back to "Default".
    virtual TItemRefList* DoCreateMissingList(const QString& name);
    // Creates the list object for NewList; may throw.
    virtual std::unique_ptr<TItemRefList> CreateItemRefList();
    // Shows a message to the user (a plain message box).
    virtual void ShowMessage(const QString& text);

private:
    struct Entry {
        QString Name;
        std::unique_ptr<TItemRefList> List;
    };
    std::vector<Entry> FLists;
};

} // namespace orvanta
