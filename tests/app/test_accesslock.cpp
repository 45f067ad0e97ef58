// The access lock of the main window, driven with keys against a temporary
// program directory: the hidden keys and their password step, the commission
// view and its settings, the FRV comparison, and the lock closing again.

#include "app/orvantaapplication.h"
#include "app/resultchart.h"
#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "dialogs/tpassworddlg.h"
#include "mainwindowsupport.h"
#include "reports/reportset.h"

#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <vector>

using namespace orvanta;
using namespace orvanta::testing;

class TestAccessLock : public QObject, TBeraterProgramm {
    Q_OBJECT

private slots:
    void init() { Vorbereiten(); }
    void cleanup() { Aufraeumen(); }

    void altRAtLevelZeroOnlyUnlocks() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        auto* URLLabel3 = Control<TURLLabel>(m, "URLLabel3");
        QVERIFY(!URLLabel3->isVisible());
        {
            // Cancelled: nothing more.
            ModalAnswerer folge({[](QWidget* w) {
                auto* dlg = qobject_cast<TPasswordDlg*>(w);
                QVERIFY(dlg);
                QCOMPARE(dlg->windowTitle(), QStringLiteral("Passworteingabe"));
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("CancelBtn")),
                                  Qt::LeftButton);
            }});
            Alt(Qt::Key_R);
            QCOMPARE(folge.classes(), QStringList{"orvanta::TPasswordDlg"});
            QCOMPARE(Stufe(), 0);
        }
        {
            // Accepted at level 3: the level's controls appear, nothing opens.
            ModalAnswerer folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
            QCOMPARE(folge.classes(), QStringList{"orvanta::TPasswordDlg"});
        }
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 3); // closing the dialog was no activation
        QVERIFY(URLLabel3->isVisible());
        QVERIFY(P->Fenster->frm_perfEinst
                    ->findChild<TEditFloat*>(QStringLiteral("edt_Agio_Ratenzuschlag"))
                    ->isVisibleTo(P->Fenster->frm_perfEinst));
        QVERIFY(Provision()
                    .findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))
                    ->isVisibleTo(&Provision()));
        QVERIFY(Geoeffnet().isEmpty());
        // A further Alt+R asks no password: the lock is open.
        ModalAnswerer keine(ModalAnswerer::AllWindows);
        Alt(Qt::Key_R);
        QVERIFY(keine.classes().isEmpty());
    }

    void wrongPasswordGivesNoLevelAndNoMessage() {
        Start(MitPasswoertern(BeispielPlan()));
        QStringList protokoll;
        static QStringList* ziel = nullptr;
        ziel = &protokoll;
        const QtMessageHandler vorher = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { *ziel << text; });
        QPointer<TPasswordDlg> dlg;
        {
            ModalAnswerer folge({[&dlg](QWidget* w) {
                dlg = qobject_cast<TPasswordDlg*>(w);
                Passwort(QStringLiteral("Berater"))(w); // case matters
            }});
            Alt(Qt::Key_P);
            // No message box, no commission view.
            QCOMPARE(folge.classes(), QStringList{"orvanta::TPasswordDlg"});
        }
        qInstallMessageHandler(vorher);
        QCOMPARE(Stufe(), 0);
        QVERIFY(!Provision().isVisible());
        // The entry is not kept, and no password went to the log.
        QVERIFY(dlg);
        QCOMPARE(dlg->findChild<QLineEdit*>(QStringLiteral("Password"))->text(), QString());
        for (const QString& zeile : protokoll)
            QVERIFY2(!zeile.contains(QStringLiteral("erater")) &&
                         !zeile.contains(QStringLiteral("direktion")),
                     qPrintable(zeile));
    }

    void altPOpensTheCommissionViewAtLevelOne() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        Tfrm_perfProvision& v = Provision();
        auto ansicht = [&](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(&v));
            QCOMPARE(v.pos(), m.pos() + QPoint(30, 30));
            QCOMPARE(v.focusWidget(), static_cast<QWidget*>(v.findChild<TExplorerButton*>(
                                          QStringLiteral("btn_schliessen"))));
            // Filled by the recalculation before it was shown: 25 years, three
            // columns and no FRV parts below level 3.
            QCOMPARE(v.Zeilen(), 26);
            QCOMPARE(v.Spalten(), 3);
            QCOMPARE(v.AktuelleZeile(), 25);
            QVERIFY(!v.Zelle(Tfrm_perfProvision::SpalteVM47, 25).trimmed().isEmpty());
            QVERIFY(!v.findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))->isVisibleTo(&v));
            QCOMPARE(v.findChild<QLabel*>(QStringLiteral("l_Hinweis"))->text(),
                     QStringLiteral("(jährl. Wertentwicklung: 6,0 %)"));
            QCOMPARE(v.windowTitle(), QStringLiteral("Orvanta 1.6 Provision"));
            QTest::mouseClick(v.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen")),
                              Qt::LeftButton);
        };
        {
            ModalAnswerer folge({Passwort(Berater), ansicht});
            Alt(Qt::Key_P);
            QCOMPARE(folge.classes(),
                     (QStringList{"orvanta::TPasswordDlg", "orvanta::Tfrm_perfProvision"}));
        }
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 1);
        // The second time without the dialog; Alt+E reaches the settings, whose
        // closing saves them through the main window and refills the view.
        Tfrm_perfProvPar& par = *P->Fenster->frm_perfProvPar;
        const double apVorher =
            v.findChild<TEditFloat*>(QStringLiteral("edt_AP"))->ValueAt(viValue);
        {
            ModalAnswerer folge(
                {[&](QWidget* w) {
                     QCOMPARE(w, static_cast<QWidget*>(&v));
                     QTest::keyClick(v.focusWidget(), Qt::Key_E, Qt::AltModifier);
                     QTest::mouseClick(
                         v.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen")),
                         Qt::LeftButton);
                 },
                 [&](QWidget* w) {
                     QCOMPARE(w, static_cast<QWidget*>(&par));
                     par.findChild<TEditFloat*>(QStringLiteral("edt_AP_Provisionssatz"))
                         ->SetValue(4);
                     par.findChild<QRadioButton*>(QStringLiteral("RB_BP%1").arg(2 + 1))
                         ->setChecked(true);
                     par.findChild<QRadioButton*>(QStringLiteral("RB_BPP%1").arg(1 + 1))
                         ->setChecked(true);
                     QTest::mouseClick(
                         par.findChild<TExplorerButton*>(QStringLiteral("btn_speichern")),
                         Qt::LeftButton);
                 }});
            Alt(Qt::Key_P);
            QCOMPARE(folge.classes(),
                     (QStringList{"orvanta::Tfrm_perfProvision", "orvanta::Tfrm_perfProvPar"}));
        }
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 1);
        const TPlanRecord d = P->Datei();
        QCOMPARE(d.AP_Provisionssatz, 4.0);
        QCOMPARE(d.BP_Satz, 3);
        QCOMPARE(d.BP_Provisionssatz, 0.25);
        QCOMPARE(d.BP_Performance, 2);
        QVERIFY(v.findChild<TEditFloat*>(QStringLiteral("edt_AP"))->ValueAt(viValue) != apVorher);
        QCOMPARE(v.findChild<QLabel*>(QStringLiteral("l_Hinweis"))->text(),
                 QStringLiteral("(jährl. Wertentwicklung: 3,0 %)"));
        // The scenario captions of the settings follow the saved returns.
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BPP%1").arg(3 + 1))->text(),
                 QStringLiteral(" 9,0 %"));
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BP%1").arg(0 + 1))->text(),
                 QStringLiteral("0,1%   1,0%"));
    }

    void commissionViewAtLevelThreeShowsTheFRV() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfProvision& v = Provision();
        ModalAnswerer folge(
            {Passwort(Direktion), [&](QWidget*) {
                 QCOMPARE(v.Spalten(), 5);
                 QVERIFY(
                     v.findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))->isVisibleTo(&v));
                 QVERIFY(v.findChild<QLabel*>(QStringLiteral("lbl_VM47"))->isVisibleTo(&v));
                 // An Aufbauplan writes the FRV column.
                 QVERIFY(!v.Zelle(Tfrm_perfProvision::SpalteFRV, 1).isEmpty());
                 v.close();
             }});
        Alt(Qt::Key_P);
        QCOMPARE(folge.classes().size(), 2);
    }

    void altVWithoutFRVDataDoesNothing() {
        TPlanRecord plan = MitPasswoertern(BeispielPlan());
        plan.Anlageart = 2; // Einmalanlage: no FRV lookup
        Start(plan);
        ModalAnswerer folge({Passwort(Direktion)});
        Alt(Qt::Key_V);
        QCOMPARE(folge.classes(), QStringList{"orvanta::TPasswordDlg"});
        QCOMPARE(Stufe(), 3);
        QVERIFY(!P->Main().FRV_verfuegbar());
        QVERIFY(!P->Fenster->Berichte->Vergleichsdruck);
        // Alt+F neither: the flags stay.
        const TPlanRecord vorher = P->Datei();
        ModalAnswerer keine(ModalAnswerer::AllWindows);
        Alt(Qt::Key_F);
        QVERIFY(keine.classes().isEmpty());
        QCOMPARE(P->Datei().FRV_Vergleich_Einzahlung, vorher.FRV_Vergleich_Einzahlung);
    }

    void altFFlipsBothFRVFlagsAndTheChartSeries() {
        TPlanRecord plan = FRVPlan();
        plan.FRV_Vergleich_Einzahlung = 0;
        plan.FRV_Vergleich_Entnahme = 1; // the key makes them equal
        plan.Ansicht = 1;
        P = std::make_unique<TTestProgramm>(&plan);
        FRVDatenImArbeitsverzeichnis();
        QVERIFY(P->Starten());
        Tfrm_perfmain& m = P->Main();
        auto* Chart4 = Control<TResultChart>(m, "Chart4");
        Tfrm_DruckPar& d = DruckPar();
        QVERIFY(!m.FRV_verfuegbar()); // locked
        QVERIFY(!Chart4->Series(1)->isVisible());
        QVERIFY(!d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->isEnabled());

        {
            // The password step unlocks and the same key acts at once.
            ModalAnswerer folge({Passwort(Direktion)});
            Alt(Qt::Key_F);
            QCOMPARE(folge.classes().size(), 1);
        }
        QVERIFY(m.FRV_verfuegbar());
        QCOMPARE(P->Datei().FRV_Vergleich_Einzahlung, 1);
        QCOMPARE(P->Datei().FRV_Vergleich_Entnahme, 1);
        QVERIFY(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked() &&
                d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Checked());
        QVERIFY(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->isEnabled() &&
                d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->isEnabled());
        QVERIFY(Chart4->Series(1)->isVisible());
        QCOMPARE(Chart4->Series(1)->count(), 31);

        ModalAnswerer keine(ModalAnswerer::AllWindows);
        Alt(Qt::Key_F);
        QVERIFY(keine.classes().isEmpty());
        QCOMPARE(P->Datei().FRV_Vergleich_Einzahlung, 0);
        QCOMPARE(P->Datei().FRV_Vergleich_Entnahme, 0);
        QVERIFY(!d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked() &&
                !d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Checked());
        QVERIFY(!Chart4->Series(1)->isVisible());
    }

    void altVPreviewsTheComparisonOnly() {
        const TPlanRecord plan = FRVPlan();
        P = std::make_unique<TTestProgramm>(&plan);
        FRVDatenImArbeitsverzeichnis();
        QVERIFY(P->Starten());
        reports::TReportSet& set = *P->Fenster->Berichte;
        bool waehrend = false;
        std::vector<reports::TQuickReport*> seiten;
        ModalAnswerer folge({Passwort(Direktion), [&](QWidget* w) {
                                 QVERIFY(qobject_cast<QPrintPreviewDialog*>(w));
                                 waehrend = set.Vergleichsdruck;
                                 set.QRCompositeReport1AddReports(seiten);
                                 w->close();
                             }});
        Alt(Qt::Key_V);
        QCOMPARE(folge.classes().size(), 2);
        QVERIFY(waehrend);
        QVERIFY(!set.Vergleichsdruck);
        QCOMPARE(seiten.size(), std::size_t(1));
        QCOMPARE(seiten.front(), static_cast<reports::TQuickReport*>(&set.ModellrechnungVgl));
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 3); // closing the preview was no activation
    }

    void lockClosesAgainAfterAReload() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        auto* URLLabel3 = Control<TURLLabel>(m, "URLLabel3");
        {
            ModalAnswerer folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 3);
        QVERIFY(URLLabel3->isVisible());
        // Coming back from another window of the program is an activation.
        QWidget anderes;
        anderes.resize(100, 100);
        anderes.show();
        anderes.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&anderes));
        m.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        anderes.hide();
        QCOMPARE(Stufe(), 0);
        QVERIFY(!URLLabel3->isVisible());
        QVERIFY(!P->Fenster->frm_perfEinst
                     ->findChild<TEditFloat*>(QStringLiteral("edt_Agio_Ratenzuschlag"))
                     ->isVisibleTo(P->Fenster->frm_perfEinst));
        QVERIFY(!Provision()
                     .findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))
                     ->isVisibleTo(&Provision()));
        // Locked again: Alt+P asks for the password.
        ModalAnswerer folge({ModalAnswerer::Close});
        Alt(Qt::Key_P);
        QCOMPARE(folge.classes(), QStringList{"orvanta::TPasswordDlg"});
    }

    void unlockedLevelSurvivesThePrintOptions() {
        Start(MitPasswoertern(BeispielPlan()));
        {
            ModalAnswerer folge({Passwort(Berater)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        ModalAnswerer folge({[&](QWidget* w) { w->close(); }});
        QTest::mouseClick(Control<TExplorerButton>(P->Main(), "btn_Ergebnis"), Qt::LeftButton);
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 1);
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestAccessLock test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_accesslock.moc"
