// Print options: captions and hidden boxes, keyboard order, the enabling of
// the FRV boxes, the record mapping, and OK that saves, recalculates and
// previews - or shows nothing for an empty set.

#include "tests/support/modalanswerer.h"
#include "tests/support/screenshot.h"
#include "tests/support/testplans.h"
#include "tests/support/widgettools.h"

#include "dialogs/tfrm_druckpar.h"

#include "controls/teditcheck.h"
#include "controls/teditlabel.h"
#include "controls/texplorerbutton.h"
#include "reports/reportpreview.h"
#include "reports/reportset.h"

#include "core/errors.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QSettings>
#include <QTest>

#include <cstring>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

// The dialog's FRV boxes, as the six record fields they stand for.
struct TBoxes {
    bool Grafik, Logo, Einz, Ausz, EinzFRV, AuszFRV;
    bool operator==(const TBoxes&) const = default;
};

TBoxes Boxes(const Tfrm_DruckPar& d) {
    return {d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->Checked(),
            d.findChild<TEditCheck*>(QStringLiteral("cb_Logo"))->Checked(),
            d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->Checked(),
            d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))->Checked(),
            d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked(),
            d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Checked()};
}

} // namespace

class TestDruckPar : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void captionsAndHiddenBoxes();
    void keyboardOrderAndOpening();
    void frvBoxesFollowAvailabilityAndPhases_data();
    void frvBoxesFollowAvailabilityAndPhases();
    void recordMapping();
    void costOverviewIsAProgramSetting();
    void okSavesRecalculatesThenPreviews();
    void failedSaveKeepsTheDialogOpen();
    void okPreviewsTheChosenPhases();
    void emptySetShowsNothing();
    void screenshot();

private:
    ModalAnswerer Boxes_;
};

void TestDruckPar::cleanup() {
    Boxes_.reset();
    ORVANTA_VERIFY_NO_WINDOW_LEFT();
}

void TestDruckPar::captionsAndHiddenBoxes() {
    Tfrm_DruckPar d;
    QVERIFY(!d.ModalDialog()); // Enter and Esc do not close it
    QCOMPARE(d.findChild<TEditLabel*>(QStringLiteral("lbl_Kopf"))->Caption(),
             QStringLiteral("  Angaben zum Ausdruck"));
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->Caption(),
             QStringLiteral("  Einzahlungsphase ausdrucken"));
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Caption(),
             QStringLiteral("  Einzahlungsphase mit FRV- Vergleich"));
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))->Caption(),
             QStringLiteral("  Entnahmephase ausdrucken"));
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Caption(),
             QStringLiteral("  Entnahmephase mit FRV- Vergleich"));
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->Caption(),
             QStringLiteral("  Schweizer Kreuz / Matterhorn-Grafik mitdrucken"));
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("cb_Logo"))->Caption(),
             QStringLiteral("Logo"));
    QCOMPARE(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Caption(),
             QStringLiteral("OK"));

    for (QWidget* w :
         {static_cast<QWidget*>(d.findChild<TEditLabel*>(QStringLiteral("lbl_Kopf"))),
          static_cast<QWidget*>(d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))),
          static_cast<QWidget*>(d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))),
          static_cast<QWidget*>(d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))),
          static_cast<QWidget*>(d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten"))),
          static_cast<QWidget*>(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK")))})
        QVERIFY(w->isVisibleTo(&d));
    for (QWidget* w : {d.findChild<TEditCheck*>(QStringLiteral("cb_Logo")),
                       d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich")),
                       d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))})
        QVERIFY(!w->isVisibleTo(&d));
    // Top to bottom: heading, the two phases, the pictures, the cost
    // overview, OK; each fully inside the dialog and none over another.
    const QList<QWidget*> column{d.findChild<TEditLabel*>(QStringLiteral("lbl_Kopf")),
                                 d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung")),
                                 d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung")),
                                 d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik")),
                                 d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten")),
                                 d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))};
    for (qsizetype k = 0; k < column.size(); ++k) {
        QVERIFY(d.rect().contains(column[k]->geometry()));
        if (k > 0)
            QVERIFY(column[k - 1]->geometry().bottom() < column[k]->geometry().top());
    }
    // The heading bar runs across the dialog; the boxes show their whole text.
    QCOMPARE(d.findChild<TEditLabel*>(QStringLiteral("lbl_Kopf"))->width(), d.width());
    QCOMPARE(d.findChild<TEditLabel*>(QStringLiteral("lbl_Kopf"))->Color(), QColor(255, 39, 13));
    for (TEditCheck* c : {d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung")),
                          d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung")),
                          d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik")),
                          d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten"))})
        QVERIFY(c->width() >= c->sizeHint().width());
    QVERIFY(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Rounded());
}

void TestDruckPar::keyboardOrderAndOpening() {
    Tfrm_DruckPar d;
    QList<QWidget*> order;
    for (QWidget* w : d.TabOrderList())
        if (TbrixDialog::IsFrameControl(w))
            order << w;
    const QList<QWidget*> expected{
        d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik")),
        d.findChild<TEditCheck*>(QStringLiteral("cb_Logo")),
        d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung")),
        d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung")),
        d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich")),
        d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich")),
        d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten")),
        d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))};
    QCOMPARE(order, expected);

    // Whatever the button's colours were, activation gives it the house ones.
    d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))
        ->SetColors({Qt::gray, Qt::black, Qt::gray, Qt::black});
    d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->SetFontColor(Qt::black);
    QWidget opener;
    opener.move(50, 30);
    QList<QWidget*> visited;
    QPoint placed;
    WhenModal([&](QWidget* modal) {
        QCOMPARE(modal, &d);
        placed = d.pos();
        // Opened with OK as its active control, the dialog moves the focus on
        // to its first tab stop.
        QTRY_VERIFY(d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->hasFocus());
        // Tab and Enter skip the hidden boxes and wrap after OK.
        for (Qt::Key key :
             {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Return}) {
            Key(key);
            visited << QApplication::focusWidget();
        }
        QVERIFY(d.isVisible()); // Enter on the last control does not accept
        Key(Qt::Key_Escape);
        QVERIFY(d.isVisible()); // nor does Esc cancel
        d.reject();
    });
    QCOMPARE(d.Oeffnen(&opener), int(TbrixDialog::mrCancel));
    QCOMPARE(placed, opener.pos() + QPoint(240, 420));
    QCOMPARE(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Colors().NonFocusColor,
             QColor(255, 39, 13));
    QCOMPARE(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Colors().FocusColor,
             QColor(211, 49, 31));
    QCOMPARE(d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->FontColor(),
             QColor(Qt::white));
    QCOMPARE(visited, (QList<QWidget*>{d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung")),
                                       d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung")),
                                       d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten")),
                                       d.findChild<TExplorerButton*>(QStringLiteral("btn_OK")),
                                       d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))}));
}

