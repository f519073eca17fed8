#include "fileaccesslog.h"

#include "runtimeerror.h"

#include <QFile>
#include <QFileInfo>

namespace {
QStringList& entries()
{
    static QStringList list;
    return list;
}
} // namespace

void FileAccessLog::record(const QString& path)
{
    entries().append(path);
}

QStringList FileAccessLog::opened()
{
    return entries();
}

void FileAccessLog::clear()
{
    entries().clear();
}

void openForReading(QFile& file, const QString& path)
{
    file.setFileName(path);
    FileAccessLog::record(path);
    if (file.open(QIODevice::ReadOnly))
        return;
    // Why it failed is asked only when it did.
    const QFileInfo info(path);
    if (!info.exists())
        throw RuntimeError(ErrorNumber::FileNotFound, path);
    if (info.isDir())
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    throw RuntimeError(ErrorNumber::PermissionDenied, path);
}
