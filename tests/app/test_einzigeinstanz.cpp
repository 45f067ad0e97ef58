// A second start on the same data file: the adviser is told, and may bring
// the first window to the front; the first keeps the file to itself.

#include "app/teinzigeinstanz.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

using namespace orvanta;

namespace {

// Presses the button with this text in the next message box (looking for
// it through the event loop for up to five seconds); Text() is what the box
// said, empty when none came.
class Antwort {
public:
    explicit Antwort(const QString& button) : seen_(std::make_shared<QString>()) {
        Poll(button, seen_, 500);
    }
    QString Text() const { return *seen_; }

private:
    static void Poll(const QString& button, std::shared_ptr<QString> seen, int left) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (left > 0)
                QTimer::singleShot(10, [=] { Poll(button, seen, left - 1); });
            return;
        }
        *seen = box->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == button)
                b->click();
    }
    std::shared_ptr<QString> seen_;
};

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
            Antwort antwort(button);
            QVERIFY(!zweite.Sperren());
            QVERIFY(!zweite.Gehalten());
            const QString text = antwort.Text();
            QVERIFY2(text.contains(file) && text.contains("bereits") &&
                         text.contains(QString::number(QCoreApplication::applicationPid())),
                     qPrintable(text));
        }
        if (firstComesBack)
            QTRY_VERIFY(!(fenster.windowState() & Qt::WindowMinimized));
        else {
            QTest::qWait(100);
            QVERIFY(fenster.windowState() & Qt::WindowMinimized);
        }
        // The first still holds the file: a third start is refused as well.
        TEinzigeInstanz dritte(file);
        Antwort nochmal(TEinzigeInstanz::BeendenText());
        QVERIFY(!dritte.Sperren());
        QVERIFY(erste.Gehalten());
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
