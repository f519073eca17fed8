// The right-hand panel and the captions of a selection: category boxes and
// their captions, the left-handed view's box and caption, the legend, the
// bullet, the exit and Play pictures, the select-a-category note, and the
// key, quality, inversion and position captions.
#include "art.h"

#include <QPainterPath>

namespace {

void saveJpeg(const QString& stem, QSize size, const Draw& draw)
{
    savePicture({stem, size, Format::Jpeg, {}}, draw);
}

void saveText(const QString& stem, QSize size, const QString& text, int pixels,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter,
              const QColor& colour = kCaption)
{
    saveJpeg(stem, size, textDraw(size, text, pixels, alignment, colour));
}

// A set of captions shown in turn in one control of `size`: each drawn
// centred, all at one size that fits the widest.
void saveCaptions(const QString& stem, QSize size, const QStringList& texts, int largest)
{
    const int pixels = fittingPixels(texts, size.width() - 8, largest);
    for (int n = 1; n <= texts.size(); ++n)
        saveText(stem + QString::number(n), size, texts[n - 1], pixels, Qt::AlignCenter);
}

void drawCheckBox(QPainter& p, bool ticked)
{
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
}

void drawBullet(QPainter& p)
{
    // A small arrow pointing at the selector to use next.
    QPainterPath arrow;
    arrow.moveTo(6, 5);
    arrow.lineTo(20, 12.5);
    arrow.lineTo(6, 20);
    arrow.closeSubpath();
    p.setPen(QPen(kNoteEdge, 1));
    p.setBrush(kNote);
    p.drawPath(arrow);
}

// A rounded button with its word: the exit picture, and the Play picture
// in the same style with a play triangle before its word.
void drawButton(QPainter& p, const QString& word, const QColor& edge, const QColor& fill,
                bool triangle)
{
    p.setPen(QPen(edge, 2));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(3, 4, 90, 33), 8, 8);
    QRect text(3, 4, 90, 33);
    if (triangle) {
        QPainterPath play;
        play.moveTo(14, 13);
        play.lineTo(26, 20.5);
        play.lineTo(14, 28);
        play.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(edge);
        p.drawPath(play);
        text.setLeft(24);
    }
    p.setFont(artFont(18));
    p.setPen(edge);
    p.drawText(text, Qt::AlignCenter, word);
}

void drawExitButton(QPainter& p)
{
    drawButton(p, QStringLiteral("Exit"), kRootEdge, QColor(250, 235, 235), false);
}

// The Play picture, and its dimmed look while the board is blank.
void drawPlayButton(QPainter& p, bool dimmed)
{
    drawButton(p, QStringLiteral("Play"), dimmed ? QColor(175, 175, 175) : kNoteEdge,
               dimmed ? QColor(244, 244, 244) : QColor(232, 239, 250), true);
}

void drawSelectACategory(QPainter& p)
{
    p.setFont(artFont(22));
    p.setPen(kCaption);
    p.drawText(QRect(0, 4, 265, 34), Qt::AlignCenter, QStringLiteral("Select a category"));
    p.setFont(artFont(14, false));
    p.setPen(kInk);
    p.drawText(QRect(8, 40, 249, 44), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Tick Chords, Scales or Arpeggios above to begin."));
}

} // namespace

