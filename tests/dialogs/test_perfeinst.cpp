// The cost and performance settings on their own: their record mapping,
// enabling rules of the Agio controls, the month note, keyboard closing and
// tab order.

#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "core/errors.h"
#include "core/planrecord.h"
#include "dialogs/recordfelder.h"
#include "dialogs/tfrm_perfeinst.h"
#include "tests/support/modalanswerer.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

class TestPerfEinst : public QObject {
    Q_OBJECT

    // Shows the dialog modally, runs action inside it and returns the result.
    int Modal(Tfrm_perfEinst& d, std::function<void()> action) {
        WhenModal([&d, action](QWidget*) {
            action();
            if (d.isVisible()) // a failed check must not hang the test
                d.SetModalResult(99);
        });
        return d.ShowModal();
    }

private slots:
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    // Every field the settings carry comes back unchanged, also those the user
    // never sees and texts outside ASCII.
    void recordRoundTrip() {
        TPlanRecord in{};
        in.Agio_Satz = 4.5;
        in.Zins_SystemEinmalanlage = 1.5;
        in.Agio_Ratenzuschlag = 2.25;
        const double rates[4] = {0, 3, 6, 9};
        for (int i = 1; i <= 4; ++i)
            in.Performance[i] = rates[i - 1];
        in.ManagementFee = 0.75;
        in.Depotgebuehr = 12.5;
        in.MitManagementFee = 1;
        in.MitDepotgebuehr = 0;
        in.MitEinrichtungsgebuehr = 1;
        in.AgioMonate = 24;
        SetRecordText(in.Berater, QStringLiteral("Jörg Müller"));
        SetRecordText(in.Firma, QStringLiteral("Bank AG"));
        SetRecordText(in.Anschrift, QStringLiteral("80331 München"));
        SetRecordText(in.Strasse, QStringLiteral("Straße 1"));
        SetRecordText(in.Telefon, QStringLiteral("089 123"));

        Tfrm_perfEinst d;
        d.Zahlenformate();
        d.AusRecordLaden(in);
        QCOMPARE(d.AgioMonate(), 24);
        QCOMPARE(d.findChild<QComboBox*>(QStringLiteral("edt_Performance_3"))->currentText(),
                 QStringLiteral("6 %"));

        TPlanRecord out{};
        d.InRecordSpeichern(out);
        QCOMPARE(out.Agio_Satz, in.Agio_Satz);
        QCOMPARE(out.Zins_SystemEinmalanlage, in.Zins_SystemEinmalanlage);
        QCOMPARE(out.Agio_Ratenzuschlag, in.Agio_Ratenzuschlag);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(out.Performance[i], in.Performance[i]);
        QCOMPARE(out.ManagementFee, in.ManagementFee);
        QCOMPARE(out.Depotgebuehr, in.Depotgebuehr);
        QCOMPARE(out.MitManagementFee, in.MitManagementFee);
        QCOMPARE(out.MitDepotgebuehr, in.MitDepotgebuehr);
        QCOMPARE(out.MitEinrichtungsgebuehr, in.MitEinrichtungsgebuehr);
        QCOMPARE(RecordText(out.Berater), QStringLiteral("Jörg Müller"));
        QCOMPARE(RecordText(out.Firma), QStringLiteral("Bank AG"));
        QCOMPARE(RecordText(out.Anschrift), QStringLiteral("80331 München"));
        QCOMPARE(RecordText(out.Strasse), QStringLiteral("Straße 1"));
        QCOMPARE(RecordText(out.Telefon), QStringLiteral("089 123"));
    }

    // The payment buttons as the main window's rules set them, and what the
    // save makes of them.
    void paymentFromRules_data() {
        QTest::addColumn<int>("zahlungsart");
        QTest::addColumn<bool>("sofort");
        QTest::addColumn<bool>("ratierlich");
        QTest::addColumn<int>("gespeichert");
        QTest::newRow("sofort") << 1 << true << false << 1;
        QTest::newRow("ratierlich") << 2 << false << true << 2;
        QTest::newRow("keine") << 0 << false << false << 2;
    }
    void paymentFromRules() {
        QFETCH(int, zahlungsart);
        QFETCH(bool, sofort);
        QFETCH(bool, ratierlich);
        QFETCH(int, gespeichert);
        Tfrm_perfEinst d;
        d.SetzeZahlungsart(1); // a checked button before, so that "keine" has to clear it
        d.SetzeZahlungsart(zahlungsart);
        QCOMPARE(d.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->isChecked(), sofort);
        QCOMPARE(d.findChild<QRadioButton*>(QStringLiteral("RB_verteilt"))->isChecked(),
                 ratierlich);
        TPlanRecord r{};
        d.InRecordSpeichern(r);
        QCOMPARE(r.AgioZahlungsart, gespeichert);
    }

