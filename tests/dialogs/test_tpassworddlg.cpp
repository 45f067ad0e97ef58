// The password dialog, shown modally and answered from a timer as a user
// would answer it.
#include "core/planrecord.h"
#include "core/speicherschutz.h"
#include "core/xorcodierung.h"
#include "dialogs/tpassworddlg.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/screenshot.h"
#include "tests/support/testplans.h"
#include "tests/support/widgettools.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

TPasswordEdit* Feld(TPasswordDlg& dlg) {
    return dlg.findChild<TPasswordEdit*>(QStringLiteral("Password"));
}

// One step of an edit: plain text is typed; "A-x", "AS-x", "CA-x", "C-x", "S-R"
// are x (a letter, or R for the right arrow) with Alt, Alt+Shift, Ctrl+Alt,
// Ctrl, Shift; BS, DEL, L, R, HOME, END and PASTE are those keys.
void Press(QWidget* w, const QString& step) {
    static const QHash<QString, Qt::Key> keys = {{"BS", Qt::Key_Backspace}, {"DEL", Qt::Key_Delete},
                                                 {"L", Qt::Key_Left},       {"R", Qt::Key_Right},
                                                 {"HOME", Qt::Key_Home},    {"END", Qt::Key_End}};
    if (keys.contains(step)) {
        QTest::keyClick(w, keys.value(step));
        return;
    }
    if (step == "PASTE") {
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        return;
    }
    const int dash = step.indexOf('-');
    if (dash < 1) {
        typeText(w, step);
        return;
    }
    Qt::KeyboardModifiers mods;
    for (QChar m : step.left(dash))
        mods |= m == 'A' ? Qt::AltModifier : m == 'S' ? Qt::ShiftModifier : Qt::ControlModifier;
    const QString what = step.mid(dash + 1);
    if (keys.contains(what)) {
        QTest::keyClick(w, keys.value(what), mods);
        return;
    }
    // A letter with its text, as the keyboard delivers it (AltGr+Q gives "@").
    const QChar c = what.at(0);
    const QString text = mods == (Qt::ControlModifier | Qt::AltModifier) ? QString("@")
                         : (mods & Qt::ShiftModifier)                    ? QString(c.toUpper())
                                                                         : QString(c);
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key(Qt::Key_A + (c.toLower().unicode() - 'a')), text,
                        mods);
}

// Runs `answer` once the dialog is the open modal window, then `run`, which
// shows it modally. The answer fails the test when the dialog never opened.
template <typename Run> auto Answered(TPasswordDlg& dlg, std::function<void()> answer, Run run) {
    bool seen = false;
    WhenModal(&dlg, answer, &seen);
    auto result = run();
    if (!seen)
        qWarning("the dialog was not open modally when answered");
    return std::make_pair(result, seen);
}

} // namespace

