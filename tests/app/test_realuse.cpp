// The main window under real use: keys and mouse on the real window against a
// temporary data directory, the data file checked after each step. Each case
// is a fault a new user ran into: a freeze, typed text lost on closing,
// nonsense accepted and then blocking every save, a value the window changed
// but did not save, a plan kind switch that left an impossible duration.

#include "app/orvantaapplication.h"
#include "app/resultchart.h"
#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "core/formatsettings.h"
#include "core/wertentwicklung.h"
#include "dialogs/tfrm_perfeinst.h"
#include "mainwindowsupport.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QValueAxis>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Focuses a field by its label's accelerator, types and presses Enter.
void PerTaste(QWidget* window, Qt::Key accelerator, const QString& text) {
    if (!window->isActiveWindow()) {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    QWidget* focus = window->focusWidget() ? window->focusWidget() : window;
    QTest::keyClick(focus, accelerator, Qt::AltModifier);
    focus = window->focusWidget();
    QVERIFY(focus);
    QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(focus, text);
    QTest::keyClick(focus, Qt::Key_Return);
}

} // namespace

class TestRealUse : public QObject, public TProgrammFixture {
    Q_OBJECT
private slots:
    void init() { SetFormatSettings(TFormatSettings{',', '.'}); }
    void cleanup() { Aufraeumen(); }

