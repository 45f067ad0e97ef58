#pragma once
// Preview, printing and PDF output of the report set.

#include "reports/reportengine.h"

#include <QDate>
#include <QString>

class QPrinter;
class QWidget;

namespace orvanta::reports {

class TReportPainter;
class TReportSet;

// Loads Qt's own German texts (print dialog, preview) once per process.
void InstallGermanQtTranslations();

// Dots per inch of the PDF, whose metrics the texts are fitted with.
inline constexpr int PdfAufloesung = 1200;

// Writes the laid-out sheets as an A4 PDF, atomically (an existing file is
// replaced only when the new one is complete). On failure returns false and
// a German message in error.
bool WriteReportPdf(const TLaidOutDocument& doc, const QString& path, QString* error = nullptr,
                    const QString& pictureDir = {});

// File name suggested for a saved set: "VALMERA 47 Nachname Vorname
// JJJJ-MM-TT.pdf", so that one customer's set does not overwrite another's.
// Characters a file name cannot hold become "_"; empty names are left out.
QString SuggestedPdfFileName(const QString& nachname, const QString& vorname, const QDate& date);

// Folder in which a set is saved: the folder the user last saved one in
// during this run, else the start folder set below, else the documents folder, else the home
// folder; always one that exists.
QString PdfSaveFolder();
// The folder offered before the documents folder while none was saved in
// during this run (the open plan's folder); empty: none.
void SetPdfStartFolder(const QString& folder);
void RememberPdfSaveFolder(const QString& filePath);

// Why a file could not be written to path, in German: the folder missing or
// read-only, no permission, the disk full, else the system's error err (an
// errno value, 0 when unknown) in words.
QString WriteProblem(const QString& path, int err);

// Prints the sheets after the print dialog, on A4 or, where the printer has
// none, reduced onto its paper with a note; says why when printing failed.
// The preview's print action, which leaves the preview open.
void PrintFromPreview(const TLaidOutDocument& doc, QPrinter& printer, TReportPainter& sheets,
                      QWidget* parent);

// Assembles the set and shows it in a modal preview window from which the
// adviser prints (as often as wanted) or saves a PDF. Blocks until the user
// closes the window. An empty set shows nothing and returns false.
bool ShowReportPreview(TReportSet& set, QWidget* parent = nullptr);

} // namespace orvanta::reports
