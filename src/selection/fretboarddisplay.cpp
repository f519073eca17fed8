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
    show(module_.arpeggioTable, module_.currentArpeggio, "arpeggioTable");
}

void FretboardDisplay::showChord()
{
    show(module_.chordTable, module_.currentChord, "chordTable");
}

void FretboardDisplay::showScale()
{
    show(module_.scaleTable, module_.currentScale, "scaleTable");
}

// Cells are painted one at a time straight onto the visible controls; a bad
// cell value stops the show with the cells before it already painted and
// the fret-marker values untouched.
void FretboardDisplay::show(const LessonTable& table, int16_t index, const char* tableName)
{
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
            board_.img[static_cast<size_t>(v)]->setPicture(module_.dotPictures(p));
        } else if (v == kMarkerFretPosition) {
            module_.markerFret = table(e, v);
        } else {
            module_.markerSlot = table(e, v);
        }
    }
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
    board_.imgFret[static_cast<size_t>(slot)]->setPicture(number);
    for (ImageControl* label : board_.imgFret)
        label->hide();
    board_.imgFret[static_cast<size_t>(slot)]->show();
}
