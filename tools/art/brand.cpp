// The mouse pointer, the splash logo, and the program's icon at every size
// it is shown: the window icon and the desktop icons.
#include "art.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace {

void drawArrow(QPainter& p)
{
    // A blue arrow; its tip, the hot spot, at the top-left corner.
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
}

void drawBanner(QPainter& p)
{
    // 475 x 142: the product name and a tag line on a dark-blue banner.
    QLinearGradient banner(0, 0, 0, 142);
    banner.setColorAt(0, kBanner);
    banner.setColorAt(1, QColor(8, 18, 60));
    p.fillRect(QRectF(0, 0, 475, 142), banner);

    // Six strings and a few frets at the top right of the banner, clear of
    // the tag line below them.
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (int s = 0; s < 6; ++s)
        p.drawLine(QPointF(300, 18.5 + s * 13), QPointF(470, 18.5 + s * 13));
    for (int f = 0; f < 5; ++f)
        p.drawLine(QPointF(320.5 + f * 36, 14), QPointF(320.5 + f * 36, 88));
    auto dot = [&](qreal x, int string) { p.drawEllipse(QPointF(x, 18.5 + string * 13), 6, 6); };
    p.setPen(Qt::NoPen);
    p.setBrush(kRoot);
    dot(338, 2);
    p.setBrush(QColor(90, 140, 230));
    dot(374, 1);
    dot(410, 4);
    dot(446, 3);

    p.setPen(Qt::white);
    p.setFont(artFont(54));
    p.drawText(QRect(24, 18, 400, 70), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Fretquill"));
    p.setFont(artFont(15, false));
    p.setPen(QColor(200, 215, 255));
    p.drawText(QRect(26, 92, 440, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Seventh chords, arpeggios and scales on the fretboard"));
}

// The icon from 48 px up: a fretboard at the nut with a root and two notes,
// drawn on a 48-unit grid and scaled.
void drawLargeIcon(QPainter& p, int size)
{
    p.scale(size / 48.0, size / 48.0);
    p.setPen(Qt::NoPen);
    p.setBrush(kBanner);
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
}

// Below 48 px the same design on the pixel grid: whole-pixel strings,
// frets and nut, four strings at 16 px, and dots of an odd number of pixels
// centred on a pixel, so that nothing blurs into grey.
void drawSmallIcon(QPainter& p, int size)
{
    const int inset = size / 8; // the blue frame around the board
    const int board = size - 2 * inset;
    const int nut = size < 24 ? 1 : 2;
    const int strings = size < 24 ? 4 : 6;
    const int pitch = board / strings;
    const int row = (board - nut - 2) / 3; // three fret spaces between two wires
    const int top = inset + nut;           // the first fret space

    p.setPen(Qt::NoPen);
    p.setBrush(kBanner);
    p.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    p.fillRect(QRect(inset, inset, board, board), Qt::white);
    p.fillRect(QRect(inset, inset, board, nut), kInk);

    auto stringX = [&](int s) { return inset + pitch / 2 + s * pitch; };
    for (int f = 1; f <= 2; ++f)
        p.fillRect(QRect(inset, top + f * (row + 1) - 1, board, 1), kFret);
    for (int s = 0; s < strings; ++s)
        p.fillRect(QRect(stringX(s), top, 1, board - nut), kString);

    // Three pixels across is too few for a round edge: such a dot is solid.
    const int diameter = pitch | 1;
    auto dot = [&](int s, int r, const QColor& colour) {
        const QPointF centre(stringX(s) + 0.5, top + r * (row + 1) + row / 2 + 0.5);
        p.setBrush(colour);
        if (diameter <= 3)
            p.drawRect(QRectF(centre - QPointF(1.5, 1.5), QSizeF(3, 3)));
        else
            p.drawEllipse(centre, diameter / 2.0, diameter / 2.0);
    };
    // The root and two notes where the large icon has them.
    const bool four = strings == 4;
    dot(four ? 0 : 1, 1, kRoot);
    dot(four ? 2 : 3, 0, kNote);
    dot(four ? 3 : 4, 2, kNote);
}

QImage icon(int size)
{
    return render(QSize(size, size), 1, Qt::transparent, [size](QPainter& p) {
        if (size >= 48)
            drawLargeIcon(p, size);
        else
            drawSmallIcon(p, size);
    });
}

} // namespace

void drawPointer()
{
    savePicture({QStringLiteral("newblue"), QSize(32, 32), Format::Icon, {}, Qt::transparent},
                drawArrow);
}

void drawLogo()
{
    savePicture({QStringLiteral("logo"), QSize(475, 142), Format::Jpeg, {}}, drawBanner,
                artOutput().resourceDir);
}

void drawIcons()
{
    // The window icon, built into the program as bare pixels (so that
    // start-up decodes nothing for it), and the desktop icons that are
    // installed beside it: one design at every size.
    for (const int size : {16, 32, 48, 256})
        savePixels(icon(size), QStringLiteral("icon-%1.argb").arg(size));
    for (const int size : {16, 24, 32, 48, 64, 128, 256, 512})
        savePng(icon(size), QStringLiteral("fretquill-%1.png").arg(size));
}