void TestDruckPar::frvBoxesFollowAvailabilityAndPhases_data() {
    QTest::addColumn<bool>("frv");
    QTest::addColumn<bool>("einzahlung");
    QTest::addColumn<bool>("auszahlung");
    for (int k = 0; k < 8; ++k)
        QTest::addRow("frv=%d einz=%d ausz=%d", k & 1, (k >> 1) & 1, (k >> 2) & 1)
            << bool(k & 1) << bool(k & 2) << bool(k & 4);
}

void TestDruckPar::frvBoxesFollowAvailabilityAndPhases() {
    QFETCH(bool, frv);
    QFETCH(bool, einzahlung);
    QFETCH(bool, auszahlung);
    Tfrm_DruckPar d;
    d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->SetChecked(einzahlung);
    d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))->SetChecked(auszahlung);
    d.Zugriffsanzeige(frv);
    QCOMPARE(d.FRV_verfuegbar(), frv);
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->isEnabled(),
             frv && einzahlung);
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->isEnabled(),
             frv && auszahlung);
    // A phase box changed later keeps the rule; each box follows its own phase.
    d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->SetChecked(!einzahlung);
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->isEnabled(),
             frv && !einzahlung);
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->isEnabled(),
             frv && auszahlung);
    // Enabling never changes what the boxes hold.
    QVERIFY(!d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked());
}

