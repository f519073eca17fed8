#include "art.h"

#include "gifwriter.h"

#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImageWriter>

#include <cstdio>

ArtOutput& artOutput()
{
    static ArtOutput output;
    return output;
}

void artFailure(const QString& what)
{
    std::fprintf(stderr, "fretquill-art: %s\n", qPrintable(what));
    ++artOutput().failures;
}

QImage render(QSize size, qreal scale, const QColor& fill, const Draw& draw)
{
    const bool opaque = fill.alpha() == 255;
    QImage image(size * scale, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.scale(scale, scale);
    draw(p);
    return image;
}

namespace {

const char* extension(Format format)
{
    switch (format) {
    case Format::Gif:
        return "gif";
    case Format::Jpeg:
        return "jpg";
    case Format::Icon:
        return "ico";
    }
    return "";
}

bool write(const QImage& image, const Picture& picture, const QString& path)
{
    if (picture.format == Format::Gif)
        return writeGif(image, rampPalette(picture.palette), path);
    QImageWriter writer(path, extension(picture.format));
    if (picture.format == Format::Jpeg)
        writer.setQuality(95);
    return writer.write(image);
}

} // namespace

void savePicture(const Picture& picture, const Draw& draw, const QString& dir)
{
    const QDir where(dir.isEmpty() ? artOutput().programDir : dir);
    for (const int scale : {1, 2}) {
        const QString name = QStringLiteral("%1%2.%3").arg(
            picture.stem, scale == 2 ? QStringLiteral("@2x") : QString(),
            QLatin1String(extension(picture.format)));
        const QString path = where.filePath(name);
        if (!write(render(picture.size, scale, picture.fill, draw), picture, path))
            artFailure(QStringLiteral("could not write %1").arg(path));
    }
}

void savePng(const QImage& image, const QString& name)
{
    const QString path = QDir(artOutput().resourceDir).filePath(name);
    if (!image.save(path, "png"))
        artFailure(QStringLiteral("could not write %1").arg(path));
}

void savePixels(const QImage& image, const QString& name)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QString path = QDir(artOutput().resourceDir).filePath(name);
    QFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    for (int y = 0; ok && y < argb.height(); ++y) {
        const auto line = reinterpret_cast<const char*>(argb.constScanLine(y));
        ok = file.write(line, argb.width() * 4) == argb.width() * 4;
    }
    if (!ok || !file.flush())
        artFailure(QStringLiteral("could not write %1").arg(path));
}

QFont artFont(int pixels, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

int fittingPixels(const QStringList& texts, int width, int largest, int smallest, bool bold)
{
    for (int pixels = largest; pixels >= smallest; --pixels) {
        const QFontMetricsF metrics(artFont(pixels, bold));
        bool fits = true;
        for (const QString& text : texts)
            fits = fits && metrics.horizontalAdvance(text) <= width;
        if (fits)
            return pixels;
    }
    artFailure(QStringLiteral("\"%1\" does not fit in %2 px")
                   .arg(texts.join(QStringLiteral("\", \"")))
                   .arg(width));
    return smallest;
}

Draw textDraw(QSize size, const QString& text, int pixels, Qt::Alignment alignment,
              const QColor& colour)
{
    return [=](QPainter& p) {
        p.setFont(artFont(pixels));
        p.setPen(colour);
        p.drawText(QRect(4, 0, size.width() - 8, size.height()), alignment, text);
    };
}
