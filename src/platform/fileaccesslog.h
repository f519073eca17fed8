#pragma once

#include <QString>
#include <QStringList>

class QFile;

// Opens a file for reading and records it in the log. A file that cannot
// be opened raises the run-time error that says why: File not found,
// Path/File access error (a directory in its place) or Permission denied.
void openForReading(QFile& file, const QString& path);

// Records every file the program opens for reading. Tests use it to check
// the work done: which files a set-up reads and how often, that a show
// reads none, that a second instance reads nothing at all.
class FileAccessLog
{
public:
    static void record(const QString& path);
    static QStringList opened();
    static void clear();
};
