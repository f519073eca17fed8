#include "fileaccesslog.h"

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

int FileAccessLog::count(const QString& fileName)
{
    int n = 0;
    for (const QString& path : entries())
        if (QFileInfo(path).fileName() == fileName)
            ++n;
    return n;
}

void FileAccessLog::clear()
{
    entries().clear();
}
