// The commission view and the commission settings, filled by real
// accumulation runs and driven by keys; modal windows are answered from
// timers.
#include "controls/teditfloat.h"
#include "controls/texplorerbutton.h"
#include "core/errors.h"
#include "core/formatsettings.h"
#include "core/performcalc.h"
#include "core/planfile.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/screenshot.h"
#include "tests/support/testplans.h"
#include "tests/support/widgettools.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <functional>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// Recalculation as the main window runs it for the view.
void Neuberechnung(TPerformCalc& calc, Tfrm_perfProvision& view) {
    view.RasterVorbereiten(calc.Rec);
    calc.Provision = &view;
    calc.BerechneAufbauphase();
}

} // namespace

class TestPerfProvision : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { SetFormatSettings({',', '.'}); }

    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void cellTexts() {
        QCOMPARE(ProvisionZelle(20), QString("        20,00"));
        QCOMPARE(ProvisionZelle(123456.785), QString("    123456,79"));
        QCOMPARE(JahrZelle(10), QString("      10"));
        QCOMPARE(WertentwicklungHinweis(6), QString("(jährl. Wertentwicklung: 6,0 %)"));
        QCOMPARE(SzenarioCaption(3), QString(" 3,0 %"));
        QCOMPARE(SzenarioCaption(0), QString(" 0,0 %"));
        QCOMPARE(SzenarioCaption(12), QString(" 12,0 %"));
        QCOMPARE(SzenarioCaption(12.25), QString(" 12,3 %")); // half away from zero
    }

    void gridOfTenYearsEndsOnTheLastYear() {
        Tfrm_perfProvision view;
        TPerformCalc calc;
        calc.Rec = Provisionsplan(10);
        calc.Rec.Zugriffsstufe = 1;
        Neuberechnung(calc, view);
        QCOMPARE(view.Zeilen(), 11);
        QCOMPARE(view.Spalten(), 3);
        QCOMPARE(view.Zelle(0, 0), QString("Jahr"));
        QCOMPARE(view.Zelle(1, 0), QString("VM47"));
        QCOMPARE(view.Zelle(2, 0), QString("VM47 kumuliert"));
        QCOMPARE(view.Zelle(0, 1), QString("       1"));
        QCOMPARE(view.Zelle(0, 10), QString("      10"));
        // No returns: the depot of year y holds 1200 y, minus nothing.
        // Year 1: half-years at 600 (month 6) and 1200 (month 12), 0.1 % each.
        QCOMPARE(view.Zelle(1, 1), QString("         1,80"));
        QCOMPARE(view.Zelle(1, 10), QString("        23,40")); // 0.001 * (11400 + 12000)
        QCOMPARE(view.Zelle(2, 10), QString("       126,00")); // sum of 1,80 + 4,20 + ... + 22,80
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_AP"))->ValueAt(viValue),
                 0.03 * 12000);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_BP"))->ValueAt(viValue),
                 calc.Rec.BP_Summe);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_Summe_VM47"))->ValueAt(viValue),
                 calc.Rec.BP_Summe + 360);
        QCOMPARE(view.findChild<QLabel*>(QStringLiteral("l_Hinweis"))->text(),
                 QString("(jährl. Wertentwicklung: 0,0 %)"));
        calc.Rec.Performance[4] = 9;
        calc.Rec.BP_Performance = 4;
        view.RasterVorbereiten(calc.Rec);
        QCOMPARE(view.findChild<QLabel*>(QStringLiteral("l_Hinweis"))->text(),
                 QString("(jährl. Wertentwicklung: 9,0 %)"));

        view.VorDemZeigen(nullptr);
        view.show();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QCOMPARE(view.AktuelleZeile(), 10);
        QCOMPARE(KeyTarget(), view.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen")));
        view.hide();

        // A shorter plan shrinks the grid.
        calc.Rec.Laufzeit = calc.Rec.Einzahlungsdauer = 3;
        Neuberechnung(calc, view);
        QCOMPARE(view.Zeilen(), 4);
        QCOMPARE(view.Zelle(0, 4), QString());
        // Durations from a damaged data file: no endless grid, no rows below 0.
        for (int laufzeit : {0, -5, 1000, 0x7fffffff}) {
            calc.Rec.Laufzeit = laufzeit;
            view.RasterVorbereiten(calc.Rec);
            QCOMPARE(view.Zeilen(), 1);
        }
        calc.Rec.Laufzeit = 999;
        view.RasterVorbereiten(calc.Rec);
        QCOMPARE(view.Zelle(0, 999), QString("     999"));
    }

    void halfYearAmountsOfAnUnchangedDepot() {
        // An Einmalanlage of 10 000 without returns or costs: the depot holds
        // 10 000 in month 6 and in month 12.
        Tfrm_perfProvision view;
        TPerformCalc calc;
        calc.Rec = Provisionsplan(1);
        calc.Rec.Zugriffsstufe = 3;
        Neuberechnung(calc, view); // an Aufbauplan run fills the FRV figures
        const QString frvJahr = view.Zelle(3, 1);
        QCOMPARE(frvJahr, QString("        18,00")); // 100 * 12 * 1.5 %
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_AP_FRV"))->ValueAt(viValue), 18.0);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_BP_FRV"))->ValueAt(viValue), 18.0);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))->ValueAt(viValue),
                 36.0);

        calc.Rec.Anlageart = 2;
        calc.Rec.Anlagebetrag = 10000;
        Neuberechnung(calc, view);
        QCOMPARE(view.Zelle(1, 1), QString("        20,00"));
        QCOMPARE(view.Zelle(2, 1), QString("        20,00"));
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_AP"))->ValueAt(viValue), 300.0);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_Summe_VM47"))->ValueAt(viValue),
                 320.0);
        // Not an Aufbauplan: the FRV cells and totals keep what they showed.
        QCOMPARE(view.Zelle(3, 1), frvJahr);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_AP_FRV"))->ValueAt(viValue), 18.0);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))->ValueAt(viValue),
                 36.0);
    }

    void accessLevelDecidesTheFrvParts_data() {
        QTest::addColumn<int>("stufe");
        QTest::addColumn<int>("spalten");
        QTest::newRow("1") << 1 << 3;
        QTest::newRow("2") << 2 << 3;
        QTest::newRow("3") << 3 << 5;
        QTest::newRow("4") << 4 << 5;
    }
    void accessLevelDecidesTheFrvParts() {
        QFETCH(int, stufe);
        QFETCH(int, spalten);
        Tfrm_perfProvision view;
        TPerformCalc calc;
        calc.Rec = Provisionsplan(2);
        calc.Rec.Zugriffsstufe = stufe;
        Neuberechnung(calc, view);
        view.SetzeZugriffsstufe(stufe);
        QCOMPARE(view.Spalten(), spalten);
        const bool frv = spalten == 5;
        for (QWidget* w : std::initializer_list<QWidget*>{
                 view.findChild<QLabel*>(QStringLiteral("lbl_FRV")),
                 view.findChild<QLabel*>(QStringLiteral("lbl_VM47")),
                 view.findChild<TEditFloat*>(QStringLiteral("edt_BP_FRV")),
                 view.findChild<TEditFloat*>(QStringLiteral("edt_AP_FRV")),
                 view.findChild<TEditFloat*>(QStringLiteral("edt_Summe_FRV"))})
            QCOMPARE(w->isVisibleTo(&view), frv);
        for (QWidget* w : std::initializer_list<QWidget*>{
                 view.findChild<TEditFloat*>(QStringLiteral("edt_AP")),
                 view.findChild<TEditFloat*>(QStringLiteral("edt_BP")),
                 view.findChild<TEditFloat*>(QStringLiteral("edt_Summe_VM47"))})
            QVERIFY(w->isVisibleTo(&view) && !w->isEnabled());
        if (frv) {
            QCOMPARE(view.Zelle(3, 0), QString("FRV"));
            QCOMPARE(view.Zelle(4, 0), QString("FRV kumuliert"));
            QCOMPARE(view.Zelle(4, 2), QString("        36,00"));
        }
    }

    void strayScenarioIsARangeError() {
        Tfrm_perfProvision view;
        TPerformCalc calc;
        calc.Rec = Provisionsplan(5);
        for (int bad : {-1, 6, 1000}) {
            calc.Rec.BP_Performance = bad;
            QVERIFY_THROWS_EXCEPTION(ERangeError, view.RasterVorbereiten(calc.Rec));
            QCOMPARE(view.Zeilen(), 6); // the grid was prepared before
        }
        // Figures of a year beyond the prepared rows have no cell to go to.
        view.SetzeBP(9, 1, 2, 3);
        QCOMPARE(view.Zeilen(), 6);
        QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_BP"))->ValueAt(viValue), 2.0);
    }

    void settingsFromAndToTheRecord_data() {
        QTest::addColumn<int>("bpSatz");
        QTest::addColumn<int>("bpPerformance");
        QTest::addColumn<int>("savedSatz");
        QTest::addColumn<double>("savedRate");
        QTest::addColumn<int>("savedPerformance");
        QTest::newRow("levels 1 and 2") << 1 << 2 << 1 << 0.1 << 2;
        QTest::newRow("level 2") << 2 << 1 << 2 << 0.2 << 1;
        QTest::newRow("level 3") << 3 << 4 << 3 << 0.25 << 4;
        QTest::newRow("no level, no scenario") << 0 << 0 << 1 << 0.1 << 4;
        QTest::newRow("stray values") << 7 << 9 << 1 << 0.1 << 4;
    }
    void settingsFromAndToTheRecord() {
        QFETCH(int, bpSatz);
        QFETCH(int, bpPerformance);
        QFETCH(int, savedSatz);
        QFETCH(double, savedRate);
        QFETCH(int, savedPerformance);
        Tfrm_perfProvPar par;
        TPlanRecord rec;
        rec = Provisionsplan(1);
        // A previous selection must not survive a load that selects nothing.
        rec.BP_Satz = 3;
        rec.BP_Performance = 3;
        par.AusRecordLaden(rec);
        rec.BP_Satz = bpSatz;
        rec.BP_Performance = bpPerformance;
        rec.AP_Provisionssatz = 2.5;
        rec.AP_Provisionssatz_FRV = 4;
        par.AusRecordLaden(rec);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(
                par.findChild<QRadioButton*>(QStringLiteral("RB_BP%1").arg(k + 1))->isChecked(),
                k + 1 == bpSatz);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(
                par.findChild<QRadioButton*>(QStringLiteral("RB_BPP%1").arg(k + 1))->isChecked(),
                k + 1 == bpPerformance);
        TPlanRecord out;
        std::memset(&out, 0, sizeof out);
        par.InRecordSpeichern(out);
        QCOMPARE(out.AP_Provisionssatz, 2.5);
        QCOMPARE(out.AP_Provisionssatz_FRV, 4.0);
        QCOMPARE(out.BP_Satz, savedSatz);
        QCOMPARE(out.BP_Provisionssatz, savedRate);
        QCOMPARE(out.BP_Performance, savedPerformance);
    }

    void captionsOfTheSettings() {
        QCOMPARE(Tfrm_perfProvPar::BPProvisionssatz(0), 0.0);
        QCOMPARE(Tfrm_perfProvPar::BPProvisionssatz(4), 0.0);
        Tfrm_perfProvPar par;
        par.SetzeBPBeschriftungen();
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BP%1").arg(0 + 1))->text(),
                 QString("0,1%   1,0%"));
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BP%1").arg(1 + 1))->text(),
                 QString("0,2%   1,5%"));
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BP%1").arg(2 + 1))->text(),
                 QString("0,25%  2,0%"));
        const double perf[6] = {0, 0, 3, 6, 9, 6};
        par.SetzeSzenarioBeschriftungen(perf);
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BPP%1").arg(0 + 1))->text(),
                 QString(" 0,0 %"));
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BPP%1").arg(1 + 1))->text(),
                 QString(" 3,0 %"));
        QCOMPARE(par.findChild<QRadioButton*>(QStringLiteral("RB_BPP%1").arg(3 + 1))->text(),
                 QString(" 9,0 %"));
    }

    // Both windows are fixed in size and ask the window manager for a title
    // and a close box only: no minimise or maximise box to lose them by.
    void fixedWindowsAskForTitleAndCloseOnly() {
        Tfrm_perfProvision view;
        Tfrm_perfProvPar par;
        for (const QDialog* dlg :
             {static_cast<const QDialog*>(&view), static_cast<const QDialog*>(&par)}) {
            const Qt::WindowFlags f = dlg->windowFlags();
            QVERIFY(f.testFlag(Qt::CustomizeWindowHint) && f.testFlag(Qt::WindowTitleHint) &&
                    f.testFlag(Qt::WindowCloseButtonHint));
            QVERIFY(!(f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
            QCOMPARE(dlg->minimumSize(), dlg->maximumSize());
        }
    }

    // Alt+E in the view opens the settings; closing them, by Esc or by Alt+E,
    // saves and recalculates and the open view shows the new figures.
    void settingsOnTopOfTheView() {
        Tfrm_perfProvision view;
        Tfrm_perfProvPar par;
        TPerformCalc calc;
        calc.Rec = Provisionsplan(10);
        calc.Rec.Zugriffsstufe = 1;
        par.AusRecordLaden(calc.Rec);
        Neuberechnung(calc, view);
        int saves = 0;
        view.SetzeEinstellungen(&par);
        QObject::connect(&view, &Tfrm_perfProvision::speichernUndNeuberechnen, [&] {
            ++saves;
            par.InRecordSpeichern(calc.Rec);
            Neuberechnung(calc, view);
        });
        view.move(100, 80);

        bool viewSeen = false, parSeen = false, parSeen2 = false;
        int parResult = -1;
        WhenModal(
            &view,
            [&] {
                // Esc closes the settings and keeps the committed entry.
                WhenModal(
                    &par,
                    [&] {
                        QCOMPARE(par.pos(), view.pos() + QPoint(30, 30));
                        QCOMPARE(KeyTarget(), par.findChild<TEditFloat*>(
                                                  QStringLiteral("edt_AP_Provisionssatz")));
                        QTest::keyClicks(KeyTarget(), "4");
                        QTest::keyClick(KeyTarget(), Qt::Key_Return); // commits, moves on
                        QCOMPARE(KeyTarget(),
                                 par.findChild<TExplorerButton*>(QStringLiteral("btn_speichern")));
                        QTest::mouseClick(
                            par.findChild<QRadioButton*>(QStringLiteral("RB_BP%1").arg(2 + 1)),
                            Qt::LeftButton);
                        par.findChild<TEditFloat*>(QStringLiteral("edt_AP_Provisionssatz_FRV"))
                            ->setFocus();
                        QTest::keyClick(KeyTarget(), Qt::Key_Escape);
                    },
                    &parSeen);
                QTest::keyClick(KeyTarget(), Qt::Key_E, Qt::AltModifier);
                parResult = par.result();
                QVERIFY(QTest::qWaitForWindowActive(&view));
                QCOMPARE(saves, 1);
                QCOMPARE(calc.Rec.AP_Provisionssatz, 4.0);
                QCOMPARE(calc.Rec.BP_Satz, 3);
                QCOMPARE(view.findChild<TEditFloat*>(QStringLiteral("edt_AP"))->ValueAt(viValue),
                         0.04 * 12000);
                QCOMPARE(view.Zelle(1, 1), QString("         2,25")); // 0.125 % of 1800

                // Alt+E in the settings returns to the open view.
                WhenModal(
                    &par, [&] { QTest::keyClick(KeyTarget(), Qt::Key_E, Qt::AltModifier); },
                    &parSeen2);
                QTest::keyClick(KeyTarget(), Qt::Key_E, Qt::AltModifier);
                QCOMPARE(saves, 2);
                QVERIFY(!par.isVisible());
                QVERIFY(QTest::qWaitForWindowActive(&view));
                QCOMPARE(QApplication::activeModalWidget(), &view);
                QTest::mouseClick(
                    view.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen")),
                    Qt::LeftButton);
            },
            &viewSeen);
        view.VorDemZeigen(nullptr);
        const int viewResult = view.ShowModal();
        QVERIFY(viewSeen);
        QVERIFY(parSeen);
        QVERIFY(parSeen2);
        QCOMPARE(parResult, int(TbrixDialog::mrCancel));
        QCOMPARE(viewResult, int(TbrixDialog::mrOk));
        if (par.isVisible())
            par.done(0);
    }

    // Enter past the end of the tab order accepts the settings: from the FRV
    // rate (the last control), and from the button, whose next control (a
    // level button) has a lower tab number.
    void enterClosesTheSettings_data() {
        QTest::addColumn<bool>("fromButton");
        QTest::newRow("FRV rate") << false;
        QTest::newRow("button") << true;
    }
    void enterClosesTheSettings() {
        QFETCH(bool, fromButton);
        Tfrm_perfProvPar par;
        TPlanRecord rec;
        rec = Provisionsplan(1);
        par.AusRecordLaden(rec);
        bool seen = false;
        WhenModal(
            &par,
            [&] {
                if (fromButton)
                    par.findChild<TExplorerButton*>(QStringLiteral("btn_speichern"))->setFocus();
                else
                    par.findChild<TEditFloat*>(QStringLiteral("edt_AP_Provisionssatz_FRV"))
                        ->setFocus();
                QTest::keyClick(KeyTarget(), Qt::Key_Return);
            },
            &seen);
        par.VorDemZeigen(nullptr);
        QCOMPARE(par.ShowModal(), int(TbrixDialog::mrOk));
        QVERIFY(seen);
    }

    // Ctrl+Alt+E converts in a rate field; only Alt+E alone returns to the view.
    void ctrlAltEConvertsInsteadOfClosing() {
        Tfrm_perfProvPar par;
        TPlanRecord rec;
        rec = Provisionsplan(1);
        rec.AP_Provisionssatz = 2 * 1.95583;
        par.AusRecordLaden(rec);
        bool seen = false, stillOpen = false;
        double converted = 0;
        WhenModal(
            &par,
            [&] {
                QCOMPARE(KeyTarget(),
                         par.findChild<TEditFloat*>(QStringLiteral("edt_AP_Provisionssatz")));
                QTest::keyClick(KeyTarget(), Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
                stillOpen = par.isVisible();
                converted = par.findChild<TEditFloat*>(QStringLiteral("edt_AP_Provisionssatz"))
                                ->ValueAt(viValue);
                QTest::keyClick(KeyTarget(), Qt::Key_E, Qt::AltModifier);
            },
            &seen);
        par.VorDemZeigen(nullptr);
        QCOMPARE(par.ShowModal(), int(TbrixDialog::mrOk));
        QVERIFY(seen);
        QVERIFY(stillOpen);
        QCOMPARE(converted, 2.0);

        // In the view Ctrl+Alt+E opens no settings.
        Tfrm_perfProvision view;
        view.SetzeEinstellungen(&par);
        bool viewSeen = false, parShown = false;
        WhenModal(
            &view,
            [&] {
                QTimer::singleShot(0, &par, [&] {
                    parShown = par.isVisible();
                    par.done(TbrixDialog::mrCancel);
                });
                QTest::keyClick(KeyTarget(), Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
                QCoreApplication::processEvents();
                view.done(TbrixDialog::mrCancel);
            },
            &viewSeen);
        view.VorDemZeigen(nullptr);
        view.ShowModal();
        QVERIFY(viewSeen);
        QVERIFY(!parShown);
    }

    // Every activation of the view, also on the return from the settings,
    // colours "&schließen" and brings the last year into sight.
    void activationShowsTheLastYear() {
        Tfrm_perfProvision view;
        Tfrm_perfProvPar par;
        TPerformCalc calc;
        calc.Rec = Provisionsplan(10);
        calc.Rec.Zugriffsstufe = 1;
        par.AusRecordLaden(calc.Rec);
        Neuberechnung(calc, view);
        view.SetzeEinstellungen(&par);
        QObject::connect(&view, &Tfrm_perfProvision::speichernUndNeuberechnen, [&] {
            par.InRecordSpeichern(calc.Rec);
            Neuberechnung(calc, view);
        });
        bool viewSeen = false, parSeen = false;
        int beforeSettings = -1;
        WhenModal(
            &view,
            [&] {
                QCOMPARE(view.AktuelleZeile(), 10);
                view.findChild<QTableWidget*>(QStringLiteral("StringGrid1"))->setCurrentCell(0, 0);
                TExplorerButtonColors colors =
                    view.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen"))->Colors();
                colors.NonFocusColor = Qt::gray;
                view.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen"))
                    ->SetColors(colors);
                beforeSettings = view.AktuelleZeile();
                WhenModal(
                    &par, [&] { QTest::keyClick(KeyTarget(), Qt::Key_Escape); }, &parSeen);
                QTest::keyClick(KeyTarget(), Qt::Key_E, Qt::AltModifier);
                QVERIFY(QTest::qWaitForWindowActive(&view));
                QTRY_COMPARE(view.AktuelleZeile(), 10);
                QCOMPARE(view.Zeilen(), 11);
                QCOMPARE(view.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen"))
                             ->Colors()
                             .NonFocusColor,
                         QColor(255, 39, 13));
                view.done(TbrixDialog::mrOk);
            },
            &viewSeen);
        view.VorDemZeigen(nullptr);
        view.ShowModal();
        QVERIFY(viewSeen);
        QVERIFY(parSeen);
        QCOMPARE(beforeSettings, 1);
    }

    void enterAndEscapeInTheView() {
        Tfrm_perfProvision view;
        TPerformCalc calc;
        calc.Rec = Provisionsplan(3);
        Neuberechnung(calc, view);
        bool seen = false;
        bool stillOpen = false;
        WhenModal(
            &view,
            [&] {
                QCOMPARE(KeyTarget(),
                         view.findChild<TExplorerButton*>(QStringLiteral("btn_schliessen")));
                QTest::keyClick(KeyTarget(), Qt::Key_Return); // into the grid, no click
                QCOMPARE(KeyTarget(), view.findChild<QTableWidget*>(QStringLiteral("StringGrid1")));
                QTest::keyClick(KeyTarget(), Qt::Key_Return);
                QTest::keyClick(KeyTarget(), Qt::Key_Escape);
                stillOpen = view.isVisible();
                view.done(TbrixDialog::mrCancel);
            },
            &seen);
        view.VorDemZeigen(nullptr);
        view.ShowModal();
        QVERIFY(seen);
        QVERIFY(stillOpen);
    }

    void screenshots() {
        const QString daten = qEnvironmentVariable("ORVANTA_DATA_DIR") + "/Orvan.Dat";
        if (!QFile::exists(daten))
            QSKIP("demo data file not built");
        TPerformCalc calc;
        LoadPlanRecord(calc.Rec, daten.toStdString());
        Tfrm_perfProvision view;
        Tfrm_perfProvPar par;
        view.setWindowTitle(QString::fromStdString(calc.Rec.Version.str()) + " Provision");
        par.setWindowTitle(QString::fromStdString(calc.Rec.Version.str()) +
                           " Provision Einstellungen");
        par.AusRecordLaden(calc.Rec);
        par.SetzeSzenarioBeschriftungen(calc.Rec.Performance);
        for (int stufe : {1, 3}) {
            calc.Rec.Zugriffsstufe = stufe;
            Neuberechnung(calc, view);
            view.SetzeZugriffsstufe(stufe);
            view.VorDemZeigen(nullptr);
            view.show();
            QVERIFY(QTest::qWaitForWindowActive(&view));
            Screenshot(&view, QString("provision_stufe%1").arg(stufe));
            view.hide();
        }
        par.show();
        QVERIFY(QTest::qWaitForWindowActive(&par));
        Screenshot(&par, "provpar");
        par.hide();
    }
};

QTEST_MAIN(TestPerfProvision)
#include "test_tfrm_perfprovision.moc"
