// A second start on the same data file: the adviser is told, and may bring
// the first window to the front; the first keeps the file to itself.

#include "app/teinzigeinstanz.h"
#include "tests/support/modalanswerer.h"
#include "tests/support/widgettools.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvanta;

namespace {

// A step for the message box of a second start: presses the button with this text.
testing::ModalAnswerer::Step Druecken(const QString& button) {
    return [button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        QVERIFY(box);
        for (QAbstractButton* b : box->buttons())
            if (b->text() == button)
                b->click();
    };
}

} // namespace

class TestEinzigeInstanz : public QObject {
    Q_OBJECT
private slots:
    void secondStartIsToldAndMayCallTheFirst_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("firstComesBack");
        QTest::newRow("show the first window") << TEinzigeInstanz::ZeigenText() << true;
        QTest::newRow("end") << TEinzigeInstanz::BeendenText() << false;
    }
    void secondStartIsToldAndMayCallTheFirst() {
        QFETCH(QString, button);
        QFETCH(bool, firstComesBack);
        QTemporaryDir dir;
        const QString file = dir.filePath("Orvan.Dat");

        QWidget fenster;
        fenster.show();
        fenster.setWindowState(Qt::WindowMinimized);
        TEinzigeInstanz erste(file);
        QVERIFY(erste.Sperren());
        erste.SetFenster(&fenster);

        {
            TEinzigeInstanz zweite(file);
            testing::ModalAnswerer antwort({Druecken(button)});
            QVERIFY(!zweite.Sperren());
            QVERIFY(!zweite.Gehalten());
            QCOMPARE(antwort.count(), 1);
            const QString text = antwort.last().text;
            QVERIFY2(text.contains(file) && text.contains("bereits") &&
                         text.contains(QString::number(QCoreApplication::applicationPid())),
                     qPrintable(text));
        }
        if (firstComesBack)
            QTRY_VERIFY(!(fenster.windowState() & Qt::WindowMinimized));
        else {
            // Whatever the second start might have sent has been handled by now.
            testing::FlushEvents();
            QVERIFY(fenster.windowState() & Qt::WindowMinimized);
        }
        // The first still holds the file: a third start is refused as well.
        TEinzigeInstanz dritte(file);
        testing::ModalAnswerer nochmal({Druecken(TEinzigeInstanz::BeendenText())});
        QVERIFY(!dritte.Sperren());
        QVERIFY(erste.Gehalten());
    }

    // A lock file a crash left empty or garbled asks nothing: the start goes
    // on with the file (the question and "kann nicht nach vorn geholt
    // werden" belong to a live window only).
    void staleLockFileAsksNothing_data() {
        QTest::addColumn<QByteArray>("inhalt");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("garbled") << QByteArray("\x01kaputt");
    }
    void staleLockFileAsksNothing() {
        QFETCH(QByteArray, inhalt);
        QTemporaryDir dir;
        const QString file = dir.filePath("Orvan.Dat");
        QFile lock(TDataFileLock::LockFilePath(file));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(inhalt);
        lock.close();
        testing::ModalAnswerer keine(testing::ModalAnswerer::AllWindows);
        TEinzigeInstanz start(file);
        QVERIFY(start.Sperren());
        QVERIFY(start.Gehalten());
        QCOMPARE(keine.count(), 0);
    }

    void fileIsFreeAgainWhenTheFirstEnds() {
        QTemporaryDir dir;
        const QString file = dir.filePath("Orvan.Dat");
        {
            TEinzigeInstanz erste(file);
            QVERIFY(erste.Sperren());
        }
        TEinzigeInstanz naechste(file);
        QVERIFY(naechste.Sperren());
    }
};

QTEST_MAIN(TestEinzigeInstanz)
#include "test_einzigeinstanz.moc"
