#include "picture.h"

#include "fileaccesslog.h"
#include "runtimeerror.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>

namespace {
// The kind of picture, told from its first bytes. Naming it to the reader
// spares asking every image plugin of the system whether it can read the
// file (which loads them all, and their libraries, at start-up). Anything
// else is left to the plugins to recognise.
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

QPixmap decodePicture(const QString& path)
{
    QFile file;
    openForReading(file, path);

    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray sniffed = sniffFormat(bytes);
    QImageReader reader(&buffer, sniffed);
    reader.setDecideFormatFromContent(sniffed.isEmpty());
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    QImage image = reader.read();
    if (image.isNull() || !isComplete(format, bytes))
        throw RuntimeError(ErrorNumber::InvalidPicture, path);
    return QPixmap::fromImage(std::move(image)); // converted in place, not copied
}
} // namespace

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
    return decodePicture(path);
}

QPixmap loadHighDensityTwin(const QString& path)
{
    QPixmap picture = decodePicture(highDensityName(path));
    picture.setDevicePixelRatio(2.0);
    return picture;
}
