#include "app/commandline.h"

#include "app/application.h"
#include "app/orvantaapplication.h"
#include "core/version.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace orvanta {

namespace {

void schreibe(std::FILE* f, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), f);
}

} // namespace

TAufruf LeseAufruf(const QStringList& args) {
    // Qt's own help and version options answer in English; these are German.
    QCommandLineParser parser;
    const QCommandLineOption hilfe({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(hilfe);
    parser.addOption(version);
    parser.addPositionalArgument(QStringLiteral("DATEI.Dat"), QString());

    TAufruf a;
    if (!parser.parse(args)) {
        a.Aktion = TAufruf::TAktion::Fehler;
        const QStringList unbekannt = parser.unknownOptionNames();
        a.Fehler = unbekannt.isEmpty()
                       ? QStringLiteral("Ungültiger Aufruf.")
                       : QStringLiteral("Unbekannte Option: %1").arg(unbekannt.first());
        return a;
    }
    if (parser.isSet(hilfe)) {
        a.Aktion = TAufruf::TAktion::Hilfe;
        return a;
    }
    if (parser.isSet(version)) {
        a.Aktion = TAufruf::TAktion::Version;
        return a;
    }
    const QStringList dateien = parser.positionalArguments();
    if (dateien.size() > 1) {
        a.Aktion = TAufruf::TAktion::Fehler;
        a.Fehler = QStringLiteral("Bitte nur eine Plandatei angeben.");
        return a;
    }
    if (!dateien.isEmpty())
        a.Datei = dateien.first();
    return a;
}

QString HilfeText() {
    return QStringLiteral(
        "Aufruf: orvanta [OPTION] [DATEI.Dat]\n"
        "\n"
        "Beratungsrechner für den Fondsplan VALMERA 47.\n"
        "\n"
        "Ohne DATEI.Dat öffnet Orvanta den Plan Orvan.Dat im Datenordner\n"
        "(~/.local/share/orvanta; beim Start aus dem Build-Ordner der Programmordner).\n"
        "Mit DATEI.Dat wird dieser Plan geöffnet und jede Änderung dort gespeichert.\n"
        "\n"
        "Optionen:\n"
        "  -h, --help      zeigt diese Hilfe\n"
        "  -v, --version   zeigt die Version\n");
}

QString VersionText() {
    return QString::fromUtf8(ProgramVersion) + QLatin1Char('\n');
}

int runProgram(int argc, char** argv) {
    TOrvantaApplication::DeutschOhneRegionaleinstellungen();
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const TAufruf aufruf = LeseAufruf(args);
    switch (aufruf.Aktion) {
    case TAufruf::TAktion::Hilfe:
        schreibe(stdout, HilfeText());
        return 0;
    case TAufruf::TAktion::Version:
        schreibe(stdout, VersionText());
        return 0;
    case TAufruf::TAktion::Fehler:
        schreibe(stderr, aufruf.Fehler + QStringLiteral("\n\n") + HilfeText());
        return 2;
    case TAufruf::TAktion::Starten:
        break;
    }
    provideHome();
    TProgrammStart start;
    // Absolute before the working directory may change below.
    if (!aufruf.Datei.isEmpty())
        start.Datei = QFileInfo(aufruf.Datei).absoluteFilePath();
    start.Ort = findDataLocation();
    start.Meldung = provideUserData(start.Ort);
    start.Hinweis = retireEarlierCopies(start.Ort);
    // The FRV files and the linked document are opened by their bare names
    // from the working directory: installed, that is the installation's
    // folder, so that its files are the ones read.
    if (start.Ort.perUser && QFileInfo(start.Ort.documentsDir).isDir())
        QDir::setCurrent(start.Ort.documentsDir);
    return runApplication(argc, argv, start);
}

} // namespace orvanta
