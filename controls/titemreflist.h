#pragma once
// A choice list: texts with integer keys, as the combo fields show them. Kept
// free of widgets so the lists and their registry can be used and tested
// without a window.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <initializer_list>
#include <utility>

namespace orvanta {

class TItemRefList : public QObject {
    Q_OBJECT
public:
    // Texts longer than this are cut; the lists are shown in one-line fields.
    static constexpr int MaxTextLength = 255;

    explicit TItemRefList(QObject* parent = nullptr);
    // Design data of a window, e.g. {{"männlich", 1}, {"weiblich", 2}}.
    TItemRefList(std::initializer_list<std::pair<QString, int>> entries, QObject* parent = nullptr);

    bool Add(const QString& text, int key);
    // An index outside 0..Count-1 is ignored.
    void Delete(int index);
    void Clear();
    int Count() const { return static_cast<int>(FKeys.size()); }

    // Empty for an index outside 0..Count-1.
    QString Items(int index) const;
    // 0 for an index outside 0..Count-1.
    int Refs(int index) const;
    // Replaces the text of an entry (texts that follow the data at run time).
    void SetItem(int index, const QString& text);

    // First index with that key, or -1; keys need not be unique.
    int IndexOfRef(int key) const;
    // First index whose text begins with prefix, ignoring case; -1 if none.
    int IndexOfPrefix(const QString& prefix) const;

    void Assign(const TItemRefList& other);

signals:
    // Entries were added, removed or renamed; combos showing the list repaint.
    void changed();

private:
    QStringList FTexts;
    QVector<int> FKeys;
};

} // namespace orvanta
