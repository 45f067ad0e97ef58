// Choice lists and their registry, without any window.

#include "controls/tcomboreflist.h"

#include <QtTest>

#include <new>

using namespace orvanta;

namespace {

// Records messages instead of showing a box; can make list creation fail.
class TestRegistry : public TComboRefList {
public:
    QStringList Messages;
    bool FailCreation = false;
    QStringList BeforeGet;
    QString CreateOnDemand;

protected:
    void ShowMessage(const QString& text) override { Messages << text; }
    std::unique_ptr<TItemRefList> CreateItemRefList() override {
        if (FailCreation)
            throw std::bad_alloc();
        return TComboRefList::CreateItemRefList();
    }
    void DoBeforeGetList(const QString& name, TItemRefList*) override { BeforeGet << name; }
    TItemRefList* DoCreateMissingList(const QString& name) override {
        if (name != CreateOnDemand)
            return nullptr;
        TItemRefList* list = NewList(name);
        list->Add(QStringLiteral("auf Abruf"), 7);
        return list;
    }
};

} // namespace

class TestChoiceLists : public QObject {
    Q_OBJECT
private slots:
    void itemAccessOutsideTheListIsHarmless();
    void lookupFindsFirstKeyAndPrefixIgnoringCase();
    void longTextsAreCut();
    void getListFallsBackToDefault();
    void getListWithoutDefaultGivesNull();
    void hooksRunForExistingAndMissingLists();
    void failedCreationIsReported();
};

void TestChoiceLists::itemAccessOutsideTheListIsHarmless() {
    TItemRefList list{{QStringLiteral("männlich"), 1}, {QStringLiteral("weiblich"), 2}};
    QCOMPARE(list.Count(), 2);
    QCOMPARE(list.Items(-1), QString());
    QCOMPARE(list.Items(2), QString());
    QCOMPARE(list.Refs(-1), 0);
    QCOMPARE(list.Refs(2), 0);
    list.Delete(5);
    list.Delete(-1);
    QCOMPARE(list.Count(), 2);
    list.Delete(0);
    QCOMPARE(list.Items(0), QStringLiteral("weiblich"));
    QCOMPARE(list.Refs(0), 2);
}

void TestChoiceLists::lookupFindsFirstKeyAndPrefixIgnoringCase() {
    TItemRefList list;
    QVERIFY(list.Add(QStringLiteral("Strategiedepot F"), 1));
    list.Add(QStringLiteral("Strategiedepot S"), 2);
    list.Add(QStringLiteral("einmalig"), 2);
    list.Add(QStringLiteral("Übertrag"), 9);
    QCOMPARE(list.IndexOfRef(2), 1);
    QCOMPARE(list.IndexOfRef(3), -1);
    QCOMPARE(list.IndexOfPrefix(QStringLiteral("strategiedepot s")), 1);
    QCOMPARE(list.IndexOfPrefix(QStringLiteral("E")), 2);
    QCOMPARE(list.IndexOfPrefix(QStringLiteral("ü")), 3);
    QCOMPARE(list.IndexOfPrefix(QStringLiteral("x")), -1);
}

void TestChoiceLists::longTextsAreCut() {
    TItemRefList list;
    list.Add(QString(300, QLatin1Char('a')), 1);
    list.SetItem(0, QString(400, QLatin1Char('b')));
    QCOMPARE(list.Items(0).size(), 255);
    QVERIFY(list.Items(0).startsWith(QLatin1Char('b')));
}

void TestChoiceLists::getListFallsBackToDefault() {
    TestRegistry registry;
    TItemRefList* def = registry.NewList(QStringLiteral("Default"));
    def->Add(QStringLiteral(" "), 1);
    TItemRefList* sex = registry.NewList(QStringLiteral("GESCHLECHT"));
    sex->Add(QStringLiteral("männlich"), 1);

    QCOMPARE(registry.GetList(QStringLiteral("GESCHLECHT")), sex);
    // Names are matched ignoring case, as in a string list.
    QCOMPARE(registry.GetList(QStringLiteral("geschlecht")), sex);
    TItemRefList* unknown = registry.GetList(QStringLiteral("GIBTESNICHT"));
    QCOMPARE(unknown, def);
    QCOMPARE(unknown->Count(), 1);
    QCOMPARE(unknown->Items(0), QStringLiteral(" "));
    QCOMPARE(unknown->Refs(0), 1);
    QCOMPARE(registry.Count(), 2);
    QCOMPARE(registry.Names(1), QStringLiteral("GESCHLECHT"));
}

void TestChoiceLists::getListWithoutDefaultGivesNull() {
    TestRegistry registry;
    registry.NewList(QStringLiteral("ANLAGEART"));
    QCOMPARE(registry.GetList(QStringLiteral("LEER")), nullptr);
}

void TestChoiceLists::hooksRunForExistingAndMissingLists() {
    TestRegistry registry;
    registry.NewList(QStringLiteral("Default"));
    registry.NewList(QStringLiteral("AGIOZAHLUNG"));
    registry.CreateOnDemand = QStringLiteral("NEU");

    registry.GetList(QStringLiteral("AGIOZAHLUNG"));
    QCOMPARE(registry.BeforeGet, QStringList{QStringLiteral("AGIOZAHLUNG")});

    TItemRefList* created = registry.GetList(QStringLiteral("NEU"));
    QVERIFY(created);
    QCOMPARE(created->Items(0), QStringLiteral("auf Abruf"));
    // Once created, the list is the registry's like any other.
    QCOMPARE(registry.GetList(QStringLiteral("NEU")), created);
    QCOMPARE(registry.Count(), 3);
}

void TestChoiceLists::failedCreationIsReported() {
    TestRegistry registry;
    registry.FailCreation = true;
    QCOMPARE(registry.NewList(QStringLiteral("BP-SATZ")), nullptr);
    QCOMPARE(registry.Count(), 0);
    QCOMPARE(registry.Messages.size(), 1);
    QVERIFY(registry.Messages.at(0).startsWith(
        QStringLiteral("Fehler beim Anlegen einer ItemRefListe: \n")));
    QVERIFY(registry.Messages.at(0).size() > 41);
}

QTEST_GUILESS_MAIN(TestChoiceLists)
#include "test_choicelists.moc"
