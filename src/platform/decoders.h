#pragma once

// The decoders of the kinds of picture the program reads at start-up: its
// cells and fret numbers are GIFs, its fixed pictures and logo JPEGs, its
// mouse pointer an icon. Qt's image readers load every image plugin and its
// libraries on first use (about a millisecond at start-up); these decode the
// same pixels without the plugins, GIFs through giflib and JPEGs through
// libjpeg. loadPicture() still leaves any other kind of picture, and the
// rarer forms of these, to Qt.

#include <QByteArray>
#include <QImage>

#include <optional>

// Whether a picture of this size stays within Qt's allocation limit for
// images (QImageReader::allocationLimit()), as Qt's own readers require.
bool withinAllocationLimit(qint64 width, qint64 height, int bytesPerPixel);

// The first image of a GIF file (87a or 89a), decoded by giflib: the
// logical screen's size, ARGB32 (RGB32 when the image covers the screen
// opaquely), the image drawn at its place (its rows in order when
// interlaced), its transparent colour and any colour past the end of its
// colour table transparent, the rest of the screen the background colour
// (transparent when the image has a transparent colour or the file no
// global colour table). Data past its last pixel is not drawn.
//
// A null image for anything that is not a whole, well-formed GIF up to the
// end of its first image: a bad signature, an empty screen or image, one
// past the allocation limit, a block cut short, an unknown block, no image
// before the trailer, LZW data that ends before the image is full, or a
// code that giflib finds the data cannot have. (giflib refuses a code past
// the end of its table where it opens the data or follows a clear code;
// elsewhere it decodes one as the string before it and one more index.)
QImage decodeGif(const QByteArray& bytes);

// A baseline or progressive JPEG in YCbCr, RGB or greyscale, as RGB32,
// decoded by libjpeg with the settings Qt's own reader uses. A null image
// when libjpeg finds the data malformed; no image at all (std::nullopt)
// for the kinds left to Qt: CMYK and YCCK, or a libjpeg that cannot write
// 32-bit pixels.
std::optional<QImage> decodeJpeg(const QByteArray& bytes);

// The first image of an icon file when it is an uncompressed bitmap of 32
// bits a pixel (as the program's mouse pointer is), as ARGB32 with the
// bitmap's own alpha. A null image when the directory or the bitmap is cut
// short or malformed; no image at all (std::nullopt) for the kinds left to
// Qt: an image stored as PNG, or a bitmap of another depth or compressed.
std::optional<QImage> decodeIcon(const QByteArray& bytes);
