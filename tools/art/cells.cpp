// The fretboard: the cell pictures 0.gif to 22.gif and the fret numbers
// fret1.gif to fret16.gif.
#include "art.h"

#include <QFontMetricsF>
#include <QLinearGradient>

namespace {

// Cell geometry in logical pixels. Cells overlap their neighbours by one
// pixel; the string runs 16 px from the left of a 33 px cell, 32 px from the
// left of a 49 px column-0 cell, whose left 16 px lie under the fret label.
constexpr int kCellWidth = 33;
constexpr int kFirstColumnWidth = 49;
constexpr int kFretRowHeight = 65;
constexpr int kTopRowHeight = 97;
constexpr int kDotY = 32;
constexpr int kMarkerY = 56;
constexpr int kDotRadius = 11;
// The chord-tone digit: bold, as tall as half the dot.
constexpr int kLabelPixels = 16;

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

int cellWidth(bool firstColumn)
{
    return firstColumn ? kFirstColumnWidth : kCellWidth;
}

void drawFretWires(QPainter& p, bool firstColumn)
{
    // Wires run across the board, past the outer strings on both sides.
    const int from = firstColumn ? 18 : 0;
    const int width = cellWidth(firstColumn);
    p.setPen(Qt::NoPen);
    p.setBrush(kFret);
    p.drawRect(QRect(from, 0, width - from, 1));
    p.drawRect(QRect(from, kFretRowHeight - 2, width - from, 2));
}

// A fret-row cell: the string between two fret wires, and what is drawn
// on the string at the middle of the row.
void drawFretCell(QPainter& p, bool firstColumn, const std::function<void(QPainter&, QPointF)>& on)
{
    drawFretWires(p, firstColumn);
    const int x = stringX(firstColumn);
    p.setPen(QPen(kString, stringWidth(firstColumn), Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(x + 0.5, 0), QPointF(x + 0.5, kFretRowHeight));
    if (on)
        on(p, QPointF(x + 0.5, kDotY + 0.5));
}

void drawTopCell(QPainter& p, bool firstColumn, Top top, TopMark mark)
{
    const int width = cellWidth(firstColumn);
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
}

const QVector<QColor> kCellColours = {kPaper,    kInk,  kString,   kFret, kRoot,
                                      kRootEdge, kNote, kNoteEdge, kMute};

void saveCell(int number, bool topRow, bool firstColumn, const Draw& draw)
{
    const QSize size(cellWidth(firstColumn), topRow ? kTopRowHeight : kFretRowHeight);
    savePicture({QString::number(number), size, Format::Gif, kCellColours}, draw);
}

} // namespace

void drawDot(QPainter& p, QPointF centre, Mark mark)
{
    p.setPen(QPen(mark == Mark::Root ? kRootEdge : kNoteEdge, 1.2));
    p.setBrush(mark == Mark::Root ? kRoot : kNote);
    p.drawEllipse(centre, kDotRadius, kDotRadius);
}

void drawLabelledDot(QPainter& p, QPointF centre, const QString& label)
{
    drawDot(p, centre, Mark::Note);
    // Centred by the digit's own outline, not the font's line box, so that
    // it sits in the middle of the dot.
    const QFont font = artFont(kLabelPixels);
    const QRectF glyph = QFontMetricsF(font).tightBoundingRect(label);
    p.setFont(font);
    p.setPen(kPaper);
    p.drawText(centre - glyph.center(), label);
}

void drawCells()
{
    // Fret rows: 0..2 (columns 1-5) and 3..5 (column 0) show the string, a
    // note, the root.
    const Mark marks[] = {Mark::None, Mark::Note, Mark::Root};
    for (int i = 0; i < 3; ++i)
        for (const bool first : {false, true})
            saveCell(first ? 3 + i : i, false, first, [&](QPainter& p) {
                drawFretCell(p, first, [&](QPainter& q, QPointF centre) {
                    if (marks[i] != Mark::None)
                        drawDot(q, centre, marks[i]);
                });
            });

    // Top row: 6..11 (columns 1-5) and 12..17 (column 0).
    const struct
    {
        Top top;
        TopMark mark;
    } tops[] = {{Top::Nut, TopMark::None},     {Top::Nut, TopMark::Open},
                {Top::Nut, TopMark::OpenRoot}, {Top::Nut, TopMark::Muted},
                {Top::NoNut, TopMark::None},   {Top::NoNut, TopMark::Muted}};
    for (int i = 0; i < 6; ++i)
        for (const bool first : {false, true})
            saveCell(first ? 12 + i : 6 + i, true, first,
                     [&](QPainter& p) { drawTopCell(p, first, tops[i].top, tops[i].mark); });

    // 18, 19, 20: a chord's third, fifth and seventh (columns 1-5); 21 and
    // 22 are spare and show the bare string.
    const QStringList tones = {QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("7")};
    for (int i = 18; i <= 22; ++i)
        saveCell(i, false, false, [&](QPainter& p) {
            drawFretCell(p, false, [&](QPainter& q, QPointF centre) {
                if (i <= 20)
                    drawLabelledDot(q, centre, tones[i - 18]);
            });
        });
}

void drawFretNumbers()
{
    // 25 x 41: the number right-aligned, level with the dots of its row.
    for (int n = 1; n <= 16; ++n)
        savePicture({QStringLiteral("fret%1").arg(n), QSize(25, 41), Format::Gif, {kPaper, kInk}},
                    [n](QPainter& p) {
                        p.setFont(artFont(n >= 10 ? 14 : 16));
                        p.setPen(kInk);
                        p.drawText(QRect(0, 20, 23, 24), Qt::AlignRight | Qt::AlignVCenter,
                                   QString::number(n));
                    });
}
