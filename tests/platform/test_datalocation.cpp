// Where program and tool find their files: the decision as a plain function,
// and the first start's copy into the user's folder on real directories.

#include "platform/datalocation.h"
#include "tests/support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvanta;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    orvanta::testing::WriteAll(path.toStdString(), bytes.toStdString());
}

QByteArray readFile(const QString& path) {
    return QFile::exists(path)
               ? QByteArray::fromStdString(orvanta::testing::ReadAll(path.toStdString()))
               : QByteArray("<fehlt>");
}

} // namespace

class TestDataLocation : public QObject {
    Q_OBJECT

private slots:
    void decision_data();
    void decision();
    void userFolderFollowsXdgDataHome();
    void firstStartCopiesEveryDeliveredFile();
    void existingFilesOfTheUserStay();
    void failuresAreReportedInGerman();
    void nothingToCopyBesideTheProgram();
    void firstFolderHolding();
};

void TestDataLocation::decision_data() {
    QTest::addColumn<QString>("programDir");
    QTest::addColumn<bool>("holdsData");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("dataDir");
    QTest::addColumn<QString>("deliveredDir");
    QTest::addColumn<QString>("documentsDir");
    QTest::addColumn<bool>("perUser");

    const QString user = QStringLiteral("/home/b/.local/share/orvanta");
    const QString cwd = QStringLiteral("/home/b/Kunden");
    // From the build folder nothing changes: FRV files and the PDF from the working directory.
    QTest::newRow("build folder") << "/src/build/bin" << true << true << "/src/build/bin"
                                  << "/src/build/bin" << cwd << false;
    QTest::newRow("installed") << "/usr/bin" << false << false << user << "/usr/share/orvanta"
                               << user << true;
    QTest::newRow("installed under a DESTDIR")
        << "/tmp/dest/usr/local/bin" << false << false << user
        << "/tmp/dest/usr/local/share/orvanta" << user << true;
    QTest::newRow("writable folder without data")
        << "/opt/o/bin" << false << true << user << "/opt/o/share/orvanta" << user << true;
    // A read-only folder with the data beside the program still delivers from there.
    QTest::newRow("read-only folder with data")
        << "/mnt/cd/orvanta" << true << false << user << "/mnt/cd/orvanta" << user << true;
}

void TestDataLocation::decision() {
    QFETCH(QString, programDir);
    QFETCH(bool, holdsData);
    QFETCH(bool, writable);
    const DataLocation loc = chooseDataLocation({programDir, holdsData, writable},
                                                QStringLiteral("/home/b/.local/share/orvanta"),
                                                QStringLiteral("/home/b/Kunden"));
    QTEST(loc.dataDir, "dataDir");
    QTEST(loc.deliveredDir, "deliveredDir");
    QTEST(loc.documentsDir, "documentsDir");
    QTEST(loc.perUser, "perUser");
}

void TestDataLocation::userFolderFollowsXdgDataHome() {
    QTemporaryDir home;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    const QString folder = userDataFolder();
    if (saved.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", saved);
    QCOMPARE(folder, home.path() + QStringLiteral("/orvanta"));
}

void TestDataLocation::firstStartCopiesEveryDeliveredFile() {
    QTemporaryDir root;
    const QString delivered = root.filePath(QStringLiteral("share/orvanta"));
    QVERIFY(QDir().mkpath(delivered));
    const QStringList names{QStringLiteral("Orvan.Dat"), QStringLiteral("Sterbetafel_2004.csv"),
                            QStringLiteral("G002 m 35 100 1 5 30.txt"),
                            QStringLiteral("FAZ 30_05_06.pdf")};
    for (const QString& name : names)
        writeFile(QDir(delivered).filePath(name), name.toUtf8());
    // As installed by the package: the originals are read-only.
    QFile::setPermissions(QDir(delivered).filePath(QStringLiteral("Orvan.Dat")),
                          QFileDevice::ReadOwner);

    DataLocation loc;
    loc.deliveredDir = delivered;
    loc.dataDir = root.filePath(QStringLiteral("home/.local/share/orvanta"));
    loc.perUser = true;
    QCOMPARE(provideUserData(loc), QString());

    QDir data(loc.dataDir);
    // Every file, and nothing half written left behind.
    QStringList expected = names;
    expected.sort();
    QCOMPARE(data.entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    for (const QString& name : names)
        QCOMPARE(readFile(data.filePath(name)), name.toUtf8());
    // The user's copy of the plan can be saved.
    QVERIFY(QFileInfo(data.filePath(QStringLiteral("Orvan.Dat"))).isWritable());
}

void TestDataLocation::existingFilesOfTheUserStay() {
    QTemporaryDir root;
    DataLocation loc{root.filePath(QStringLiteral("user")),
                     root.filePath(QStringLiteral("delivered")), QString(), true};
    QVERIFY(QDir().mkpath(loc.deliveredDir));
    QVERIFY(QDir().mkpath(loc.dataDir));
    writeFile(QDir(loc.deliveredDir).filePath(QStringLiteral("Orvan.Dat")), "Vorgabe");
    writeFile(QDir(loc.deliveredDir).filePath(QStringLiteral("neu.txt")), "neu");
    writeFile(QDir(loc.dataDir).filePath(QStringLiteral("Orvan.Dat")), "Plan des Beraters");

    // A second start, also of a newer package: the plan stays, new files arrive.
    QCOMPARE(provideUserData(loc), QString());
    QCOMPARE(provideUserData(loc), QString());
    QCOMPARE(readFile(QDir(loc.dataDir).filePath(QStringLiteral("Orvan.Dat"))),
             QByteArray("Plan des Beraters"));
    QCOMPARE(readFile(QDir(loc.dataDir).filePath(QStringLiteral("neu.txt"))), QByteArray("neu"));
}

void TestDataLocation::failuresAreReportedInGerman() {
    QTemporaryDir root;
    // Nothing delivered: no empty folder that would later look like a first start.
    DataLocation loc{root.filePath(QStringLiteral("user")), root.filePath(QStringLiteral("fehlt")),
                     QString(), true};
    QVERIFY(provideUserData(loc).startsWith(QStringLiteral("Die mitgelieferten Daten fehlen in")));

    // A file where the folder should be.
    writeFile(root.filePath(QStringLiteral("datei")), "x");
    loc.dataDir = root.filePath(QStringLiteral("datei/orvanta"));
    QVERIFY(provideUserData(loc).startsWith(QStringLiteral("Der Datenordner")));
}

void TestDataLocation::nothingToCopyBesideTheProgram() {
    QTemporaryDir root;
    const DataLocation loc{root.filePath(QStringLiteral("nie")), root.path(), root.path(), false};
    QCOMPARE(provideUserData(loc), QString());
    QVERIFY(!QFileInfo::exists(loc.dataDir));
}

void TestDataLocation::firstFolderHolding() {
    QTemporaryDir a;
    QTemporaryDir b;
    writeFile(b.filePath(QStringLiteral("Sterbetafel_2004.csv")), "x");
    const QString name = QStringLiteral("Sterbetafel_2004.csv");
    QCOMPARE(orvanta::firstFolderHolding({a.path(), b.path()}, name), b.path());
    writeFile(a.filePath(name), "y");
    QCOMPARE(orvanta::firstFolderHolding({a.path(), b.path()}, name), a.path());
    QCOMPARE(orvanta::firstFolderHolding({a.path(), b.path()}, QStringLiteral("fehlt")), b.path());
    QCOMPARE(orvanta::firstFolderHolding({}, name), QString());
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "test_datalocation.moc"
