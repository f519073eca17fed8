// JPEG through libjpeg, and the bitmaps of icon files; GIF has a file of
// its own.
#include "decoders.h"

#include <QImageReader>
#include <QtEndian>

#include <csetjmp>
#include <cstdio> // jpeglib.h uses FILE and size_t without including them

#include <jpeglib.h>

bool withinAllocationLimit(qint64 width, qint64 height, int bytesPerPixel)
{
    const qint64 limitMiB = QImageReader::allocationLimit();
    return limitMiB <= 0 || width * height * bytesPerPixel <= limitMiB * 1024 * 1024;
}

namespace {

// libjpeg reports an error by calling error_exit, which must not return:
// it jumps back to the reading function, which gives up. Warnings (data
// cut short, which libjpeg pads) are left to the caller's own checks, as
// Qt's reader leaves them.
struct JpegErrors
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void jpegError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

void jpegWarning(j_common_ptr, int) {}

// A function of its own holding nothing that needs destroying, so that the
// jump back skips no destructor. Returns false on an error; leaves `image`
// empty (std::nullopt) for a kind of JPEG left to Qt.
bool readJpeg(jpeg_decompress_struct* info, JpegErrors* errors, const QByteArray& bytes,
              std::optional<QImage>* image)
{
    if (setjmp(errors->jump))
        return false;
    jpeg_create_decompress(info);
#ifdef JCS_ALPHA_EXTENSIONS
    jpeg_mem_src(info, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(info, TRUE);
    const J_COLOR_SPACE space = info->jpeg_color_space;
    if (space != JCS_YCbCr && space != JCS_RGB && space != JCS_GRAYSCALE)
        return true;
    // Before libjpeg allocates anything for the pixels.
    if (!withinAllocationLimit(info->image_width, info->image_height, 4))
        return false;
    // Straight into RGB32's own layout: the word 0xffRRGGBB.
    info->out_color_space = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    jpeg_start_decompress(info);
    image->emplace(int(info->output_width), int(info->output_height), QImage::Format_RGB32);
    if ((*image)->isNull())
        return false;
    while (info->output_scanline < info->output_height) {
        JSAMPROW row = (*image)->scanLine(int(info->output_scanline));
        jpeg_read_scanlines(info, &row, 1);
    }
    jpeg_finish_decompress(info);
#else
    Q_UNUSED(bytes);
    Q_UNUSED(image);
#endif
    return true;
}

quint32 dword(const uchar* p)
{
    return qFromLittleEndian<quint32>(p);
}

} // namespace

std::optional<QImage> decodeJpeg(const QByteArray& bytes)
{
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jpegError;
    errors.manager.emit_message = jpegWarning;
    std::optional<QImage> image;
    const bool read = readJpeg(&info, &errors, bytes, &image);
    jpeg_destroy_decompress(&info);
    if (!read)
        return QImage();
    return image;
}

std::optional<QImage> decodeIcon(const QByteArray& bytes)
{
    // The directory (reserved, type, count) and its first entry: width,
    // height, colours, reserved, planes or hot spot, bits or hot spot, the
    // image's length and offset.
    const auto* file = reinterpret_cast<const uchar*>(bytes.constData());
    const qint64 size = bytes.size();
    if (size < 6 + 16 || qFromLittleEndian<quint16>(file + 4) == 0)
        return QImage();
    const qint64 length = dword(file + 6 + 8), offset = dword(file + 6 + 12);
    if (offset > size || length > size - offset)
        return QImage();
    const uchar* bitmap = file + offset;
    if (length >= 8 && QByteArray::fromRawData(reinterpret_cast<const char*>(bitmap), 8) ==
                            QByteArrayLiteral("\x89PNG\r\n\x1A\n"))
        return std::nullopt;
    // A BITMAPINFOHEADER; its height counts the colour rows and the mask's.
    if (length < 40 || dword(bitmap) != 40)
        return std::nullopt;
    const qint64 width = qint32(dword(bitmap + 4)), doubleHeight = qint32(dword(bitmap + 8));
    const int bits = qFromLittleEndian<quint16>(bitmap + 14);
    if (dword(bitmap + 16) != 0 || bits != 32)
        return std::nullopt;
    const qint64 height = doubleHeight / 2;
    if (width <= 0 || height <= 0 || width > 0xffff || height > 0xffff ||
        !withinAllocationLimit(width, height, 4))
        return QImage();
    // Rows bottom up, the colours with their alpha. A mask of a bit a pixel
    // may follow; Qt does not use the mask of a bitmap with alpha, and
    // neither does this.
    if (length < 40 + width * 4 * height)
        return QImage();
    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull())
        return QImage();
    for (int y = 0; y < height; ++y) {
        const uchar* colour = bitmap + 40 + width * 4 * (height - 1 - y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, colour += 4)
            line[x] = qRgba(colour[2], colour[1], colour[0], colour[3]);
    }
    return image;
}
