// Draws Fretquill's artwork: the fretboard cell pictures, fret numbers,
// category boxes, captions, legend, bullet, exit picture and mouse pointer
// into the program directory, and the splash logo and window icon into the
// directory the program's resources are built from.
//
//   fretquill-art PROGRAM_DIRECTORY RESOURCE_DIRECTORY
#include "gifwriter.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

// Colours of the diagrams: a printed method-book page.
const QColor kPaper(255, 255, 255);
const QColor kInk(34, 34, 34);
const QColor kString(70, 70, 70);
const QColor kFret(120, 120, 120);
const QColor kRoot(200, 30, 45);
const QColor kRootEdge(120, 10, 20);
const QColor kNote(30, 80, 170);
const QColor kNoteEdge(10, 40, 100);
const QColor kMute(60, 60, 60);
const QColor kCaption(0, 0, 140);

// Cell geometry in pixels. Cells overlap their neighbours by one pixel;
// the string runs 16 px from the left of a 33 px cell, 32 px from the left
// of a 49 px column-0 cell, whose left 16 px lie under the fret label.
constexpr int kCellWidth = 33;
constexpr int kFirstColumnWidth = 49;
constexpr int kFretRowHeight = 65;
constexpr int kTopRowHeight = 97;
constexpr int kDotY = 32;
constexpr int kMarkerY = 56;
constexpr int kDotRadius = 11;

QString gProgramDir;
QString gResourceDir;
int gFailures = 0;

