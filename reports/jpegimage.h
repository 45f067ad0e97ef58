#pragma once
// JPEG pictures of the report pages, decoded with libjpeg.

#include <QImage>
#include <QString>

namespace orvanta::reports {

// Decodes a baseline or progressive JPEG file (greyscale, RGB or CMYK).
// Returns a null image when the file is missing, unreadable or corrupt: a
// picture that cannot be read leaves its place empty and never stops a print.
QImage ReadJpegImage(const QString& path);

} // namespace orvanta::reports
