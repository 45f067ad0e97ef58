#pragma once
// The main window's registry of choice lists behind its combo fields and those
// of the commission settings.

#include "controls/tcomboreflist.h"

namespace orvanta {

class TPerformComboRefList : public TComboRefList {
public:
    TPerformComboRefList();

protected:
    // Creates and fills the lists; a failure stops the filling there and is
    // reported, the lists made so far stay.
    virtual void FillLists();
    // Where the filling reports a failure (a plain message box).
    virtual void ShowFillError(const QString& text);

private:
    void FillListsGuarded();
};

} // namespace orvanta
