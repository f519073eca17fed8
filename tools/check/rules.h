#pragma once

#include "board.h"

#include <optional>

// The musical rules of each kind of lesson. Each check appends, in words a
// guitarist understands, what is wrong with one decoded board.
namespace lessoncheck {

// A drop-2 seventh chord on the four highest strings.
void checkChord(const Board& b, int key, int quality, int inversion, QStringList& out);

// A two-octave arpeggio from the inversion's bass note on the low E string;
// `chord` is the chord of the same key, quality and inversion, when it decodes.
void checkArpeggio(const Board& b, int key, int quality, int inversion, const Board* chord,
                   QStringList& out);

// Every fingering that meets the arpeggio rules and plays no fret above the
// highest: the notes by string, then fret.
std::vector<std::vector<Note>> arpeggioFingerings(int key, int quality, int inversion);

// One scale position: a box of the major scale in its CAGED shape.
void checkScale(const Board& b, int key, int position, QStringList& out);

// The rules between the scale positions: position n has one fingering in
// every key, and a key's five positions cover its scale within twelve frets.
// `scales` holds entries 0 to 59, empty where a record does not decode.
struct EntryFault
{
    int entry = -1; // -1 when the fault is not tied to one entry
    QString message;
};
std::vector<EntryFault> checkScalePositions(const std::vector<std::optional<Board>>& scales);

} // namespace lessoncheck
