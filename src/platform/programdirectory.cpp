#include "programdirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString programDirectory()
{
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString canonical = executable.canonicalFilePath();
    return QFileInfo(canonical.isEmpty() ? executable.absoluteFilePath() : canonical)
        .absolutePath();
}

QString pathIn(const QString& directory, const QString& fileName)
{
    return QDir::cleanPath(directory + QLatin1Char('/') + fileName);
}
