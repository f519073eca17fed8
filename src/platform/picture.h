#pragma once

#include <QPixmap>
#include <QString>

// Loads a JPEG, GIF or icon file into a picture object. The format is
// decided from the file's content, not its name. The picture is implicitly
// shared: every control given it shows the same object, nothing is copied.
//
// A missing file raises File not found, a directory in its place
// Path/File access error, an unreadable file Permission denied, and a file
// that is not a readable picture Invalid picture; each names the path.
QPixmap loadPicture(const QString& path);
