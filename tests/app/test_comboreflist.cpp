// The main window's registry of choice lists.

#include "app/tperformcomboreflist.h"

#include <QtTest>

using namespace orvanta;

class TestComboRefList : public QObject {
    Q_OBJECT
private slots:
    void listsInOrderWithDefaultFallback() {
        TPerformComboRefList reg;
        const QStringList names = {
            "Default",     "Leer",    "PERFORMANCEART", "GESCHLECHT", "ANLAGESTRATEGIE",
            "AGIOZAHLUNG", "BP-SATZ", "BP-PERFORMANCE", "ANLAGEART"};
        QCOMPARE(reg.Count(), int(names.size()));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(reg.Names(i), names[i]);

        TItemRefList* g = reg.GetList(QStringLiteral("GESCHLECHT"));
        QCOMPARE(g->Count(), 2);
        QCOMPARE(g->Items(1), QStringLiteral("weiblich"));
        QCOMPARE(g->Refs(1), 2);
        TItemRefList* bp = reg.GetList(QStringLiteral("BP-SATZ"));
        QCOMPARE(bp->Items(2), QStringLiteral("0,25%  2,0%"));
        QCOMPARE(reg.GetList(QStringLiteral("Leer"))->Items(0), QString());

        TItemRefList* unknown = reg.GetList(QStringLiteral("GIBT-ES-NICHT"));
        QCOMPARE(unknown, reg.GetList(QStringLiteral("Default")));
        QCOMPARE(unknown->Count(), 1);
        QCOMPARE(unknown->Items(0), QStringLiteral(" "));
        QCOMPARE(unknown->Refs(0), 1);
    }
};

QTEST_MAIN(TestComboRefList)
#include "test_comboreflist.moc"
