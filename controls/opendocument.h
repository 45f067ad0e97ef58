#pragma once
// Opening a document or web address in the user's default application, and
// the targets of the three links of the main window. The result of the
// opening is not evaluated and nothing waits for the opened application.

#include "core/planrecord.h"

#include <QString>
#include <QUrl>

#include <string>

namespace orvanta {

// The delivered background document, opened by its bare name from the
// current working directory.
inline constexpr char FazDocument[] = "FAZ 30_05_06.pdf";

// Target of link 1..3 (UTF-8): 1 the performance page of the chosen strategy
// depot (Strategie_Link[Anlagestrategie]), 2 the sales documentation, 3 the
// delivered document. An Anlagestrategie outside 1..4, or another link
// number, throws ERangeError ("Fehler bei Bereichsprüfung").
std::string LinkTarget(const TPlanRecord& rec, int link);

// What a target text opens: a web address (a scheme such as "https:",
// "mailto:" or "file:", or a name beginning with "www.") as it stands; any
// other text as a local file, a relative name taken from workingDir. An empty
// target opens nothing (an invalid QUrl).
QUrl DocumentUrl(const QString& target, const QString& workingDir);

// Opens target with the current working directory of the process, through
// QDesktopServices::openUrl (a handler set with setUrlHandler, as the tests
// set one so that nothing is launched, takes the URL instead).
void OpenDocument(const QString& target);
void OpenDocument(const std::string& targetUtf8);

} // namespace orvanta
