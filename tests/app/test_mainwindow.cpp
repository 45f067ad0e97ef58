// The main window driven with keys and clicks against a temporary program
// directory: after each step the record and the data file are checked.

#include "app/orvantaapplication.h"
#include "app/panelrules.h"
#include "app/resultchart.h"
#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "core/formatsettings.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "mainwindowsupport.h"

#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QRadioButton>
#include <QToolButton>
#include <QValueAxis>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

QString ShownText(QLineEdit* e) {
    return e->text();
}

} // namespace

class TestMainWindow : public QObject, public TProgrammFixture {
    Q_OBJECT

private slots:
    void init() { SetFormatSettings(TFormatSettings{',', '.'}); }
    void cleanup() { Aufraeumen(); }

    void startShowsStoredPlan() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        QVERIFY(m.windowTitle().startsWith(QStringLiteral("Orvanta 1.6")));
        QCOMPARE(Control<TEditFloat>(m, "edt_Anlagebetrag")->ValueAt(viValue), 200.0);
        QCOMPARE(Control<TEditLabel>(m, "LB_Anlagebetrag")->Caption(),
                 QStringLiteral("Monats&betrag Aufbauplan"));
        QVERIFY(Control<QRadioButton>(m, "RB_Aufbauplan")->isChecked() &&
                Control<QRadioButton>(m, "RB_maennlich")->isChecked() &&
                Control<QRadioButton>(m, "RB_95")->isChecked());
        QCOMPARE(Control<TEditText>(m, "edt_I_P_Nachname")->ValueAt(viValue),
                 QStringLiteral("Müller"));
        QCOMPARE(P->Rec().Zugriffsstufe, 0);
        QCOMPARE(m.Calc().Aufbautabelle.size(), std::size_t(26));
        QCOMPARE(Control<TEditFloat>(m, "edt_Summe_Monatsbeitraege")->ValueAt(viValue), 60000.0);
        QCOMPARE(Control<QLabel>(m, "lbl_Entnahme")->text(),
                 QStringLiteral("Mögliche monatliche Entnahme (100.000 € Kapital)"));
        QCOMPARE(Control<QLabel>(m, "lbl_Wertentw")->text(),
                 QStringLiteral("Erforderliche Wertentwicklung (500,00 € monatliche Entnahme / "
                                "100.000 € Kapital)"));
        QCOMPARE(Control<QLabel>(m, "lbl_Kapital")->text(),
                 QStringLiteral("Erforderliches Kapital (500 € monatliche Entnahme)"));
        QCOMPARE(Control<QLabel>(m, "lbl_Prozent3")->text(), QStringLiteral("6 %"));
        QVERIFY(Control<QWidget>(m, "pn_Tabelle")->isVisible() &&
                !Control<QWidget>(m, "pn_Chart")->isVisible());
        QVERIFY(Control<QRadioButton>(m, "RB_T1")
                    ->text()
                    .endsWith(QStringLiteral(" Jahre (Lebenserwartung)")));
        QVERIFY(ShownText(Control<TEditFloat>(m, "edt_Ausz4")).endsWith(QStringLiteral(" € ")));
        // Nothing was saved by the start.
        QCOMPARE(P->Datei().Version.str(), std::string("alt"));
    }

    void missingFileKeepsDesignState() {
        P = std::make_unique<TTestProgramm>(nullptr);
        ModalAnswerer meldungen;
        P->Main().show();
        QTRY_COMPARE(meldungen.texts(), QStringList{QStringLiteral("Datei nicht gefunden.")});
        P->Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&P->Main()));
        Tfrm_perfmain& m = P->Main();
        QVERIFY(!m.Geladen());
        QCOMPARE(Control<TEditFloat>(m, "edt_Anlagebetrag")->ValueAt(viValue), 200.0);
        QVERIFY(Control<QRadioButton>(m, "RB_Depot_W")->isChecked());
        // Changes write nothing while nothing was loaded.
        Klicken(Control<QRadioButton>(m, "RB_ewig"));
        Eingeben(Control<TEditFloat>(m, "edt_I_P_Eintrittsalter"), QStringLiteral("50"));
        QVERIFY(!P->DateiDa());
    }

    void kindChangeParksTheAmount() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* RB_Einmalanlage = Control<QRadioButton>(m, "RB_Einmalanlage");
        auto* edt_Anlagebetrag = Control<TEditFloat>(m, "edt_Anlagebetrag");
        auto* edt_Einzahlungsdauer = Control<TEditFloat>(m, "edt_Einzahlungsdauer");
        auto* cb_Dynamik = Control<TEditCheck>(m, "cb_Dynamik");
        auto* RB_einmalig = Control<QRadioButton>(m, "RB_einmalig");
        auto* RB_12 = Control<QRadioButton>(m, "RB_12");
        Klicken(RB_Einmalanlage);
        QCOMPARE(edt_Anlagebetrag->ValueAt(viValue), 10000.0);
        QCOMPARE(Control<TEditLabel>(m, "LB_Anlagebetrag")->Caption(),
                 QStringLiteral("&Betrag Einmalanlage"));
        QCOMPARE(P->Datei().Anlageart, 2);
        QCOMPARE(P->Datei().Sparbetrag, 200.0);
        QVERIFY(!edt_Einzahlungsdauer->isEnabled());
        QVERIFY(!cb_Dynamik->isEnabled());
        // A lump sum pays the fee at once; the spread payment is greyed.
        QVERIFY(RB_einmalig->isChecked() && !Control<QRadioButton>(m, "RB_verteilt")->isEnabled());

        Eingeben(edt_Anlagebetrag, QStringLiteral("1000"));
        QCOMPARE(P->Datei().Anlagebetrag, 1000.0);
        Klicken(Control<QRadioButton>(m, "RB_SystemEinmalanlage"));
        QCOMPARE(edt_Anlagebetrag->ValueAt(viValue), 2500.0);
        QCOMPARE(edt_Anlagebetrag->ValueMin(), 2500.0);
        QVERIFY(RB_12->isVisible() && RB_12->isEnabled() && !RB_einmalig->isVisible());
        Klicken(Control<QRadioButton>(m, "RB_24"));
        QCOMPARE(P->Datei().Uebertragungsmonate, 24);
        QCOMPARE(P->Datei().Anlagebetrag, 2500.0);
        Klicken(RB_Einmalanlage);
        QCOMPARE(edt_Anlagebetrag->ValueAt(viValue), 2500.0);
        QCOMPARE(edt_Anlagebetrag->ValueMin(), 1.0);

        Klicken(Control<QRadioButton>(m, "RB_Aufbauplan"));
        QCOMPARE(edt_Anlagebetrag->ValueAt(viValue), 200.0);
        QCOMPARE(P->Datei().Anlagebetrag, 2500.0);
        QCOMPARE(P->Datei().Sparbetrag, 200.0);
        QVERIFY(edt_Einzahlungsdauer->isEnabled() && cb_Dynamik->isEnabled());
    }

    void loadedSystemeinmalanlageKeepsDesignBoundAndFeeRowFollowsSetting() {
        TPlanRecord plan = BeispielPlan();
        plan.Anlageart = 3;
        plan.Anlagebetrag = 5000;
        plan.Uebertragungsmonate = 36;
        plan.MitEinrichtungsgebuehr = 0;
        Start(plan);
        Tfrm_perfmain& m = P->Main();
        auto* RB_36 = Control<QRadioButton>(m, "RB_36");
        auto* lbl_Zahlung = Control<TEditLabel>(m, "lbl_Zahlung");
        QVERIFY(RB_36->isChecked() && RB_36->isVisible());
        QVERIFY(!lbl_Zahlung->isVisible() && !Control<QRadioButton>(m, "RB_einmalig")->isVisible());
        // The bound of 2 500 comes only with a switch of the kind.
        Eingeben(Control<TEditFloat>(m, "edt_Anlagebetrag"), QStringLiteral("100"));
        QCOMPARE(P->Datei().Anlagebetrag, 100.0);
        Klicken(Control<QRadioButton>(m, "RB_Einmalanlage"));
        QVERIFY(!lbl_Zahlung->isVisible()); // no fee charged: no payment row
        QVERIFY(!Control<QRadioButton>(m, "RB_12")->isVisible());
    }

    void anlagedauerZeroOnlyForEinmalanlage() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* edt_Laufzeit = Control<TEditFloat>(m, "edt_Laufzeit");
        auto* cb_Dynamik = Control<TEditCheck>(m, "cb_Dynamik");
        {
            ModalAnswerer meldungen;
            Eingeben(edt_Laufzeit, QStringLiteral("0"));
            // The field reports the entry (the frame's move on Enter may report it again).
            QTRY_VERIFY(!meldungen.texts().isEmpty());
            QVERIFY(
                meldungen.texts()[0].startsWith(QStringLiteral("Der Eingabewert ist zu klein!")));
            QCOMPARE(P->Rec().Laufzeit, 25);
            QTest::keyClick(edt_Laufzeit, Qt::Key_Escape);
        }

        Klicken(cb_Dynamik);
        QCOMPARE(P->Datei().Dynamik, 5.0);
        Klicken(Control<QRadioButton>(m, "RB_Einmalanlage"));
        Eingeben(edt_Laufzeit, QStringLiteral("0"));
        const TPlanRecord d = P->Datei();
        QCOMPARE(d.Laufzeit, 0);
        QCOMPARE(d.Grafik_Phase, 2);
        QCOMPARE(d.Dynamik, 0.0);
        QVERIFY(Control<QRadioButton>(m, "RB_Grafik_Ausz")->isChecked());
        QVERIFY(!Control<QRadioButton>(m, "RB_Grafik_Einz")->isEnabled());
        QVERIFY(!cb_Dynamik->Checked() && !cb_Dynamik->isEnabled());
    }

    void einzahlungsdauerNeverLongerThanAnlagedauer() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* edt_Einzahlungsdauer = Control<TEditFloat>(m, "edt_Einzahlungsdauer");
        Eingeben(edt_Einzahlungsdauer, QStringLiteral("30"));
        QCOMPARE(edt_Einzahlungsdauer->ValueAt(viValue), 25.0);
        QCOMPARE(P->Datei().Einzahlungsdauer, 25);
        // Shorter Anlagedauer: clamped when the field is next entered.
        Eingeben(Control<TEditFloat>(m, "edt_Laufzeit"), QStringLiteral("20"));
        QCOMPARE(P->Datei().Laufzeit, 20);
        edt_Einzahlungsdauer->setFocus();
        QTRY_COMPARE(P->Datei().Einzahlungsdauer, 20);
    }

    void withdrawalStartFollowsAccumulation() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* edt_AuszBeginn = Control<TEditFloat>(m, "edt_AuszBeginn");
        Eingeben(edt_AuszBeginn, QStringLiteral("60"));
        QCOMPARE(edt_AuszBeginn->ValueAt(viValue), 65.0);
        QCOMPARE(P->Datei().AuszBeginn, 65);

        // "individuell" with an end age not after the start: start + 1.
        TPlanRecord plan = BeispielPlan();
        plan.AuszEnde = 65;
        P.reset();
        Start(plan);
        Tfrm_perfmain& n = P->Main();
        auto* edt_AuszEnde = Control<TEditFloat>(n, "edt_AuszEnde");
        QVERIFY(!edt_AuszEnde->isEnabled());
        Klicken(Control<QRadioButton>(n, "RB_individuell"));
        QVERIFY(edt_AuszEnde->isEnabled());
        QCOMPARE(P->Datei().AuszEndeArt, 1);
        QCOMPARE(P->Datei().AuszEnde, 66);
        QCOMPARE(P->Datei().AuszDauer, 1);
    }

    void capitalTakenFromAccumulation() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* RB_Kapital_2 = Control<QRadioButton>(m, "RB_Kapital_2");
        auto* edt_Rentenkapital = Control<TEditFloat>(m, "edt_Rentenkapital");
        QVERIFY(!RB_Kapital_2->isEnabled());
        Klicken(Control<TEditCheck>(m, "CB_Kapital_aus_Einz"));
        QVERIFY(!edt_Rentenkapital->isEnabled() && RB_Kapital_2->isEnabled());
        const double kapital = P->Rec().Kapital[3];
        QVERIFY(kapital > 60000);
        QCOMPARE(P->Rec().Rentenkapital, kapital);
        QCOMPARE(edt_Rentenkapital->ValueAt(viValue), kapital);
        QCOMPARE(P->Datei().Kapital_aus_Einzahlung, Bool8(1));
        Klicken(Control<QRadioButton>(m, "RB_Kapital_3"));
        QCOMPARE(P->Datei().Kapital_Szenario, 4);
        QCOMPARE(P->Rec().Rentenkapital, P->Rec().Kapital[4]);
    }

    void hiddenStrategyKeptAndNameSavedWithNextChange() {
        TPlanRecord plan = BeispielPlan();
        plan.Anlagestrategie = 4;
        Start(plan);
        Tfrm_perfmain& m = P->Main();
        QVERIFY(!Control<QRadioButton>(m, "RB_Depot_F")->isChecked() &&
                !Control<QRadioButton>(m, "RB_Depot_S")->isChecked() &&
                !Control<QRadioButton>(m, "RB_Depot_W")->isChecked());
        Eingeben(Control<TEditText>(m, "edt_I_P_Nachname"), QStringLiteral("Schmidt"));
        QCOMPARE(QString::fromStdString(ShortStringToUtf8(P->Datei().Nachname)),
                 QStringLiteral("Müller"));
        Klicken(Control<QRadioButton>(m, "RB_weiblich"));
        const TPlanRecord d = P->Datei();
        QCOMPARE(d.Anlagestrategie, 4);
        QCOMPARE(d.Geschlecht, 2);
        QCOMPARE(QString::fromStdString(ShortStringToUtf8(d.Nachname)), QStringLiteral("Schmidt"));
        QCOMPARE(QString::fromStdString(ShortStringToUtf8(d.Berichtstitel)),
                 QStringLiteral("Modellrechnung – Strategiedepot Z"));
        QCOMPARE(d.Version.str(), std::string("Orvanta 1.6"));
    }

    void ohneKapitalverzehrHidesWithdrawalRows() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        QVERIFY(Control<QLabel>(m, "lbl_Prozent1")->isVisible() &&
                Control<TEditFloat>(m, "edt_Gesamt3")->isVisible());
        Klicken(Control<QRadioButton>(m, "RB_ewig"));
        QCOMPARE(P->Datei().AuszEndeArt, 5);
        QCOMPARE(P->Datei().AuszDauer, 999);
        QVERIFY(!Control<QLabel>(m, "lbl_Prozent1")->isVisible() &&
                !Control<TEditFloat>(m, "edt_Ausz1")->isVisible() &&
                !Control<TEditFloat>(m, "edt_Kapital1")->isVisible());
        QVERIFY(!Control<QLabel>(m, "lbl_RestKapital")->isVisible() &&
                !Control<TEditFloat>(m, "Edt_Entnahme2")->isVisible());
        QVERIFY(Control<TEditFloat>(m, "edt_Ausz2")->isVisible() &&
                Control<TEditFloat>(m, "edt_Wertentw")->isVisible());
        Klicken(Control<QRadioButton>(m, "RB_95"));
        QVERIFY(Control<QLabel>(m, "lbl_Prozent1")->isVisible() &&
                Control<TEditFloat>(m, "edt_SumEntn4")->isVisible());
    }

    void chartFollowsPhaseAndScenario() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* Chart4 = Control<TResultChart>(m, "Chart4");
        Klicken(Control<QToolButton>(m, "SPB_Chart"));
        QVERIFY(Control<QWidget>(m, "pn_Chart")->isVisible() &&
                !Control<QWidget>(m, "pn_Tabelle")->isVisible() &&
                !Control<QLabel>(m, "lbl_Vorschau")->isVisible());
        QCOMPARE(P->Rec().Ansicht, 1);
        QCOMPARE(P->Datei().Ansicht, 2); // the view reaches the file with the next save
        QCOMPARE(Chart4->Chart()->title(),
                 QStringLiteral("Vermögensaufbau in der Einzahlungsphase (Wertentwicklung 6%)"));
        QCOMPARE(Chart4->Series(0)->count(), 26);
        QCOMPARE(Chart4->Series(0)->pen().width(), 3);
        Klicken(Control<QRadioButton>(m, "RB_Grafik_Ausz"));
        QCOMPARE(P->Datei().Grafik_Phase, 2);
        QCOMPARE(P->Datei().Ansicht, 1);
        QCOMPARE(Chart4->Series(2)->name(), QStringLiteral("Summe der Entnahmen"));
        Klicken(Control<QRadioButton>(m, "RB_Grafik_3"));
        QCOMPARE(P->Datei().Grafik_Szenario, 4);
        QVERIFY(Chart4->Chart()->title().endsWith(QStringLiteral("(Wertentwicklung 9%)")));
        QVERIFY(!Chart4->Series(1)->isVisible()); // FRV only at the higher access level
    }

    void unknownStoredChartPhaseChecksNoPhaseButton() {
        for (int phase : {0, 3}) {
            TPlanRecord plan = BeispielPlan();
            plan.Grafik_Phase = phase;
            Start(plan);
            Tfrm_perfmain& m = P->Main();
            QVERIFY(!Control<QRadioButton>(m, "RB_Grafik_Einz")->isChecked());
            QVERIFY(!Control<QRadioButton>(m, "RB_Grafik_Ausz")->isChecked());
            // The chart follows the stored value: anything but 1 is the
            // withdrawal phase.
            QVERIFY(Control<TResultChart>(m, "Chart4")
                        ->Chart()
                        ->title()
                        .startsWith(QStringLiteral("Vermögensentwicklung in der Entnahmephase")));
            // The next save stores what the buttons say.
            Klicken(Control<QToolButton>(m, "SPB_Chart"));
            Klicken(Control<QRadioButton>(m, "RB_Grafik_3"));
            QCOMPARE(P->Datei().Grafik_Phase, 1);
            P.reset();
        }
    }

    void captionsAreTheVersionWithoutSuffix() {
        Start(BeispielPlan());
        const TProgrammFenster& f = *P->Fenster;
        QCOMPARE(P->Main().windowTitle(), QStringLiteral("Orvanta 1.6"));
        QCOMPARE(f.frm_perfEinst->windowTitle(), QStringLiteral("Orvanta 1.6 Einstellungen"));
        QCOMPARE(f.frm_DruckPar->windowTitle(), QStringLiteral("Orvanta 1.6 Ausdruck"));
        QCOMPARE(f.frm_perfProvision->windowTitle(), QStringLiteral("Orvanta 1.6 Provision"));
        QCOMPARE(f.frm_perfProvPar->windowTitle(),
                 QStringLiteral("Orvanta 1.6 Provision Einstellungen"));
        // An explicit display name would be appended to every caption by the
        // platform; without one it follows the application name, which the
        // message boxes show as their title.
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("Orvanta"));
        QGuiApplication::setApplicationName(QStringLiteral("Probe"));
        const QString folgt = QGuiApplication::applicationDisplayName();
        QGuiApplication::setApplicationName(TOrvantaApplication::Titel());
        QCOMPARE(folgt, QStringLiteral("Probe"));
    }

    void focusOnSurnameAfterEveryActivation() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* edt_I_P_Nachname = Control<TEditText>(m, "edt_I_P_Nachname");
        // Whatever the show step queued has run.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edt_I_P_Nachname));
        // Coming back from another of the program's windows.
        Control<TEditFloat>(m, "edt_Laufzeit")->setFocus();
        QWidget* other = P->Fenster->frm_DruckPar;
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other));
        QVERIFY(Activate(m));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edt_I_P_Nachname));
        other->hide();
    }

    void hiddenControlsAreThereAndStayHidden() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* lbl_Zuzahlungen = Control<TEditLabel>(m, "lbl_Zuzahlungen");
        auto* edt_Zuzahlung_Betrag_1 = Control<TEditFloat>(m, "edt_Zuzahlung_Betrag_1");
        auto* btn_Zuzahlungen = Control<QToolButton>(m, "btn_Zuzahlungen");
        auto* lbl_Erben = Control<TEditLabel>(m, "lbl_Erben");
        auto* lbl_Performance_5 = Control<TEditLabel>(m, "lbl_Performance_5");
        auto* edt_Performance_5 = Control<TEditFloat>(m, "edt_Performance_5");
        auto* edt_I_P_Nachname = Control<TEditText>(m, "edt_I_P_Nachname");
        QCOMPARE(lbl_Zuzahlungen->Caption(), QStringLiteral("&Zuzahlungen"));
        QCOMPARE(lbl_Zuzahlungen->FocusControl(), static_cast<QWidget*>(edt_Zuzahlung_Betrag_1));
        QCOMPARE(btn_Zuzahlungen->text(), QStringLiteral("..."));
        QCOMPARE(lbl_Erben->Caption(), QStringLiteral("Auszahlung an Erben"));
        QCOMPARE(lbl_Performance_5->Caption(), QStringLiteral("Perfor&mance p.a."));
        QCOMPARE(lbl_Performance_5->FocusControl(), static_cast<QWidget*>(edt_Performance_5));
        for (QWidget* h : std::initializer_list<QWidget*>{
                 lbl_Zuzahlungen, btn_Zuzahlungen, edt_Zuzahlung_Betrag_1, lbl_Erben,
                 Control<QRadioButton>(m, "RB_G0"), lbl_Performance_5, edt_Performance_5})
            QVERIFY(!h->isVisible());
        // Their accelerators do not reach the hidden fields.
        edt_I_P_Nachname->setFocus();
        QTest::keyClick(edt_I_P_Nachname, Qt::Key_Z, Qt::AltModifier);
        QVERIFY(!edt_Zuzahlung_Betrag_1->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
        QVERIFY(!edt_Performance_5->hasFocus());
    }

    void settingsCancelledAndAccepted() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* ExplorerButton3 = Control<TExplorerButton>(m, "ExplorerButton3");
        Tfrm_perfEinst& e = *P->Fenster->frm_perfEinst;
        WhenModal([&e](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(&e));
            e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))
                ->setCurrentText(QStringLiteral("7 %"));
            Klicken(e.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2")));
        });
        Klicken(ExplorerButton3);
        QVERIFY(!e.isVisible());
        QCOMPARE(e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))->currentText(),
                 QStringLiteral("3 %"));
        QCOMPARE(P->Datei().Performance[2], 3.0);
        QCOMPARE(P->Datei().Version.str(),
                 std::string("Orvanta 1.6")); // cancelling saves all the same
        QCOMPARE(m.focusWidget(), static_cast<QWidget*>(ExplorerButton3));

        WhenModal([&e](QWidget*) {
            e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))->setFocus();
            e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))->lineEdit()->selectAll();
            QTest::keyClicks(
                e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))->lineEdit(),
                QStringLiteral("12"));
            e.findChild<QComboBox*>(QStringLiteral("edt_Performance_3"))
                ->setCurrentText(QStringLiteral("7 %"));
            QVERIFY(!e.findChild<QComboBox*>(QStringLiteral("edt_Performance_1"))->isEnabled());
            Klicken(e.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton1")));
        });
        Klicken(ExplorerButton3);
        QCOMPARE(P->Datei().Performance[2], 1.0);
        QCOMPARE(P->Datei().Performance[3], 7.0);
        QCOMPARE(Control<QRadioButton>(m, "RB_Kapital_1")->text(), QStringLiteral("1 %"));
        QCOMPARE(Control<QLabel>(m, "lbl_Prozent3")->text(), QStringLiteral("7 %"));
    }

    // A choice that is no rate keeps the dialog open with the box named,
    // instead of closing and failing every later save.
    void scenarioChoiceWithoutDigitKeepsTheDialogOpen() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Tfrm_perfEinst& e = *P->Fenster->frm_perfEinst;
        QString meldung;
        bool offen = false;
        WhenModal([&e, &meldung, &offen](QWidget*) {
            e.findChild<QComboBox*>(QStringLiteral("edt_Performance_4"))
                ->setCurrentText(QStringLiteral("x %"));
            WhenModal([&meldung](QWidget* w) {
                if (auto* box = qobject_cast<QMessageBox*>(w))
                    meldung = box->text();
                ModalAnswerer::PressOk(w);
            });
            Klicken(e.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton1")));
            QTRY_VERIFY(!meldung.isEmpty());
            offen = e.isVisible();
            Klicken(e.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2")));
        });
        Klicken(Control<TExplorerButton>(m, "ExplorerButton3"));
        QCOMPARE(meldung, QStringLiteral("Spalte 4: 'x' ist kein gültiger Gleitkommawert."));
        QVERIFY(offen);
        // Cancelled: the stored rate is back and saving works.
        QCOMPARE(P->Datei().Performance[4], 9.0);
        QVERIFY(m.isVisible());
    }

    void settingsPaymentRulesForEinmalanlage() {
        TPlanRecord plan = BeispielPlan();
        plan.Anlageart = 2;
        plan.AgioZahlungsart = 2;
        plan.AgioMonate = 36;
        Start(plan);
        Tfrm_perfmain& m = P->Main();
        Tfrm_perfEinst& e = *P->Fenster->frm_perfEinst;
        QCOMPARE(P->Rec().AgioZahlungsart, 1);
        WhenModal([&e](QWidget*) {
            QVERIFY(e.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->isChecked());
            QVERIFY(!e.findChild<QRadioButton*>(QStringLiteral("RB_verteilt"))->isEnabled());
            Klicken(e.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr")));
            Klicken(e.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr")));
            QVERIFY(e.findChild<QRadioButton*>(QStringLiteral("RB_verteilt"))->isEnabled());
            Klicken(e.findChild<QRadioButton*>(QStringLiteral("RB_verteilt")));
            QVERIFY(e.findChild<QLabel*>(QStringLiteral("l_Monatsangabe"))->isVisible());
            QCOMPARE(e.findChild<QLabel*>(QStringLiteral("l_Monatsangabe"))->text(),
                     QStringLiteral("auf 36 Monate"));
            Klicken(e.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton1")));
        });
        Klicken(Control<TExplorerButton>(m, "ExplorerButton3"));
        QCOMPARE(P->Datei().AgioZahlungsart, 1);
        QVERIFY(e.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->isChecked());
    }

    void activationOnlyFromAnotherNonModalWindow() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        P->Rec().Zugriffsstufe = 3; // as if unlocked
        // Closing a modal dialog of the main window is no activation.
        WhenModal(
            [this](QWidget*) { P->Fenster->frm_perfEinst->SetModalResult(TbrixDialog::mrCancel); });
        Klicken(Control<TExplorerButton>(m, "ExplorerButton3"));
        QCOMPARE(P->Rec().Zugriffsstufe, 3);
        // Coming back from another of the program's windows reloads the file.
        QWidget* other = P->Fenster->frm_DruckPar;
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other));
        QVERIFY(Activate(m));
        QCOMPARE(P->Rec().Zugriffsstufe, 0);
        other->hide();
    }

    void calculationErrorIsReportedAndTheProgramGoesOn() {
        TPlanRecord plan = BeispielPlan();
        plan.Grafik_Szenario = 7; // only a damaged file holds this
        P = std::make_unique<TTestProgramm>(&plan);
        ModalAnswerer meldungen;
        P->Main().show();
        QTRY_VERIFY(!meldungen.texts().isEmpty());
        QCOMPARE(meldungen.texts().first(), QStringLiteral("Fehler bei Bereichsprüfung."));
        QCOMPARE(meldungen.titles().first(), QStringLiteral("Orvanta"));
        Tfrm_perfmain& m = P->Main();
        QVERIFY(m.Geladen());
        // The next change saves a valid choice and calculates again.
        Klicken(Control<QRadioButton>(m, "RB_Grafik_2"));
        QCOMPARE(P->Datei().Grafik_Szenario, 3);
        QCOMPARE(Control<TResultChart>(m, "Chart4")->Series(0)->count(), 26);
    }

    void speichernUndBeendenClosesTheWindow() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Control<TEditText>(m, "edt_I_P_Vorname")->SetValue(QStringLiteral("Peter"));
        QSignalSpy ende(&m, &QDialog::finished);
        Klicken(Control<TExplorerButton>(m, "ExplorerButton1"));
        QVERIFY(!m.isVisible());
        QCOMPARE(ende.count(), 1); // the program quits on it
        QCOMPARE(QString::fromStdString(ShortStringToUtf8(P->Datei().Vorname)),
                 QStringLiteral("Peter"));
    }

    // With no window active (a session without a window manager) the field
    // typed in sees no focus events, and the button that closes takes the
    // focus without one: closing still commits what was typed.
    void closingCommitsTheEntryOfAnInactiveWindow() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* name = Control<TEditText>(m, "edt_I_P_Nachname");
        QWidget anderes;
        QVERIFY(ShowActive(anderes));
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, QStringLiteral("Kiosk"));
        QTest::mouseClick(Control<TExplorerButton>(m, "ExplorerButton1"), Qt::LeftButton);
        QVERIFY(!m.isVisible());
        QCOMPARE(QString::fromStdString(ShortStringToUtf8(P->Datei().Nachname)),
                 QStringLiteral("Kiosk"));
    }

    // A save that fails keeps the window open with its message; asked again,
    // the adviser may leave without it.
    void speichernUndBeendenKeepsTheWindowWhenTheSaveFails() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        auto* ExplorerButton1 = Control<TExplorerButton>(m, "ExplorerButton1");
        QVERIFY(QFile::remove(P->DatenDatei()));
        QVERIFY(QDir().mkdir(P->DatenDatei())); // a directory: every save fails
        QSignalSpy ende(&m, &QDialog::finished);
        {
            ModalAnswerer meldungen;
            Klicken(ExplorerButton1);
            QCOMPARE(meldungen.texts().size(), 1);
        }
        QVERIFY(m.isVisible());
        QCOMPARE(ende.count(), 0);
        Klicken(ExplorerButton1);
        QCOMPARE(ende.count(), 1);
        QVERIFY(QDir().rmdir(P->DatenDatei()));
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_mainwindow.moc"