    // Einmalanlage, Alt+B 100 Enter, then Alt+B 1000000 Enter froze the
    // window for minutes while the chart laid out millions of labels.
    void largeJumpOfTheAmountKeepsTheChartLight() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Klicken(Control<QRadioButton>(m, "RB_Einmalanlage"));
        Control<QToolButton>(m, "SPB_Chart")->click();
        for (const char* betrag : {"100", "1000000", "10000000", "100"}) {
            PerTaste(&m, Qt::Key_B, QString::fromLatin1(betrag));
            QCOMPARE(P->Datei().Anlagebetrag, QByteArray(betrag).toDouble());
            const QValueAxis* y = Control<TResultChart>(m, "Chart4")->AxisY();
            QVERIFY((y->max() - y->min()) / y->tickInterval() <= 10);
            m.repaint();
        }
    }

    // Tab and Enter stop at the checked button of a group, so that Space or
    // an arrow there changes nothing by accident.
    void tabAndEnterReachTheCheckedButton() {
        Start(BeispielPlan()); // Strategiedepot W, 95 Jahre
        Tfrm_perfmain& m = P->Main();
        auto* RB_Depot_W = Control<QRadioButton>(m, "RB_Depot_W");
        auto* edt_I_P_Eintrittsalter = Control<TEditFloat>(m, "edt_I_P_Eintrittsalter");
        auto* RB_maennlich = Control<QRadioButton>(m, "RB_maennlich");
        auto* edt_AuszBeginn = Control<TEditFloat>(m, "edt_AuszBeginn");
        Klicken(Control<QRadioButton>(m, "RB_Depot_F"));
        Klicken(RB_Depot_W); // F had the focus once
        QCOMPARE(P->Datei().Anlagestrategie, 3);
        edt_I_P_Eintrittsalter->setFocus();
        QTest::keyClick(edt_I_P_Eintrittsalter, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), RB_maennlich); // the checked sex
        QTest::keyClick(RB_maennlich, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), RB_Depot_W);
        QTest::keyClick(RB_Depot_W, Qt::Key_Space);
        QCOMPARE(P->Datei().Anlagestrategie, 3);
        // An arrow moves within the group and chooses, as the user sees.
        QTest::keyClick(RB_Depot_W, Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), Control<QRadioButton>(m, "RB_Depot_S"));
        QCOMPARE(P->Datei().Anlagestrategie, 2);
        // Enter from the field before "Entnahme bis Alter" lands on "95 Jahre".
        edt_AuszBeginn->setFocus();
        QTest::keyClick(edt_AuszBeginn, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), Control<QRadioButton>(m, "RB_95"));
    }

    // A save that fails inside a click is reported by the click's handler;
    // the button goes on working (an error thrown through the button's own
    // event code left it without clicks and repaints).
    void failedSaveFromAClickLeavesTheButtonWorking() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* RB_ewig = Control<QRadioButton>(m, "RB_ewig");
        // A directory in the data file's place: every save fails.
        QVERIFY(QFile::remove(P->DatenDatei()));
        QVERIFY(QDir().mkdir(P->DatenDatei()));
        {
            ModalAnswerer meldungen;
            Klicken(RB_ewig);
            QTRY_COMPARE(meldungen.texts().size(), 1);
        }
        QVERIFY(QDir().rmdir(P->DatenDatei()));
        QSignalSpy geklickt(RB_ewig, &QRadioButton::clicked);
        Klicken(Control<QRadioButton>(m, "RB_95"));
        QCOMPARE(P->Datei().AuszEndeArt, 4);
        Klicken(RB_ewig);
        QCOMPARE(geklickt.count(), 1);
        QVERIFY(!RB_ewig->isDown());
        QCOMPARE(P->Datei().AuszEndeArt, 5);
    }

    // The dot rule in the real field: "150.50" is 150,50 EUR, not 15.050 EUR.
    void habitualDotIsTheDecimalComma() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* edt_I_P_Eintrittsalter = Control<TEditFloat>(m, "edt_I_P_Eintrittsalter");
        PerTaste(&m, Qt::Key_B, QStringLiteral("150.50"));
        QCOMPARE(P->Datei().Sparbetrag, 150.5);
        PerTaste(&m, Qt::Key_B, QStringLiteral("1.000"));
        QCOMPARE(P->Datei().Sparbetrag, 1000.0);
        PerTaste(&m, Qt::Key_B, QStringLiteral("1.000.000,50"));
        QCOMPARE(P->Datei().Sparbetrag, 1000000.5);
        // Whole years: "35,7" is the 35 that is stored, and shows so.
        PerTaste(&m, Qt::Key_A, QStringLiteral("35,7"));
        QCOMPARE(P->Datei().Eintrittsalter, 35);
        QTest::keyClick(edt_I_P_Eintrittsalter, Qt::Key_Tab);
        QCOMPARE(edt_I_P_Eintrittsalter->text(), QStringLiteral("35 Jahre"));
    }

    // Fields that took anything are bounded; a refused entry keeps the last
    // accepted value and later changes still save.
    void boundsRefuseNonsense_data() {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<QString>("eingabe");
        QTest::addColumn<QString>("meldung");
        const QString klein = QStringLiteral("Der Eingabewert ist zu klein!");
        const QString gross = QStringLiteral("Der Eingabewert ist zu groß!");
        QTest::newRow("Alter -5") << "alter"
                                  << "-5" << klein;
        QTest::newRow("Alter 120") << "alter"
                                   << "120" << gross;
        QTest::newRow("Alter 99999999999") << "alter"
                                           << "99999999999" << gross;
        QTest::newRow("Entnahme ab Alter 151") << "beginn"
                                               << "151" << gross;
        QTest::newRow("negative Entnahme") << "rente"
                                           << "-1" << klein;
        QTest::newRow("Entnahme above 100 Mio") << "rente"
                                                << "100000000,01" << gross;
        QTest::newRow("Kapital above 100 Mio") << "kapital"
                                               << "200000000" << gross;
    }

    void boundsRefuseNonsense() {
        QFETCH(QString, feld);
        QFETCH(QString, eingabe);
        QFETCH(QString, meldung);
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        TEditFloat* f =
            feld == QLatin1String("alter")    ? Control<TEditFloat>(m, "edt_I_P_Eintrittsalter")
            : feld == QLatin1String("beginn") ? Control<TEditFloat>(m, "edt_AuszBeginn")
            : feld == QLatin1String("rente")  ? Control<TEditFloat>(m, "edt_Monatsrente")
                                              : Control<TEditFloat>(m, "edt_Rentenkapital");
        const TPlanRecord vorher = P->Datei();
        {
            ModalAnswerer meldungen;
            Eingeben(f, eingabe);
            QTRY_COMPARE(meldungen.texts().size(), 1);
            QVERIFY2(meldungen.texts()[0].startsWith(meldung), qPrintable(meldungen.texts()[0]));
            QTRY_COMPARE(m.focusWidget(), f);
            QTest::keyClick(f, Qt::Key_Escape);
        }
        QCOMPARE(P->Datei().Eintrittsalter, vorher.Eintrittsalter);
        QCOMPARE(P->Datei().Monatsrente, vorher.Monatsrente);
        // The window still saves.
        ModalAnswerer danach;
        Klicken(Control<QRadioButton>(m, "RB_ewig"));
        QCOMPARE(P->Datei().AuszEndeArt, 5);
        QCOMPARE(danach.texts(), QStringList());
    }

    // Closing with the title bar's x first commits the field being typed in.
    void closingCommitsTheTypedEntry() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Eingeben(Control<TEditText>(m, "edt_I_P_Nachname"), QStringLiteral("Schmidt"), false);
        m.close();
        QVERIFY(!m.isVisible());
        QCOMPARE(P->Datei().Nachname.str(), std::string("Schmidt"));
    }

    void closingWithAWrongEntryKeepsTheWindow() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* edt_Laufzeit = Control<TEditFloat>(m, "edt_Laufzeit");
        Eingeben(edt_Laufzeit, QStringLiteral("500"), false);
        ModalAnswerer meldungen;
        m.close();
        QTRY_COMPARE(meldungen.texts().size(), 1);
        QVERIFY(meldungen.texts()[0].startsWith(QStringLiteral("Der Eingabewert ist zu groß!")));
        QVERIFY(m.isVisible());
        QCOMPARE(P->Datei().Laufzeit, 25);
        QTRY_COMPARE(m.focusWidget(), edt_Laufzeit);
        QTest::keyClick(edt_Laufzeit, Qt::Key_Escape);
        m.close();
        QVERIFY(!m.isVisible());
    }

    // What the window changes on its own is saved and calculated at once.
    void valuesTheWindowChangesAreSaved() {
        Start(BeispielPlan()); // Anlagedauer 25, Entnahme ab 65
        Tfrm_perfmain& m = P->Main();
        auto* edt_Anlagebetrag = Control<TEditFloat>(m, "edt_Anlagebetrag");
        PerTaste(&m, Qt::Key_A, QStringLiteral("45"));
        QCOMPARE(Control<TEditFloat>(m, "edt_AuszBeginn")->ValueAt(viValue), 70.0);
        QCOMPARE(P->Datei().AuszBeginn, 70);
        // The withdrawal table starts at 70 too (its row 0 is the year before).
        QCOMPARE(m.Calc().Entnahmetabelle.front().Alter, 69);
        // "sofort" / "ratierlich" recalculate and save.
        Klicken(Control<QRadioButton>(m, "RB_verteilt"));
        QCOMPARE(P->Datei().AgioZahlungsart, 2);
        Klicken(Control<QRadioButton>(m, "RB_einmalig"));
        QCOMPARE(P->Datei().AgioZahlungsart, 1);
        // The Deutsche Mark conversion is an entry like a typed one.
        edt_Anlagebetrag->setFocus();
        QTest::keyClick(edt_Anlagebetrag, Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(P->Datei().Sparbetrag, 200 / TEditFloat::DMRate);
    }

    // Back from an Einmalanlage without accumulation years, the plan has at
    // least the one year the other kinds need.
    void kindSwitchRaisesTheAnlagedauer() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Klicken(Control<QRadioButton>(m, "RB_Einmalanlage"));
        PerTaste(&m, Qt::Key_L, QStringLiteral("0"));
        QCOMPARE(P->Datei().Laufzeit, 0);
        Klicken(Control<QRadioButton>(m, "RB_Aufbauplan"));
        QCOMPARE(P->Datei().Laufzeit, 1);
        QCOMPARE(Control<TEditFloat>(m, "edt_Laufzeit")->ValueAt(viValue), 1.0);
        QVERIFY(m.Calc().Rec.Kapital[3] > 0);
    }

    // A withdrawal the capital cannot carry shows "nicht erreichbar".
    void impossibleWithdrawalIsNotZeroPercent() {
        TPlanRecord plan = BeispielPlan();
        plan.Rentenkapital = 1222;
        plan.Monatsrente = 800;
        Start(plan);
        Tfrm_perfmain& m = P->Main();
        auto* edt_Wertentw = Control<TEditFloat>(m, "edt_Wertentw");
        QCOMPARE(edt_Wertentw->text().trimmed(), QString::fromUtf8(WertentwicklungNichtErreichbar));
        QCOMPARE(P->Rec().Erforderliche_Wertentwicklung, 0.0);
        PerTaste(&m, Qt::Key_B, QStringLiteral("300")); // any change keeps it
        QCOMPARE(edt_Wertentw->text().trimmed(), QString::fromUtf8(WertentwicklungNichtErreichbar));
        Eingeben(Control<TEditFloat>(m, "edt_Monatsrente"), QStringLiteral("50"));
        QVERIFY(edt_Wertentw->text().endsWith(QStringLiteral(" % ")));
    }

    // A typo in a scenario box is named, and the dialog waits for it.
    void scenarioTypoIsReportedInTheDialog() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Tfrm_perfEinst& e = *P->Fenster->frm_perfEinst;
        auto* spalte2 = e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"));
        auto* speichern = e.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton1"));
        QVERIFY(spalte2 && speichern);
        QStringList texte;
        bool offenNachMeldung = false;
        bool fokusImFeld = false;
        WhenModal([&](QWidget*) {
            spalte2->setFocus();
            spalte2->lineEdit()->selectAll();
            QTest::keyClicks(spalte2->lineEdit(), QStringLiteral("x"));
            ModalAnswerer meldungen;
            Klicken(speichern);
            QTRY_COMPARE(meldungen.texts().size(), 1);
            texte = meldungen.texts();
            offenNachMeldung = e.isVisible();
            QTRY_VERIFY(e.focusWidget() == spalte2 || e.focusWidget() == spalte2->lineEdit());
            fokusImFeld = true;
            spalte2->setCurrentText(QStringLiteral("7 %"));
            Klicken(speichern);
        });
        Klicken(Control<TExplorerButton>(m, "ExplorerButton3"));
        QVERIFY(offenNachMeldung);
        QVERIFY(fokusImFeld);
        QCOMPARE(texte.size(), 1);
        QVERIFY2(texte[0].contains(QStringLiteral("Spalte 2")), qPrintable(texte[0]));
        QCOMPARE(P->Datei().Performance[2], 7.0);
        // Later changes save without a word.
        ModalAnswerer danach;
        Klicken(Control<QRadioButton>(m, "RB_ewig"));
        QCOMPARE(danach.texts(), QStringList());
        QCOMPARE(P->Datei().AuszEndeArt, 5);
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestRealUse test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_realuse.moc"
