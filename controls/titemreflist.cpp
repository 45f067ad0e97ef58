#include "controls/titemreflist.h"

namespace orvanta {

TItemRefList::TItemRefList(QObject* parent) : QObject(parent) {}

TItemRefList::TItemRefList(std::initializer_list<std::pair<QString, int>> entries, QObject* parent)
    : QObject(parent) {
    for (const auto& [text, key] : entries)
        Add(text, key);
}

bool TItemRefList::Add(const QString& text, int key) {
    m_texts.append(text.left(MaxTextLength));
    m_keys.append(key);
    emit Changed();
    return true;
}

void TItemRefList::Delete(int index) {
    if (index < 0 || index >= Count())
        return;
    m_texts.removeAt(index);
    m_keys.removeAt(index);
    emit Changed();
}

void TItemRefList::Clear() {
    if (Count() == 0)
        return;
    m_texts.clear();
    m_keys.clear();
    emit Changed();
}

QString TItemRefList::Items(int index) const {
    return index >= 0 && index < Count() ? m_texts.at(index) : QString();
}

int TItemRefList::Refs(int index) const {
    return index >= 0 && index < Count() ? m_keys.at(index) : 0;
}

void TItemRefList::SetItem(int index, const QString& text) {
    if (index < 0 || index >= Count())
        return;
    m_texts[index] = text.left(MaxTextLength);
    emit Changed();
}

int TItemRefList::IndexOfRef(int key) const {
    return static_cast<int>(m_keys.indexOf(key));
}

int TItemRefList::IndexOfPrefix(const QString& prefix) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_texts.at(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

void TItemRefList::Assign(const TItemRefList& other) {
    m_texts = other.m_texts;
    m_keys = other.m_keys;
    emit Changed();
}

} // namespace orvanta
