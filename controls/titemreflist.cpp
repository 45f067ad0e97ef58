#include "controls/titemreflist.h"

namespace orvanta {

TItemRefList::TItemRefList(QObject* parent) : QObject(parent) {}

TItemRefList::TItemRefList(std::initializer_list<std::pair<QString, int>> entries, QObject* parent)
    : QObject(parent) {
    for (const auto& [text, key] : entries)
        Add(text, key);
}

bool TItemRefList::Add(const QString& text, int key) {
    FTexts.append(text.left(MaxTextLength));
    FKeys.append(key);
    emit changed();
    return true;
}

void TItemRefList::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    FTexts.removeAt(index);
    FKeys.removeAt(index);
    emit changed();
}

void TItemRefList::Clear() {
    if (Count() == 0)
        return;
    FTexts.clear();
    FKeys.clear();
    emit changed();
}

QString TItemRefList::Items(int index) const {
    return index >= 0 && index < Count() ? FTexts.at(index) : QString();
}

int TItemRefList::Refs(int index) const {
    return index >= 0 && index < Count() ? FKeys.at(index) : 0;
}

void TItemRefList::SetItem(int index, const QString& text) {
    if (index < 0 || index >= Count())
        return;
    FTexts[index] = text.left(MaxTextLength);
    emit changed();
}

int TItemRefList::IndexOfRef(int key) const {
    return static_cast<int>(FKeys.indexOf(key));
}

int TItemRefList::IndexOfPrefix(const QString& prefix) const {
    for (int i = 0; i < Count(); ++i) {
        if (FTexts.at(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

void TItemRefList::Assign(const TItemRefList& other) {
    FTexts = other.FTexts;
    FKeys = other.FKeys;
    emit changed();
}

} // namespace orvanta
