#include "tests/support/urlrecorder.h"

#include <QDesktopServices>
#include <QStringList>

namespace orvanta::testing {

namespace {
const QStringList Schemes = {QStringLiteral("file"), QStringLiteral("http"),
                             QStringLiteral("https"), QStringLiteral("mailto"),
                             QStringLiteral("ftp")};
} // namespace

UrlRecorder::UrlRecorder() {
    for (const QString& scheme : Schemes)
        QDesktopServices::setUrlHandler(scheme, this, "open");
}

UrlRecorder::~UrlRecorder() {
    for (const QString& scheme : Schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

} // namespace orvanta::testing