void drawPanelArt()
{
    saveJpeg(QStringLiteral("check1"), QSize(49, 41), [](QPainter& p) { drawCheckBox(p, true); });
    saveJpeg(QStringLiteral("check2"), QSize(49, 41), [](QPainter& p) { drawCheckBox(p, false); });
    // The left-handed view's box has the category boxes' looks, in files of
    // its own, and a caption in theirs.
    saveJpeg(QStringLiteral("left_handed_check1"), QSize(49, 41),
             [](QPainter& p) { drawCheckBox(p, true); });
    saveJpeg(QStringLiteral("left_handed_check2"), QSize(49, 41),
             [](QPainter& p) { drawCheckBox(p, false); });

    // Each category caption serves two controls; the picture fits both.
    saveText(QStringLiteral("chords"), QSize(225, 33), QStringLiteral("Chords"), 22);
    saveText(QStringLiteral("scales"), QSize(193, 33), QStringLiteral("Scales"), 22);
    saveText(QStringLiteral("arpeggios"), QSize(225, 33), QStringLiteral("Arpeggios"), 22);
    // Only as wide as its words, so that the window's background around it
    // is still there to drag the window by.
    const QString leftHanded = QStringLiteral("Left-handed");
    saveText(QStringLiteral("left_handed"), QSize(145, 33), leftHanded,
             fittingPixels({leftHanded}, 145 - 8, 22));
    saveJpeg(QStringLiteral("exit"), QSize(97, 41), drawExitButton);
    saveJpeg(QStringLiteral("play"), QSize(97, 41), [](QPainter& p) { drawPlayButton(p, false); });
    saveJpeg(QStringLiteral("play_dimmed"), QSize(97, 41),
             [](QPainter& p) { drawPlayButton(p, true); });
    saveJpeg(QStringLiteral("select_a_category"), QSize(265, 89), drawSelectACategory);

    savePicture({QStringLiteral("bb"), QSize(25, 25), Format::Gif, {kPaper, kNote, kNoteEdge}},
                drawBullet);
    for (const Mark mark : {Mark::Root, Mark::Note}) {
        const bool root = mark == Mark::Root;
        savePicture({root ? QStringLiteral("red") : QStringLiteral("blue"),
                     QSize(33, 33),
                     Format::Gif,
                     {kPaper, root ? kRoot : kNote, root ? kRootEdge : kNoteEdge}},
                    [mark](QPainter& p) { drawDot(p, QPointF(16.5, 16.5), mark); });
    }

    // The legend beside the red and the blue dot, in one size. The blue
    // dots of a chord carry the number of the chord tone they are.
    const QStringList legend = {QStringLiteral("Root note"),
                                QStringLiteral("Other notes (3, 5, 7 in chords)")};
    const int pixels = fittingPixels(legend, 225 - 8, 16);
    saveText(QStringLiteral("root"), QSize(225, 33), legend[0], pixels,
             Qt::AlignLeft | Qt::AlignVCenter, kInk);
    saveText(QStringLiteral("notes"), QSize(225, 33), legend[1], pixels,
             Qt::AlignLeft | Qt::AlignVCenter, kInk);
}

void drawCaptions()
{
    const QStringList keys = {"A", "Bb", "B", "C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab"};
    saveCaptions(QStringLiteral("key"), QSize(33, 33), keys, 17);

    // Qualities 4 and 5 go in the wide caption; 1 to 3 in the narrow one.
    const QStringList qualities = {"Major 7", "Minor 7", "Dominant 7", "Half Diminished 7",
                                   "Fully Diminished 7"};
    const int narrow = fittingPixels(qualities.mid(0, 3), 169 - 8, 18);
    const int wide = fittingPixels(qualities.mid(3), 225 - 8, 18);
    const int pixels = std::min(narrow, wide);
    for (int q = 1; q <= 5; ++q)
        saveText(QStringLiteral("quality%1").arg(q), QSize(q > 3 ? 225 : 169, 33), qualities[q - 1],
                 pixels, Qt::AlignCenter);

    saveCaptions(QStringLiteral("inversion"), QSize(201, 33),
                 {"Root Position", "First Inversion", "Second Inversion", "Third Inversion"}, 18);

    // Each position is one shape in every key; the caption names it.
    const QString dot = QStringLiteral(" \u00b7 ");
    saveCaptions(QStringLiteral("position"), QSize(209, 33),
                 {"First Position" + dot + "E shape", "Second Position" + dot + "D shape",
                  "Third Position" + dot + "C shape", "Fourth Position" + dot + "A shape",
                  "Fifth Position" + dot + "G shape"},
                 18);
}
