#pragma once
// Pictures of the main window, drawn here: the images of the two view buttons
// and the two decorative pictures at the right edge of the result area.

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace orvanta {

QIcon ChartButtonIcon();
QIcon TableButtonIcon();
// which = 1 (growth) or 2 (withdrawal years).
QPixmap DecorativePicture(int which, QSize size);

} // namespace orvanta
