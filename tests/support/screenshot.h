#pragma once
// Pictures of windows for looking at (tools/screenshots.sh): saved only when
// ORVANTA_SCREENSHOT_DIR names a folder, otherwise nothing happens, so that
// a test calls these freely.

#include <QImage>
#include <QString>

class QWidget;

namespace orvanta::testing {

// The window as a picture named name (".png" is added when missing) (a chart lays itself out in the
// event loop first). A picture that cannot be saved fails the test.
void Screenshot(QWidget* window, const QString& name);

// An image the test has made itself (several windows side by side).
void Screenshot(const QImage& image, const QString& name);

// Two pictures next to each other, for comparing two states of a window.
QImage SideBySide(const QImage& left, const QImage& right);

} // namespace orvanta::testing
