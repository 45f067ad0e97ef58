#pragma once
// The program's command line: "orvanta [DATEI.Dat]", "--help" and "--version".
// Read before any window exists, so that help and version work on a terminal
// without a display.

#include <QString>
#include <QStringList>

namespace orvanta {

struct TAufruf {
    enum class TAktion { Starten, Hilfe, Version, Fehler };
    TAktion Aktion = TAktion::Starten;
    QString Datei;  // the plan file to open; empty: the default one
    QString Fehler; // German message for TAktion::Fehler
};

// args as the process got them, program name first.
TAufruf LeseAufruf(const QStringList& args);

QString HilfeText();
QString VersionText();

// Reads the command line; answers help, version and errors on the terminal,
// otherwise runs the program. Returns the exit code.
int runProgram(int argc, char** argv);

} // namespace orvanta
