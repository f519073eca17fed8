// The first image of a GIF file: its blocks, then its LZW data.
#include "decoders.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace {

// The bytes of the file, read front to back; every read checks that the
// bytes are there.
class Bytes
{
public:
    explicit Bytes(const QByteArray& bytes)
        : p_(reinterpret_cast<const uchar*>(bytes.constData())), end_(p_ + bytes.size())
    {
    }
    // The next n bytes, or nullptr when fewer are left; take() moves past
    // them.
    const uchar* peek(qsizetype n) const { return end_ - p_ >= n ? p_ : nullptr; }
    const uchar* take(qsizetype n)
    {
        const uchar* at = peek(n);
        if (at)
            p_ += n;
        return at;
    }
    // The data of a run of sub-blocks, up to its empty block; false when the
    // file ends first.
    bool subBlocks(std::vector<uchar>* data)
    {
        for (;;) {
            const uchar* size = take(1);
            if (!size)
                return false;
            if (*size == 0)
                return true;
            const uchar* block = take(*size);
            if (!block)
                return false;
            if (data)
                data->insert(data->end(), block, block + *size);
        }
    }

private:
    const uchar* p_;
    const uchar* end_;
};

int word(const uchar* p)
{
    return p[0] | p[1] << 8;
}

using Palette = std::array<QRgb, 256>;

// A colour table of 2 << (flags & 7) entries; every index past it, and the
// transparent one, is transparent.
bool readPalette(Bytes& in, uchar flags, Palette* palette)
{
    palette->fill(0);
    if (!(flags & 0x80))
        return true;
    const int entries = 2 << (flags & 7);
    const uchar* rgb = in.take(3 * entries);
    if (!rgb)
        return false;
    for (int i = 0; i < entries; ++i, rgb += 3)
        (*palette)[size_t(i)] = qRgb(rgb[0], rgb[1], rgb[2]);
    return true;
}

// Variable-length LZW as GIF uses it. Fills `out` with colour indexes and
// returns how many it filled (fewer when the data ends early), or -1 on a
// code the data cannot have.
qsizetype decompress(const std::vector<uchar>& data, int minimumCodeSize, std::vector<uchar>& out)
{
    constexpr int kCodes = 4096;
    const int clear = 1 << minimumCodeSize;
    const int end = clear + 1;
    // Each code stands for a string: its last index, the code of the rest,
    // its first index and its length. The strings are written back to
    // front straight into the output.
    std::array<uchar, kCodes> last, first;
    std::array<uint16_t, kCodes> rest, length;
    for (int c = 0; c < clear; ++c) {
        last[size_t(c)] = first[size_t(c)] = uchar(c);
        length[size_t(c)] = 1;
    }
    int codeSize = minimumCodeSize + 1;
    int next = end + 1;
    int previous = -1;
    uint32_t bits = 0;
    int bitCount = 0;
    size_t in = 0, written = 0;
    const size_t total = out.size();
    while (written < total) {
        while (bitCount < codeSize) {
            if (in == data.size())
                return qsizetype(written);
            bits |= uint32_t(data[in++]) << bitCount;
            bitCount += 8;
        }
        const int code = int(bits & ((1u << codeSize) - 1));
        bits >>= codeSize;
        bitCount -= codeSize;
        if (code == clear) {
            codeSize = minimumCodeSize + 1;
            next = end + 1;
            previous = -1;
            continue;
        }
        if (code == end)
            break;
        if (previous < 0) {
            if (code > clear)
                return -1; // the first code after a clear is a single index
        } else if (code > next || (code == next && next == kCodes)) {
            return -1;
        } else if (next < kCodes) {
            // The previous string and the first index of this one (of the
            // previous one, for the code being defined right now).
            const size_t n = size_t(next);
            rest[n] = uint16_t(previous);
            first[n] = first[size_t(previous)];
            last[n] = code == next ? first[size_t(previous)] : first[size_t(code)];
            length[n] = uint16_t(length[size_t(previous)] + 1);
            ++next;
            if (next == 1 << codeSize && codeSize < 12)
                ++codeSize;
        }
        // Back to front; whatever lies past the image is dropped.
        const size_t n = length[size_t(code)];
        const size_t past = written + n > total ? written + n - total : 0;
        int c = code;
        for (size_t i = 0; i < past; ++i)
            c = rest[size_t(c)];
        uchar* const start = out.data() + written;
        for (uchar* at = start + (n - past); at != start; c = rest[size_t(c)])
            *--at = last[size_t(c)];
        written += n;
        previous = code;
    }
    return qsizetype(std::min(written, total));
}

} // namespace

