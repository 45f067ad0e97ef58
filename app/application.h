#pragma once

#include "platform/datalocation.h"

#include <QString>

namespace orvanta {

struct TProgrammStart {
    DataLocation Ort; // where Orvan.Dat and the delivered files lie
    QString Datei;    // plan file from the command line (absolute); empty: Orvan.Dat
    QString Meldung;  // what went wrong while preparing the user's data folder
    QString Hinweis;  // what the user is told once about files left from an earlier version
};

// A start on a plan file that does not exist: offers to create it from the
// delivered defaults (in vorlagenOrdner) or to end. True when the file is
// there now; false when the user ends (nothing is left behind) or creating
// it failed (the reason has been shown).
bool FehlendenPlanAnbieten(const QString& datei, const QString& vorlagenOrdner);

// Runs the program: creates the windows and the message loop. Returns the exit code.
int runApplication(int argc, char** argv, const TProgrammStart& start);

} // namespace orvanta
