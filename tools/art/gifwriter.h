#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>

// Writes an image as a GIF with giflib. Every pixel is mapped to the
// nearest colour of the palette (at most 256 colours), without dithering.
bool writeGif(const QImage& image, const QVector<QRgb>& palette, const QString& path);

// A palette of ramps between every pair of the given key colours, so that
// anti-aliased edges between any two of them keep smooth shades.
QVector<QRgb> rampPalette(const QVector<QColor>& keys);
