// orvanta-tool make, dump and set-password, run as a separate process, and
// which commands read a write-protected plan.

#include "core/planfile.h"
#include "core/planrecordfields.h"
#include "core/xorcodierung.h"
#include "tests/support/tempdir.h"
#include "tests/support/toolrun.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <sys/wait.h>
#include <vector>

using namespace orvanta;
using namespace orvanta::testing;

class TestRecordCommands : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

private slots:
    void demoDataFile();
    void makeDumpRoundTrip();
    void wrongUse_data();
    void wrongUse();
    void failedMakeKeepsTheOldFile();
    void writeProtectedFiles();
    void setPassword();
    void setPasswordFromStandardInput();
    void specialNumbersSurviveDumpAndMake();
    void randomFilesSurviveDumpAndMake();
    void helpAndVersion();
};

void TestRecordCommands::demoDataFile() {
    const QString dat = path("demo.Dat");
    const Run r = tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), dat});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(readFile(dat).size(), qsizetype(PlanRecordSize));

    const TPlanRecord rec = readRecord(dat);
    QCOMPARE(rec.Sparbetrag, 100.0);
    QCOMPARE(rec.Laufzeit, rec.Einzahlungsdauer);
    const double perf[AnzahlSzenarien] = {0, 0, 3, 6, 9, 6};
    QVERIFY(std::memcmp(rec.Performance, perf, sizeof perf) == 0);
    QCOMPARE(rec.Strasse.str(), std::string("Musterstra\xDF"
                                            "e 12"));
    QCOMPARE(rec.Version.str(), std::string("Orvanta 1.6"));
    QCOMPARE(rec.FRV_Parameter, 1);
    // The demo passwords are stored scrambled.
    QCOMPARE(plainPassword(rec, "Passwort_1"), std::string("berater"));
    QCOMPARE(plainPassword(rec, "Passwort_2"), std::string("vertrieb"));
    QCOMPARE(plainPassword(rec, "Passwort_3"), std::string("direktion"));
    QVERIFY(rec.Passwort_1.str() != "berater");

    // A new file has zeros wherever no value was written: unused ranges and
    // the bytes after each text.
    std::vector<bool> written(PlanRecordSize, false);
    for (const auto& f : PlanRecordFields()) {
        for (int i = 0; i < f.Count; ++i) {
            const std::size_t off = f.Offset + i * f.elementSize();
            const std::size_t len = f.Kind == TFieldKind::SString
                                        ? 1 + GetText(rec, f, f.FirstIndex + i).size()
                                        : f.elementSize();
            for (std::size_t b = off; b < off + len; ++b)
                written[b] = true;
        }
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(&rec);
    for (std::size_t b = 0; b < PlanRecordSize; ++b)
        if (!written[b])
            QVERIFY2(bytes[b] == 0, qPrintable(QStringLiteral("byte %1").arg(b)));
}

void TestRecordCommands::makeDumpRoundTrip() {
    const QString json = path("rund.json");
    writeFile(json, R"({
        "Nachname": "Jäger-Öztürk ß €",
        "Performance": [0.30000000000000004, 5e-324, 1.7976931348623157e308, -2.5, 1e-7, 6],
        "Rentenkapital": 100000,
        "AP_Satz_FRV_Tabelle": [1, 1.5, 2],
        "Strategie_Link": ["a", "b", "c", "https://example.org/z"],
        "Passwort_3": {"Klartext": "direktion"},
        "Zugriffsstufe": -2147483648,
        "MitDepotgebuehr": true,
        "Vorname": "\u0000\u0081\u008d\u009d\u007f\"\\\t€"
    })");
    const QString first = path("rund1.Dat");
    QCOMPARE(tool({"make", json, first}).exitCode, 0);
    const Run dump = tool({"dump", first});
    QCOMPARE(dump.exitCode, 0);
    // Every double in its shortest exact form; everyday amounts without exponent.
    QVERIFY(dump.out.contains(
        "\"Performance\": [0.30000000000000004, 5e-324, 1.7976931348623157e+308, -2.5, 1e-07, 6]"));
    QVERIFY(dump.out.contains("\"Rentenkapital\": 100000,"));
    QVERIFY(dump.out.contains("\"Nachname\": \"Jäger-Öztürk ß €\""));
    QVERIFY(dump.out.contains("\"AP_Satz_FRV_Tabelle\": [1, 1.5, 2]"));

    // The dump is a complete source: made again, the file is the same byte for byte.
    const QString again = path("rund.json2");
    writeFile(again, dump.out);
    const QString second = path("rund2.Dat");
    QCOMPARE(tool({"make", again, second}).exitCode, 0);
    QCOMPARE(readFile(second), readFile(first));
    const TPlanRecord rec = readRecord(second);
    QCOMPARE(plainPassword(rec, "Passwort_3"), std::string("direktion"));
    QCOMPARE(rec.AP_Satz_FRV_Tabelle[1], 1.5);
    QCOMPARE(rec.Strategie_Link[3].str(), std::string("https://example.org/z"));
    // Every byte a scrambled password may hold survives the trip.
    QCOMPARE(rec.Vorname.str(), std::string("\0\x81\x8D\x9D\x7F\"\\\t\x80", 9));
}

