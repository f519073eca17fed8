// Draws Fretquill's artwork: the fretboard cell pictures, fret numbers,
// category boxes, captions, legend, bullet, exit and Play pictures and
// mouse pointer into the program directory, each at 1x and at 2x, and the
// splash logo, window icon and desktop icons into the directory the
// program's resources are built from.
//
//   fretquill-art PROGRAM_DIRECTORY RESOURCE_DIRECTORY
#include "art.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: fretquill-art PROGRAM_DIRECTORY RESOURCE_DIRECTORY\n");
        return 2;
    }
    ArtOutput& output = artOutput();
    output.programDir = QString::fromLocal8Bit(argv[1]);
    output.resourceDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(output.programDir);
    QDir().mkpath(output.resourceDir);

    drawCells();
    drawFretNumbers();
    drawPanelArt();
    drawCaptions();
    drawPointer();
    drawLogo();
    drawIcons();
    return output.failures == 0 ? 0 : 1;
}
