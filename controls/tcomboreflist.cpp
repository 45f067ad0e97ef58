#include "controls/tcomboreflist.h"

#include "controls/plainmessage.h"

#include <exception>

namespace orvanta {

TComboRefList::~TComboRefList() = default;

TItemRefList* TComboRefList::NewList(const QString& name) {
    try {
        std::unique_ptr<TItemRefList> list = CreateItemRefList();
        TItemRefList* result = list.get();
        FLists.push_back(Entry{name, std::move(list)});
        return result;
    } catch (const std::exception& e) {
        ShowMessage(QStringLiteral("Fehler beim Anlegen einer ItemRefListe: \n") +
                    QString::fromLocal8Bit(e.what()));
        return nullptr;
    }
}

TItemRefList* TComboRefList::GetList(const QString& name) {
    const int index = IndexOf(name);
    if (index >= 0) {
        TItemRefList* list = FLists[static_cast<std::size_t>(index)].List.get();
        DoBeforeGetList(name, list);
        return list;
    }
    if (TItemRefList* created = DoCreateMissingList(name))
        return created;
    const int def = IndexOf(DefaultListName);
    return def >= 0 ? FLists[static_cast<std::size_t>(def)].List.get() : nullptr;
}

QString TComboRefList::Names(int index) const {
    return index >= 0 && index < Count() ? FLists[static_cast<std::size_t>(index)].Name : QString();
}

TItemRefList* TComboRefList::Lists(int index) const {
    return index >= 0 && index < Count() ? FLists[static_cast<std::size_t>(index)].List.get()
                                         : nullptr;
}

int TComboRefList::IndexOf(const QString& name) const {
    for (std::size_t i = 0; i < FLists.size(); ++i) {
        if (FLists[i].Name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void TComboRefList::DoBeforeGetList(const QString&, TItemRefList*) {}

TItemRefList* TComboRefList::DoCreateMissingList(const QString&) {
    return nullptr;
}

std::unique_ptr<TItemRefList> TComboRefList::CreateItemRefList() {
    return std::make_unique<TItemRefList>();
}

void TComboRefList::ShowMessage(const QString& text) {
    ShowPlainMessage(text);
}

} // namespace orvanta