void TestRecordCommands::wrongUse_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("source"); // JSON written to src.json first
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QString src = path("src.json");
    const QString out = path("out.Dat");
    const QString shortFile = path("kurz.Dat");
    writeFile(shortFile, QByteArray(100, 'x'));
    const QString good = path("good.Dat");
    QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), good}).exitCode, 0);

    QTest::newRow("make without target")
        << QStringList{"make", src} << QByteArray("{}") << 2 << "Aufruf: orvanta-tool make";
    QTest::newRow("make missing source") << QStringList{"make", path("fehlt.json"), out}
                                         << QByteArray() << 1 << "Datei nicht gefunden";
    // make with a source it refuses: exit code 1 and the reason.
    const auto refused = [&](const char* name, const QByteArray& json, const char* message) {
        QTest::newRow(name) << QStringList{"make", src, out} << json << 1
                            << QString::fromUtf8(message);
    };
    refused("make broken JSON", R"({"Laufzeit": )", "keine gültige JSON-Datei");
    refused("make JSON array", "[1]", "JSON-Objekt");
    refused("unknown field", R"({"Kennwort": 1})", "Unbekanntes Feld: Kennwort");
    refused("fraction in int", R"({"Laufzeit": 30.5})", "Feld Laufzeit: ganze Zahl");
    refused("int out of range", R"({"Laufzeit": 2147483648})", "Feld Laufzeit: ganze Zahl");
    refused("text for number", R"({"Sparbetrag": "100"})", "Feld Sparbetrag: Zahl erwartet");
    refused("short array", R"({"Performance": [0, 3, 6, 9, 6]})",
            "Feld Performance: Liste mit 6 Einträgen");
    // Durations and ages the window cannot enter: refused by field name.
    refused("Laufzeit beyond bounds", R"({"Laufzeit": 30000000})",
            "Feld Laufzeit: 30000000 liegt außerhalb des Bereichs 0 bis 99");
    refused("age below bounds", R"({"Eintrittsalter": -1})",
            "Feld Eintrittsalter: -1 liegt außerhalb des Bereichs 0 bis 150");
    refused("withdrawal length beyond bounds", R"({"AuszDauer": 2147483647})",
            "Feld AuszDauer: 2147483647 liegt außerhalb des Bereichs 0 bis 150 oder 999");
    refused("bad element", R"({"BP_Satz_Tabelle": [0.1, true, 0.25]})",
            "Feld BP_Satz_Tabelle[2]: Zahl erwartet");
    refused("password too long",
            R"({"Passwort_2": {"Klartext": ")" + QByteArray(41, 'p') + R"("}})",
            "Feld Passwort_2: Text länger als 40 Zeichen");
    refused("not Windows-1252", R"({"Nachname": "Ω"})",
            "Feld Nachname: Zeichen außerhalb von Windows-1252");
    QTest::newRow("dump missing") << QStringList{"dump", path("fehlt.Dat")} << QByteArray() << 1
                                  << "Datei nicht gefunden";
    QTest::newRow("dump short") << QStringList{"dump", shortFile} << QByteArray() << 1
                                << "Versuch hinter dem Dateiende zu lesen";
    QTest::newRow("dump two files")
        << QStringList{"dump", good, good} << QByteArray() << 2 << "Aufruf: orvanta-tool dump";
    QTest::newRow("password number 4")
        << QStringList{"set-password", "4", "x", good} << QByteArray() << 2 << "1, 2 oder 3";
    QTest::newRow("password number text")
        << QStringList{"set-password", "eins", "x", good} << QByteArray() << 2 << "1, 2 oder 3";
    QTest::newRow("empty password") << QStringList{"set-password", "1", "", good} << QByteArray()
                                    << 2 << "darf nicht leer sein";
    QTest::newRow("password 2 too long") << QStringList{"set-password", "2", QString(41, 'p'), good}
                                         << QByteArray() << 2 << "höchstens 40 Zeichen";
    QTest::newRow("password 1 too long")
        << QStringList{"set-password", "1", QString(256, 'p'), good} << QByteArray() << 2
        << "höchstens 255 Zeichen";
    // The system's errors in German, not in Qt's English.
    QTest::newRow("report into a missing folder")
        << QStringList{"report", good, path("fehlt/x.pdf")} << QByteArray() << 1
        << "konnte nicht geschrieben werden: Den Ordner";
    QTest::newRow("password on short file")
        << QStringList{"set-password", "1", "x", shortFile} << QByteArray() << 1
        << "Versuch hinter dem Dateiende zu lesen";
}

