#pragma once

#include <QString>

// The directory of the running executable, with symbolic links resolved,
// so that a link in bin/ still finds the lesson files and pictures that
// lie beside the real executable.
QString programDirectory();

// The path of a file in a directory, formed with the platform's separator.
QString pathIn(const QString& directory, const QString& fileName);
