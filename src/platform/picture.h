#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// Loads a JPEG, GIF or icon file into a picture object. The format is
// decided from the file's content, not its name. The picture is implicitly
// shared: every control given it shows the same object, nothing is copied.
//
// A missing file raises File not found, a directory in its place
// Path/File access error, an unreadable file Permission denied, and a file
// that is not a readable picture Invalid picture; each names the path.
//
// On a high-density screen (device pixel ratio above 1) a twin drawn at
// twice the size, named by the "@2x" convention beside the file (7@2x.gif
// beside 7.gif), is read instead where it exists, with the same errors if
// it is bad; the picture is then shown at the same logical size.
QPixmap loadPicture(const QString& path);

// The picture's twin drawn at twice the size (7@2x.gif for 7.gif), with a
// device pixel ratio of 2 whatever the screen, and the same errors.
QPixmap loadHighDensityTwin(const QString& path);

// The picture in a file's bytes, its format told by their content as
// loadPicture() tells it; a null image when they are not a whole picture.
QImage pictureFromBytes(QByteArray bytes);

// True when the program's screens want pictures at twice their size.
bool highDensityScreen();
// "dir/key4.jpg" -> "dir/key4@2x.jpg".
QString highDensityName(const QString& path);
