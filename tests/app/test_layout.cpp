// Layout of the main window and its dialogs with the delivered plan: nothing
// cut off, nothing overlapping, everything inside its window. With
// ORVANTA_SCREENSHOT_DIR set, the views are also saved as pictures
// (tools/screenshots.sh).

#include "app/orvantaapplication.h"
#include "app/previewfit.h"
#include "app/resultchart.h"
#include "controls/housestyle.h"
#include "controls/teditcheck.h"
#include "controls/teditfloat.h"
#include "controls/teditlabel.h"
#include "controls/tedittext.h"
#include "controls/texplorerbutton.h"
#include "controls/turllabel.h"
#include "core/formatsettings.h"
#include "dialogs/tfrm_druckpar.h"
#include "dialogs/tfrm_perfeinst.h"
#include "dialogs/tfrm_perfprovision.h"
#include "dialogs/tfrm_perfprovpar.h"
#include "dialogs/tpassworddlg.h"
#include "mainwindowsupport.h"
#include "tests/support/screenshot.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

bool IstBand(const QWidget* w) {
    return w->metaObject()->className() == QByteArray("QFrame");
}

// Width the widget needs to show its text completely.
int Bedarf(const QWidget* w) {
    if (auto* l = qobject_cast<const QLabel*>(w)) {
        if (l->text().isEmpty())
            return 0;
        if (!l->wordWrap())
            return l->fontMetrics().horizontalAdvance(l->text());
        // A wrapping caption needs its longest word in width and all its
        // lines in height.
        int wort = 0;
        for (const QString& w : l->text().split(QLatin1Char(' ')))
            wort = std::max(wort, l->fontMetrics().horizontalAdvance(w));
        return l->heightForWidth(l->width()) <= l->height() ? wort : l->width() + 1;
    }
    if (auto* b = qobject_cast<const QRadioButton*>(w))
        return b->sizeHint().width();
    if (auto* e = qobject_cast<const QLineEdit*>(w)) {
        if (e->text().isEmpty())
            return 0;
        QStyleOptionFrame opt;
        opt.initFrom(e);
        opt.rect = e->rect();
        opt.lineWidth =
            e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
        opt.midLineWidth = 0;
        opt.state |= QStyle::State_Sunken;
        const QRect inhalt = e->style()
                                 ->subElementRect(QStyle::SE_LineEditContents, &opt, e)
                                 .marginsRemoved(e->textMargins());
        // Inside its contents the field keeps 2 px on either side and one
        // for the cursor; 2 px more keep the first character clear of the
        // border, where it would seem cut.
        const int rand = e->width() - inhalt.width() + 2 * 2 + 1 + 2;
        return e->fontMetrics().horizontalAdvance(e->text()) + rand;
    }
    if (auto* l = qobject_cast<const TEditLabel*>(w))
        return l->fontMetrics().horizontalAdvance(QString(l->Caption()).remove(QLatin1Char('&')));
    if (auto* b = qobject_cast<const TExplorerButton*>(w))
        return b->sizeHint().width();
    return 0;
}

