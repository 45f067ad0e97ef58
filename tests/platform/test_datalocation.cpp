// Where program and tool find their files: the decision as a plain function,
// the user's folder and its first plan on real directories, and what becomes
// of the copies an earlier version left there.

#include "platform/datalocation.h"
#include "tests/support/tempdir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

mode_t modeOf(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// Sets an environment variable, or removes it for a null value.
void setEnv(const char* name, const QByteArray& value) {
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
}

// A per-user location in a temporary folder, delivered files in "share".
DataLocation perUserIn(const QTemporaryDir& root) {
    return {root.filePath(QStringLiteral("home/.local/share/orvanta")),
            root.filePath(QStringLiteral("share/orvanta")),
            root.filePath(QStringLiteral("share/orvanta")), true};
}

} // namespace

class TestDataLocation : public QObject {
    Q_OBJECT

private slots:
    void decision_data();
    void decision();
    void userFolder_data();
    void userFolder();
    void firstStartCopiesOnlyThePlan_data();
    void firstStartCopiesOnlyThePlan();
    void existingFilesOfTheUserStay();
    void failuresAreReportedInGerman();
    void nothingToCopyBesideTheProgram();
    void earlierCopiesAreRetired();
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
    // Installed, every delivered file is read where the package put it.
    QTest::newRow("installed") << "/usr/bin" << false << false << user << "/usr/share/orvanta"
                               << "/usr/share/orvanta" << true;
    QTest::newRow("installed under a DESTDIR") << "/tmp/dest/usr/local/bin" << false << false
                                               << user << "/tmp/dest/usr/local/share/orvanta"
                                               << "/tmp/dest/usr/local/share/orvanta" << true;
    QTest::newRow("writable folder without data")
        << "/opt/o/bin" << false << true << user << "/opt/o/share/orvanta"
        << "/opt/o/share/orvanta" << true;
    // A read-only folder with the data beside the program still delivers from there.
    QTest::newRow("read-only folder with data")
        << "/mnt/cd/orvanta" << true << false << user << "/mnt/cd/orvanta"
        << "/mnt/cd/orvanta" << true;
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

void TestDataLocation::userFolder_data() {
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("xdgDataHome");
    QTest::addColumn<QString>("expected"); // "~": the home folder of the password database
    QTest::newRow("XDG_DATA_HOME")
        << QByteArray("/h/a") << QByteArray("/x/daten") << "/x/daten/orvanta";
    QTest::newRow("default") << QByteArray("/h/a") << QByteArray() << "/h/a/.local/share/orvanta";
    QTest::newRow("relative XDG_DATA_HOME is ignored")
        << QByteArray("/h/a") << QByteArray("daten") << "/h/a/.local/share/orvanta";
    // A service or "env -i": no "//.local/share/orvanta".
    QTest::newRow("HOME unset") << QByteArray() << QByteArray() << "~/.local/share/orvanta";
    QTest::newRow("HOME empty") << QByteArray("") << QByteArray() << "~/.local/share/orvanta";
}

void TestDataLocation::userFolder() {
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, xdgDataHome);
    QFETCH(QString, expected);
    const passwd* entry = ::getpwuid(::getuid());
    QVERIFY(entry && entry->pw_dir);
    expected.replace(QLatin1Char('~'), QDir::cleanPath(QFile::decodeName(entry->pw_dir)));
    const auto restore = qScopeGuard([before = qgetenv("HOME"), xdg = qgetenv("XDG_DATA_HOME")] {
        setEnv("HOME", before);
        setEnv("XDG_DATA_HOME", xdg);
    });
    setEnv("HOME", home);
    setEnv("XDG_DATA_HOME", xdgDataHome);
    QCOMPARE(userDataFolder(), expected);
    // The program sets HOME for Qt's own folders from the same source.
    provideHome();
    QCOMPARE(QDir::homePath(), home.isEmpty() ? QDir::cleanPath(QFile::decodeName(entry->pw_dir))
                                              : QString::fromLocal8Bit(home));
}

void TestDataLocation::firstStartCopiesOnlyThePlan_data() {
    QTest::addColumn<int>("umask");
    QTest::newRow("umask 022") << 022;
    QTest::newRow("umask 077") << 077;
    QTest::newRow("umask 000") << 000;
}

void TestDataLocation::firstStartCopiesOnlyThePlan() {
    QFETCH(int, umask);
    QTemporaryDir root;
    const DataLocation loc = perUserIn(root);
    QVERIFY(QDir().mkpath(loc.deliveredDir));
    const QStringList names{QStringLiteral("Orvan.Dat"), QStringLiteral("Sterbetafel_2004.csv"),
                            QStringLiteral("G002 m 35 100 1 5 30.txt"),
                            QStringLiteral("FAZ 30_05_06.pdf")};
    for (const QString& name : names)
        writeFile(QDir(loc.deliveredDir).filePath(name), name.toUtf8());
    // As installed by the package: the originals are read-only.
    QFile::setPermissions(QDir(loc.deliveredDir).filePath(QStringLiteral("Orvan.Dat")),
                          QFileDevice::ReadOwner);

    const mode_t before = ::umask(static_cast<mode_t>(umask));
    const QString result = provideUserData(loc);
    ::umask(before);
    QCOMPARE(result, QString());

    // The plan alone, and nothing half written left behind; a customer's
    // plan and the folder are the user's alone, whatever the umask.
    const QDir data(loc.dataDir);
    QCOMPARE(data.entryList(QDir::Files | QDir::Hidden, QDir::Name), QStringList{"Orvan.Dat"});
    QCOMPARE(readFile(data.filePath(QStringLiteral("Orvan.Dat"))), QByteArray("Orvan.Dat"));
    QCOMPARE(modeOf(data.filePath(QStringLiteral("Orvan.Dat"))), mode_t(0600));
    QCOMPARE(modeOf(loc.dataDir), mode_t(0700));
    QCOMPARE(modeOf(root.filePath(QStringLiteral("home/.local"))), mode_t(0700));
}

