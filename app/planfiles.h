#pragma once
// One plan file per customer in the window: the German file dialogs, the
// caption that names the open file, and saving a year table as CSV.

#include "core/csvexport.h"
#include "core/planrecord.h"

#include <QString>

#include <string>

class QWidget;

namespace orvanta {

// The filter of the plan file dialogs.
QString PlanFilter();

// Caption of the main window: the version text, and the name of the plan file
// when the window works on another file than the default one (datei not empty).
QString FensterTitel(const QString& version, const QString& datei);

// The table behind what the preview area shows: the preview table shows the
// withdrawal figures; the chart the phase it draws.
CsvTabelle VorschauTabelle(const TPlanRecord& rec);

// Suggested file name of a table, from the customer's name ("Mustermann
// Einzahlungsphase.csv"); characters a file name cannot carry are left out.
QString CsvVorschlag(const TPlanRecord& rec, CsvTabelle tabelle);

// German file dialogs (Qt's own, so that they are German whatever the
// desktop); an empty result means cancelled. The save dialogs add the
// suffix when the name has none.
QString WaehlePlanZumOeffnen(QWidget* parent, const QString& verzeichnis);
QString WaehlePlanZumSpeichern(QWidget* parent, const QString& verzeichnis,
                               const QString& titel = QStringLiteral("Plan speichern unter"));
QString WaehleCsvDatei(QWidget* parent, const QString& vorschlag);

// A new plan file from the delivered defaults (Orvan.Dat in vorlagenOrdner),
// readable by its owner only. An existing file is refused and left alone.
void LegePlanAn(const QString& datei, const QString& vorlagenOrdner);

// Writes bytes to path through a temporary file in the same folder, so that a
// failure leaves an earlier file whole. Throws EInOutError with a German text.
void SchreibeDatei(const QString& path, const std::string& bytes);

} // namespace orvanta
