// The cost and performance settings on their own: enabling rules of the Agio
// controls, the month note, keyboard closing and tab order.

#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
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

    void agioRulesAndMonthNote() {
        Tfrm_perfEinst d;
        d.Ec_Einrichtungsgebuehr->SetChecked(true);
        d.RB_verteilt->setChecked(true);
        d.SetAgioMonate(24);
        d.SetAnlageart(1);
        const int r = Modal(d, [&d] {
            QVERIFY(d.RB_verteilt->isEnabled() && d.edt_Agio_Satz->isEnabled());
            QVERIFY(d.l_Monatsangabe->isVisible());
            QCOMPARE(d.l_Monatsangabe->text(), QStringLiteral("auf 24 Monate"));
            // Unticking greys the payment but leaves the note until a payment button is clicked.
            d.Ec_Einrichtungsgebuehr->SetChecked(false);
            QVERIFY(!d.RB_verteilt->isEnabled() && !d.RB_einmalig->isEnabled());
            QVERIFY(!d.edt_Agio_Ratenzuschlag->isEnabled() && !d.edt_Agio_Satz->isEnabled());
            QVERIFY(d.l_Monatsangabe->isVisible());
            d.Ec_Einrichtungsgebuehr->SetChecked(true);
            d.RB_einmalig->setChecked(true);
            QVERIFY(!d.l_Monatsangabe->isVisible());
            QVERIFY(!d.edt_Agio_Ratenzuschlag->isEnabled());
            d.ExplorerButton1->Click();
        });
        QCOMPARE(r, int(TbrixDialog::mrOk));
    }

    void lumpSumOffersNoSpreadPayment() {
        Tfrm_perfEinst d;
        d.Ec_Einrichtungsgebuehr->SetChecked(true);
        d.RB_einmalig->setChecked(true);
        d.SetAnlageart(2);
        const int r = Modal(d, [&d] {
            QVERIFY(!d.RB_verteilt->isEnabled() && d.RB_einmalig->isEnabled());
            QVERIFY(!d.edt_Performance_1->isEnabled());
            d.ExplorerButton2->Click();
        });
        QCOMPARE(r, int(TbrixDialog::mrCancel));
    }

    void keyboardClosesAsTheFrameRules() {
        Tfrm_perfEinst d;
        d.Ec_Einrichtungsgebuehr->SetChecked(true);
        d.RB_einmalig->setChecked(true);
        // Enter on "abbrechen": the next control (a payment button) has a lower
        // tab number, so the dialog closes with OK.
        int r = Modal(d, [&d] {
            d.ExplorerButton2->setFocus();
            QTest::keyClick(d.ExplorerButton2, Qt::Key_Return);
        });
        QCOMPARE(r, int(TbrixDialog::mrOk));
        // Enter on "speichern" moves on to "abbrechen".
        r = Modal(d, [&d] {
            d.ExplorerButton1->setFocus();
            QTest::keyClick(d.ExplorerButton1, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.ExplorerButton2));
            // Esc in an input field cancels.
            d.edt_Firma->setFocus();
            QTest::keyClick(d.edt_Firma, Qt::Key_Escape);
        });
        QCOMPARE(r, int(TbrixDialog::mrCancel));
    }

    void tabOrderSkipsHiddenSurcharge() {
        Tfrm_perfEinst d;
        d.Ec_Einrichtungsgebuehr->SetChecked(true);
        d.edt_Agio_Ratenzuschlag->hide();
        d.lbl_Agio_Ratenzuschlag->hide();
        QList<QWidget*> reihe;
        const int r = Modal(d, [&d, &reihe] {
            d.edt_Performance_2->setFocus();
            for (int i = 0; i < 7; ++i) {
                reihe << QApplication::focusWidget();
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            d.ExplorerButton2->Click();
        });
        QCOMPARE(r, int(TbrixDialog::mrCancel));
        const QList<QWidget*> erwartet = {
            d.edt_Performance_2, d.edt_Performance_3, d.edt_Performance_4, d.Ec_Einrichtungsgebuehr,
            d.edt_Agio_Satz,     d.edt_Berater,       d.edt_Firma};
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
