#pragma once
// Preview, printing and PDF output of the report set.

#include "reports/reportengine.h"

#include <QString>

class QWidget;

namespace orvanta::reports {

class TReportSet;

// Loads Qt's own German texts (print dialog, preview) once per process.
void InstallGermanQtTranslations();

// Writes the laid-out sheets as an A4 PDF, atomically (an existing file is
// replaced only when the new one is complete). On failure returns false and
// a German message in error.
bool WriteReportPdf(const TLaidOutDocument& doc, const QString& path, QString* error = nullptr,
                    const QString& pictureDir = {});

// Assembles the set and shows it in a modal preview window from which the
// adviser prints or saves a PDF. Blocks until the window closes. An empty set
// shows nothing and returns false.
bool ShowReportPreview(TReportSet& set, QWidget* parent = nullptr);

} // namespace orvanta::reports