QImage decodeGif(const QByteArray& bytes)
{
    Bytes in(bytes);
    const uchar* header = in.take(13);
    if (!header || (std::memcmp(header, "GIF87a", 6) != 0 && std::memcmp(header, "GIF89a", 6) != 0))
        return {};
    const int width = word(header + 6), height = word(header + 8);
    const uchar screenFlags = header[10], background = header[11];
    if (width == 0 || height == 0 || !withinAllocationLimit(width, height, 4))
        return {};
    Palette global;
    if (!readPalette(in, screenFlags, &global))
        return {};

    int transparent = -1; // from the graphic control extension before the image
    for (;;) {
        const uchar* kind = in.take(1);
        if (!kind)
            return {};
        if (*kind == 0x21) {
            const uchar* label = in.take(1);
            if (!label)
                return {};
            const uchar* control = in.peek(5);
            if (*label == 0xF9 && control && control[0] == 4)
                transparent = control[1] & 1 ? control[4] : -1;
            if (!in.subBlocks(nullptr))
                return {};
            continue;
        }
        if (*kind != 0x2C)
            return {}; // the trailer before any image, or no block at all
        break;
    }

    const uchar* descriptor = in.take(9);
    if (!descriptor)
        return {};
    const int left = word(descriptor), top = word(descriptor + 2);
    const int frameWidth = word(descriptor + 4), frameHeight = word(descriptor + 6);
    const uchar frameFlags = descriptor[8];
    Palette local;
    if (!readPalette(in, frameFlags, &local))
        return {};
    const Palette& palette = frameFlags & 0x80 ? local : global;
    const uchar* codeSize = in.take(1);
    if (!codeSize || *codeSize < 1 || *codeSize > 11)
        return {};
    std::vector<uchar> data;
    if (!in.subBlocks(&data))
        return {};
    if (!withinAllocationLimit(frameWidth, frameHeight, 1))
        return {};

    std::vector<uchar> indexes(size_t(frameWidth) * size_t(frameHeight));
    const qsizetype decoded = decompress(data, *codeSize, indexes);
    if (decoded < 0)
        return {};

    QImage image(width, height, QImage::Format_ARGB32);
    if (image.isNull())
        return {};
    // Where the image does not reach: the background, or transparent.
    const bool covered = left == 0 && top == 0 && frameWidth >= width && frameHeight >= height &&
                         decoded == qsizetype(indexes.size());
    if (!covered)
        image.fill(transparent >= 0 || !(screenFlags & 0x80) ? QRgb(0) : global[background]);

    Palette colours = palette;
    if (transparent >= 0)
        colours[size_t(transparent)] = 0;
    // Interlaced images hold every 8th row from 0, every 8th from 4, every
    // 4th from 2, then every 2nd from 1.
    std::vector<int> rows;
    rows.reserve(size_t(frameHeight));
    if (frameFlags & 0x40) {
        const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = starts[pass]; y < frameHeight; y += steps[pass])
                rows.push_back(y);
    } else {
        for (int y = 0; y < frameHeight; ++y)
            rows.push_back(y);
    }
    const int columns = left < width ? std::min(frameWidth, width - left) : 0;
    QRgb opaque = 0xff000000; // the alpha of every pixel drawn, and-ed
    for (int row = 0; columns > 0 && row < frameHeight; ++row) {
        const qsizetype available = decoded - qsizetype(row) * frameWidth;
        const int y = top + rows[size_t(row)];
        if (available <= 0)
            break;
        if (y >= height)
            continue;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y)) + left;
        const uchar* index = indexes.data() + size_t(row) * size_t(frameWidth);
        for (int x = 0, n = int(std::min<qsizetype>(columns, available)); x < n; ++x)
            opaque &= line[x] = colours[index[x]];
    }
    // Said to be opaque, so that no one looks for transparent pixels again.
    if (covered && qAlpha(opaque) == 255)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}
