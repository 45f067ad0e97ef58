// The program's command line, read before any window exists.

#include "app/commandline.h"

#include <QtTest>

using namespace orvanta;

Q_DECLARE_METATYPE(TAufruf::TAktion)

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void aufruf_data();
    void aufruf();
    void texte();
};

void TestCommandLine::aufruf_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<TAufruf::TAktion>("aktion");
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("fehler");

    using A = TAufruf::TAktion;
    QTest::newRow("no argument") << QStringList{"orvanta"} << A::Starten << ""
                                 << "";
    QTest::newRow("plan file") << QStringList{"orvanta", "Kunde Meier.Dat"} << A::Starten
                               << "Kunde Meier.Dat"
                               << "";
    QTest::newRow("--help") << QStringList{"orvanta", "--help"} << A::Hilfe << ""
                            << "";
    QTest::newRow("-h with a file") << QStringList{"orvanta", "x.Dat", "-h"} << A::Hilfe << ""
                                    << "";
    QTest::newRow("--version") << QStringList{"orvanta", "--version"} << A::Version << ""
                               << "";
    QTest::newRow("-v") << QStringList{"orvanta", "-v"} << A::Version << ""
                        << "";
    QTest::newRow("unknown option") << QStringList{"orvanta", "--drucken"} << A::Fehler << ""
                                    << "Unbekannte Option: drucken";
    QTest::newRow("two files") << QStringList{"orvanta", "a.Dat", "b.Dat"} << A::Fehler << ""
                               << "Bitte nur eine Plandatei angeben.";
    // A file whose name begins with a dash, after "--".
    QTest::newRow("file after --")
        << QStringList{"orvanta", "--", "-x.Dat"} << A::Starten << "-x.Dat"
        << "";
}

void TestCommandLine::aufruf() {
    QFETCH(QStringList, args);
    const TAufruf a = LeseAufruf(args);
    QTEST(a.Aktion, "aktion");
    QTEST(a.Datei, "datei");
    QTEST(a.Fehler, "fehler");
}

void TestCommandLine::texte() {
    QCOMPARE(VersionText(), QStringLiteral("Orvanta 1.6\n"));
    const QString hilfe = HilfeText();
    QVERIFY(hilfe.startsWith(QStringLiteral("Aufruf: orvanta [OPTION] [DATEI.Dat]\n")));
    for (const char* option : {"-h, --help", "-v, --version"})
        QVERIFY2(hilfe.contains(QLatin1String(option)), option);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
