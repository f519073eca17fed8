// Shared by the artwork tool's drawing files: the colours of the diagrams,
// fonts and text fitting, and the output step that draws every picture
// afresh at 1x and at 2x (for high-density screens) and saves both.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// Colours of the diagrams: a printed method-book page.
inline const QColor kPaper(255, 255, 255);
inline const QColor kInk(34, 34, 34);
inline const QColor kString(70, 70, 70);
inline const QColor kFret(120, 120, 120);
inline const QColor kRoot(200, 30, 45);
inline const QColor kRootEdge(120, 10, 20);
inline const QColor kNote(30, 80, 170);
inline const QColor kNoteEdge(10, 40, 100);
inline const QColor kMute(60, 60, 60);
inline const QColor kCaption(0, 0, 140);
inline const QColor kBanner(18, 36, 104);

// Where the pictures go, and how many could not be made.
struct ArtOutput
{
    QString programDir;
    QString resourceDir;
    int failures = 0;
};
ArtOutput& artOutput();
// Counts a failure and says what went wrong on standard error.
void artFailure(const QString& what);

// Draws in logical pixels; the painter is scaled to the picture's density.
using Draw = std::function<void(QPainter&)>;

enum class Format { Gif, Jpeg, Icon };

struct Picture
{
    QString stem; // the file name without its extension
    QSize size;   // in logical pixels (the 1x file's size)
    Format format;
    QVector<QColor> palette; // GIF: the key colours of its palette
    QColor fill = kPaper;    // the background; transparent for the pointer
};

// Draws the picture at `scale` times its logical size, antialiased.
QImage render(QSize size, qreal scale, const QColor& fill, const Draw& draw);

// Draws the picture at 1x into <dir>/<stem>.<ext> and afresh at 2x into
// <dir>/<stem>@2x.<ext>; dir defaults to the program directory.
void savePicture(const Picture& picture, const Draw& draw, const QString& dir = QString());

// Saves a PNG into the resource directory.
void savePng(const QImage& image, const QString& name);

// Saves a picture's bare pixels into the resource directory, as X11 wants a
// window icon's: one 32-bit ARGB word a pixel (not premultiplied) in this
// machine's byte order, row by row from the top, nothing else. The program
// takes them as they are, with nothing to decode or convert.
void savePixels(const QImage& image, const QString& name);

// The artwork's sans-serif font at a pixel size.
QFont artFont(int pixels, bool bold = true);

// The largest pixel size from `largest` down whose font shows every text
// within `width` logical pixels. A set of captions shown in turn in one
// control gets one size, so they do not jump. Past `smallest` nothing is
// legible any more: that is reported as a failure.
int fittingPixels(const QStringList& texts, int width, int largest, int smallest = 11,
                  bool bold = true);

// One line of text in a box of its own, inset by 4 px left and right.
Draw textDraw(QSize size, const QString& text, int pixels,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
              const QColor& colour = kCaption);

// The notes on the fretboard and the legend.
enum class Mark { None, Note, Root };
void drawDot(QPainter& p, QPointF centre, Mark mark);
// A blue dot with a white label: which chord tone the note is.
void drawLabelledDot(QPainter& p, QPointF centre, const QString& label);

// The drawing steps, one per kind of picture.
void drawCells();
void drawFretNumbers();
void drawPanelArt();
void drawCaptions();
void drawPointer();
void drawLogo();
void drawIcons();
