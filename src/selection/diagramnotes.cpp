#include "diagramnotes.h"

namespace {

// What one cell picture shows, as the README's cell-picture table gives it.
// The top row holds the open strings and the crosses; the fret rows the
// dots. A picture meant for another column (one of the low E string's on
// the A string, say) still reads as what it shows.
enum class Cell { Nothing, Note, Open, NotPlayed };

Cell topRowCell(int picture, NoteMark* mark)
{
    switch (picture) {
    case 8: case 14: *mark = NoteMark::Root; return Cell::Open;
    case 7: case 13: *mark = NoteMark::Plain; return Cell::Open;
    case 9: case 11: case 15: case 17: return Cell::NotPlayed;
    default: return Cell::Nothing;
    }
}

Cell fretRowCell(int picture, NoteMark* mark)
{
    switch (picture) {
    case 1: case 4: *mark = NoteMark::Plain; return Cell::Note;
    case 2: case 5: *mark = NoteMark::Root; return Cell::Note;
    case 18: *mark = NoteMark::Third; return Cell::Note;
    case 19: *mark = NoteMark::Fifth; return Cell::Note;
    case 20: *mark = NoteMark::Seventh; return Cell::Note;
    default: return Cell::Nothing;
    }
}

} // namespace

std::vector<DiagramNote> diagramNotes(const LessonEntry& values)
{
    // At the nut (fret number 0) rows 1 to 5 are frets 1 to 5; otherwise the
    // row beside the label (value 38, plus one) is the labelled fret.
    const int markerFret = values[kMarkerFretPosition];
    const int firstRowFret = markerFret == 0 ? 1 : markerFret - values[kMarkerSlotPosition];
    std::vector<DiagramNote> notes;
    for (int s = 0; s < 6; ++s) {
        NoteMark mark = NoteMark::Plain;
        if (topRowCell(values[s], &mark) == Cell::Open)
            notes.push_back({s, 0, kOpenStringPitch[s], mark});
        for (int row = 1; row <= 5; ++row) {
            if (fretRowCell(values[row * 6 + s], &mark) != Cell::Note)
                continue;
            const int fret = firstRowFret + row - 1;
            notes.push_back({s, fret, kOpenStringPitch[s] + fret, mark});
        }
    }
    return notes;
}

bool stringNotPlayed(const LessonEntry& values, int string)
{
    NoteMark mark;
    return string >= 0 && string < 6 && topRowCell(values[string], &mark) == Cell::NotPlayed;
}
