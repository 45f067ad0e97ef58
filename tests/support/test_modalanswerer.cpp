// The shared modal answerer: a dialog shown again is answered again, steps
// run in order and surplus windows are closed, message boxes are answered
// with OK and recorded, and a one-shot answer never outlives its test.

#include "tests/support/modalanswerer.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QtTest>

using namespace orvanta::testing;

namespace {

int Box(const QString& text) {
    return QMessageBox::warning(nullptr, QStringLiteral("Orvanta"), text);
}

} // namespace

class TestModalAnswerer : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { ORVANTA_VERIFY_NO_WINDOW_LEFT(); }

    void sameDialogShownAgainIsAnsweredAgain() {
        QDialog dlg;
        for (int k = 0; k < 3; ++k) {
            bool seen = false;
            WhenModal(
                &dlg, [&] { dlg.accept(); }, &seen);
            QCOMPARE(dlg.exec(), int(QDialog::Accepted));
            QVERIFY(seen);
        }
    }

    void stepsInOrderThenEveryFurtherWindowClosed() {
        QDialog first;
        first.setWindowTitle(QStringLiteral("erster"));
        QDialog second;
        int result = -1;
        ModalAnswerer answerer({[&](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(&first));
            // A window opened from inside a step is answered too, and the
            // window below is not taken for a new one.
            result = second.exec();
            first.accept();
        }});
        QCOMPARE(first.exec(), int(QDialog::Accepted));
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(answerer.classes(), (QStringList{"QDialog", "QDialog"}));
        QCOMPARE(answerer.titles().first(), QStringLiteral("erster"));
    }

    void messageBoxesAnsweredWithOkAndRecorded() {
        ModalAnswerer boxes;
        QCOMPARE(Box(QStringLiteral("eins")), int(QMessageBox::Ok));
        QCOMPARE(Box(QStringLiteral("zwei")), int(QMessageBox::Ok));
        QCOMPARE(boxes.texts(), (QStringList{"eins", "zwei"}));
        QCOMPARE(boxes.last().icon, QMessageBox::Warning);
        QCOMPARE(boxes.last().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        boxes.reset();
        QCOMPARE(boxes.count(), 0);
    }

    void boxAnswererLeavesDialogsToTheTest() {
        ModalAnswerer boxes;
        QDialog dlg;
        bool seen = false;
        WhenModal(
            &dlg,
            [&] {
                QCOMPARE(Box(QStringLiteral("im Dialog")), int(QMessageBox::Ok));
                dlg.accept();
            },
            &seen);
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QVERIFY(seen);
        QCOMPARE(boxes.texts(), QStringList{"im Dialog"});
    }

    void oneShotAnswerEndsWithItsTest_data() {
        QTest::addColumn<bool>("waitHere");
        QTest::newRow("left waiting") << false;
        QTest::newRow("next row") << true;
    }
    void oneShotAnswerEndsWithItsTest() {
        QFETCH(bool, waitHere);
        if (!waitHere) {
            // Nothing opens: this answer must not reach the next row's window.
            WhenModal([](QWidget* w) { static_cast<QDialog*>(w)->accept(); });
            return;
        }
        QDialog dlg;
        ModalAnswerer answerer({[](QWidget* w) { static_cast<QDialog*>(w)->done(7); }});
        QCOMPARE(dlg.exec(), 7);
    }
};

QTEST_MAIN(TestModalAnswerer)
#include "test_modalanswerer.moc"