void TestDruckPar::recordMapping() {
    Tfrm_DruckPar d;
    TPlanRecord rec;
    // Each field on its own, so that no two boxes can be swapped unnoticed.
    for (int k = 0; k < 6; ++k) {
        std::memset(&rec, 0, sizeof rec);
        Bool8* const flags[] = {&rec.Grafik_drucken,           &rec.Logo_drucken,
                                &rec.Einzahlungsphase_drucken, &rec.Entnahmephase_drucken,
                                &rec.FRV_Vergleich_Einzahlung, &rec.FRV_Vergleich_Entnahme};
        *flags[k] = 1;
        d.AusRecordLaden(rec);
        const TBoxes b = Boxes(d);
        const bool states[] = {b.Grafik, b.Logo, b.Einz, b.Ausz, b.EinzFRV, b.AuszFRV};
        for (int j = 0; j < 6; ++j)
            QCOMPARE(states[j], j == k);
        TPlanRecord back;
        std::memset(&back, 0xAB, sizeof back);
        d.InRecordSpeichern(back);
        QCOMPARE(back.Grafik_drucken != 0, k == 0);
        QCOMPARE(back.Logo_drucken != 0, k == 1);
        QCOMPARE(back.Einzahlungsphase_drucken != 0, k == 2);
        QCOMPARE(back.Entnahmephase_drucken != 0, k == 3);
        QCOMPARE(back.FRV_Vergleich_Einzahlung != 0, k == 4);
        QCOMPARE(back.FRV_Vergleich_Entnahme != 0, k == 5);
        // Saving writes the six fields and nothing else.
        TPlanRecord untouched;
        std::memset(&untouched, 0xAB, sizeof untouched);
        QCOMPARE(back.Laufzeit, untouched.Laufzeit);
        QCOMPARE(back.Sparbetrag, untouched.Sparbetrag);
    }
    // Alt+F sets both FRV boxes.
    d.SetzeFRVVergleich(true, true);
    QVERIFY(d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked() &&
            d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Checked());
    d.SetzeFRVVergleich(false, false);
    QVERIFY(!d.findChild<TEditCheck*>(QStringLiteral("CB_Einz_FRV_Vergleich"))->Checked() &&
            !d.findChild<TEditCheck*>(QStringLiteral("CB_Ausz_FRV_Vergleich"))->Checked());
}

void TestDruckPar::costOverviewIsAProgramSetting() {
    QSettings einstellungen(QStringLiteral("Orvanta"), QStringLiteral("Orvanta"));
    einstellungen.clear(); // as at the first start
    einstellungen.sync();
    TPlanRecord aus, an;
    std::memset(&aus, 0xAB, sizeof aus);
    std::memset(&an, 0xAB, sizeof an);
    {
        Tfrm_DruckPar d;
        auto* box = d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten"));
        QCOMPARE(box->Caption(), QStringLiteral("  Kostenübersicht"));
        QVERIFY(!box->Checked() && !d.Kostenuebersicht());
        d.InRecordSpeichern(aus);
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(d.Kostenuebersicht());
        d.InRecordSpeichern(an);
        // The plan record knows nothing of it.
        QCOMPARE(std::memcmp(&aus, &an, sizeof aus), 0);
        d.AusRecordLaden(aus);
        QVERIFY(d.Kostenuebersicht());
    }
    // Kept at once: the next start of the program finds it, until unchecked.
    einstellungen.sync();
    QCOMPARE(einstellungen.value(QStringLiteral("Ausdruck/Kostenuebersicht")).toBool(), true);
    {
        Tfrm_DruckPar d;
        QVERIFY(d.Kostenuebersicht());
        QTest::mouseClick(d.findChild<TEditCheck*>(QStringLiteral("cb_Kosten")), Qt::LeftButton);
    }
    Tfrm_DruckPar d;
    QVERIFY(!d.Kostenuebersicht());
}

void TestDruckPar::okSavesRecalculatesThenPreviews() {
    Tfrm_DruckPar d;
    QStringList calls;
    bool visibleDuringPreview = false;
    QObject::connect(&d, &Tfrm_DruckPar::speichernUndNeuberechnen,
                     [&] { calls << QStringLiteral("SaveData+Neuberechnung"); });
    QObject::connect(&d, &Tfrm_DruckPar::vorschauZeigen, [&] {
        calls << QStringLiteral("Vorschau");
        // The preview is modal over the dialog, which stays open behind it.
        visibleDuringPreview = d.isVisible();
    });
    WhenModal([&](QWidget*) {
        QTRY_VERIFY(d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->hasFocus());
        d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Click();
    });
    QCOMPARE(d.Oeffnen(nullptr), int(TbrixDialog::mrOk));
    QCOMPARE(calls, (QStringList{"SaveData+Neuberechnung", "Vorschau"}));
    QVERIFY(visibleDuringPreview);
    QVERIFY(!d.isVisible());

    // Closing without OK starts nothing and keeps the boxes as they are.
    calls.clear();
    WhenModal([&](QWidget*) {
        d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))
            ->SetChecked(!d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->Checked());
        d.close();
    });
    const bool grafik = !d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->Checked();
    QCOMPARE(d.Oeffnen(nullptr), int(TbrixDialog::mrCancel));
    QVERIFY(calls.isEmpty());
    QCOMPARE(d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->Checked(), grafik);
}