    // A scenario choice that is no number stops the save there: the rates
    // before it are stored, nothing after it.
    void badScenarioChoiceStopsTheSave() {
        TPlanRecord in{};
        in.Agio_Satz = 4.5;
        in.Performance[3] = 6;
        SetRecordText(in.Berater, QStringLiteral("Neu"));
        Tfrm_perfEinst d;
        d.AusRecordLaden(in);
        d.findChild<QComboBox*>(QStringLiteral("edt_Performance_3"))
            ->setCurrentText(QStringLiteral("x %"));
        TPlanRecord out{};
        SetRecordText(out.Berater, QStringLiteral("Alt"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, d.InRecordSpeichern(out));
        QCOMPARE(out.Agio_Satz, 4.5);
        QCOMPARE(RecordText(out.Berater), QStringLiteral("Alt"));
    }

    void agioRulesAndMonthNote() {
        Tfrm_perfEinst d;
        d.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr"))->SetChecked(true);
        d.findChild<QRadioButton*>(QStringLiteral("RB_verteilt"))->setChecked(true);
        d.SetzeAgioMonate(24);
        d.SetzeAnlageart(1);
        const int r = Modal(d, [&d] {
            QVERIFY(d.findChild<QRadioButton*>(QStringLiteral("RB_verteilt"))->isEnabled() &&
                    d.findChild<TEditFloat*>(QStringLiteral("edt_Agio_Satz"))->isEnabled());
            QVERIFY(d.findChild<QLabel*>(QStringLiteral("l_Monatsangabe"))->isVisible());
            QCOMPARE(d.findChild<QLabel*>(QStringLiteral("l_Monatsangabe"))->text(),
                     QStringLiteral("auf 24 Monate"));
            // Unticking greys the payment but leaves the note until a payment button is clicked.
            d.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr"))->SetChecked(false);
            QVERIFY(!d.findChild<QRadioButton*>(QStringLiteral("RB_verteilt"))->isEnabled() &&
                    !d.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->isEnabled());
            QVERIFY(
                !d.findChild<TEditFloat*>(QStringLiteral("edt_Agio_Ratenzuschlag"))->isEnabled() &&
                !d.findChild<TEditFloat*>(QStringLiteral("edt_Agio_Satz"))->isEnabled());
            QVERIFY(d.findChild<QLabel*>(QStringLiteral("l_Monatsangabe"))->isVisible());
            d.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr"))->SetChecked(true);
            d.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->setChecked(true);
            QVERIFY(!d.findChild<QLabel*>(QStringLiteral("l_Monatsangabe"))->isVisible());
            QVERIFY(
                !d.findChild<TEditFloat*>(QStringLiteral("edt_Agio_Ratenzuschlag"))->isEnabled());
            d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton1"))->Click();
        });
        QCOMPARE(r, int(TbrixDialog::mrOk));
    }

    void lumpSumOffersNoSpreadPayment() {
        Tfrm_perfEinst d;
        d.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr"))->SetChecked(true);
        d.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->setChecked(true);
        d.SetzeAnlageart(2);
        const int r = Modal(d, [&d] {
            QVERIFY(!d.findChild<QRadioButton*>(QStringLiteral("RB_verteilt"))->isEnabled() &&
                    d.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->isEnabled());
            QVERIFY(!d.findChild<QComboBox*>(QStringLiteral("edt_Performance_1"))->isEnabled());
            d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2"))->Click();
        });
        QCOMPARE(r, int(TbrixDialog::mrCancel));
    }

    void keyboardClosesAsTheFrameRules() {
        Tfrm_perfEinst d;
        d.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr"))->SetChecked(true);
        d.findChild<QRadioButton*>(QStringLiteral("RB_einmalig"))->setChecked(true);
        // Enter on "abbrechen": the next control (a payment button) has a lower
        // tab number, so the dialog closes with OK.
        int r = Modal(d, [&d] {
            d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2"))->setFocus();
            QTest::keyClick(d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2")),
                            Qt::Key_Return);
        });
        QCOMPARE(r, int(TbrixDialog::mrOk));
        // Enter on "speichern" moves on to "abbrechen".
        r = Modal(d, [&d] {
            d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton1"))->setFocus();
            QTest::keyClick(d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton1")),
                            Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(),
                     static_cast<QWidget*>(
                         d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2"))));
            // Esc in an input field cancels.
            d.findChild<TEditText*>(QStringLiteral("edt_Firma"))->setFocus();
            QTest::keyClick(d.findChild<TEditText*>(QStringLiteral("edt_Firma")), Qt::Key_Escape);
        });
        QCOMPARE(r, int(TbrixDialog::mrCancel));
    }

    void tabOrderSkipsHiddenSurcharge() {
        Tfrm_perfEinst d;
        d.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr"))->SetChecked(true);
        d.findChild<TEditFloat*>(QStringLiteral("edt_Agio_Ratenzuschlag"))->hide();
        d.findChild<TEditLabel*>(QStringLiteral("lbl_Agio_Ratenzuschlag"))->hide();
        QList<QWidget*> reihe;
        const int r = Modal(d, [&d, &reihe] {
            d.findChild<QComboBox*>(QStringLiteral("edt_Performance_2"))->setFocus();
            for (int i = 0; i < 7; ++i) {
                reihe << QApplication::focusWidget();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            d.findChild<TExplorerButton*>(QStringLiteral("ExplorerButton2"))->Click();
        });
        QCOMPARE(r, int(TbrixDialog::mrCancel));
        const QList<QWidget*> erwartet = {
            d.findChild<QComboBox*>(QStringLiteral("edt_Performance_2")),
            d.findChild<QComboBox*>(QStringLiteral("edt_Performance_3")),
            d.findChild<QComboBox*>(QStringLiteral("edt_Performance_4")),
            d.findChild<TEditCheck*>(QStringLiteral("Ec_Einrichtungsgebuehr")),
            d.findChild<TEditFloat*>(QStringLiteral("edt_Agio_Satz")),
            d.findChild<TEditText*>(QStringLiteral("edt_Berater")),
            d.findChild<TEditText*>(QStringLiteral("edt_Firma"))};
        QCOMPARE(reihe.size(), erwartet.size());
        for (int i = 0; i < reihe.size(); ++i) {
            // An editable combo box hands the focus to its line edit.
            QWidget* w = reihe[i];
            while (w && w != erwartet[i] && !w->isWindow())
                w = w->parentWidget();
            QCOMPARE(w, erwartet[i]);
        }
    }
};

QTEST_MAIN(TestPerfEinst)
#include "test_perfeinst.moc"