void TestRecordCommands::wrongUse() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, source);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    if (!source.isEmpty())
        writeFile(path("src.json"), source);
    const QByteArray goodBefore = readFile(path("good.Dat"));
    QFile::remove(path("out.Dat"));

    const Run r = tool(args);
    QVERIFY(!r.crashed);
    QCOMPARE(r.exitCode, exitCode);
    const QString err = QString::fromUtf8(r.err);
    QVERIFY2(err.contains(message), qPrintable(err));
    QCOMPARE(err.count('\n'), 1); // one line
    QVERIFY(r.out.isEmpty());
    // Nothing is written on failure.
    QVERIFY(!QFile::exists(path("out.Dat")));
    QCOMPARE(readFile(path("good.Dat")), goodBefore);
}

void TestRecordCommands::failedMakeKeepsTheOldFile() {
    const QString dat = path("alt.Dat");
    QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), dat}).exitCode, 0);
    const QByteArray before = readFile(dat);
    // The target is a directory that cannot be replaced: the old file beside it stays.
    QVERIFY(QDir(dir.path()).mkdir("ordner.Dat"));
    const Run r = tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), path("ordner.Dat")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains("Dateizugriff verweigert"), r.err.constData());
    QCOMPARE(readFile(dat), before);
    // Only the files this test made are there: no temporary file is left behind.
    const QStringList left =
        QDir(dir.path()).entryList({"alt.Dat*", "ordner.Dat*"}, QDir::AllEntries);
    QCOMPARE(left, QStringList({"alt.Dat", "ordner.Dat"}));
}

// A plan the user may not write is read by every command that only reads it
// (calc, csv, dump, report); the writing ones refuse it, in German.
void TestRecordCommands::writeProtectedFiles() {
    const orvanta::testing::TempDir d; // reachable by the unprivileged user
    const QString plan = QString::fromStdString(d.file("ro.Dat"));
    const QString pdf = QString::fromStdString(d.file("ro.pdf"));
    QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), plan}).exitCode, 0);
    writeFile(pdf, "alt");
    for (const QString& f : {plan, pdf})
        QVERIFY(QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                             QFileDevice::ReadOther));
    struct Fall {
        QStringList args;
        int exitCode;
        const char* err;
    };
    const Fall faelle[] = {
        {{"calc", plan}, 0, ""},
        {{"csv", plan, "entnahme"}, 0, ""},
        {{"dump", plan}, 0, ""},
        {{"report", plan, QString::fromStdString(d.file("neu.pdf"))}, 0, ""},
        {{"report", plan, pdf},
         1,
         "konnte nicht geschrieben werden: Die Datei ist schreibgeschützt.\n"},
        {{"set-password", "1", "x", plan}, 1, "ro.Dat: Dateizugriff verweigert\n"},
    };
    const std::string result = orvanta::testing::RunUnprivileged([&] {
        for (const Fall& f : faelle) {
            QString cmd = QStringLiteral("'%1'").arg(orvanta::testing::ToolPath());
            for (const QString& a : f.args)
                cmd += QStringLiteral(" '%1'").arg(a);
            FILE* p = ::popen((cmd + QStringLiteral(" 2>&1 >/dev/null")).toLocal8Bit(), "r");
            std::string err;
            char buf[256];
            while (std::size_t n = std::fread(buf, 1, sizeof buf, p))
                err.append(buf, n);
            const int status = ::pclose(p);
            if (WEXITSTATUS(status) != f.exitCode || !err.ends_with(f.err) ||
                (f.exitCode == 0 && !err.empty()))
                return cmd.toStdString() + ": " + err;
        }
        return std::string();
    });
    QVERIFY2(result.empty(), result.c_str());
    QCOMPARE(readFile(pdf), QByteArray("alt"));
}

