#include "controls/opendocument.h"

#include "core/cp1252.h"
#include "core/errors.h"

#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

namespace orvanta {

std::string LinkTarget(const TPlanRecord& rec, int link) {
    switch (link) {
    case 1: {
        const std::int32_t k = rec.Anlagestrategie;
        // The strategy comes from the data file: never read outside the four texts.
        if (k < 1 || k > 4)
            throw ERangeError();
        return ShortStringToUtf8(rec.Strategie_Link[k - 1]);
    }
    case 2:
        return ShortStringToUtf8(rec.Verkaufsdoku_Link);
    case 3:
        return FazDocument;
    default:
        throw ERangeError();
    }
}

QUrl DocumentUrl(const QString& target, const QString& workingDir) {
    const QString t = target.trimmed();
    if (t.isEmpty())
        return {};
    // A scheme of two or more letters: "C:\..." is a drive, not a scheme.
    static const QRegularExpression scheme("^[A-Za-z][A-Za-z0-9+.-]+:");
    if (scheme.match(t).hasMatch())
        return QUrl(t, QUrl::TolerantMode);
    if (t.startsWith("www.", Qt::CaseInsensitive))
        return QUrl("http://" + t, QUrl::TolerantMode);
    if (QDir::isAbsolutePath(t))
        return QUrl::fromLocalFile(t);
    return QUrl::fromLocalFile(QDir(workingDir).absoluteFilePath(t));
}

void OpenDocument(const QString& target) {
    const QUrl url = DocumentUrl(target, QDir::currentPath());
    if (!url.isValid())
        return;
    QDesktopServices::openUrl(url); // result deliberately not evaluated
}

void OpenDocument(const std::string& targetUtf8) {
    OpenDocument(QString::fromStdString(targetUtf8));
}

} // namespace orvanta
