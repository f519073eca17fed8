// Fuzzes the program's own picture decoders (GIF, JPEG through libjpeg, the
// bitmaps of icon files). The first byte chooses the decoder; the rest is
// the file. Any input must end in a picture, in no picture (a null image)
// or in leaving the file to Qt, never in a crash, a hang or undefined
// behaviour; a picture has a size and all of its pixels.
#include "platform/decoders.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    std::optional<QImage> image;
    switch (data[0] % 3) {
    case 0:
        image = decodeGif(bytes);
        break;
    case 1:
        image = decodeJpeg(bytes);
        break;
    default:
        image = decodeIcon(bytes);
        break;
    }
    if (image && !image->isNull()) {
        if (image->width() <= 0 || image->height() <= 0)
            std::abort();
        // Every pixel was written: reading them all is defined (the memory
        // sanitizer's concern) and sums to something.
        quint32 sum = 0;
        for (int y = 0; y < image->height(); ++y)
            for (int x = 0; x < image->width(); ++x)
                sum += image->pixel(x, y);
        (void)sum;
    }
    return 0;
}