void TestRecordCommands::setPassword() {
    const QString dat = path("pw.Dat");
    QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), dat}).exitCode, 0);
    const TPlanRecord before = readRecord(dat);

    const Run r = tool({"set-password", "2", "Geheimnis-Ä", dat});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());
    const TPlanRecord after = readRecord(dat);
    QCOMPARE(plainPassword(after, "Passwort_2"), std::string("Geheimnis-\xC4"));
    // The other fields are untouched, the version text included.
    TPlanRecord expected = before;
    std::memcpy(&expected.Passwort_2, &after.Passwort_2, sizeof after.Passwort_2);
    QVERIFY(std::memcmp(&expected, &after, sizeof after) == 0);
    // Nothing of the old, longer password stays behind the new one.
    for (std::size_t k = after.Passwort_2.Len; k < 40; ++k)
        QCOMPARE(after.Passwort_2.Chars[k], '\0');

    // The full capacity of the first password is usable.
    QCOMPARE(tool({"set-password", "1", QString(255, 'a'), dat}).exitCode, 0);
    QCOMPARE(plainPassword(readRecord(dat), "Passwort_1"), std::string(255, 'a'));
}

void TestRecordCommands::setPasswordFromStandardInput() {
    const QString dat = path("stdin.Dat");
    QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), dat}).exitCode, 0);

    // The first line without its line end; "-" itself is not the password.
    Run r = tool({"set-password", "3", "-", dat}, "Geheim Ä\r\nzweite Zeile\n");
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QCOMPARE(plainPassword(readRecord(dat), "Passwort_3"), std::string("Geheim \xC4"));

    r = tool({"set-password", "2", "-", dat}, "ohne Zeilenende");
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(plainPassword(readRecord(dat), "Passwort_2"), std::string("ohne Zeilenende"));

    // Empty or missing input sets no password and leaves the file as it was.
    const QByteArray before = readFile(dat);
    for (const QByteArray& input : {QByteArray(), QByteArray("\n"), QByteArray("\r\n")}) {
        r = tool({"set-password", "1", "-", dat}, input);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("darf nicht leer sein"), r.err.constData());
    }
    r = tool({"set-password", "2", "-", dat}, QByteArray(41, 'p') + "\n");
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.err.contains("höchstens 40 Zeichen"), r.err.constData());
    QCOMPARE(readFile(dat), before);
}

// dump, then make from its output: the same bytes again.
void dumpAndMakeAgain(const QString& dat, const QString& copy) {
    const Run dump = tool({"dump", dat});
    QCOMPARE(dump.exitCode, 0);
    writeFile(copy + ".json", dump.out);
    const Run make = tool({"make", copy + ".json", copy});
    QVERIFY2(make.exitCode == 0, make.err.constData());
    QCOMPARE(readFile(copy), readFile(dat));
}

void TestRecordCommands::specialNumbersSurviveDumpAndMake() {
    const QString demo = path("demo.Dat");
    QCOMPARE(tool({"make", QStringLiteral(ORVANTA_DEMO_JSON), demo}).exitCode, 0);
    TPlanRecord rec = readRecord(demo);
    rec.Performance[0] = -0.0;
    rec.Rentenkapital = -0.0;
    rec.Performance[5] = std::nan("");
    rec.Kapital[1] = HUGE_VAL;
    rec.Kapital[2] = -HUGE_VAL;
    rec.Kapital[3] = std::bit_cast<double>(std::uint64_t{0xFFF4000000000123u}); // a NaN's payload
    const QString dat = path("besonders.Dat");
    SavePlanRecord(rec, dat.toStdString());

    const Run dump = tool({"dump", dat});
    QCOMPARE(dump.exitCode, 0);
    QVERIFY2(dump.out.contains("\"Performance\": [-0.0, 0, 3, 6, 9, \"NaN\"]"),
             dump.out.constData());
    QVERIFY(dump.out.contains("\"Rentenkapital\": -0.0,"));
    QVERIFY(dump.out.contains("\"Infinity\", \"-Infinity\", \"NaN:fff4000000000123\""));
    dumpAndMakeAgain(dat, path("besonders2.Dat"));
}

