#include "gifwriter.h"

#include <gif_lib.h>

#include <vector>

QVector<QRgb> rampPalette(const QVector<QColor>& keys)
{
    QVector<QRgb> palette;
    for (const QColor& k : keys)
        palette.append(k.rgb());
    const int pairs = static_cast<int>(keys.size() * (keys.size() - 1) / 2);
    const int steps = pairs > 0 ? std::max(1, (256 - static_cast<int>(keys.size())) / pairs) : 0;
    for (int a = 0; a < keys.size(); ++a)
        for (int b = a + 1; b < keys.size(); ++b)
            for (int s = 1; s <= steps && palette.size() < 256; ++s) {
                const double t = double(s) / (steps + 1);
                const QColor& p = keys[a];
                const QColor& q = keys[b];
                palette.append(qRgb(int(p.red() + (q.red() - p.red()) * t + 0.5),
                                    int(p.green() + (q.green() - p.green()) * t + 0.5),
                                    int(p.blue() + (q.blue() - p.blue()) * t + 0.5)));
            }
    return palette;
}

bool writeGif(const QImage& image, const QVector<QRgb>& palette, const QString& path)
{
    const QImage indexed = image.convertToFormat(QImage::Format_RGB32)
                               .convertToFormat(QImage::Format_Indexed8, palette,
                                                Qt::ThresholdDither | Qt::AvoidDither);
    const QVector<QRgb> colours = indexed.colorTable();
    int bits = 1;
    while ((1 << bits) < colours.size())
        ++bits;
    const int mapSize = 1 << bits;

    ColorMapObject* map = GifMakeMapObject(mapSize, nullptr);
    if (!map)
        return false;
    for (int i = 0; i < mapSize; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        map->Colors[i].Red = static_cast<GifByteType>(qRed(c));
        map->Colors[i].Green = static_cast<GifByteType>(qGreen(c));
        map->Colors[i].Blue = static_cast<GifByteType>(qBlue(c));
    }

    int error = 0;
    const QByteArray fileName = path.toLocal8Bit();
    GifFileType* gif = EGifOpenFileName(fileName.constData(), false, &error);
    bool ok = gif != nullptr;
    if (ok)
        ok = EGifPutScreenDesc(gif, indexed.width(), indexed.height(), bits, 0, map) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) ==
                 GIF_OK;
    std::vector<GifPixelType> line(static_cast<size_t>(indexed.width()));
    for (int y = 0; ok && y < indexed.height(); ++y) {
        const uchar* row = indexed.constScanLine(y);
        std::copy(row, row + indexed.width(), line.begin());
        ok = EGifPutLine(gif, line.data(), indexed.width()) == GIF_OK;
    }
    if (gif && EGifCloseFile(gif, &error) != GIF_OK)
        ok = false;
    GifFreeMapObject(map);
    return ok;
}
