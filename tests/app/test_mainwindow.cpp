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
        QCOMPARE(m.edt_Anlagebetrag->ValueAt(viValue), 200.0);
        QCOMPARE(m.LB_Anlagebetrag->Caption(), QStringLiteral("Monats&betrag Aufbauplan"));
        QVERIFY(m.RB_Aufbauplan->isChecked() && m.RB_maennlich->isChecked() &&
                m.RB_95->isChecked());
        QCOMPARE(m.edt_I_P_Nachname->ValueAt(viValue), QStringLiteral("Müller"));
        QCOMPARE(P->Rec().Zugriffsstufe, 0);
        QCOMPARE(m.Calc().Aufbautabelle.size(), std::size_t(26));
        QCOMPARE(m.edt_Summe_Monatsbeitraege->ValueAt(viValue), 60000.0);
        QCOMPARE(m.lbl_Entnahme->text(),
                 QStringLiteral("Mögliche monatliche Entnahme (100.000 € Kapital)"));
        QCOMPARE(m.lbl_Wertentw->text(),
                 QStringLiteral("Erforderliche Wertentwicklung (500,00 € monatliche Entnahme / "
                                "100.000 € Kapital)"));
        QCOMPARE(m.lbl_Kapital->text(),
                 QStringLiteral("Erforderliches Kapital (500 € monatliche Entnahme)"));
        QCOMPARE(m.lbl_Prozent[2]->text(), QStringLiteral("6 %"));
        QVERIFY(m.pn_Tabelle->isVisible() && !m.pn_Chart->isVisible());
        QVERIFY(m.RB_T1->text().endsWith(QStringLiteral(" Jahre (Lebenserwartung)")));
        QVERIFY(ShownText(m.edt_Ausz[3]).endsWith(QStringLiteral(" € ")));
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
        QCOMPARE(m.edt_Anlagebetrag->ValueAt(viValue), 200.0);
        QVERIFY(m.RB_Depot_W->isChecked());
        // Changes write nothing while nothing was loaded.
        Klicken(m.RB_ewig);
        Eingeben(m.edt_I_P_Eintrittsalter, QStringLiteral("50"));
        QVERIFY(!P->DateiDa());
    }

    void kindChangeParksTheAmount() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Klicken(m.RB_Einmalanlage);
        QCOMPARE(m.edt_Anlagebetrag->ValueAt(viValue), 10000.0);
        QCOMPARE(m.LB_Anlagebetrag->Caption(), QStringLiteral("&Betrag Einmalanlage"));
        QCOMPARE(P->Datei().Anlageart, 2);
        QCOMPARE(P->Datei().Sparbetrag, 200.0);
        QVERIFY(!m.edt_Einzahlungsdauer->isEnabled());
        QVERIFY(!m.cb_Dynamik->isEnabled());
        // A lump sum pays the fee at once; the spread payment is greyed.
        QVERIFY(m.RB_einmalig->isChecked() && !m.RB_verteilt->isEnabled());

        Eingeben(m.edt_Anlagebetrag, QStringLiteral("1000"));
        QCOMPARE(P->Datei().Anlagebetrag, 1000.0);
        Klicken(m.RB_SystemEinmalanlage);
        QCOMPARE(m.edt_Anlagebetrag->ValueAt(viValue), 2500.0);
        QCOMPARE(m.edt_Anlagebetrag->ValueMin(), 2500.0);
        QVERIFY(m.RB_12->isVisible() && m.RB_12->isEnabled() && !m.RB_einmalig->isVisible());
        Klicken(m.RB_24);
        QCOMPARE(P->Datei().Uebertragungsmonate, 24);
        QCOMPARE(P->Datei().Anlagebetrag, 2500.0);
        Klicken(m.RB_Einmalanlage);
        QCOMPARE(m.edt_Anlagebetrag->ValueAt(viValue), 2500.0);
        QCOMPARE(m.edt_Anlagebetrag->ValueMin(), 1.0);

        Klicken(m.RB_Aufbauplan);
        QCOMPARE(m.edt_Anlagebetrag->ValueAt(viValue), 200.0);
        QCOMPARE(P->Datei().Anlagebetrag, 2500.0);
        QCOMPARE(P->Datei().Sparbetrag, 200.0);
        QVERIFY(m.edt_Einzahlungsdauer->isEnabled() && m.cb_Dynamik->isEnabled());
    }

    void loadedSystemeinmalanlageKeepsDesignBoundAndFeeRowFollowsSetting() {
        TPlanRecord plan = BeispielPlan();
        plan.Anlageart = 3;
        plan.Anlagebetrag = 5000;
        plan.Uebertragungsmonate = 36;
        plan.MitEinrichtungsgebuehr = 0;
        Start(plan);
        Tfrm_perfmain& m = P->Main();
        QVERIFY(m.RB_36->isChecked() && m.RB_36->isVisible());
        QVERIFY(!m.lbl_Zahlung->isVisible() && !m.RB_einmalig->isVisible());
        // The bound of 2 500 comes only with a switch of the kind.
        Eingeben(m.edt_Anlagebetrag, QStringLiteral("100"));
        QCOMPARE(P->Datei().Anlagebetrag, 100.0);
        Klicken(m.RB_Einmalanlage);
        QVERIFY(!m.lbl_Zahlung->isVisible()); // no fee charged: no payment row
        QVERIFY(!m.RB_12->isVisible());
    }

    void anlagedauerZeroOnlyForEinmalanlage() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        {
            ModalAnswerer meldungen;
            Eingeben(m.edt_Laufzeit, QStringLiteral("0"));
            // The field reports the entry (the frame's move on Enter may report it again).
            QTRY_VERIFY(!meldungen.texts().isEmpty());
            QVERIFY(
                meldungen.texts()[0].startsWith(QStringLiteral("Der Eingabewert ist zu klein!")));
            QCOMPARE(P->Rec().Laufzeit, 25);
            QTest::keyClick(m.edt_Laufzeit, Qt::Key_Escape);
        }

        Klicken(m.cb_Dynamik);
        QCOMPARE(P->Datei().Dynamik, 5.0);
        Klicken(m.RB_Einmalanlage);
        Eingeben(m.edt_Laufzeit, QStringLiteral("0"));
        const TPlanRecord d = P->Datei();
        QCOMPARE(d.Laufzeit, 0);
        QCOMPARE(d.Grafik_Phase, 2);
        QCOMPARE(d.Dynamik, 0.0);
        QVERIFY(m.RB_Grafik_Ausz->isChecked());
        QVERIFY(!m.RB_Grafik_Einz->isEnabled());
        QVERIFY(!m.cb_Dynamik->Checked() && !m.cb_Dynamik->isEnabled());
    }

    void einzahlungsdauerNeverLongerThanAnlagedauer() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Eingeben(m.edt_Einzahlungsdauer, QStringLiteral("30"));
        QCOMPARE(m.edt_Einzahlungsdauer->ValueAt(viValue), 25.0);
        QCOMPARE(P->Datei().Einzahlungsdauer, 25);
        // Shorter Anlagedauer: clamped when the field is next entered.
        Eingeben(m.edt_Laufzeit, QStringLiteral("20"));
        QCOMPARE(P->Datei().Laufzeit, 20);
        m.edt_Einzahlungsdauer->setFocus();
        QTRY_COMPARE(P->Datei().Einzahlungsdauer, 20);
    }

    void withdrawalStartFollowsAccumulation() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Eingeben(m.edt_AuszBeginn, QStringLiteral("60"));
        QCOMPARE(m.edt_AuszBeginn->ValueAt(viValue), 65.0);
        QCOMPARE(P->Datei().AuszBeginn, 65);

        // "individuell" with an end age not after the start: start + 1.
        TPlanRecord plan = BeispielPlan();
        plan.AuszEnde = 65;
        P.reset();
        Start(plan);
        Tfrm_perfmain& n = P->Main();
        QVERIFY(!n.edt_AuszEnde->isEnabled());
        Klicken(n.RB_individuell);
        QVERIFY(n.edt_AuszEnde->isEnabled());
        QCOMPARE(P->Datei().AuszEndeArt, 1);
        QCOMPARE(P->Datei().AuszEnde, 66);
        QCOMPARE(P->Datei().AuszDauer, 1);
    }

    void capitalTakenFromAccumulation() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        QVERIFY(!m.RB_Kapital_2->isEnabled());
        Klicken(m.CB_Kapital_aus_Einz);
        QVERIFY(!m.edt_Rentenkapital->isEnabled() && m.RB_Kapital_2->isEnabled());
        const double kapital = P->Rec().Kapital[3];
        QVERIFY(kapital > 60000);
        QCOMPARE(P->Rec().Rentenkapital, kapital);
        QCOMPARE(m.edt_Rentenkapital->ValueAt(viValue), kapital);
        QCOMPARE(P->Datei().Kapital_aus_Einzahlung, Bool8(1));
        Klicken(m.RB_Kapital_3);
        QCOMPARE(P->Datei().Kapital_Szenario, 4);
        QCOMPARE(P->Rec().Rentenkapital, P->Rec().Kapital[4]);
    }

    void hiddenStrategyKeptAndNameSavedWithNextChange() {
        TPlanRecord plan = BeispielPlan();
        plan.Anlagestrategie = 4;
        Start(plan);
        Tfrm_perfmain& m = P->Main();
        QVERIFY(!m.RB_Depot_F->isChecked() && !m.RB_Depot_S->isChecked() &&
                !m.RB_Depot_W->isChecked());
        Eingeben(m.edt_I_P_Nachname, QStringLiteral("Schmidt"));
        QCOMPARE(QString::fromStdString(ShortStringToUtf8(P->Datei().Nachname)),
                 QStringLiteral("Müller"));
        Klicken(m.RB_weiblich);
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
        QVERIFY(m.lbl_Prozent[0]->isVisible() && m.edt_Gesamt[2]->isVisible());
        Klicken(m.RB_ewig);
        QCOMPARE(P->Datei().AuszEndeArt, 5);
        QCOMPARE(P->Datei().AuszDauer, 999);
        QVERIFY(!m.lbl_Prozent[0]->isVisible() && !m.edt_Ausz[0]->isVisible() &&
                !m.edt_Kapital[0]->isVisible());
        QVERIFY(!m.lbl_RestKapital->isVisible() && !m.Edt_Entnahme[1]->isVisible());
        QVERIFY(m.edt_Ausz[1]->isVisible() && m.edt_Wertentw->isVisible());
        Klicken(m.RB_95);
        QVERIFY(m.lbl_Prozent[0]->isVisible() && m.edt_SumEntn[3]->isVisible());
    }

    void chartFollowsPhaseAndScenario() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Klicken(m.SPB_Chart);
        QVERIFY(m.pn_Chart->isVisible() && !m.pn_Tabelle->isVisible() &&
                !m.lbl_Vorschau->isVisible());
        QCOMPARE(P->Rec().Ansicht, 1);
        QCOMPARE(P->Datei().Ansicht, 2); // the view reaches the file with the next save
        QCOMPARE(m.Chart4->Chart()->title(),
                 QStringLiteral("Vermögensaufbau in der Einzahlungsphase (Wertentwicklung 6%)"));
        QCOMPARE(m.Chart4->Series(0)->count(), 26);
        QCOMPARE(m.Chart4->Series(0)->pen().width(), 3);
        Klicken(m.RB_Grafik_Ausz);
        QCOMPARE(P->Datei().Grafik_Phase, 2);
        QCOMPARE(P->Datei().Ansicht, 1);
        QCOMPARE(m.Chart4->Series(2)->name(), QStringLiteral("Summe der Entnahmen"));
        Klicken(m.RB_Grafik_3);
        QCOMPARE(P->Datei().Grafik_Szenario, 4);
        QVERIFY(m.Chart4->Chart()->title().endsWith(QStringLiteral("(Wertentwicklung 9%)")));
        QVERIFY(!m.Chart4->Series(1)->isVisible()); // FRV only at the higher access level
    }

    void unknownStoredChartPhaseChecksNoPhaseButton() {
        for (int phase : {0, 3}) {
            TPlanRecord plan = BeispielPlan();
            plan.Grafik_Phase = phase;
            Start(plan);
            Tfrm_perfmain& m = P->Main();
            QVERIFY(!m.RB_Grafik_Einz->isChecked());
            QVERIFY(!m.RB_Grafik_Ausz->isChecked());
            // The chart follows the stored value: anything but 1 is the
            // withdrawal phase.
            QVERIFY(m.Chart4->Chart()->title().startsWith(
                QStringLiteral("Vermögensentwicklung in der Entnahmephase")));
            // The next save stores what the buttons say.
            Klicken(m.SPB_Chart);
            Klicken(m.RB_Grafik_3);
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
        // Whatever the show step queued has run.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m.edt_I_P_Nachname));
        // Coming back from another of the program's windows.
        m.edt_Laufzeit->setFocus();
        QWidget* other = P->Fenster->frm_DruckPar.get();
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other));
        m.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m.edt_I_P_Nachname));
        other->hide();
    }

    void hiddenControlsAreThereAndStayHidden() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        QCOMPARE(m.lbl_Zuzahlungen->Caption(), QStringLiteral("&Zuzahlungen"));
        QCOMPARE(m.lbl_Zuzahlungen->FocusControl(),
                 static_cast<QWidget*>(m.edt_Zuzahlung_Betrag_1));
        QCOMPARE(m.btn_Zuzahlungen->text(), QStringLiteral("..."));
        QCOMPARE(m.lbl_Erben->Caption(), QStringLiteral("Auszahlung an Erben"));
        QCOMPARE(m.lbl_Performance_5->Caption(), QStringLiteral("Perfor&mance p.a."));
        QCOMPARE(m.lbl_Performance_5->FocusControl(), static_cast<QWidget*>(m.edt_Performance_5));
        for (QWidget* h : std::initializer_list<QWidget*>{
                 m.lbl_Zuzahlungen, m.btn_Zuzahlungen, m.edt_Zuzahlung_Betrag_1, m.lbl_Erben,
                 m.RB_G0, m.lbl_Performance_5, m.edt_Performance_5})
            QVERIFY(!h->isVisible());
        // Their accelerators do not reach the hidden fields.
        m.edt_I_P_Nachname->setFocus();
        QTest::keyClick(m.edt_I_P_Nachname, Qt::Key_Z, Qt::AltModifier);
        QVERIFY(!m.edt_Zuzahlung_Betrag_1->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
        QVERIFY(!m.edt_Performance_5->hasFocus());
    }

    void settingsCancelledAndAccepted() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        Tfrm_perfEinst& e = *P->Fenster->frm_perfEinst;
        WhenModal([&e](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(&e));
            e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))
                ->setCurrentText(QStringLiteral("7 %"));
            Klicken(e.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2")));
        });
        Klicken(m.ExplorerButton3);
        QVERIFY(!e.isVisible());
        QCOMPARE(e.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))->currentText(),
                 QStringLiteral("3 %"));
        QCOMPARE(P->Datei().Performance[2], 3.0);
        QCOMPARE(P->Datei().Version.str(),
                 std::string("Orvanta 1.6")); // cancelling saves all the same
        QCOMPARE(m.focusWidget(), static_cast<QWidget*>(m.ExplorerButton3));

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
        Klicken(m.ExplorerButton3);
        QCOMPARE(P->Datei().Performance[2], 1.0);
        QCOMPARE(P->Datei().Performance[3], 7.0);
        QCOMPARE(m.RB_Kapital_1->text(), QStringLiteral("1 %"));
        QCOMPARE(m.lbl_Prozent[2]->text(), QStringLiteral("7 %"));
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
        Klicken(m.ExplorerButton3);
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
        Klicken(m.ExplorerButton3);
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
        Klicken(m.ExplorerButton3);
        QCOMPARE(P->Rec().Zugriffsstufe, 3);
        // Coming back from another of the program's windows reloads the file.
        QWidget* other = P->Fenster->frm_DruckPar.get();
        other->show();
        other->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(other));
        m.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m));
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
        Klicken(m.RB_Grafik_2);
        QCOMPARE(P->Datei().Grafik_Szenario, 3);
        QCOMPARE(m.Chart4->Series(0)->count(), 26);
    }

    void speichernUndBeendenClosesTheWindow() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        m.edt_I_P_Vorname->SetValue(QStringLiteral("Peter"));
        QSignalSpy ende(&m, &QDialog::finished);
        Klicken(m.ExplorerButton1);
        QVERIFY(!m.isVisible());
        QCOMPARE(ende.count(), 1); // the program quits on it
        QCOMPARE(QString::fromStdString(ShortStringToUtf8(P->Datei().Vorname)),
                 QStringLiteral("Peter"));
    }

    // A save that fails keeps the window open with its message; asked again,
    // the adviser may leave without it.
    void speichernUndBeendenKeepsTheWindowWhenTheSaveFails() {
        Start(BeispielPlan());
        Tfrm_perfmain& m = P->Main();
        QVERIFY(QFile::remove(P->DatenDatei()));
        QVERIFY(QDir().mkdir(P->DatenDatei())); // a directory: every save fails
        QSignalSpy ende(&m, &QDialog::finished);
        {
            ModalAnswerer meldungen;
            Klicken(m.ExplorerButton1);
            QCOMPARE(meldungen.texts().size(), 1);
        }
        QVERIFY(m.isVisible());
        QCOMPARE(ende.count(), 0);
        Klicken(m.ExplorerButton1);
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
