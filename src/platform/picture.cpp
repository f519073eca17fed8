#include "picture.h"

#include "fileaccesslog.h"
#include "runtimeerror.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

namespace {
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
} // namespace

QPixmap loadPicture(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw RuntimeError(ErrorNumber::FileNotFound, path);
    if (info.isDir())
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);

    QFile file(path);
    FileAccessLog::record(path);
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(ErrorNumber::PermissionDenied, path);

    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    const QImage image = reader.read();
    if (image.isNull() || !isComplete(format, bytes))
        throw RuntimeError(ErrorNumber::InvalidPicture, path);
    return QPixmap::fromImage(image);
}
