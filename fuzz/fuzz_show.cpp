// Fuzzes a show of a fuzzed lesson entry on the real fretboard grid, with
// the fret label: an index and 38 values of any kind. Every input must end
// in a painted board or a run-time error, never in a crash or undefined
// behaviour; what a painted board plays renders to finite samples in [-1, 1].
#include "lessons/globalprocedures.h"
#include "platform/imagecontrol.h"
#include "platform/runtimeerror.h"
#include "selection/boarddescription.h"
#include "selection/fretboard.h"
#include "selection/fretboarddisplay.h"
#include "sound/pluckedstring.h"

#include <QApplication>
#include <QWidget>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
struct Grid
{
    globalProcedures module{QStringLiteral(FRETQUILL_PROGRAM_DIR)};
    QWidget window;
    Fretboard board;
    FretboardDisplay display{module, board};
    Grid()
    {
        module.loadDotPictures();
        module.loadFretPictures();
        board.create(&window);
    }
};
Grid* grid = nullptr;
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    grid = new Grid;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    constexpr size_t kNeeded = 1 + 2 + 2 * kValuesPerEntry;
    if (size < kNeeded)
        return 0;
    globalProcedures& g = grid->module;
    const int table = data[0] % 3;
    int16_t index;
    std::memcpy(&index, data + 1, 2);
    int16_t values[kValuesPerEntry];
    std::memcpy(values, data + 3, sizeof values);

    // The entry goes where the index points, when that is inside the table.
    LessonTable& t = table == 0 ? g.arpeggioTable : table == 1 ? g.chordTable : g.scaleTable;
    if (index >= 0 && index < t.entries())
        for (int p = 0; p < kValuesPerEntry; ++p)
            t.set(index, p, values[p]);
    try {
        if (table == 0) {
            g.currentArpeggio = index;
            grid->display.showArpeggio();
        } else if (table == 1) {
            g.currentChord = index;
            grid->display.showChord();
        } else {
            g.currentScale = index;
            grid->display.showScale();
        }
        grid->display.showFretLabel();
        // A show that succeeded painted every cell from the cache.
        for (int p = 0; p < kCellCount; ++p)
            if (grid->board.img[p]->picture().cacheKey() != g.dotPictures(values[p]).cacheKey())
                std::abort();
        // And a screen reader can hear it, whatever the entry holds.
        const FretboardArea& area = *grid->board.area;
        if (area.description().isEmpty())
            std::abort();
        for (float sample : renderPhrase(phraseFor(area.kind(), diagramNotes(area.values())), 8000))
            if (!(std::abs(sample) <= 1.0f))
                std::abort();
    } catch (const RuntimeError&) {
    }
    return 0;
}
