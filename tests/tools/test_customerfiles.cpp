// Files with a customer's data through orvanta-tool: nothing that is no
// regular file makes a command wait, new files are their owner's alone, and
// no byte of one customer stays in the next one's file.

#include "core/frvdata.h"
#include "core/sterbetafel.h"

#include "toolrun.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using namespace orvanta;
using namespace orvanta::testtool;

namespace {

// Generous: the commands must return at once; only a hang would reach it.
constexpr int Guard = 20000;

void makeFifo(const QString& path) {
    QVERIFY2(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0, qPrintable(path));
}

QFile::Permissions privat() {
    return QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
}

} // namespace

class TestCustomerFiles : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    QString demoFile(const QString& name) {
        const QString dat = path(name);
        [&] { QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), dat}).exitCode, 0); }();
        return dat;
    }

private slots:
    // A FIFO (or a link to one) as the plan, or as make's source: every
    // command says "Dateizugriff verweigert" at once instead of waiting for a
    // writer for ever.
    void fifoPlanIsRefusedAtOnce_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("dump") << QStringList{"dump", "{FIFO}"};
        QTest::newRow("dump via link") << QStringList{"dump", "{LINK}"};
        QTest::newRow("calc") << QStringList{"calc", "{FIFO}"};
        QTest::newRow("calc via link") << QStringList{"calc", "{LINK}"};
        QTest::newRow("set-password") << QStringList{"set-password", "1", "neu", "{FIFO}"};
        QTest::newRow("report") << QStringList{"report", "{FIFO}", "{PDF}"};
        QTest::newRow("csv") << QStringList{"csv", "{FIFO}", "aufbau"};
        QTest::newRow("make from a FIFO") << QStringList{"make", "{FIFO}", "{DAT}"};
    }
    void fifoPlanIsRefusedAtOnce() {
        QFETCH(QStringList, args);
        const QString fifo = path(QStringLiteral("Fifo.Dat"));
        const QString link = path(QStringLiteral("Verweis.Dat"));
        if (!QFileInfo::exists(fifo)) {
            makeFifo(fifo);
            QVERIFY(QFile::link(fifo, link));
        }
        args.replaceInStrings("{FIFO}", fifo);
        args.replaceInStrings("{LINK}", link);
        args.replaceInStrings("{PDF}", path(QStringLiteral("fifo.pdf")));
        args.replaceInStrings("{DAT}", path(QStringLiteral("ausfifo.Dat")));
        const Run r = tool(args, {}, {}, Guard);
        QVERIFY2(!r.crashed, "the command did not return");
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Dateizugriff verweigert"), r.err.constData());
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile()); // left as it was
    }

    // A FIFO as the mortality table or as the plan's FRV file is as good as
    // no file: calc goes on without them, as it does when they are missing.
    void fifoTablesAreSkippedSilently() {
        QTemporaryDir planDir;
        const QString dat = planDir.filePath(QStringLiteral("Plan.Dat"));
        QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), dat}).exitCode, 0);
        makeFifo(planDir.filePath(QString::fromLatin1(TSterbetafel::Dateiname)));
        makeFifo(planDir.filePath(QString::fromStdString(FRV_DateinameFuerPlan(readRecord(dat)))));
        const Run r = tool({"calc", dat}, {}, planDir.path(), Guard);
        QVERIFY2(!r.crashed, "calc did not return");
        QVERIFY2(r.exitCode == 0, r.err.constData());
        QVERIFY(r.out.contains("\"frv_found\": false"));
    }

    // New files the tool makes hold a customer's data: the owner's alone,
    // whatever the umask. A file that exists keeps its permissions.
    void newFilesArePrivate_data() {
        QTest::addColumn<int>("mask");
        QTest::newRow("umask 022") << 022;
        QTest::newRow("umask 077") << 077;
    }
    void newFilesArePrivate() {
        QFETCH(int, mask);
        QTemporaryDir out;
        const mode_t before = ::umask(static_cast<mode_t>(mask));
        const QString made = out.filePath(QStringLiteral("make.Dat"));
        const QString fresh = out.filePath(QStringLiteral("neu.Dat"));
        const QString pdf = out.filePath(QStringLiteral("bericht.pdf"));
        const Run make = tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), made});
        const Run neu = tool({"new", fresh});
        const Run report = tool({"report", made, pdf});
        ::umask(before);
        QVERIFY2(make.exitCode == 0 && neu.exitCode == 0 && report.exitCode == 0,
                 (make.err + neu.err + report.err).constData());
        for (const QString& f : {made, fresh, pdf})
            QVERIFY2(QFile::permissions(f) == privat(), qPrintable(f));

        const QFile::Permissions shared = privat() | QFile::ReadGroup;
        QVERIFY(QFile::setPermissions(made, shared));
        QCOMPARE(tool({"set-password", "1", "neu", made}).exitCode, 0);
        QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), made}).exitCode, 0);
        QCOMPARE(QFile::permissions(made), shared);
    }

    // The next customer made over the last one's file: no byte of the
    // longer name remains.
    void shorterNameLeavesNothingOfTheLongerOne() {
        const QByteArray demo = readFile(QStringLiteral(ORVANTA_DEMO_JSON));
        QVERIFY(demo.contains("\"Mustermann\""));
        const QString lang = path(QStringLiteral("lang.json"));
        const QString kurz = path(QStringLiteral("kurz.json"));
        writeFile(lang, QByteArray(demo).replace("\"Mustermann\"", "\"Schmidt-Hoffmann\""));
        writeFile(kurz, QByteArray(demo).replace("\"Mustermann\"", "\"Kim\""));
        const QString dat = path(QStringLiteral("Kunde.Dat"));
        QCOMPARE(tool({"make", lang, dat}).exitCode, 0);
        QVERIFY(readFile(dat).contains("Schmidt-Hoffmann"));
        QCOMPARE(tool({"make", kurz, dat}).exitCode, 0);
        const QByteArray bytes = readFile(dat);
        QVERIFY(bytes.contains("Kim"));
        for (const char* alt : {"midt", "Hoffmann"})
            QVERIFY2(!bytes.contains(alt), alt);
    }
};

QTEST_GUILESS_MAIN(TestCustomerFiles)
#include "test_customerfiles.moc"