QFont font(int pixels, bool bold = true)
{
    QFont f;
    f.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

QImage canvas(int width, int height, const QColor& fill = kPaper)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void check(bool ok, const QString& path)
{
    if (!ok) {
        std::fprintf(stderr, "fretquill-art: could not write %s\n", qPrintable(path));
        ++gFailures;
    }
}

void saveGif(const QImage& image, const QString& name, const QVector<QColor>& keys)
{
    const QString path = QDir(gProgramDir).filePath(name);
    check(writeGif(image, rampPalette(keys), path), path);
}

void saveJpeg(const QImage& image, const QString& dir, const QString& name)
{
    const QString path = QDir(dir).filePath(name);
    QImageWriter writer(path, "jpeg");
    writer.setQuality(95);
    check(writer.write(image), path);
}

// ---- fretboard cells --------------------------------------------------

enum class Mark { None, Note, Root };
enum class Top { Nut, NoNut };
enum class TopMark { None, Open, OpenRoot, Muted };

int stringX(bool firstColumn)
{
    return firstColumn ? 32 : 16;
}

// Lower strings are drawn heavier, as on a real neck.
qreal stringWidth(bool firstColumn)
{
    return firstColumn ? 2.0 : 1.5;
}

void drawDot(QPainter& p, QPointF centre, Mark mark)
{
    p.setPen(QPen(mark == Mark::Root ? kRootEdge : kNoteEdge, 1.2));
    p.setBrush(mark == Mark::Root ? kRoot : kNote);
    p.drawEllipse(centre, kDotRadius, kDotRadius);
}

void drawFretWires(QPainter& p, bool firstColumn, int width)
{
    // Wires run across the board, past the outer strings on both sides.
    const int from = firstColumn ? 18 : 0;
    p.setPen(Qt::NoPen);
    p.setBrush(kFret);
    p.drawRect(QRect(from, 0, width - from, 1));
    p.drawRect(QRect(from, kFretRowHeight - 2, width - from, 2));
}

QImage fretCell(bool firstColumn, Mark mark)
{
    const int width = firstColumn ? kFirstColumnWidth : kCellWidth;
    QImage image = canvas(width, kFretRowHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawFretWires(p, firstColumn, width);
    const int x = stringX(firstColumn);
    p.setPen(QPen(kString, stringWidth(firstColumn), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, kFretRowHeight));
    if (mark != Mark::None)
        drawDot(p, QPointF(x + 0.5, kDotY + 0.5), mark);
    return image;
}

QImage topCell(bool firstColumn, Top top, TopMark mark)
{
    const int width = firstColumn ? kFirstColumnWidth : kCellWidth;
    QImage image = canvas(width, kTopRowHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int x = stringX(firstColumn);
    const int from = firstColumn ? 18 : 0;

    if (top == Top::Nut) {
        // A heavy nut at the bottom of the top row; the strings start there.
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        p.drawRect(QRect(from, kTopRowHeight - 9, width - from, 9));
    } else {
        // The neck goes on above the diagram: strings fade in from the top.
        QLinearGradient fade(0, 70, 0, kTopRowHeight);
        fade.setColorAt(0, kPaper);
        fade.setColorAt(1, kString);
        p.setPen(QPen(QBrush(fade), stringWidth(firstColumn), Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(x + 0.5, 70), QPointF(x + 0.5, kTopRowHeight));
        p.setPen(Qt::NoPen);
        p.setBrush(kFret);
        p.drawRect(QRect(from, kTopRowHeight - 2, width - from, 2));
    }

    const QPointF centre(x + 0.5, kMarkerY + 0.5);
    switch (mark) {
    case TopMark::None:
        break;
    case TopMark::Open:
    case TopMark::OpenRoot:
        p.setPen(QPen(mark == TopMark::OpenRoot ? kRoot : kNote, 3));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre, 8, 8);
        break;
    case TopMark::Muted: {
        p.setPen(QPen(kMute, 2.5, Qt::SolidLine, Qt::RoundCap));
        const qreal r = 7;
        p.drawLine(centre + QPointF(-r, -r), centre + QPointF(r, r));
        p.drawLine(centre + QPointF(-r, r), centre + QPointF(r, -r));
        break;
    }
    }
    return image;
}

const QVector<QColor> kCellColours = {kPaper,   kInk,  kString,   kFret, kRoot,
                                      kRootEdge, kNote, kNoteEdge, kMute};

void drawCells()
{
    // Slot: what it shows. Fret rows 0..2 (columns 1-5) and 3..5 (column 0);
    // top row 6..11 (columns 1-5) and 12..17 (column 0); 18..22 as slot 0.
    const Mark marks[] = {Mark::None, Mark::Note, Mark::Root};
    for (int i = 0; i < 3; ++i) {
        saveGif(fretCell(false, marks[i]), QStringLiteral("%1.gif").arg(i), kCellColours);
        saveGif(fretCell(true, marks[i]), QStringLiteral("%1.gif").arg(3 + i), kCellColours);
    }
    const struct
    {
        Top top;
        TopMark mark;
    } tops[] = {{Top::Nut, TopMark::None},   {Top::Nut, TopMark::Open},
                {Top::Nut, TopMark::OpenRoot}, {Top::Nut, TopMark::Muted},
                {Top::NoNut, TopMark::None}, {Top::NoNut, TopMark::Muted}};
    for (int i = 0; i < 6; ++i) {
        saveGif(topCell(false, tops[i].top, tops[i].mark), QStringLiteral("%1.gif").arg(6 + i),
                kCellColours);
        saveGif(topCell(true, tops[i].top, tops[i].mark), QStringLiteral("%1.gif").arg(12 + i),
                kCellColours);
    }
    for (int i = 18; i <= 22; ++i)
        saveGif(fretCell(false, Mark::None), QStringLiteral("%1.gif").arg(i), kCellColours);
}

// ---- fret numbers, boxes, legend, bullet ---------------------------------

void drawFretNumbers()
{
    // 25 x 41: the number right-aligned, level with the dots of its row.
    for (int n = 1; n <= 16; ++n) {
        QImage image = canvas(25, 41);
        QPainter p(&image);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font(n >= 10 ? 14 : 16));
        p.setPen(kInk);
        p.drawText(QRect(0, 20, 23, 24), Qt::AlignRight | Qt::AlignVCenter, QString::number(n));
        p.end();
        saveGif(image, QStringLiteral("fret%1.gif").arg(n), {kPaper, kInk});
    }
}

QImage checkBox(bool ticked)
{
    QImage image = canvas(49, 41);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(12.5, 8.5, 24, 24);
    p.setPen(QPen(kCaption, 2));
    p.setBrush(kPaper);
    p.drawRoundedRect(box, 3, 3);
    if (ticked) {
        QPainterPath tick;
        tick.moveTo(box.left() + 5, box.top() + 12);
        tick.lineTo(box.left() + 10, box.top() + 18);
        tick.lineTo(box.right() - 3, box.top() - 2);
        p.setPen(QPen(kRoot, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    }
    return image;
}

QImage textPicture(int width, int height, const QString& text, int pixels,
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
                   const QColor& colour = kCaption)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font(pixels));
    p.setPen(colour);
    p.drawText(QRect(4, 0, width - 8, height), alignment, text);
    return image;
}

QImage legendDot(Mark mark)
{
    QImage image = canvas(33, 33);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawDot(p, QPointF(16.5, 16.5), mark);
    return image;
}

QImage bullet()
{
    // A small arrow pointing at the selector to use next.
    QImage image = canvas(25, 25);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(6, 5);
    arrow.lineTo(20, 12.5);
    arrow.lineTo(6, 20);
    arrow.closeSubpath();
    p.setPen(QPen(kNoteEdge, 1));
    p.setBrush(kNote);
    p.drawPath(arrow);
    return image;
}

QImage exitButton()
{
    QImage image = canvas(97, 41);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kRootEdge, 2));
    p.setBrush(QColor(250, 235, 235));
    p.drawRoundedRect(QRectF(3, 4, 90, 33), 8, 8);
    p.setFont(font(18));
    p.setPen(kRootEdge);
    p.drawText(QRect(3, 4, 90, 33), Qt::AlignCenter, QStringLiteral("Exit"));
    return image;
}

