#include "app/tperformcomboreflist.h"

#include "controls/plainmessage.h"

#include <exception>

namespace orvanta {

TPerformComboRefList::TPerformComboRefList() {
    FillListsGuarded();
}

void TPerformComboRefList::FillListsGuarded() {
    try {
        FillLists();
    } catch (const std::exception& e) {
        ShowFillError(QStringLiteral("Fehler beim Füllen einer ItemRefListe: \n") +
                      QString::fromUtf8(e.what()));
    }
}

void TPerformComboRefList::ShowFillError(const QString& text) {
    ShowPlainMessage(text);
}

void TPerformComboRefList::FillLists() {
    struct Entry {
        const char* Text;
        int Key;
    };
    auto fill = [this](const char* name, std::initializer_list<Entry> entries) {
        TItemRefList* list = NewList(QString::fromUtf8(name));
        if (!list)
            return;
        for (const Entry& e : entries)
            list->Add(QString::fromUtf8(e.Text), e.Key);
    };
    fill("Default", {{" ", 1}});
    fill("Leer", {{"", 1}});
    fill("PERFORMANCEART", {{"BVI-Methode (keine Kosten)", 1}});
    fill("GESCHLECHT", {{"männlich", 1}, {"weiblich", 2}});
    fill("ANLAGESTRATEGIE", {{"Strategiedepot F", 1},
                             {"Strategiedepot S", 2},
                             {"Strategiedepot W", 3},
                             {"Strategiedepot Z", 4}});
    fill("AGIOZAHLUNG", {{"einmalig", 1}, {"verteilt", 2}});
    fill("BP-SATZ", {{"0,1%   1,0%", 1}, {"0,2%   1,5%", 2}, {"0,25%  2,0%", 3}});
    fill("BP-PERFORMANCE", {{"0,00%", 1}, {"3,00%", 2}, {"6,00%", 3}, {"9,00%", 4}});
    fill("ANLAGEART", {{"Aufbauplan", 1}, {"Einmalanlage", 2}, {"Systemeinmalanlage", 3}});
}

} // namespace orvanta
