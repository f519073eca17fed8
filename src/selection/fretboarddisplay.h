#pragma once

#include "boarddescription.h"

#include <cstdint>

class LessonTable;
class globalProcedures;
struct Fretboard;

// Paints lesson entries on the fretboard. A show is 36 picture assignments
// from the cell cache and two stores of the fret-marker values; it never
// reads a file. showFretLabel then puts up the entry's fret number.
class FretboardDisplay
{
public:
    FretboardDisplay(globalProcedures& module, Fretboard& board);

    void showArpeggio(); // entry currentArpeggio of arpeggioTable
    void showChord();    // entry currentChord of chordTable
    void showScale();    // entry currentScale of scaleTable
    void showFretLabel();

private:
    void show(const LessonTable& table, int16_t index, const char* tableName, DiagramKind kind);

    globalProcedures& module_;
    Fretboard& board_;
};
