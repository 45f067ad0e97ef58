#include "tests/support/screenshot.h"

#include <QDir>
#include <QTest>
#include <QWidget>

namespace orvanta::testing {

namespace {

QString Folder() {
    return qEnvironmentVariable("ORVANTA_SCREENSHOT_DIR");
}

} // namespace

void Screenshot(QWidget* window, const QString& name) {
    if (Folder().isEmpty())
        return;
    QTest::qWait(50);
    Screenshot(window->grab().toImage(), name);
}

void Screenshot(const QImage& image, const QString& name) {
    const QString folder = Folder();
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    QVERIFY2(image.save(file), qPrintable(file));
}

} // namespace orvanta::testing
