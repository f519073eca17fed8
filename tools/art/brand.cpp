// The mouse pointer, the splash logo, the window icon and the desktop icons.
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
    for (const int size : {48, 256})
        savePng(render(QSize(size, size), 1, Qt::transparent,
                       [size](QPainter& p) { drawLargeIcon(p, size); }),
                QStringLiteral("fretquill-%1.png").arg(size));

    // The window icon: 32 x 32 in the 16 colours of the classic palette.
    const QImage image = render(QSize(32, 32), 1, kPaper, [](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing, false);
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
    });
    const QVector<QRgb> vga = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    savePng(
        image.convertToFormat(QImage::Format_Indexed8, vga, Qt::ThresholdDither | Qt::AvoidDither),
        QStringLiteral("icon.png"));
}
