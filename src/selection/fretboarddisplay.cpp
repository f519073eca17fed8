#include "fretboarddisplay.h"

#include "fretboard.h"
#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/runtimeerror.h"

FretboardDisplay::FretboardDisplay(globalProcedures& module, Fretboard& board)
    : module_(module), board_(board)
{
}

void FretboardDisplay::showArpeggio()
{
    show(module_.arpeggioTable, module_.currentArpeggio, "arpeggioTable", DiagramKind::Arpeggio);
}

void FretboardDisplay::showChord()
{
    show(module_.chordTable, module_.currentChord, "chordTable", DiagramKind::Chord);
}

void FretboardDisplay::showScale()
{
    show(module_.scaleTable, module_.currentScale, "scaleTable", DiagramKind::Scale);
}

namespace {
// Asks for one repaint of the cells that changed, however the show ends:
// one area instead of up to 36 keeps the window's repaint simple.
class BoardRepaint
{
public:
    explicit BoardRepaint(Fretboard& board) : board_(board) {}
    ~BoardRepaint()
    {
        if (!changed_.isEmpty())
            board_.img[0]->parentWidget()->update(changed_);
    }
    void changed(const ImageControl* cell) { changed_ |= cell->geometry(); }

private:
    Fretboard& board_;
    QRect changed_;
};
} // namespace

// Cells are given their pictures one at a time, in index order; a bad cell
// value stops the show with the cells before it already changed (and
// repainted) and the fret-marker values untouched.
void FretboardDisplay::show(const LessonTable& table, int16_t index, const char* tableName,
                            DiagramKind kind)
{
    BoardRepaint repaint(board_);
    const int e = index;
    for (int v = 0; v < kValuesPerEntry; ++v) {
        if (e < 0 || e >= table.entries())
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                               QStringLiteral("%1 entry %2 (entries 0 to %3)")
                                   .arg(QLatin1String(tableName))
                                   .arg(e)
                                   .arg(table.entries() - 1));
        if (v < kCellCount) {
            const int p = table(e, v);
            if (p < 0 || p >= module_.dotPictures.slotCount())
                throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                                   QStringLiteral("%1 entry %2, cell %3: picture %4 (0 to %5)")
                                       .arg(QLatin1String(tableName))
                                       .arg(e)
                                       .arg(v)
                                       .arg(p)
                                       .arg(module_.dotPictures.slotCount() - 1));
            ImageControl* cell = board_.img[static_cast<size_t>(v)];
            if (cell->assignPicture(module_.dotPictures(p), module_.dotPictures.file(p)))
                repaint.changed(cell);
        } else if (v == kMarkerFretPosition) {
            module_.markerFret = table(e, v);
        } else {
            module_.markerSlot = table(e, v);
        }
    }
    if (board_.area)
        board_.area->setDiagram(kind, e, table.row(e));
}

void FretboardDisplay::showFretLabel()
{
    const int slot = module_.markerSlot;
    if (slot < 0 || slot >= Fretboard::kLabels)
        throw RuntimeError(ErrorNumber::ControlArrayElementMissing,
                           QStringLiteral("imgFret(%1) (labels 0 to %2)")
                               .arg(slot)
                               .arg(Fretboard::kLabels - 1));
    const QPixmap& number = module_.fretPictures(module_.markerFret); // range-checked
    ImageControl* label = board_.imgFret[static_cast<size_t>(slot)];
    label->setPicture(number, module_.fretPictures.file(module_.markerFret));
    label->setAccessibleName(module_.markerFret > 0 ? QStringLiteral("fret %1").arg(module_.markerFret)
                                                    : QString());
    for (ImageControl* other : board_.imgFret)
        other->hide();
    label->show();
}