void TestDataLocation::existingFilesOfTheUserStay() {
    QTemporaryDir root;
    const DataLocation loc = perUserIn(root);
    QVERIFY(QDir().mkpath(loc.deliveredDir));
    QVERIFY(QDir().mkpath(loc.dataDir));
    QVERIFY(QFile::setPermissions(loc.dataDir, QFileDevice::Permissions(0x7755)));
    writeFile(QDir(loc.deliveredDir).filePath(QStringLiteral("Orvan.Dat")), "Vorgabe");
    writeFile(QDir(loc.deliveredDir).filePath(QStringLiteral("neu.txt")), "neu");
    writeFile(QDir(loc.dataDir).filePath(QStringLiteral("Orvan.Dat")), "Plan des Beraters");

    // A second start, also of a newer package: the plan stays, nothing else
    // arrives, and a folder the user made keeps its mode.
    QCOMPARE(provideUserData(loc), QString());
    QCOMPARE(provideUserData(loc), QString());
    QCOMPARE(readFile(QDir(loc.dataDir).filePath(QStringLiteral("Orvan.Dat"))),
             QByteArray("Plan des Beraters"));
    QVERIFY(!QFileInfo::exists(QDir(loc.dataDir).filePath(QStringLiteral("neu.txt"))));
    QCOMPARE(modeOf(loc.dataDir), mode_t(0755));
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

void TestDataLocation::earlierCopiesAreRetired() {
    // The user's folder as the earlier version left it: a copy of each
    // delivered file (the real ones of data/), one table changed by the
    // user, an own FRV file, and a FIFO where a picture was.
    QTemporaryDir root;
    const DataLocation loc = perUserIn(root);
    const QDir source(qEnvironmentVariable("ORVANTA_SOURCE_DIR") + QStringLiteral("/data"));
    const QDir data(loc.dataDir);
    QVERIFY(QDir().mkpath(loc.deliveredDir) && QDir().mkpath(loc.dataDir));
    const QStringList earlier = source.entryList({"*.csv", "G002 *.txt", "*.jpg", "*.pdf"});
    QCOMPARE(earlier.size(), 13);
    for (const QString& name : earlier)
        QVERIFY(QFile::copy(source.filePath(name), data.filePath(name)));
    // The update changed one FRV file: the user's copy is the earlier one.
    writeFile(QDir(loc.deliveredDir).filePath(QStringLiteral("G002 m 30 100 1 5 30.txt")), "neu");
    writeFile(data.filePath(QStringLiteral("Sterbetafel_2004.csv")), "Alter;m;w\n0;99;99\n");
    writeFile(data.filePath(QStringLiteral("G002 m 99 100 1 5 30.txt")), "eigene");
    writeFile(data.filePath(QStringLiteral("Orvan.Dat")), "Plan");
    QVERIFY(QFile::remove(data.filePath(QStringLiteral("matterhorn.jpg"))));
    QCOMPARE(::mkfifo(QFile::encodeName(data.filePath(QStringLiteral("matterhorn.jpg"))), 0600), 0);

    const QString notice = retireEarlierCopies(loc);
    QVERIFY2(notice.contains(QStringLiteral("\u2022 Sterbetafel_2004.csv")) &&
                 notice.contains(QStringLiteral("\u2022 G002 m 99 100 1 5 30.txt")) &&
                 notice.contains(QStringLiteral("nicht mehr verwendet")),
             qPrintable(notice));
    QCOMPARE(data.entryList(QDir::Files | QDir::System, QDir::Name),
             (QStringList{"G002 m 99 100 1 5 30.txt", "Orvan.Dat", "Sterbetafel_2004.csv",
                          "matterhorn.jpg"}));
    QCOMPARE(readFile(data.filePath(QStringLiteral("Sterbetafel_2004.csv"))),
             QByteArray("Alter;m;w\n0;99;99\n"));
    // Said once; a file added later is told about in its turn.
    QCOMPARE(retireEarlierCopies(loc), QString());
    writeFile(data.filePath(QStringLiteral("G002 w 99 100 1 5 30.txt")), "eigene");
    const QString later = retireEarlierCopies(loc);
    QVERIFY(later.contains(QStringLiteral("\u2022 G002 w 99")) &&
            !later.contains(QStringLiteral("\u2022 Sterbetafel")));
    // Beside the program nothing is the user's own copy.
    QCOMPARE(retireEarlierCopies({loc.deliveredDir, loc.deliveredDir, loc.deliveredDir, false}),
             QString());
}

QTEST_GUILESS_MAIN(TestDataLocation)
#include "test_datalocation.moc"
