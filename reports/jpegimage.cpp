#include "reports/jpegimage.h"

#include "core/osfile.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <vector>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

namespace orvanta::reports {

namespace {

// libjpeg's default error handler calls exit(); ours jumps back instead.
struct TJpegError {
    jpeg_error_mgr Mgr;
    std::jmp_buf Jump;
};

[[noreturn]] void onJpegError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<TJpegError*>(cinfo->err);
    std::longjmp(err->Jump, 1);
}

void onJpegMessage(j_common_ptr) {} // warnings of damaged files are not shown

constexpr qint64 MaxPixels = 40'000'000;

} // namespace

QImage ReadJpegImage(const QString& path) {
    // Without waiting on what is no regular file (a FIFO would block the print).
#ifdef Q_OS_WIN
    const std::string systemPath = path.toUtf8().toStdString();
#else
    const std::string systemPath = QFile::encodeName(path).toStdString();
#endif
    std::string bytes;
    int readError = 0;
    if (!os::ReadWholeFile(systemPath, bytes, readError) || bytes.empty())
        return {};
    const QByteArray data = QByteArray::fromStdString(bytes);

    jpeg_decompress_struct cinfo{};
    TJpegError err{};
    cinfo.err = jpeg_std_error(&err.Mgr);
    err.Mgr.error_exit = onJpegError;
    err.Mgr.output_message = onJpegMessage;

    // What changes between setjmp and a possible longjmp lives on the heap,
    // reached through a volatile pointer, so the jump leaves it well defined.
    struct TState {
        QImage Image;
        std::vector<unsigned char> Row;
    };
    TState* volatile state = new TState;
    if (setjmp(err.Jump)) {
        jpeg_destroy_decompress(&cinfo);
        delete state;
        return {};
    }
    QImage* const result = &state->Image;
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);

    const int w = static_cast<int>(cinfo.output_width);
    const int h = static_cast<int>(cinfo.output_height);
    const int comps = cinfo.output_components;
    // A damaged file may declare up to 65500 x 65500 pixels in a few bytes:
    // the pictures of the report are small, so such a file is refused rather
    // than gigabytes allocated and decoded.
    if (static_cast<qint64>(w) * h > MaxPixels) {
        jpeg_destroy_decompress(&cinfo);
        delete state;
        return {};
    }
    *result = QImage(w, h, QImage::Format_RGB32);
    if (result->isNull()) { // too large to allocate
        jpeg_destroy_decompress(&cinfo);
        delete state;
        return {};
    }
    std::vector<unsigned char>& row = state->Row;
    row.resize(static_cast<size_t>(w) * comps);
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        auto* out = reinterpret_cast<QRgb*>(result->scanLine(y));
        const unsigned char* in = row.data();
        for (int x = 0; x < w; ++x, in += comps) {
            if (comps == 4) {
                // Adobe writes inverted CMYK; that is what JPEG files hold.
                const int k = in[3];
                out[x] = qRgb(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
            } else if (comps == 3) {
                out[x] = qRgb(in[0], in[1], in[2]);
            } else {
                out[x] = qRgb(in[0], in[0], in[0]);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    QImage image = std::move(*result);
    delete state;
    return image;
}

} // namespace orvanta::reports
