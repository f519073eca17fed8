#include "picture.h"

#include "fileaccesslog.h"
#include "decoders.h"
#include "runtimeerror.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

namespace {
// The kind of picture, told from its first bytes. Anything else is left to
// Qt's image plugins to recognise.
QByteArray sniffFormat(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return "jpeg";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "gif";
    if (bytes.startsWith(QByteArray("\x00\x00\x01\x00", 4)))
        return "ico";
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return "png";
    if (bytes.startsWith("BM"))
        return "bmp";
    return {};
}

// The decoders show what they can of a truncated JPEG or GIF without an
// error; such a file is not a readable picture. A complete JPEG ends with
// its end-of-image marker and a complete GIF with its trailer byte (padding
// after them is allowed).
bool isComplete(const QByteArray& format, const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && (bytes[end - 1] == '\0' || bytes[end - 1] == '\n' ||
                       bytes[end - 1] == '\r' || bytes[end - 1] == ' '))
        --end;
    if (format == "jpeg" || format == "jpg")
        return end >= 2 && bytes[end - 2] == '\xFF' && bytes[end - 1] == '\xD9';
    if (format == "gif")
        return end >= 1 && bytes[end - 1] == '\x3B';
    return true;
}

QPixmap readPicture(const QString& path)
{
    QFile file;
    openForReading(file, path);

    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    QImage image = pictureFromBytes(bytes);
    if (image.isNull())
        throw RuntimeError(ErrorNumber::InvalidPicture, path);
    return QPixmap::fromImage(std::move(image)); // converted in place, not copied
}
} // namespace

// The program's own kinds of picture are decoded here (see decoders.h),
// any other by Qt's image plugins.
QImage pictureFromBytes(QByteArray bytes)
{
    const QByteArray sniffed = sniffFormat(bytes);
    QByteArray format = sniffed;
    std::optional<QImage> image;
    if (sniffed == "gif")
        image = decodeGif(bytes);
    else if (sniffed == "jpeg")
        image = decodeJpeg(bytes);
    else if (sniffed == "ico")
        image = decodeIcon(bytes);
    if (!image) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, sniffed);
        reader.setDecideFormatFromContent(sniffed.isEmpty());
        reader.setAutoTransform(false);
        format = reader.format();
        image = reader.read();
    }
    if (image->isNull() || !isComplete(format, bytes))
        return {};
    return std::move(*image);
}

bool highDensityScreen()
{
    return qGuiApp && qGuiApp->devicePixelRatio() > 1.0;
}

QString highDensityName(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype at = dot > slash ? dot : path.size();
    return path.left(at) + QLatin1String("@2x") + path.mid(at);
}

// On a high-density screen the twin drawn at twice the size is read in
// place of the file where there is one; it carries a device pixel ratio of
// 2, so it is shown at the same size in logical pixels, only sharper. On
// an ordinary screen the twin is not even looked for.
QPixmap loadPicture(const QString& path)
{
    if (highDensityScreen() && QFileInfo::exists(highDensityName(path)))
        return loadHighDensityTwin(path);
    return readPicture(path);
}

QPixmap loadHighDensityTwin(const QString& path)
{
    QPixmap picture = readPicture(highDensityName(path));
    picture.setDevicePixelRatio(2.0);
    return picture;
}
