// The first image of a GIF file, decoded by giflib and drawn onto the
// file's logical screen.
//
// giflib is read line by line rather than through DGifSlurp: DGifSlurp
// reads every image of the file and allocates each image's pixels before
// anything can look at its size (400 MB for a 40-byte file naming a frame
// of 20000 x 20000), while a line at a time the size is checked first and
// the image drawn straight onto the screen.
#include "decoders.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The bytes giflib has not read yet.
struct Unread
{
    const char* at;
    qsizetype size;
};

int readBytes(GifFileType* gif, GifByteType* to, int wanted)
{
    auto* unread = static_cast<Unread*>(gif->UserData);
    const int n = int(std::min<qsizetype>(wanted, unread->size));
    std::memcpy(to, unread->at, size_t(n));
    unread->at += n;
    unread->size -= n;
    return n;
}

struct CloseGif
{
    void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

using Palette = std::array<QRgb, 256>;

// A colour table's colours; every index past its end is transparent, and
// so is every index of a file without the table.
Palette paletteOf(const ColorMapObject* table)
{
    Palette palette{};
    for (int i = 0; table && i < std::min(table->ColorCount, 256); ++i) {
        const GifColorType& c = table->Colors[i];
        palette[size_t(i)] = qRgb(c.Red, c.Green, c.Blue);
    }
    return palette;
}

// The transparent colour of the first image, from the graphic control
// extension before it (the last one, if there are several), or -1; false
// when the file ends or breaks before the image.
bool skipToImage(GifFileType* gif, int* transparent)
{
    for (;;) {
        GifRecordType record;
        if (DGifGetRecordType(gif, &record) == GIF_ERROR)
            return false;
        if (record == IMAGE_DESC_RECORD_TYPE)
            return true;
        if (record != EXTENSION_RECORD_TYPE)
            return false; // the trailer before any image
        int kind;
        GifByteType* block; // its length, then its bytes
        if (DGifGetExtension(gif, &kind, &block) == GIF_ERROR)
            return false;
        GraphicsControlBlock control;
        if (kind == GRAPHICS_EXT_FUNC_CODE && block &&
            DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            *transparent = control.TransparentColor;
        while (block)
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                return false;
    }
}

} // namespace

QImage decodeGif(const QByteArray& bytes)
{
    if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a"))
        return {};
    Unread unread{bytes.constData(), bytes.size()};
    const std::unique_ptr<GifFileType, CloseGif> gif(DGifOpen(&unread, readBytes, nullptr));
    if (!gif)
        return {};
    const int width = gif->SWidth, height = gif->SHeight;
    if (width <= 0 || height <= 0 || !withinAllocationLimit(width, height, 4))
        return {};
    int transparent = NO_TRANSPARENT_COLOR;
    if (!skipToImage(gif.get(), &transparent) || DGifGetImageDesc(gif.get()) == GIF_ERROR)
        return {};
    const GifImageDesc frame = gif->Image;
    // Decoding costs time in proportion to the image's pixels, wherever it
    // lies on the screen.
    if (frame.Width <= 0 || frame.Height <= 0 || !withinAllocationLimit(frame.Width, frame.Height, 1))
        return {};

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    // Where the image does not reach: the background, or transparent.
    const bool covered = frame.Left == 0 && frame.Top == 0 && frame.Width >= width && frame.Height >= height;
    if (!covered)
        image.fill(transparent >= 0 ? QRgb(0) : paletteOf(gif->SColorMap)[size_t(gif->SBackGroundColor)]);

    Palette colours = paletteOf(frame.ColorMap ? frame.ColorMap : gif->SColorMap);
    if (transparent >= 0)
        colours[size_t(transparent)] = 0;
    // Interlaced images hold every 8th row from 0, every 8th from 4, every
    // 4th from 2, then every 2nd from 1; giflib hands them over in that order.
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    const int passes = frame.Interlace ? 4 : 1;
    const int columns = std::max(0, std::min(frame.Width, width - frame.Left));
    std::vector<GifPixelType> indexes(size_t(frame.Width));
    QRgb opaque = 0xff000000; // the alpha of every pixel drawn, and-ed
    for (int pass = 0; pass < passes; ++pass)
        for (int row = frame.Interlace ? starts[pass] : 0; row < frame.Height;
             row += frame.Interlace ? steps[pass] : 1) {
            if (DGifGetLine(gif.get(), indexes.data(), frame.Width) == GIF_ERROR)
                return {};
            if (columns == 0 || frame.Top + row >= height)
                continue;
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(frame.Top + row)) + frame.Left;
            for (int x = 0; x < columns; ++x)
                opaque &= line[x] = colours[indexes[size_t(x)]];
        }
    // Said to be opaque, so that no one looks for transparent pixels again.
    if (covered && qAlpha(opaque) == 255)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}
