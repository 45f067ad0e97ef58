// The adviser functions of the main window, driven with keys and clicks
// against a temporary program directory: the access lock with its hidden
// keys, the commission view, the print options with the report preview, the
// links, and damaged values of the data file.

#include "app/orvantaapplication.h"
#include "app/resultchart.h"
#include "controls/oeffnen.h"
#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "core/formatsettings.h"
#include "core/xorcodierung.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "dialogs/tpassworddlg.h"
#include "mainwindowsupport.h"
#include "reports/reportset.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include <vector>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

const QString Berater = QStringLiteral("berater");     // level 1
const QString Direktion = QStringLiteral("direktion"); // level 3

TPlanRecord MitPasswoertern(TPlanRecord r) {
    r.Passwort_1.assign(XorCodierung("berater"));
    r.Passwort_2.assign(XorCodierung("vertrieb"));
    r.Passwort_3.assign(XorCodierung("direktion"));
    const char* links[4] = {"https://example.invalid/f", "https://example.invalid/s",
                            "https://example.invalid/w", "https://example.invalid/z"};
    for (int k = 0; k < 4; ++k)
        r.Strategie_Link[k].assign(links[k]);
    r.Verkaufsdoku_Link.assign("https://example.invalid/doku");
    r.Einzahlungsphase_drucken = 1;
    r.Entnahmephase_drucken = 1;
    return r;
}

// The profile of the delivered FRV file "G002 m 35 100 1 5 30.txt".
TPlanRecord FRVPlan() {
    TPlanRecord r = MitPasswoertern(BeispielPlan());
    r.Eintrittsalter = 35;
    r.Sparbetrag = 100;
    r.Dynamik = 5;
    r.Laufzeit = 30;
    r.Einzahlungsdauer = 30;
    return r;
}

// A step that enters a password and presses OK.
TModalFolge::TSchritt Passwort(const QString& text) {
    return [text](QWidget* w) {
        auto* dlg = qobject_cast<TPasswordDlg*>(w);
        QVERIFY(dlg);
        QCOMPARE(dlg->findChild<QLineEdit*>(QStringLiteral("Password"))->text(),
                 QString()); // emptied for every showing
        QTest::keyClicks(dlg->findChild<QLineEdit*>(QStringLiteral("Password")), text);
        QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
    };
}

TModalFolge::TSchritt Schliessen() {
    return [](QWidget* w) { w->close(); };
}

const QString Bereichsfehler = QStringLiteral("Fehler bei Bereichsprüfung.");

} // namespace

class TestAdviserFunctions : public QObject {
    Q_OBJECT

    std::unique_ptr<TTestProgramm> P;
    QString FVorher = QDir::currentPath();
    std::vector<QUrl> FGeoeffnet;

    void Start(const TPlanRecord& plan) {
        P = std::make_unique<TTestProgramm>(&plan);
        QVERIFY(P->Starten());
        QVERIFY(P->Main().Geladen());
    }

    // FRV files are looked up in the working directory.
    void FRVDatenImArbeitsverzeichnis() {
        const QString name = QStringLiteral("G002 m 35 100 1 5 30.txt");
        QVERIFY(QFile::copy(qEnvironmentVariable("ORVANTA_SOURCE_DIR") + "/data/" + name,
                            P->Dir.path() + QLatin1Char('/') + name));
        QVERIFY(QDir::setCurrent(P->Dir.path()));
    }

    // Alt and a letter at the main window's focused control.
    void Alt(Qt::Key key) {
        Tfrm_perfmain& m = P->Main();
        if (!m.isActiveWindow()) {
            m.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&m));
        }
        QWidget* ziel = m.focusWidget() ? m.focusWidget() : &m;
        QTest::keyClick(ziel, key, Qt::AltModifier);
    }

    Tfrm_perfProvision& Provision() { return *P->Fenster->frm_perfProvision; }
    Tfrm_DruckPar& DruckPar() { return *P->Fenster->frm_DruckPar; }
    int Stufe() { return P->Rec().Zugriffsstufe; }

    // Back in the main window after a dialog closed (the test platform does
    // not always hand the activation back by itself).
    void ZurueckImHauptfenster() {
        P->Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&P->Main()));
        QCoreApplication::processEvents();
    }