void TestRecordCommands::randomFilesSurviveDumpAndMake() {
    // Files with every field random (any bit pattern of the doubles and
    // integers, texts of any bytes and length), the durations and ages within
    // the bounds the calculation accepts, the unused ranges zero.
    std::mt19937_64 zufall(20261209);
    const auto doppelt = [&]() {
        switch (zufall() % 8) {
        case 0:
            return -0.0;
        case 1:
            return std::bit_cast<double>(std::uint64_t{0x7FF0000000000000u} | (zufall() >> 12));
        default:
            return std::bit_cast<double>(zufall());
        }
    };
    for (int k = 0; k < 25; ++k) {
        TPlanRecord rec;
        std::memset(&rec, 0, sizeof rec);
        for (const TPlanRecordField& f : PlanRecordFields()) {
            for (int i = f.FirstIndex; i < f.FirstIndex + f.Count; ++i) {
                switch (f.Kind) {
                case TFieldKind::Int32:
                    SetInt32(rec, f, i, static_cast<std::int32_t>(zufall()));
                    break;
                case TFieldKind::Double:
                    SetDouble(rec, f, i, doppelt());
                    break;
                case TFieldKind::Bool8:
                    SetBool8(rec, f, i, zufall() % 2 == 0);
                    break;
                case TFieldKind::SString: {
                    std::string text(zufall() % (f.Capacity + 1), '\0');
                    for (char& c : text)
                        c = static_cast<char>(zufall());
                    SetText(rec, f, i, text);
                    break;
                }
                }
            }
        }
        rec.Laufzeit = static_cast<std::int32_t>(zufall() % 100);
        rec.Einzahlungsdauer = static_cast<std::int32_t>(zufall() % 100);
        rec.Eintrittsalter = static_cast<std::int32_t>(zufall() % 151);
        rec.AuszBeginn = static_cast<std::int32_t>(zufall() % 151);
        rec.AuszEnde = static_cast<std::int32_t>(zufall() % 151);
        rec.AuszDauer =
            k % 2 ? AuszDauerOhneKapitalverzehr : static_cast<std::int32_t>(zufall() % 151);
        const QString dat = path("zufall.Dat");
        SavePlanRecord(rec, dat.toStdString());
        dumpAndMakeAgain(dat, path("zufall2.Dat"));
        if (QTest::currentTestFailed())
            qWarning("Zufallsdatei %d", k);
        QVERIFY(!QTest::currentTestFailed());
    }
}

void TestRecordCommands::helpAndVersion() {
    for (const char* option : {"--help", "-h"}) {
        const Run r = tool({option});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith("Aufruf:\n"));
        QVERIFY(r.out.contains("orvanta-tool calc DATEI.Dat"));
        QVERIFY(r.err.isEmpty());
    }
    const Run v = tool({"--version"});
    QCOMPARE(v.exitCode, 0);
    QVERIFY2(v.out.startsWith("orvanta-tool 1.6\nBuild "), v.out.constData());
    QCOMPARE(v.out.count('\n'), 2);
    // A wrong call still prints the usage on the error channel and exits with 2.
    const Run falsch = tool({});
    QCOMPARE(falsch.exitCode, 2);
    QVERIFY(falsch.err.startsWith("Aufruf:\n"));
    QVERIFY(falsch.out.isEmpty());
    const Run unbekannt = tool({"--hilfe"});
    QCOMPARE(unbekannt.exitCode, 2);
    QVERIFY(unbekannt.err.startsWith("Unbekannter Befehl: --hilfe\nAufruf:\n"));
}

QTEST_GUILESS_MAIN(TestRecordCommands)
#include "test_recordcommands.moc"