QImage selectACategory()
{
    QImage image = canvas(265, 89);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font(22));
    p.setPen(kCaption);
    p.drawText(QRect(0, 4, 265, 34), Qt::AlignCenter, QStringLiteral("Select a category"));
    p.setFont(font(14, false));
    p.setPen(kInk);
    p.drawText(QRect(0, 40, 265, 44), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Tick Chords, Scales or Arpeggios above to begin."));
    return image;
}

void drawPanelArt()
{
    saveJpeg(checkBox(true), gProgramDir, QStringLiteral("check1.jpg"));
    saveJpeg(checkBox(false), gProgramDir, QStringLiteral("check2.jpg"));

    // Each category caption serves two controls; the picture fits both.
    saveJpeg(textPicture(225, 33, QStringLiteral("Chords"), 22), gProgramDir,
             QStringLiteral("chords.jpg"));
    saveJpeg(textPicture(193, 33, QStringLiteral("Scales"), 22), gProgramDir,
             QStringLiteral("scales.jpg"));
    saveJpeg(textPicture(225, 33, QStringLiteral("Arpeggios"), 22), gProgramDir,
             QStringLiteral("arpeggios.jpg"));
    saveJpeg(exitButton(), gProgramDir, QStringLiteral("exit.jpg"));
    saveJpeg(selectACategory(), gProgramDir, QStringLiteral("select_a_category.jpg"));

    saveGif(bullet(), QStringLiteral("bb.gif"), {kPaper, kNote, kNoteEdge});
    saveGif(legendDot(Mark::Root), QStringLiteral("red.gif"), {kPaper, kRoot, kRootEdge});
    saveGif(legendDot(Mark::Note), QStringLiteral("blue.gif"), {kPaper, kNote, kNoteEdge});
    saveJpeg(textPicture(225, 33, QStringLiteral("Root note"), 16, Qt::AlignLeft | Qt::AlignVCenter,
                         kInk),
             gProgramDir, QStringLiteral("root.jpg"));
    saveJpeg(textPicture(225, 33, QStringLiteral("Other notes"), 16,
                         Qt::AlignLeft | Qt::AlignVCenter, kInk),
             gProgramDir, QStringLiteral("notes.jpg"));
}

// ---- captions of a selection -----------------------------------------

void drawCaptions()
{
    const QStringList keys = {"A", "Bb", "B", "C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab"};
    for (int k = 1; k <= 12; ++k)
        saveJpeg(textPicture(33, 33, keys[k - 1], 17, Qt::AlignCenter), gProgramDir,
                 QStringLiteral("key%1.jpg").arg(k));

    const QStringList qualities = {"Major 7", "Minor 7", "Dominant 7", "Half Diminished 7",
                                   "Fully Diminished 7"};
    for (int q = 1; q <= 5; ++q) {
        const int width = q > 3 ? 225 : 169; // 4 and 5 go in the wide caption
        saveJpeg(textPicture(width, 33, qualities[q - 1], 18, Qt::AlignCenter), gProgramDir,
                 QStringLiteral("quality%1.jpg").arg(q));
    }

    const QStringList inversions = {"Root Position", "First Inversion", "Second Inversion",
                                    "Third Inversion"};
    for (int n = 1; n <= 4; ++n)
        saveJpeg(textPicture(201, 33, inversions[n - 1], 18, Qt::AlignCenter), gProgramDir,
                 QStringLiteral("inversion%1.jpg").arg(n));

    const QStringList positions = {"First Position", "Second Position", "Third Position",
                                   "Fourth Position", "Fifth Position"};
    for (int n = 1; n <= 5; ++n)
        saveJpeg(textPicture(209, 33, positions[n - 1], 18, Qt::AlignCenter), gProgramDir,
                 QStringLiteral("position%1.jpg").arg(n));
}

// ---- pointer, logo, icon ---------------------------------------------

void drawPointer()
{
    // A blue arrow; its tip, the hot spot, at the top-left corner.
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 1);
    arrow.lineTo(1, 22);
    arrow.lineTo(6.5, 17);
    arrow.lineTo(10.5, 26);
    arrow.lineTo(14, 24.5);
    arrow.lineTo(10, 15.5);
    arrow.lineTo(17, 15.5);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(QColor(20, 70, 200));
    p.drawPath(arrow);
    p.end();
    const QString path = QDir(gProgramDir).filePath(QStringLiteral("newblue.ico"));
    QImageWriter writer(path, "ico");
    check(writer.write(image), path);
}