private slots:
    void init() {
        SetFormatSettings(TFormatSettings{',', '.'});
        FGeoeffnet.clear();
        SetOeffner([this](const QUrl& url) { FGeoeffnet.push_back(url); });
    }

    void cleanup() {
        P.reset();
        SetOeffner({});
        QDir::setCurrent(FVorher);
        QCoreApplication::processEvents();
        const auto windows = QApplication::topLevelWidgets();
        for (QWidget* w : windows)
            QVERIFY2(!w->isVisible(),
                     qPrintable(w->metaObject()->className() + QStringLiteral(" left open")));
    }

    void altRAtLevelZeroOnlyUnlocks() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        QVERIFY(!m.URLLabel3->isVisible());
        {
            // Cancelled: nothing more.
            TModalFolge folge({[](QWidget* w) {
                auto* dlg = qobject_cast<TPasswordDlg*>(w);
                QVERIFY(dlg);
                QCOMPARE(dlg->windowTitle(), QStringLiteral("Passworteingabe"));
                QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("CancelBtn")),
                                  Qt::LeftButton);
            }});
            Alt(Qt::Key_R);
            QCOMPARE(folge.Gesehen, QStringList{"orvanta::TPasswordDlg"});
            QCOMPARE(Stufe(), 0);
        }
        {
            // Accepted at level 3: the level's controls appear, nothing opens.
            TModalFolge folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
            QCOMPARE(folge.Gesehen, QStringList{"orvanta::TPasswordDlg"});
        }
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 3); // closing the dialog was no activation
        QVERIFY(m.URLLabel3->isVisible());
        QVERIFY(P->Fenster->frm_perfEinst
                    ->findChild<TEditFloat*>(QStringLiteral("edt_Agio_Ratenzuschlag"))
                    ->isVisibleTo(P->Fenster->frm_perfEinst.get()));
        QVERIFY(Provision()
                    .findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))
                    ->isVisibleTo(&Provision()));
        QVERIFY(FGeoeffnet.empty());
        // A further Alt+R asks no password: the lock is open.
        TModalFolge keine;
        Alt(Qt::Key_R);
        QVERIFY(keine.Gesehen.isEmpty());
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
            TModalFolge folge({[&dlg](QWidget* w) {
                dlg = qobject_cast<TPasswordDlg*>(w);
                Passwort(QStringLiteral("Berater"))(w); // case matters
            }});
            Alt(Qt::Key_P);
            // No message box, no commission view.
            QCOMPARE(folge.Gesehen, QStringList{"orvanta::TPasswordDlg"});
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
            TModalFolge folge({Passwort(Berater), ansicht});
            Alt(Qt::Key_P);
            QCOMPARE(folge.Gesehen,
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
            TModalFolge folge(
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
            QCOMPARE(folge.Gesehen,
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
        TModalFolge folge(
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
        QCOMPARE(folge.Gesehen.size(), 2);
    }

    void altVWithoutFRVDataDoesNothing() {
        TPlanRecord plan = MitPasswoertern(BeispielPlan());
        plan.Anlageart = 2; // Einmalanlage: no FRV lookup
        Start(plan);
        TModalFolge folge({Passwort(Direktion)});
        Alt(Qt::Key_V);
        QCOMPARE(folge.Gesehen, QStringList{"orvanta::TPasswordDlg"});
        QCOMPARE(Stufe(), 3);
        QVERIFY(!P->Main().FRV_verfuegbar());
        QVERIFY(!P->Fenster->Berichte->Vergleichsdruck);
        // Alt+F neither: the flags stay.
        const TPlanRecord vorher = P->Datei();
        TModalFolge keine;
        Alt(Qt::Key_F);
        QVERIFY(keine.Gesehen.isEmpty());
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
        Tfrm_DruckPar& d = DruckPar();
        QVERIFY(!m.FRV_verfuegbar()); // locked
        QVERIFY(!m.Chart4->Series(1)->isVisible());
        QVERIFY(!d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->isEnabled());

        {
            // The password step unlocks and the same key acts at once.
            TModalFolge folge({Passwort(Direktion)});
            Alt(Qt::Key_F);
            QCOMPARE(folge.Gesehen.size(), 1);
        }
        QVERIFY(m.FRV_verfuegbar());
        QCOMPARE(P->Datei().FRV_Vergleich_Einzahlung, 1);
        QCOMPARE(P->Datei().FRV_Vergleich_Entnahme, 1);
        QVERIFY(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked() &&
                d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Checked());
        QVERIFY(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->isEnabled() &&
                d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->isEnabled());
        QVERIFY(m.Chart4->Series(1)->isVisible());
        QCOMPARE(m.Chart4->Series(1)->count(), 31);

        TModalFolge keine;
        Alt(Qt::Key_F);
        QVERIFY(keine.Gesehen.isEmpty());
        QCOMPARE(P->Datei().FRV_Vergleich_Einzahlung, 0);
        QCOMPARE(P->Datei().FRV_Vergleich_Entnahme, 0);
        QVERIFY(!d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked() &&
                !d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Checked());
        QVERIFY(!m.Chart4->Series(1)->isVisible());
    }

    void altVPreviewsTheComparisonOnly() {
        const TPlanRecord plan = FRVPlan();
        P = std::make_unique<TTestProgramm>(&plan);
        FRVDatenImArbeitsverzeichnis();
        QVERIFY(P->Starten());
        reports::TReportSet& set = *P->Fenster->Berichte;
        bool waehrend = false;
        std::vector<reports::TQuickReport*> seiten;
        TModalFolge folge({Passwort(Direktion), [&](QWidget* w) {
                               QVERIFY(qobject_cast<QPrintPreviewDialog*>(w));
                               waehrend = set.Vergleichsdruck;
                               set.QRCompositeReport1AddReports(seiten);
                               w->close();
                           }});
        Alt(Qt::Key_V);
        QCOMPARE(folge.Gesehen.size(), 2);
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
        {
            TModalFolge folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 3);
        QVERIFY(m.URLLabel3->isVisible());
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
        QVERIFY(!m.URLLabel3->isVisible());
        QVERIFY(!P->Fenster->frm_perfEinst
                     ->findChild<TEditFloat*>(QStringLiteral("edt_Agio_Ratenzuschlag"))
                     ->isVisibleTo(P->Fenster->frm_perfEinst.get()));
        QVERIFY(!Provision()
                     .findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))
                     ->isVisibleTo(&Provision()));
        // Locked again: Alt+P asks for the password.
        TModalFolge folge({Schliessen()});
        Alt(Qt::Key_P);
        QCOMPARE(folge.Gesehen, QStringList{"orvanta::TPasswordDlg"});
    }

    void lettersWithoutAltReachTheFields() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        TModalFolge keine;
        m.edt_I_P_Nachname->setFocus();
        QTest::keyClick(m.edt_I_P_Nachname, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(m.edt_I_P_Nachname, QStringLiteral("PFVRpfvr"));
        QTest::keyClick(m.edt_I_P_Nachname, Qt::Key_Return);
        QVERIFY(keine.Gesehen.isEmpty());
        QCOMPARE(m.edt_I_P_Nachname->ValueAt(viValue), QStringLiteral("PFVRpfvr"));
        // Enter went on to the next field, as the frame does it.
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m.edt_I_P_Vorname));
    }

    void linkTargetsFollowTheRecord() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        QTest::mouseClick(m.URLLabel1, Qt::LeftButton);
        QTest::mouseClick(m.RB_Depot_S, Qt::LeftButton, {}, QPoint(8, 9));
        QVERIFY(m.RB_Depot_S->isChecked());
        QTest::mouseClick(m.URLLabel1, Qt::LeftButton);
        QTest::mouseClick(m.URLLabel2, Qt::LeftButton);
        QCOMPARE(FGeoeffnet.size(), std::size_t(3));
        QCOMPARE(FGeoeffnet[0], QUrl("https://example.invalid/w"));
        QCOMPARE(FGeoeffnet[1], QUrl("https://example.invalid/s"));
        QCOMPARE(FGeoeffnet[2], QUrl("https://example.invalid/doku"));
        QCOMPARE(m.URLLabel1->TextColor(), QColor(128, 0, 128));
        QCOMPARE(m.URLLabel3->TextColor(), QColor(0, 0, 255));
        QCOMPARE(m.URLLabel1->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);

        // The newspaper article from level 3 on, by its bare name from the
        // working directory.
        {
            TModalFolge folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        QVERIFY(QDir::setCurrent(P->Dir.path()));
        QTest::mouseClick(m.URLLabel3, Qt::LeftButton, {}, QPoint(20, 8));
        QCOMPARE(FGeoeffnet.back(),
                 QUrl::fromLocalFile(P->Dir.path() + QStringLiteral("/FAZ 30_05_06.pdf")));
    }

    // Over a link the window takes the hand cursor; controls without a cursor
    // of their own show it until the mouse passes over the free surface.
    void linksTurnTheWindowCursor() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(m.URLLabel1->hasMouseTracking());
        QTest::mouseMove(m.URLLabel2, QPoint(5, 5));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
        // A radio button has no cursor of its own: it shows the window's.
        QTest::mouseMove(m.RB_Depot_S, QPoint(5, 5));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(m.RB_Depot_S->cursor().shape(), Qt::PointingHandCursor);

        // A point of the window's own surface, not covered by any control.
        QPoint frei(-1, -1);
        for (int y = 5; y < m.height() && frei.x() < 0; y += 3)
            for (int x = 5; x < m.width(); x += 3)
                if (!m.childAt(QPoint(x, y))) {
                    frei = QPoint(x, y);
                    break;
                }
        QVERIFY(frei.x() >= 0);
        QTest::mouseMove(&m, frei);
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(m.RB_Depot_S->cursor().shape(), Qt::ArrowCursor);

        // Every link does it, also the third one from level 3 on.
        QTest::mouseMove(m.URLLabel1, QPoint(5, 5));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(&m, frei);
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        {
            TModalFolge folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        QVERIFY(m.URLLabel3->isVisible());
        QTest::mouseMove(m.URLLabel3, QPoint(20, 8));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
    }

    void storedHiddenStrategyOpensItsLink() {
        TPlanRecord plan = MitPasswoertern(BeispielPlan());
        plan.Anlagestrategie = 4; // "Strategiedepot Z", hidden
        Start(plan);
        QTest::mouseClick(P->Main().URLLabel1, Qt::LeftButton);
        QCOMPARE(FGeoeffnet, std::vector<QUrl>{QUrl("https://example.invalid/z")});
    }

    void ergebnisAusdruckPreviewsTheChosenSet() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        Tfrm_DruckPar& d = DruckPar();
        reports::TReportSet& set = *P->Fenster->Berichte;
        std::vector<reports::TQuickReport*> seiten;
        {
            TModalFolge folge(
                {[&](QWidget* w) {
                     QCOMPARE(w, static_cast<QWidget*>(&d));
                     QCOMPARE(d.pos(), m.pos() + QPoint(240, 420));
                     QCOMPARE(d.windowTitle(), QStringLiteral("Orvanta 1.6 Ausdruck"));
                     // Only the accumulation phase.
                     d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))->SetChecked(false);
                     QTest::mouseClick(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK")),
                                       Qt::LeftButton);
                 },
                 [&](QWidget* w) {
                     QVERIFY(qobject_cast<QPrintPreviewDialog*>(w));
                     // The set was built from the saved choices.
                     set.QRCompositeReport1AddReports(seiten);
                     w->close();
                 }});
            QTest::mouseClick(m.btn_Ergebnis, Qt::LeftButton);
            QCOMPARE(folge.Gesehen, (QStringList{"orvanta::Tfrm_DruckPar", "QPrintPreviewDialog"}));
        }
        QCOMPARE(P->Datei().Entnahmephase_drucken, 0);
        QCOMPARE(P->Datei().Einzahlungsphase_drucken, 1);
        QCOMPARE(seiten.size(), std::size_t(3));
        QVERIFY(!d.isVisible());
        ZurueckImHauptfenster();

        // All boxes off: the dialog closes, nothing is shown.
        {
            TModalFolge folge({[&](QWidget*) {
                d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->SetChecked(false);
                QTest::mouseClick(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK")),
                                  Qt::LeftButton);
            }});
            QTest::mouseClick(m.btn_Ergebnis, Qt::LeftButton);
            QCOMPARE(folge.Gesehen, QStringList{"orvanta::Tfrm_DruckPar"});
        }
        QVERIFY(!d.isVisible());
        QCOMPARE(P->Datei().Einzahlungsphase_drucken, 0);
    }

    void unlockedLevelSurvivesThePrintOptions() {
        Start(MitPasswoertern(BeispielPlan()));
        {
            TModalFolge folge({Passwort(Berater)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        TModalFolge folge({[&](QWidget* w) { w->close(); }});
        QTest::mouseClick(P->Main().btn_Ergebnis, Qt::LeftButton);
        ZurueckImHauptfenster();
        QCOMPARE(Stufe(), 1);
    }

    void outOfRangeValuesFromTheFile_data() {
        QTest::addColumn<QString>("feld");
        QTest::addColumn<int>("wert");
        QTest::addColumn<bool>("fehlerBeimStart");
        QTest::newRow("Grafik_Szenario 9") << "Grafik_Szenario" << 9 << true;
        QTest::newRow("BP_Performance 7") << "BP_Performance" << 7 << true;
        QTest::newRow("BP_Performance 0 is scenario 0") << "BP_Performance" << 0 << false;
        QTest::newRow("Kapital_Szenario 9") << "Kapital_Szenario" << 9 << true;
        QTest::newRow("Anlagestrategie 7") << "Anlagestrategie" << 7 << false;
    }

    void outOfRangeValuesFromTheFile() {
        QFETCH(QString, feld);
        QFETCH(int, wert);
        QFETCH(bool, fehlerBeimStart);
        TPlanRecord plan = MitPasswoertern(BeispielPlan());
        plan.Kapital_aus_Einzahlung = 1;
        plan.Zugriffsstufe = 3; // whatever the file holds, the lock is closed
        if (feld == "Grafik_Szenario")
            plan.Grafik_Szenario = wert;
        else if (feld == "BP_Performance")
            plan.BP_Performance = wert;
        else if (feld == "Kapital_Szenario")
            plan.Kapital_Szenario = wert;
        else
            plan.Anlagestrategie = wert;
        P = std::make_unique<TTestProgramm>(&plan);
        TMeldungen meldungen;
        P->Main().show();
        if (fehlerBeimStart) {
            QTRY_COMPARE(meldungen.Texte, QStringList{Bereichsfehler});
        } else {
            QTRY_VERIFY(P->Main().Geladen());
            QTest::qWait(50);
            QCOMPARE(meldungen.Texte, QStringList{});
        }
        QCOMPARE(Stufe(), 0);
        QVERIFY(!P->Main().URLLabel3->isVisible());

        if (feld == "Anlagestrategie") {
            // No strategy button shows it; its link is a range error.
            QTest::mouseClick(P->Main().URLLabel1, Qt::LeftButton);
            QTRY_COMPARE(meldungen.Texte, QStringList{Bereichsfehler});
            QVERIFY(FGeoeffnet.empty());
        }
        if (feld == "BP_Performance" && wert == 0)
            QCOMPARE(Provision().findChild<QLabel*>(QStringLiteral("l_Hinweis"))->text(),
                     QStringLiteral("(jährl. Wertentwicklung: 0,0 %)"));
        // The next change stores valid values and calculates again.
        P->Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&P->Main()));
        meldungen.Texte.clear();
        QTest::mouseClick(P->Main().RB_T1, Qt::LeftButton, {}, QPoint(8, 9));
        QTest::qWait(20);
        QCOMPARE(meldungen.Texte, QStringList{});
        const TPlanRecord d = P->Datei();
        QCOMPARE(d.AuszEndeArt, 2);
        // A value no button shows is stored as the group's value for "none".
        QCOMPARE(d.Grafik_Szenario, feld == "Grafik_Szenario" ? 0 : 3);
        QCOMPARE(d.Anlagestrategie, feld == "Anlagestrategie" ? 1 : 3);
        QCOMPARE(d.BP_Performance, feld == "BP_Performance" ? 4 : 3);
        QCOMPARE(d.Kapital_Szenario, 3);
        QCOMPARE(d.Zugriffsstufe, 0);
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestAdviserFunctions test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_adviserfunctions.moc"