void TestDruckPar::failedSaveKeepsTheDialogOpen() {
    Tfrm_DruckPar d;
    bool previewed = false;
    QObject::connect(&d, &Tfrm_DruckPar::speichernUndNeuberechnen,
                     [] { throw EInOutError(5, "Dateizugriff verweigert"); });
    QObject::connect(&d, &Tfrm_DruckPar::vorschauZeigen, [&] { previewed = true; });
    bool openAfterError = false;
    WhenModal([&](QWidget*) {
        d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Click();
        openAfterError = d.isVisible();
        d.close();
    });
    d.Oeffnen(nullptr);
    QCOMPARE(Boxes_.count(), 1);
    QVERIFY(Boxes_.last().text.startsWith(QStringLiteral("Dateizugriff verweigert")));
    QVERIFY(!previewed);
    QVERIFY(openAfterError);
}

void TestDruckPar::okPreviewsTheChosenPhases() {
    // The main window's part, as it will wire it: save the boxes into the
    // record, then preview the set the record asks for.
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 30, .Entnahmejahre = 20});
    reports::TReportSet set(calc);
    Tfrm_DruckPar d;
    d.AusRecordLaden(calc.Rec);
    QObject::connect(&d, &Tfrm_DruckPar::speichernUndNeuberechnen,
                     [&] { d.InRecordSpeichern(calc.Rec); });
    int previewPages = -1;
    QObject::connect(&d, &Tfrm_DruckPar::vorschauZeigen, [&] {
        WhenModal([&](QWidget* w) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(w);
            QVERIFY(preview);
            auto* widget = preview->findChild<QPrintPreviewWidget*>();
            QVERIFY(widget);
            QTRY_VERIFY(widget->pageCount() > 0);
            previewPages = widget->pageCount();
            preview->reject();
        });
        reports::ShowReportPreview(set, &d);
    });
    WhenModal([&](QWidget*) {
        d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))->SetChecked(false);
        d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Click();
    });
    QCOMPARE(d.Oeffnen(nullptr), int(TbrixDialog::mrOk));
    // Example calculation, notes and one sheet of the model calculation.
    QCOMPARE(previewPages, 3);
    QVERIFY(!calc.Rec.Entnahmephase_drucken);
}

void TestDruckPar::emptySetShowsNothing() {
    TPerformCalc calc;
    FillPlan(calc, {.Laufzeit = 30, .Entnahmejahre = 20});
    reports::TReportSet set(calc);
    Tfrm_DruckPar d;
    d.AusRecordLaden(calc.Rec);
    QObject::connect(&d, &Tfrm_DruckPar::speichernUndNeuberechnen,
                     [&] { d.InRecordSpeichern(calc.Rec); });
    bool shown = true;
    QObject::connect(&d, &Tfrm_DruckPar::vorschauZeigen, [&] {
        // Should a preview come up after all, close it so the test reports.
        WhenModal([](QWidget* w) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(w))
                preview->reject();
        });
        shown = reports::ShowReportPreview(set, &d);
    });
    WhenModal([&](QWidget*) {
        d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->SetChecked(false);
        d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))->SetChecked(false);
        d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->Click();
    });
    QCOMPARE(d.Oeffnen(nullptr), int(TbrixDialog::mrOk));
    QVERIFY(!shown);
    QVERIFY(!calc.Rec.Einzahlungsphase_drucken && !calc.Rec.Entnahmephase_drucken);
}

void TestDruckPar::screenshot() {
    Tfrm_DruckPar d;
    d.setWindowTitle(QStringLiteral("Orvanta 1.6 Ausdruck"));
    d.findChild<TEditCheck*>(QStringLiteral("cb_Einzahlung"))->SetChecked(true);
    d.findChild<TEditCheck*>(QStringLiteral("cb_Auszahlung"))->SetChecked(true);
    WhenModal([&](QWidget*) {
        QTRY_VERIFY(d.findChild<TEditCheck*>(QStringLiteral("cb_Grafik"))->hasFocus());
        Screenshot(&d, QStringLiteral("druckpar"));
        d.findChild<TExplorerButton*>(QStringLiteral("btn_OK"))->setFocus();
        Screenshot(&d, QStringLiteral("druckpar-ok"));
        d.close();
    });
    d.Oeffnen(nullptr);
}

QTEST_MAIN(TestDruckPar)
#include "test_druckpar.moc"
