// A data file or mortality table with a damaged duration (an edited file, a
// flipped bit) at start: the program shows a German message instead of
// ending, and the window stays usable so that the adviser can correct the plan.

#include "app/orvantaapplication.h"
#include "controls/teditfloat.h"

#include "mainwindowsupport.h"

#include <QRadioButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

class TestDamagedStart : public QObject {
    Q_OBJECT
private slots:
    void windowStaysAndThePlanCanBeCorrected_data() {
        QTest::addColumn<int>("fall");
        QTest::newRow("Laufzeit 1 000 000 000") << 0;
        QTest::newRow("AuszEnde 2 000 000 000") << 1;
        QTest::newRow("mortality table 0;2147483647;81,28") << 2;
        // Saved after a typo: Anlagedauer 90 at Alter 65 had raised the start
        // of withdrawals to 155. Corrected from the Anlagedauer, and from
        // the Alter for Alter 100 with Anlagedauer 99.
        QTest::newRow("Entnahme ab Alter 155") << 3;
        QTest::newRow("Entnahme ab Alter 199") << 4;
    }
    void windowStaysAndThePlanCanBeCorrected() {
        QFETCH(int, fall);
        TPlanRecord plan = BeispielPlan();
        QByteArray tafel;
        switch (fall) {
        case 0:
            plan.Laufzeit = 1000000000;
            break;
        case 1:
            plan.AuszEndeArt = 1;
            plan.AuszEnde = 2000000000;
            break;
        case 2:
            plan.AuszEndeArt = 2; // Lebenserwartung
            tafel = "Alter;Maenner;Frauen\r\n0;2147483647;81,28\r\n";
            break;
        default:
            plan.Eintrittsalter = fall == 3 ? 65 : 100;
            plan.Laufzeit = plan.Einzahlungsdauer = fall == 3 ? 90 : 99;
            plan.AuszBeginn = plan.Eintrittsalter + plan.Laufzeit;
            plan.AuszEnde = plan.AuszBeginn + 1;
        }
        TTestProgramm p(&plan, tafel);
        ModalAnswerer meldungen;
        // The message box of the failed start takes the activation.
        p.Main().show();
        p.Main().activateWindow();
        QTRY_VERIFY(!meldungen.texts().isEmpty());
        for (const QString& text : meldungen.texts())
            QVERIFY2(!text.contains("std::") && !text.contains("bad_alloc"), qPrintable(text));
        QVERIFY(p.Main().isVisible());
        if (fall >= 3) {
            QVERIFY2(meldungen.last().text.contains(
                         QStringLiteral("Bitte Alter oder Anlagedauer verringern")),
                     qPrintable(meldungen.last().text));
            // No figures of another plan beside these inputs.
            QCOMPARE(Control<TEditFloat>(p.Main(), "edt_Gesamt4")->text(), QString());
        }

        // The adviser corrects the plan; the calculation runs again.
        const int vorher = meldungen.count();
        Tfrm_perfmain& m = p.Main();
        switch (fall) {
        case 0:
            Eingeben(Control<TEditFloat>(m, "edt_Laufzeit"), QStringLiteral("30"));
            QTRY_COMPARE(p.Datei().Laufzeit, 30);
            break;
        case 1:
            Eingeben(Control<TEditFloat>(m, "edt_AuszEnde"), QStringLiteral("85"));
            QTRY_COMPARE(p.Datei().AuszEnde, 85);
            break;
        case 2:
            Klicken(Control<QRadioButton>(m, "RB_95"));
            QTRY_COMPARE(p.Datei().AuszEndeArt, 4);
            break;
        case 3:
            Eingeben(Control<TEditFloat>(m, "edt_Laufzeit"), QStringLiteral("30"));
            QTRY_COMPARE(p.Datei().AuszBeginn, 95);
            break;
        default:
            Eingeben(Control<TEditFloat>(m, "edt_I_P_Eintrittsalter"), QStringLiteral("50"));
            QTRY_COMPARE(p.Datei().AuszBeginn, 149);
        }
        QTRY_VERIFY(!p.Main().Calc().Entnahmetabelle.empty());
        QVERIFY(p.Main().Calc().Aufbautabelle.size() <= 100);
        QVERIFY2(meldungen.count() == vorher, qPrintable(meldungen.texts().join(" | ")));

        if (fall == 3) {
            // The same typo again is refused by the field itself.
            Eingeben(Control<TEditFloat>(m, "edt_Laufzeit"), QStringLiteral("90"));
            QTRY_COMPARE(meldungen.count(), vorher + 1);
            QVERIFY2(meldungen.last().text.contains(QStringLiteral("zu groß")) &&
                         meldungen.last().text.contains(QStringLiteral("bis \"84\"")),
                     qPrintable(meldungen.last().text));
            QCOMPARE(p.Datei().Laufzeit, 30);
            QTest::keyClick(Control<TEditFloat>(m, "edt_Laufzeit"), Qt::Key_Escape);
        }
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestDamagedStart test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_damagedstart.moc"