class TestPasswordDlg : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void looksAsDesigned() {
        TPasswordDlg dlg;
        QCOMPARE(dlg.windowTitle(), QString("Passworteingabe"));
        QCOMPARE(dlg.size(), QSize(236, 93));
        QVERIFY(!(dlg.windowFlags() & Qt::WindowSystemMenuHint));
        QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(dlg.windowFlags() & Qt::WindowMinMaxButtonsHint));
        QCOMPARE(dlg.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QString("Passwort eingeben:"));
        QCOMPARE(dlg.findChild<QLineEdit*>(QStringLiteral("Password"))->width(), 220);
        QCOMPARE(dlg.findChild<QLineEdit*>(QStringLiteral("Password"))->echoMode(),
                 QLineEdit::Password);
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("OKBtn"))->text(), QString("OK"));
        QCOMPARE(dlg.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->text(),
                 QString("Abbrechen"));
        QVERIFY(dlg.findChild<QPushButton*>(QStringLiteral("OKBtn"))->isDefault());
    }

    void eachPasswordRaisesItsLevel_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("level");
        QTest::newRow("first") << "berater" << true << 1;
        QTest::newRow("second") << "vertrieb" << true << 2;
        QTest::newRow("third") << "direktion" << true << 3;
        QTest::newRow("wrong") << "direktor" << false << 0;
        QTest::newRow("wrong case") << "Berater" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }
    void eachPasswordRaisesItsLevel() {
        QFETCH(QString, entry);
        QFETCH(bool, accepted);
        QFETCH(int, level);
        TPasswordDlg dlg;
        TPlanRecord rec = MitPasswoertern(LeererPlan());
        auto [ok, seen] = Answered(
            dlg,
            [&] {
                // The entry field is empty and has the focus when the dialog opens.
                QCOMPARE(dlg.findChild<QLineEdit*>(QStringLiteral("Password"))->text(), QString());
                QCOMPARE(QApplication::focusWidget(),
                         dlg.findChild<QLineEdit*>(QStringLiteral("Password")));
                typeText(QApplication::focusWidget(), entry);
                QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("OKBtn")),
                                  Qt::LeftButton);
            },
            [&] { return dlg.Passwortschritt(rec); });
        QVERIFY(seen);
        QCOMPARE(ok, accepted);
        QCOMPARE(rec.Zugriffsstufe, level);
        QCOMPARE(dlg.Stufe(), level);
        QCOMPARE(dlg.result(), accepted ? int(QDialog::Accepted) : int(QDialog::Rejected));
        // Nothing was reported: no other window opened.
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    }

    void enterAcceptsAndEscapeCancels() {
        TPasswordDlg dlg;
        TPlanRecord rec = MitPasswoertern(LeererPlan());
        auto [ok, seen] = Answered(
            dlg,
            [&] {
                QTest::keyClicks(dlg.findChild<QLineEdit*>(QStringLiteral("Password")),
                                 "direktion");
                QTest::keyClick(dlg.findChild<QLineEdit*>(QStringLiteral("Password")),
                                Qt::Key_Return);
            },
            [&] { return dlg.Passwortschritt(rec); });
        QVERIFY(seen);
        QVERIFY(ok);
        QCOMPARE(rec.Zugriffsstufe, 3);

        // A right password followed by Esc or "Abbrechen" unlocks nothing.
        for (int k = 0; k < 2; ++k) {
            rec.Zugriffsstufe = 0;
            auto [ok2, seen2] = Answered(
                dlg,
                [&] {
                    QTest::keyClicks(dlg.findChild<QLineEdit*>(QStringLiteral("Password")),
                                     "direktion");
                    if (k == 0)
                        QTest::keyClick(dlg.findChild<QLineEdit*>(QStringLiteral("Password")),
                                        Qt::Key_Escape);
                    else
                        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("CancelBtn")),
                                          Qt::LeftButton);
                },
                [&] { return dlg.Passwortschritt(rec); });
            QVERIFY(seen2);
            QVERIFY(!ok2);
            QCOMPARE(rec.Zugriffsstufe, 0);
            QCOMPARE(dlg.Stufe(), 0);
        }
    }

    void entryIsClearedForEveryShowing() {
        TPasswordDlg dlg;
        TPlanRecord rec = MitPasswoertern(LeererPlan());
        dlg.findChild<QLineEdit*>(QStringLiteral("Password"))->setText("berater");
        auto [ok, seen] = Answered(
            dlg,
            [&] {
                QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("OKBtn")),
                                  Qt::LeftButton);
            },
            [&] { return dlg.Passwortschritt(rec); });
        QVERIFY(seen);
        QVERIFY(!ok);
        QCOMPARE(rec.Zugriffsstufe, 0);
    }

    void emptyStoredPasswordsUnlockNothing() {
        TPasswordDlg dlg;
        TPlanRecord rec = MitPasswoertern(LeererPlan());
        rec.Passwort_1.assign("");
        rec.Passwort_2.assign("");
        rec.Passwort_3.assign("");
        auto [ok, seen] = Answered(
            dlg,
            [&] {
                QTest::keyClick(dlg.findChild<QLineEdit*>(QStringLiteral("Password")),
                                Qt::Key_Return);
            },
            [&] { return dlg.Passwortschritt(rec); });
        QVERIFY(seen);
        QVERIFY(!ok);
        QCOMPARE(rec.Zugriffsstufe, 0);
    }

    void umlautPasswordThroughTheScrambler() {
        // A stored Windows-1252 password with bytes above 127, past the key length.
        const std::string plain = "Gr\xFC\xDF"
                                  "e-aus-der-Schweiz-\x80-und-noch-mehr";
        TPlanRecord rec = MitPasswoertern(LeererPlan());
        rec.Passwort_2.assign(XorCodierung(plain));
        TPasswordDlg dlg;
        auto [ok, seen] = Answered(
            dlg,
            [&] {
                typeText(dlg.findChild<QLineEdit*>(QStringLiteral("Password")),
                         "Grüße-aus-der-Schweiz-€-und-noch-mehr");
                QTest::keyClick(dlg.findChild<QLineEdit*>(QStringLiteral("Password")),
                                Qt::Key_Enter);
            },
            [&] { return dlg.Passwortschritt(rec); });
        QVERIFY(seen);
        QVERIFY(ok);
        QCOMPARE(rec.Zugriffsstufe, 2);
    }

    // The entry as the adviser edits it: typing, correcting, Alt with a
    // letter (refused, as in the program's other fields), AltGr, pasting.
    // The field shows one star per character and the entry decides the level.
    void editingDecidesTheLevel_data() {
        QTest::addColumn<QString>("keys"); // see Press() below
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("stars");
        QTest::newRow("Alt+R after the password") << "direktion|A-r" << 3 << 9;
        QTest::newRow("Alt+letters inside") << "dire|A-x|A-y|ktion" << 3 << 9;
        QTest::newRow("Alt+Shift+letter") << "berater|AS-r" << 1 << 7;
        QTest::newRow("AltGr types") << "vertrie|CA-q" << 0 << 8;
        QTest::newRow("backspace corrects") << "direktiom|BS|n" << 3 << 9;
        QTest::newRow("delete inside") << "direxktion|L|L|L|L|L|L|DEL" << 3 << 9;
        QTest::newRow("insert after moving") << "drektion|HOME|R|i" << 3 << 9;
        QTest::newRow("typing replaces a selection")
            << "xxxx|HOME|S-R|S-R|S-R|S-R|berater|END" << 1 << 7;
        QTest::newRow("select all and retype") << "falsch|C-a|vertrieb" << 2 << 8;
        QTest::newRow("undo changes nothing") << "berater|C-z" << 1 << 7;
        QTest::newRow("paste") << "ber|PASTE" << 1 << 7;
        QTest::newRow("backspace at start") << "HOME|BS|berater" << 1 << 7;
    }
    void editingDecidesTheLevel() {
        QFETCH(QString, keys);
        QFETCH(int, level);
        QFETCH(int, stars);
        QApplication::clipboard()->setText("ater\nzweite Zeile");
        TPasswordDlg dlg;
        TPlanRecord rec = MitPasswoertern(LeererPlan());
        QString shown;
        auto [ok, seen] = Answered(
            dlg,
            [&] {
                for (const QString& k : keys.split('|'))
                    Press(Feld(dlg), k);
                shown = Feld(dlg)->text();
                QTest::keyClick(Feld(dlg), Qt::Key_Return);
            },
            [&] { return dlg.Passwortschritt(rec); });
        QVERIFY(seen);
        // The field itself never holds a typed character.
        QCOMPARE(shown, QString(stars, '*'));
        QCOMPARE(rec.Zugriffsstufe, level);
        QCOMPARE(ok, level > 0);
        QVERIFY(Feld(dlg)->Eingabe().empty());
    }

    // While the plain passwords are held no core dump is written; afterwards
    // the process is as it was. The dialog belongs to the window that opens
    // it, which the window manager minimises and restores together with it,
    // so it never stays hidden behind its blocked opener; and none asks for
    // a box to minimise it by.
    void whileOpen() {
        QWidget opener;
        QVERIFY(ShowActive(opener));
        TPasswordDlg dlg(&opener);
        TPlanRecord rec = MitPasswoertern(LeererPlan());
        QVERIFY(!TOhneSpeicherabzug::Aktiv());
        bool ohneAbzug = false;
        bool beimOeffner = false;
        auto [ok, seen] = Answered(
            dlg,
            [&] {
                ohneAbzug = TOhneSpeicherabzug::Aktiv();
                beimOeffner = dlg.windowHandle()->transientParent() == opener.windowHandle();
                QTest::keyClick(Feld(dlg), Qt::Key_Escape);
            },
            [&] { return dlg.Passwortschritt(rec); });
        opener.hide();
        QVERIFY(seen);
        QVERIFY(!ok);
        QVERIFY(ohneAbzug);
        QVERIFY(beimOeffner);
        // A title only: no box of its own to minimise, maximise or close it by.
        QCOMPARE(dlg.windowFlags() & ~Qt::WindowType_Mask,
                 Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        QVERIFY(dlg.isHidden());
        QVERIFY(!TOhneSpeicherabzug::Aktiv());
    }

    void screenshot() {
        TPasswordDlg dlg;
        dlg.show();
        QTest::keyClicks(dlg.findChild<QLineEdit*>(QStringLiteral("Password")), "vertrieb");
        Screenshot(&dlg, "passworddlg");
        dlg.hide();
    }
};

QTEST_MAIN(TestPasswordDlg)
#include "test_tpassworddlg.moc"
