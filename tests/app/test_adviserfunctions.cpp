// The adviser functions of the main window beyond the lock, driven with keys
// and clicks against a temporary program directory: the links, the print
// options with the report preview, and damaged values of the data file.

#include "app/orvantaapplication.h"
#include "controls/teditcheck.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfprovision.h"
#include "mainwindowsupport.h"
#include "reports/reportset.h"

#include <QDir>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QRadioButton>
#include <QtTest>

#include <vector>

using namespace orvanta;
using namespace orvanta::testing;

namespace {
const QString Bereichsfehler = QStringLiteral("Fehler bei Bereichsprüfung.");
} // namespace

class TestAdviserFunctions : public QObject, TBeraterProgramm {
    Q_OBJECT

private slots:
    void init() { Vorbereiten(); }
    void cleanup() { Aufraeumen(); }

    void lettersWithoutAltReachTheFields() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        auto* edt_I_P_Nachname = Control<TEditText>(m, "edt_I_P_Nachname");
        ModalAnswerer keine(ModalAnswerer::AllWindows);
        edt_I_P_Nachname->setFocus();
        QTest::keyClick(edt_I_P_Nachname, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edt_I_P_Nachname, QStringLiteral("PFVRpfvr"));
        QTest::keyClick(edt_I_P_Nachname, Qt::Key_Return);
        QVERIFY(keine.classes().isEmpty());
        QCOMPARE(edt_I_P_Nachname->ValueAt(viValue), QStringLiteral("PFVRpfvr"));
        // Enter went on to the next field, as the frame does it.
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<QWidget*>(Control<TEditText>(m, "edt_I_P_Vorname")));
    }

    void linkTargetsFollowTheRecord() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        auto* URLLabel1 = Control<TURLLabel>(m, "URLLabel1");
        auto* RB_Depot_S = Control<QRadioButton>(m, "RB_Depot_S");
        auto* URLLabel3 = Control<TURLLabel>(m, "URLLabel3");
        QTest::mouseClick(URLLabel1, Qt::LeftButton);
        QTest::mouseClick(RB_Depot_S, Qt::LeftButton, {}, QPoint(8, 9));
        QVERIFY(RB_Depot_S->isChecked());
        QTest::mouseClick(URLLabel1, Qt::LeftButton);
        QTest::mouseClick(Control<TURLLabel>(m, "URLLabel2"), Qt::LeftButton);
        QCOMPARE(Geoeffnet().size(), 3);
        QCOMPARE(Geoeffnet()[0], QUrl("https://example.invalid/w"));
        QCOMPARE(Geoeffnet()[1], QUrl("https://example.invalid/s"));
        QCOMPARE(Geoeffnet()[2], QUrl("https://example.invalid/doku"));
        QCOMPARE(URLLabel1->TextColor(), QColor(128, 0, 128));
        QCOMPARE(URLLabel3->TextColor(), QColor(0, 0, 255));
        QCOMPARE(URLLabel1->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);

        // The newspaper article from level 3 on, by its bare name from the
        // working directory.
        {
            ModalAnswerer folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        QVERIFY(QDir::setCurrent(P->Dir.path()));
        QTest::mouseClick(URLLabel3, Qt::LeftButton, {}, QPoint(20, 8));
        QCOMPARE(Geoeffnet().back(),
                 QUrl::fromLocalFile(P->Dir.path() + QStringLiteral("/FAZ 30_05_06.pdf")));
    }

    // Over a link the window takes the hand cursor; controls without a cursor
    // of their own show it until the mouse passes over the free surface.
    void linksTurnTheWindowCursor() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        auto* URLLabel1 = Control<TURLLabel>(m, "URLLabel1");
        auto* RB_Depot_S = Control<QRadioButton>(m, "RB_Depot_S");
        auto* URLLabel3 = Control<TURLLabel>(m, "URLLabel3");
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        QVERIFY(URLLabel1->hasMouseTracking());
        QTest::mouseMove(Control<TURLLabel>(m, "URLLabel2"), QPoint(5, 5));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
        // A radio button has no cursor of its own: it shows the window's.
        QTest::mouseMove(RB_Depot_S, QPoint(5, 5));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(RB_Depot_S->cursor().shape(), Qt::PointingHandCursor);

        // A point of the window's own surface (its client area below the
        // menu bar), not covered by any control.
        QPoint frei(-1, -1);
        const QWidget* flaeche = m.findChild<QWidget*>(QStringLiteral("Fensterinhalt"));
        for (int y = 5; y < m.height() && frei.x() < 0; y += 3)
            for (int x = 5; x < m.width(); x += 3)
                if (m.childAt(QPoint(x, y)) == flaeche) {
                    frei = QPoint(x, y);
                    break;
                }
        QVERIFY(frei.x() >= 0);
        QTest::mouseMove(&m, frei);
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(RB_Depot_S->cursor().shape(), Qt::ArrowCursor);

        // Every link does it, also the third one from level 3 on.
        QTest::mouseMove(URLLabel1, QPoint(5, 5));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseMove(&m, frei);
        QCOMPARE(m.cursor().shape(), Qt::ArrowCursor);
        {
            ModalAnswerer folge({Passwort(Direktion)});
            Alt(Qt::Key_R);
        }
        ZurueckImHauptfenster();
        QVERIFY(URLLabel3->isVisible());
        QTest::mouseMove(URLLabel3, QPoint(20, 8));
        QCOMPARE(m.cursor().shape(), Qt::PointingHandCursor);
    }

    void storedHiddenStrategyOpensItsLink() {
        TPlanRecord plan = MitPasswoertern(BeispielPlan());
        plan.Anlagestrategie = 4; // "Strategiedepot Z", hidden
        Start(plan);
        QTest::mouseClick(Control<TURLLabel>(P->Main(), "URLLabel1"), Qt::LeftButton);
        QCOMPARE(Geoeffnet(), QList<QUrl>{QUrl("https://example.invalid/z")});
    }

    void ergebnisAusdruckPreviewsTheChosenSet() {
        Start(MitPasswoertern(BeispielPlan()));
        Tfrm_perfmain& m = P->Main();
        auto* btn_Ergebnis = Control<TExplorerButton>(m, "btn_Ergebnis");
        Tfrm_DruckPar& d = DruckPar();
        reports::TReportSet& set = *P->Fenster->Berichte;
        std::vector<reports::TQuickReport*> seiten;
        {
            ModalAnswerer folge(
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
            QTest::mouseClick(btn_Ergebnis, Qt::LeftButton);
            QCOMPARE(folge.classes(),
                     (QStringList{"orvanta::Tfrm_DruckPar", "QPrintPreviewDialog"}));
        }
        QCOMPARE(P->Datei().Entnahmephase_drucken, 0);
        QCOMPARE(P->Datei().Einzahlungsphase_drucken, 1);
        QCOMPARE(seiten.size(), std::size_t(3));
        QVERIFY(!d.isVisible());
        ZurueckImHauptfenster();

        // The box of the program's settings adds the cost overview.
        auto* kosten = d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten"));
        QVERIFY(!kosten->Checked());
        seiten.clear();
        {
            ModalAnswerer folge({[&](QWidget*) {
                                     QTest::mouseClick(kosten, Qt::LeftButton);
                                     QTest::mouseClick(
                                         d.findChild<TExplorerButton*>(QStringLiteral("btn_OK")),
                                         Qt::LeftButton);
                                 },
                                 [&](QWidget* w) {
                                     set.QRCompositeReport1AddReports(seiten);
                                     w->close();
                                 }});
            QTest::mouseClick(btn_Ergebnis, Qt::LeftButton);
        }
        QCOMPARE(seiten.size(), std::size_t(4));
        QCOMPARE(seiten.back(), &set.Kostenuebersicht);
        kosten->SetChecked(false); // the next run of the tests starts without it
        ZurueckImHauptfenster();

        // All boxes off: the dialog closes, nothing is shown.
        {
            ModalAnswerer folge({[&](QWidget*) {
                d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->SetChecked(false);
                QTest::mouseClick(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK")),
                                  Qt::LeftButton);
            }});
            QTest::mouseClick(btn_Ergebnis, Qt::LeftButton);
            QCOMPARE(folge.classes(), QStringList{"orvanta::Tfrm_DruckPar"});
        }
        QVERIFY(!d.isVisible());
        QCOMPARE(P->Datei().Einzahlungsphase_drucken, 0);
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
        ModalAnswerer meldungen;
        P->Main().show();
        if (fehlerBeimStart) {
            QTRY_COMPARE(meldungen.texts(), QStringList{Bereichsfehler});
        } else {
            QTRY_VERIFY(P->Main().Geladen());
            FlushEvents();
            QCOMPARE(meldungen.texts(), QStringList{});
        }
        QCOMPARE(Stufe(), 0);
        QVERIFY(!Control<TURLLabel>(P->Main(), "URLLabel3")->isVisible());

        if (feld == "Anlagestrategie") {
            // No strategy button shows it; its link is a range error.
            QTest::mouseClick(Control<TURLLabel>(P->Main(), "URLLabel1"), Qt::LeftButton);
            QTRY_COMPARE(meldungen.texts(), QStringList{Bereichsfehler});
            QVERIFY(Geoeffnet().isEmpty());
        }
        if (feld == "BP_Performance" && wert == 0)
            QCOMPARE(Provision().findChild<QLabel*>(QStringLiteral("l_Hinweis"))->text(),
                     QStringLiteral("(jährl. Wertentwicklung: 0,0 %)"));
        // The next change stores valid values and calculates again.
        P->Main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&P->Main()));
        meldungen.reset();
        QTest::mouseClick(Control<QRadioButton>(P->Main(), "RB_T1"), Qt::LeftButton, {},
                          QPoint(8, 9));
        FlushEvents();
        QCOMPARE(meldungen.texts(), QStringList{});
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