// Problems of the visible children of parent, recursively.
void Pruefen(const QWidget* parent, QStringList& probleme) {
    QList<const QWidget*> sichtbar;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isWindow() || !w->isVisibleTo(parent) || IstBand(w))
            continue;
        if (qobject_cast<const TResultChart*>(parent) || parent->inherits("QComboBox") ||
            parent->inherits("QLineEdit") || parent->inherits("QAbstractScrollArea"))
            continue;
        sichtbar << w;
        const QString name = w->objectName().isEmpty()
                                 ? QString::fromLatin1(w->metaObject()->className())
                                 : w->objectName();
        const QString wo =
            name + QStringLiteral(" '") +
            (qobject_cast<const QLabel*>(w) ? qobject_cast<const QLabel*>(w)->text()
             : qobject_cast<const QAbstractButton*>(w)
                 ? qobject_cast<const QAbstractButton*>(w)->text()
             : qobject_cast<const TEditLabel*>(w) ? qobject_cast<const TEditLabel*>(w)->Caption()
             : qobject_cast<const QLineEdit*>(w)  ? qobject_cast<const QLineEdit*>(w)->text()
                                                  : QString()) +
            QStringLiteral("'");
        // A fixed width may reach past the edge where there is nothing to show.
        const QRect sichtbarerTeil = parent->rect().intersected(w->geometry());
        if (!parent->rect().contains(w->geometry()) &&
            (sichtbarerTeil.topLeft() != w->pos() || sichtbarerTeil.height() != w->height() ||
             Bedarf(w) > sichtbarerTeil.width()))
            probleme << wo + QStringLiteral(" outside its parent");
        if (Bedarf(w) > w->width())
            probleme << wo + QStringLiteral(" cut off (%1 > %2)").arg(Bedarf(w)).arg(w->width());
        Pruefen(w, probleme);
    }
    for (int i = 0; i < sichtbar.size(); ++i)
        for (int j = i + 1; j < sichtbar.size(); ++j)
            if (sichtbar[i]->geometry().intersects(sichtbar[j]->geometry()))
                probleme << QStringLiteral("%1 overlaps %2")
                                .arg(QString::fromLatin1(sichtbar[i]->metaObject()->className()) +
                                         QLatin1Char(' ') + QString::number(sichtbar[i]->x()) +
                                         QLatin1Char(',') + QString::number(sichtbar[i]->y()),
                                     QString::fromLatin1(sichtbar[j]->metaObject()->className()) +
                                         QLatin1Char(' ') + QString::number(sichtbar[j]->x()) +
                                         QLatin1Char(',') + QString::number(sichtbar[j]->y()));
}

// The buttons top to bottom, then left to right, as the user sees them.
QList<QRadioButton*> AufDemSchirm(QList<QRadioButton*> buttons) {
    std::stable_sort(buttons.begin(), buttons.end(), [](QRadioButton* a, QRadioButton* b) {
        const QPoint pa = a->mapTo(a->window(), QPoint());
        const QPoint pb = b->mapTo(b->window(), QPoint());
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return buttons;
}

} // namespace

class TestLayout : public QObject, public TBeraterProgramm {
    Q_OBJECT

    // The password dialog with an entry, pictured, then OK.
    ModalAnswerer::Step Passwort(const QString& text, QStringList& probleme) {
        return [text, &probleme](QWidget* w) {
            auto* dlg = qobject_cast<TPasswordDlg*>(w);
            QVERIFY(dlg);
            QTest::keyClicks(dlg->findChild<QLineEdit*>(QStringLiteral("Password")), text);
            Screenshot(dlg, "password");
            Pruefen(dlg, probleme);
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("OKBtn")),
                              Qt::LeftButton);
        };
    }

    // The commission view at the level the password unlocks, with its
    // settings on top (Alt+E).
    void Provisionsansicht(const QString& passwort, const char* name) {
        Tfrm_perfProvision& v = *P->Fenster->frm_perfProvision;
        Tfrm_perfProvPar& par = *P->Fenster->frm_perfProvPar;
        QStringList probleme;
        ModalAnswerer folge({Passwort(passwort, probleme),
                             [&](QWidget*) {
                                 Screenshot(&v, name);
                                 Pruefen(&v, probleme);
                                 QTest::keyClick(v.focusWidget(), Qt::Key_E, Qt::AltModifier);
                                 v.close();
                             },
                             [&](QWidget*) {
                                 Screenshot(&par, "commission_settings");
                                 Pruefen(&par, probleme);
                                 par.close();
                             }});
        Alt(Qt::Key_P);
        QCOMPARE(folge.classes().size(), 3);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
    }

