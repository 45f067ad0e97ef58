// The password dialog, shown modally and answered from a timer as a user
// would answer it.
#include "core/planrecord.h"
#include "core/xorcodierung.h"
#include "dialogs/tpassworddlg.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/screenshot.h"
#include "tests/support/testplans.h"
#include "tests/support/widgettools.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cstring>
#include <functional>

using namespace orvanta;
using namespace orvanta::testing;

namespace {

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