void drawLogo()
{
    // 475 x 142: the product name and a tag line on a dark-blue banner.
    QImage image = canvas(475, 142);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient banner(0, 0, 0, 142);
    banner.setColorAt(0, QColor(18, 36, 104));
    banner.setColorAt(1, QColor(8, 18, 60));
    p.fillRect(image.rect(), banner);

    // Six strings and a few frets across the right of the banner.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (int s = 0; s < 6; ++s)
        p.drawLine(QPointF(300, 30.5 + s * 16), QPointF(470, 30.5 + s * 16));
    for (int f = 0; f < 5; ++f)
        p.drawLine(QPointF(320.5 + f * 36, 26), QPointF(320.5 + f * 36, 114));
    p.setPen(Qt::NoPen);
    p.setBrush(kRoot);
    p.drawEllipse(QPointF(338, 62.5), 7, 7);
    p.setBrush(QColor(90, 140, 230));
    p.drawEllipse(QPointF(374, 46.5), 7, 7);
    p.drawEllipse(QPointF(410, 94.5), 7, 7);
    p.drawEllipse(QPointF(446, 78.5), 7, 7);

    p.setPen(Qt::white);
    p.setFont(font(54));
    p.drawText(QRect(24, 18, 400, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Fretquill"));
    p.setFont(font(15, false));
    p.setPen(QColor(200, 215, 255));
    p.drawText(QRect(26, 92, 440, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Seventh chords, arpeggios and scales on the fretboard"));
    p.end();
    saveJpeg(image, gResourceDir, QStringLiteral("logo.jpg"));
}

// The desktop icon at any size: a fretboard with a root and two notes.
QImage desktopIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(18, 36, 104));
    p.drawRoundedRect(QRectF(2, 2, 44, 44), 8, 8);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(7, 7, 34, 34), 3, 3);
    p.setBrush(kInk);
    p.drawRect(QRectF(7, 7, 34, 4)); // the nut
    p.setPen(QPen(kString, 1));
    for (int s = 0; s < 6; ++s)
        p.drawLine(QPointF(10.5 + s * 5.4, 11), QPointF(10.5 + s * 5.4, 41));
    p.setPen(QPen(kFret, 1));
    for (int f = 1; f <= 3; ++f)
        p.drawLine(QPointF(8, 11 + f * 8), QPointF(40, 11 + f * 8));
    p.setPen(Qt::NoPen);
    p.setBrush(kRoot);
    p.drawEllipse(QPointF(15.9, 23), 3, 3);
    p.setBrush(kNote);
    p.drawEllipse(QPointF(26.7, 15), 3, 3);
    p.drawEllipse(QPointF(32.1, 31), 3, 3);
    return image;
}

void drawDesktopIcons()
{
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString path = QDir(gResourceDir).filePath(QStringLiteral("fretquill-%1.png").arg(size));
        check(desktopIcon(size).save(path, "png"), path);
    }
}

void drawIcon()
{
    // 32 x 32 in the 16 colours of the classic palette.
    QImage image = canvas(32, 32);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 32, 32), QColor(0, 0, 128));
    p.fillRect(QRect(3, 3, 26, 26), Qt::white);
    p.fillRect(QRect(3, 3, 26, 3), Qt::black); // the nut
    p.setPen(QColor(128, 128, 128));
    for (int s = 0; s < 6; ++s)
        p.drawLine(5 + s * 4, 6, 5 + s * 4, 28);
    for (int f = 0; f < 3; ++f)
        p.drawLine(4, 12 + f * 7, 27, 12 + f * 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawEllipse(QPoint(9, 16), 2, 2);
    p.setBrush(QColor(0, 0, 255));
    p.drawEllipse(QPoint(17, 9), 2, 2);
    p.drawEllipse(QPoint(21, 23), 2, 2);
    p.end();

    const QVector<QRgb> vga = {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),
                               qRgb(128, 128, 0),   qRgb(0, 0, 128),   qRgb(128, 0, 128),
                               qRgb(0, 128, 128),   qRgb(192, 192, 192), qRgb(128, 128, 128),
                               qRgb(255, 0, 0),     qRgb(0, 255, 0),   qRgb(255, 255, 0),
                               qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255),
                               qRgb(255, 255, 255)};
    const QImage indexed =
        image.convertToFormat(QImage::Format_Indexed8, vga, Qt::ThresholdDither | Qt::AvoidDither);
    const QString path = QDir(gResourceDir).filePath(QStringLiteral("icon.png"));
    check(indexed.save(path, "png"), path);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: fretquill-art PROGRAM_DIRECTORY RESOURCE_DIRECTORY\n");
        return 2;
    }
    gProgramDir = QString::fromLocal8Bit(argv[1]);
    gResourceDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(gProgramDir);
    QDir().mkpath(gResourceDir);

    drawCells();
    drawFretNumbers();
    drawPanelArt();
    drawCaptions();
    drawPointer();
    drawLogo();
    drawIcon();
    drawDesktopIcons();
    return gFailures == 0 ? 0 : 1;
}