private slots:
    void init() {
        SetFormatSettings(TFormatSettings{',', '.'});
        const QString dat = qEnvironmentVariable("ORVANTA_DATA_DIR") + QStringLiteral("/Orvan.Dat");
        if (!QFile::exists(dat))
            QSKIP("delivered data not built");
        TPlanRecord plan;
        ReadPlanRecordFile(plan, dat.toStdString(), OpenFor::Reading);
        P = std::make_unique<TTestProgramm>(&plan);
        // The FRV files beside the program, looked up in the working directory.
        QDir::setCurrent(qEnvironmentVariable("ORVANTA_DATA_DIR"));
        QVERIFY(P->Starten());
    }
    void cleanup() { Aufraeumen(); }

    void mainWindowViews() {
        Tfrm_perfmain& m = P->Main();
        auto* SPB_Preview = Control<QToolButton>(m, "SPB_Preview");
        SPB_Preview->click();
        QStringList probleme;
        Screenshot(&m, "main_table");
        Pruefen(&m, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));

        Control<QToolButton>(m, "SPB_Chart")->click();
        Control<QRadioButton>(m, "RB_Grafik_Einz")->setChecked(true);
        Screenshot(&m, "main_chart_einzahlung");
        Control<QRadioButton>(m, "RB_Grafik_Ausz")->setChecked(true);
        Screenshot(&m, "main_chart_entnahme");
        probleme.clear();
        Pruefen(&m, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));

        // The lump-sum kinds change the rows under "Anlageart".
        Control<QRadioButton>(m, "RB_SystemEinmalanlage")->setChecked(true);
        Control<QRadioButton>(m, "RB_ewig")->setChecked(true);
        SPB_Preview->click();
        Screenshot(&m, "main_systemeinmalanlage_ewig");
        probleme.clear();
        Pruefen(&m, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
    }

    void previewHoldsTheLargestAmounts() {
        Tfrm_perfmain& m = P->Main();
        auto* edt_Summe_Monatsbeitraege = Control<TEditFloat>(m, "edt_Summe_Monatsbeitraege");
        auto* edt_Wertentw = Control<TEditFloat>(m, "edt_Wertentw");
        auto* pn_Tabelle = Control<QWidget>(m, "pn_Tabelle");
        Control<QToolButton>(m, "SPB_Preview")->click();
        QList<TEditFloat*> felder{edt_Summe_Monatsbeitraege, edt_Wertentw};
        for (int k = 0; k < 4; ++k)
            felder << Control<TEditFloat>(m, Spalte("edt_Ausz", k))
                   << Control<TEditFloat>(m, Spalte("edt_Kapital", k))
                   << Control<TEditFloat>(m, Spalte("Edt_Entnahme", k))
                   << Control<TEditFloat>(m, Spalte("edt_RestK", k))
                   << Control<TEditFloat>(m, Spalte("edt_SumEntn", k))
                   << Control<TEditFloat>(m, Spalte("edt_Gesamt", k));
        for (TEditFloat* f : felder)
            f->SetValue(99999999.99);
        QCOMPARE(Control<TEditFloat>(m, "edt_Gesamt4")->text(), QStringLiteral("99.999.999,99 € "));
        QStringList probleme;
        Pruefen(pn_Tabelle, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
        // The grid: every row's field k under the head of column k, the wide
        // fields of rows 1 and 2 exactly under columns 3 and 4, the labels
        // left of the first column.
        for (int k = 0; k < 4; ++k) {
            for (TEditFloat* f : {Control<TEditFloat>(m, Spalte("edt_Kapital", k)),
                                  Control<TEditFloat>(m, Spalte("Edt_Entnahme", k)),
                                  Control<TEditFloat>(m, Spalte("edt_RestK", k)),
                                  Control<TEditFloat>(m, Spalte("edt_SumEntn", k)),
                                  Control<TEditFloat>(m, Spalte("edt_Gesamt", k))}) {
                QCOMPARE(f->x(), Control<TEditFloat>(m, Spalte("edt_Ausz", k))->x());
                QCOMPARE(f->width(), Control<TEditFloat>(m, Spalte("edt_Ausz", k))->width());
            }
            QCOMPARE(Control<QLabel>(m, Spalte("lbl_Prozent", k))->x(),
                     Control<TEditFloat>(m, Spalte("edt_Ausz", k))->x());
            if (k > 0)
                QCOMPARE(Control<TEditFloat>(m, Spalte("edt_Ausz", k))->x(),
                         Control<TEditFloat>(m, Spalte("edt_Ausz", k - 1))->geometry().right() + 1);
        }
        for (TEditFloat* f : {edt_Summe_Monatsbeitraege, edt_Wertentw}) {
            QCOMPARE(f->x(), Control<TEditFloat>(m, "edt_Ausz3")->x());
            QCOMPARE(f->geometry().right(),
                     Control<TEditFloat>(m, "edt_Ausz4")->geometry().right());
        }
        for (QLabel* l : {Control<QLabel>(m, "lbl_Entnahme"), Control<QLabel>(m, "lbl_Kapital"),
                          Control<QLabel>(m, "lbl_RestKapital")})
            QVERIFY(l->geometry().right() < Control<TEditFloat>(m, "edt_Ausz1")->x());
        for (QLabel* l : {Control<QLabel>(m, "EditLabel22"), Control<QLabel>(m, "lbl_Wertentw")})
            QVERIFY(l->geometry().right() < edt_Wertentw->x());
        QVERIFY(Control<TEditFloat>(m, "edt_Ausz4")->geometry().right() < pn_Tabelle->width());
    }

    // The largest plans the window takes, entered as a user does; every cell
    // and every built caption of the preview must show its figure whole.
    void previewShowsTheLargestPlansWhole_data() {
        QTest::addColumn<int>("anlageart");
        QTest::addColumn<QString>("betrag");
        QTest::addColumn<QString>("laufzeit");
        QTest::addColumn<QString>("monatsrente");
        QTest::addColumn<QString>("rentenkapital");
        QTest::newRow("Einmalanlage 10.000.000 EUR") << 2 << "10000000"
                                                     << "25"
                                                     << "500"
                                                     << "100000";
        QTest::newRow("Einmalanlage 10.000.000 EUR over 99 years") << 2 << "10000000"
                                                                   << "99"
                                                                   << "500"
                                                                   << "100000";
        QTest::newRow("Aufbauplan 10.000.000 EUR a month") << 1 << "10000000"
                                                           << "40"
                                                           << "100000000"
                                                           << "100000000";
        QTest::newRow("largest withdrawal from the largest capital") << 2 << "1"
                                                                     << "0"
                                                                     << "100000000"
                                                                     << "100000000";
    }

    void previewShowsTheLargestPlansWhole() {
        QFETCH(int, anlageart);
        QFETCH(QString, betrag);
        QFETCH(QString, laufzeit);
        QFETCH(QString, monatsrente);
        QFETCH(QString, rentenkapital);
        Tfrm_perfmain& m = P->Main();
        auto* CB_Kapital_aus_Einz = Control<TEditCheck>(m, "CB_Kapital_aus_Einz");
        auto* pn_Tabelle = Control<QWidget>(m, "pn_Tabelle");
        Control<QToolButton>(m, "SPB_Preview")->click();
        auto eingeben = [&m](TEditFloat* f, const QString& text) {
            m.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&m));
            f->setFocus();
            QTest::keyClick(f, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(f, text);
            QTest::keyClick(f, Qt::Key_Return);
        };
        ModalAnswerer meldungen;
        QTest::mouseClick(anlageart == 1 ? Control<QRadioButton>(m, "RB_Aufbauplan")
                                         : Control<QRadioButton>(m, "RB_Einmalanlage"),
                          Qt::LeftButton, {}, QPoint(6, 9));
        if (CB_Kapital_aus_Einz->Checked())
            QTest::mouseClick(CB_Kapital_aus_Einz, Qt::LeftButton, {}, QPoint(6, 9));
        eingeben(Control<TEditFloat>(m, "edt_Laufzeit"), laufzeit);
        eingeben(Control<TEditFloat>(m, "edt_Anlagebetrag"), betrag);
        eingeben(Control<TEditFloat>(m, "edt_Monatsrente"), monatsrente);
        eingeben(Control<TEditFloat>(m, "edt_Rentenkapital"), rentenkapital);
        QCOMPARE(meldungen.texts(), QStringList());
        QCOMPARE(P->Datei().Monatsrente, monatsrente.toDouble());
        QStringList probleme;
        Screenshot(&m, "main_table_largest");
        Pruefen(pn_Tabelle, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));

        // Fourteen digits before the comma in every cell still fit (99 years
        // of 10 000 000 € a month at 9 % come to that).
        for (int k = 0; k < 4; ++k)
            for (TEditFloat* f : {Control<TEditFloat>(m, Spalte("edt_Ausz", k)),
                                  Control<TEditFloat>(m, Spalte("edt_Kapital", k)),
                                  Control<TEditFloat>(m, Spalte("edt_RestK", k)),
                                  Control<TEditFloat>(m, Spalte("edt_SumEntn", k)),
                                  Control<TEditFloat>(m, Spalte("edt_Gesamt", k)),
                                  Control<TEditFloat>(m, Spalte("Edt_Entnahme", k))})
                f->SetValue(99999999999999.0);
        Control<TEditFloat>(m, "edt_Summe_Monatsbeitraege")->SetValue(99999999999999.0);
        QCOMPARE(Control<TEditFloat>(m, "edt_Gesamt4")->text(),
                 QStringLiteral("99.999.999.999.999,00 € "));
        probleme.clear();
        Pruefen(pn_Tabelle, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
        // Still legible, one size for every row: the columns made room.
        for (QWidget* w : pn_Tabelle->findChildren<QWidget*>())
            if (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w))
                QCOMPARE(w->font().pixelSize(), VorschauPx);
    }

    void mainWindowWithAllLinks() {
        Tfrm_perfmain& m = P->Main();
        auto* URLLabel3 = Control<TURLLabel>(m, "URLLabel3");
        auto* URLLabel2 = Control<TURLLabel>(m, "URLLabel2");
        auto* URLLabel1 = Control<TURLLabel>(m, "URLLabel1");
        QStringList probleme;
        ModalAnswerer folge({Passwort(QStringLiteral("direktion"), probleme)});
        Alt(Qt::Key_R);
        QCOMPARE(folge.classes().size(), 1);
        QVERIFY(URLLabel3->isVisible());
        Control<QToolButton>(m, "SPB_Chart")->click();
        Control<QRadioButton>(m, "RB_Grafik_Einz")->setChecked(true);
        Screenshot(&m, "main_links_level3");
        Pruefen(&m, probleme);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
        // The links line up under their header, one below the other.
        QCOMPARE(URLLabel2->x(), URLLabel1->x());
        QCOMPARE(URLLabel3->x(), URLLabel1->x());
        QVERIFY(URLLabel2->y() >= URLLabel1->geometry().bottom());
        QVERIFY(URLLabel3->y() >= URLLabel2->geometry().bottom());
    }

    void commissionViewLevel1() {
        Provisionsansicht(QStringLiteral("berater"), "commission_level1");
    }

    void commissionViewLevel3() {
        Provisionsansicht(QStringLiteral("direktion"), "commission_level3");
    }

    void printOptionsAndPreview() {
        Tfrm_DruckPar& d = *P->Fenster->frm_DruckPar;
        QStringList probleme;
        ModalAnswerer folge({[&](QWidget*) {
                                 Screenshot(&d, "print_options");
                                 Pruefen(&d, probleme);
                                 QTest::mouseClick(
                                     d.findChild<TExplorerButton*>(QStringLiteral("btn_OK")),
                                     Qt::LeftButton);
                             },
                             [&](QWidget* w) {
                                 QVERIFY(qobject_cast<QPrintPreviewDialog*>(w));
                                 // The pages are made in the event loop.
                                 auto* seiten = w->findChild<QPrintPreviewWidget*>();
                                 QVERIFY(seiten);
                                 QTRY_VERIFY(seiten->pageCount() > 0);
                                 Screenshot(w, "report_preview");
                                 w->close();
                             }});
        QTest::mouseClick(Control<TExplorerButton>(P->Main(), "btn_Ergebnis"), Qt::LeftButton);
        QCOMPARE(folge.classes().size(), 2);
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
    }

    // The program's windows by row: the main window with its chart, the
    // dialogs opened on top of it with every choice usable.
    void FensterZeilen() {
        QTest::addColumn<int>("fenster");
        for (int i = 0; const char* name : {"main", "settings", "commission view",
                                            "commission settings", "print options"})
            QTest::newRow(name) << i++;
    }
    TbrixDialog* FensterOeffnen(int i) {
        TProgrammFenster& f = *P->Fenster;
        TbrixDialog* fenster[] = {&P->Main(), f.frm_perfEinst, f.frm_perfProvision,
                                  f.frm_perfProvPar, f.frm_DruckPar};
        Control<QToolButton>(P->Main(), "SPB_Chart")->click();
        if (auto* fee = fenster[i]->findChild<TEditCheck*>("Ec_Einrichtungsgebuehr"))
            fee->SetChecked(true);
        return i == 0 || OpenDialog(*fenster[i]) ? fenster[i] : nullptr;
    }

    // Every radio group of every window: Tab stops only at the checked
    // button (Space or an arrow there changes nothing by mistake), and the
    // arrows walk the buttons in the order they stand on screen.
    void radioGroupsAlikeInEveryWindow_data() { FensterZeilen(); }
    void radioGroupsAlikeInEveryWindow() {
        QFETCH(int, fenster);
        ModalAnswerer meldungen;
        TbrixDialog* w = FensterOeffnen(fenster);
        QVERIFY(w);
        QMap<QButtonGroup*, QList<QRadioButton*>> gruppen;
        for (QRadioButton* b : w->findChildren<QRadioButton*>()) {
            QVERIFY2(b->group(), qPrintable(b->objectName() + " belongs to no group"));
            if (b->isVisible() && b->isEnabled())
                gruppen[b->group()] << b;
        }
        for (QList<QRadioButton*> gruppe : gruppen) {
            gruppe = AufDemSchirm(gruppe);
            const auto checked = std::find_if(gruppe.begin(), gruppe.end(),
                                              [](QRadioButton* b) { return b->isChecked(); });
            const qsizetype start = checked == gruppe.end() ? 0 : checked - gruppe.begin();
            for (QRadioButton* b : gruppe)
                QVERIFY2(bool(b->focusPolicy() & Qt::TabFocus) == (b == gruppe[start]),
                         qPrintable(b->objectName() + ": tab stop"));
            gruppe[start]->setFocus(Qt::TabFocusReason);
            for (qsizetype i = 1; i <= gruppe.size(); ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
                auto* erwartet = gruppe[(start + i) % gruppe.size()];
                QVERIFY2(QApplication::focusWidget() == erwartet && erwartet->isChecked(),
                         qPrintable(erwartet->objectName() + " expected after Down"));
            }
        }
        QCOMPARE(meldungen.texts(), QStringList());
        if (w != &P->Main())
            w->close();
    }

    // Greyed captions, buttons and fields: every disabled text reaches 4.5:1
    // against the background it is drawn on.
    void disabledTextsReadable_data() { FensterZeilen(); }
    void disabledTextsReadable() {
        QFETCH(int, fenster);
        TbrixDialog* w = FensterOeffnen(fenster);
        QVERIFY(w);
        QStringList probleme;
        for (QWidget* c : w->findChildren<QWidget*>())
            for (auto [text, grund] : {std::pair{QPalette::WindowText, QPalette::Window},
                                       {QPalette::ButtonText, QPalette::Button},
                                       {QPalette::Text, QPalette::Base}})
                if (!c->isEnabled() && c->isVisibleTo(w) &&
                    ContrastRatio(c->palette().color(QPalette::Disabled, text),
                                  c->palette().color(QPalette::Disabled, grund)) < 4.5)
                    probleme << QString::fromLatin1(c->metaObject()->className()) + c->objectName();
        if (w != &P->Main())
            w->close();
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
    }

    void settingsDialog() {
        Tfrm_perfEinst& e = *P->Fenster->frm_perfEinst;
        QStringList probleme;
        WhenModal([&](QWidget*) {
            Screenshot(&e, "settings");
            Pruefen(&e, probleme);
            e.SetModalResult(TbrixDialog::mrCancel);
        });
        Control<TExplorerButton>(P->Main(), "ExplorerButton3")->Click();
        QVERIFY2(probleme.isEmpty(), qPrintable(probleme.join(QLatin1Char('\n'))));
    }
};

int main(int argc, char** argv) {
    TOrvantaApplication app(argc, argv);
    TestLayout test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_layout.moc"
