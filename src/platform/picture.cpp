#include "picture.h"

#include "fileaccesslog.h"
#include "runtimeerror.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>

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

    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    const QImage image = reader.read();
    if (image.isNull())
        throw RuntimeError(ErrorNumber::InvalidPicture, path);
    return QPixmap::fromImage(image);
}
