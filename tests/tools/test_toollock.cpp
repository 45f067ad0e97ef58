// orvanta-tool and the data file's lock: runs at the same time lose no
// update, and a file held by the program is refused with a reason.

#include "platform/datafilelock.h"
#include "tests/support/tempdir.h"

#include "toolrun.h"

#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <memory>
#include <unistd.h>

using namespace orvanta;
using namespace orvanta::testtool;

class TestToolLock : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QString demoFile(const char* name) {
        const QString dat = path(name);
        [&] { QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), dat}).exitCode, 0); }();
        return dat;
    }

private slots:
    // Each run reads the file, changes one password and writes it back: two
    // runs at once must not write back what the other has not yet seen.
    void concurrentSetPasswordsBothLand() {
        const QString dat = demoFile("zwei.Dat");
        for (int round = 0; round < 15; ++round) {
            const QString eins = QStringLiteral("eins-%1").arg(round);
            const QString drei = QStringLiteral("drei-%1").arg(round);
            std::array<QProcess, 2> p;
            startTool(p[0], {"set-password", "1", eins, dat});
            startTool(p[1], {"set-password", "3", "-", dat}, drei.toUtf8() + "\n");
            for (QProcess& one : p) {
                const Run r = finished(one);
                QVERIFY(!r.crashed);
                QVERIFY2(r.exitCode == 0, r.err.constData());
            }
            const TPlanRecord rec = readRecord(dat);
            QCOMPARE(plainPassword(rec, "Passwort_1"), eins.toStdString());
            QCOMPARE(plainPassword(rec, "Passwort_3"), drei.toStdString());
        }
        QCOMPARE(QDir(dir.path()).entryList({"zwei.Dat*"}, QDir::Files), QStringList{"zwei.Dat"});
    }

    // A save of an earlier run that was ended half-way left its temporary
    // file: the next writer removes it once it is older than a minute.
    void leftoverOfAnEndedSaveIsCleared() {
        const QString dat = demoFile("rest.Dat");
        const QString alt = dat + QStringLiteral(".Ab12Cd.tmp");
        const QString jung = dat + QStringLiteral(".Ef34Gh.tmp");
        writeFile(alt, "x");
        writeFile(jung, "x");
        QVERIFY(testing::MakeOld(alt.toStdString(), std::chrono::minutes(2)));
        QCOMPARE(tool({"set-password", "1", "neu", dat}).exitCode, 0);
        QVERIFY(!QFile::exists(alt));
        QVERIFY(QFile::exists(jung)); // may belong to a save still running
    }

    // While the program has the file open the tool waits briefly, then says
    // in German why it cannot write, and the file stays as it was.
    void heldFileIsRefusedWithItsReason_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<bool>("hardLink");
        QTest::newRow("set-password") << QStringList{"set-password", "2", "neu", "{DAT}"} << false;
        QTest::newRow("make") << QStringList{"make", ORVANTA_DEMO_JSON, "{DAT}"} << false;
        // The window has the plan open under another name of the same file.
        QTest::newRow("set-password, hard link")
            << QStringList{"set-password", "2", "neu", "{DAT}"} << true;
    }
    void heldFileIsRefusedWithItsReason() {
        QFETCH(QStringList, args);
        QFETCH(bool, hardLink);
        const QString dat = demoFile(hardLink ? "verlinkt.Dat" : "gesperrt.Dat");
        args.replaceInStrings("{DAT}", dat);
        const QString windowFile = hardLink ? path("Zweitname.Dat") : dat;
        if (hardLink)
            QVERIFY(::link(QFile::encodeName(dat).constData(),
                           QFile::encodeName(windowFile).constData()) == 0);
        TDataFileLock program(windowFile);
        QCOMPARE(program.Sperren(), TDataFileLock::Zustand::Gehalten);
        writeFile(dat, readFile(dat).replace(0, 1, "!"));
        const QByteArray before = readFile(dat);

        QElapsedTimer waited;
        waited.start();
        const Run r = tool(args);
        QVERIFY(!r.crashed);
        QCOMPARE(r.exitCode, 1);
        QVERIFY(waited.elapsed() >= 2000);
        const QString err = QString::fromUtf8(r.err);
        QVERIFY2(err.contains(dat) && err.contains("kann nicht geschrieben werden") &&
                     err.contains(QString::number(QCoreApplication::applicationPid())),
                 qPrintable(err));
        QCOMPARE(readFile(dat), before);

        // Let go while the tool waits: it goes on and writes.
        QProcess p;
        startTool(p, args);
        QTest::qWait(500);
        program.Freigeben();
        const Run late = finished(p);
        QVERIFY2(late.exitCode == 0, late.err.constData());
        QVERIFY(readFile(dat) != before);
    }
};

QTEST_GUILESS_MAIN(TestToolLock)
#include "test_toollock.moc"
