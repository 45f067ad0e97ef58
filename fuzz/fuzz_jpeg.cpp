// The JPEG decoder of the report pictures: any input gives an image or a
// null image, never a crash.

#include "fuzzinput.h"

#include "reports/jpegimage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static orvanta::fuzz::TEingabeDatei datei;
    const QImage image =
        orvanta::reports::ReadJpegImage(QString::fromStdString(datei.Setzen(data, size)));
    if (!image.isNull())
        (void)image.pixel(image.width() - 1, image.height() - 1);
    return 0;
}
