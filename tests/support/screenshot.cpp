#include "tests/support/screenshot.h"

#include <QDir>
#include <QPainter>
#include <QTest>
#include <QWidget>

#include <algorithm>

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
    const QString png = QStringLiteral(".png");
    const QString file = QDir(folder).filePath(name.endsWith(png) ? name : name + png);
    QVERIFY2(image.save(file), qPrintable(file));
}

QImage SideBySide(const QImage& left, const QImage& right) {
    QImage both(left.width() + 10 + right.width(), std::max(left.height(), right.height()),
                QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter p(&both);
    p.drawImage(0, 0, left);
    p.drawImage(left.width() + 10, 0, right);
    p.end();
    return both;
}

} // namespace orvanta::testing
