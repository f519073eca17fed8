#pragma once

#include "board.h"

#include <optional>

// The musical rules of each kind of lesson. Each check appends, in words a
// guitarist understands, what is wrong with one decoded board.
namespace lessoncheck {


// A drop-2 seventh chord on the four highest strings.
void checkChord(const Board& b, int key, int quality, int inversion, QStringList& out);
// One fingering pattern per quality and inversion in every key; `chords`
// holds entries 0 to 239, empty where a record does not decode.
std::vector<EntryFault> checkChordShapes(const std::vector<std::optional<Board>>& chords);

// A two-octave arpeggio from the inversion's bass note on the low E string,
// with the preferences each key weighs on its own: no open string, no stretch
// to begin, four frets.
void checkArpeggio(const Board& b, int key, int quality, int inversion, QStringList& out);

// Every fingering that meets the arpeggio rules and plays no fret above the
// highest: the notes by string, then fret.
std::vector<std::vector<Note>> arpeggioFingerings(int key, int quality, int inversion);
// Those of them that keep the preferences of one key as far as any can.
std::vector<std::vector<Note>> preferredFingerings(int key, int quality, int inversion);

// The preferences between keys: one shape per quality and inversion, as many
// keys beside their chord as can be, then the tie-breaks. `arpeggios` holds
// entries 0 to 239, empty where an arpeggio has a fault of its own; `chords`
// the chords, empty where one does not decode.
std::vector<EntryFault> checkArpeggioShapes(const std::vector<std::optional<Board>>& arpeggios,
                                            const std::vector<std::optional<Board>>& chords);

// One scale position: a box of the major scale in its CAGED shape.
void checkScale(const Board& b, int key, int position, QStringList& out);

// The five shapes of the scale positions, First to Fifth: E, D, C, A, G.
extern const char* const kShapes[5];
// The lowest root among the notes and the root an octave above it, where
// there are such notes.
std::pair<const Note*, const Note*> rootAndOctave(const std::vector<Note>& notes, int root);
// The shape (0 to 4) that the strings of those two roots name, or -1.
int shapeOf(const std::vector<Note>& notes, int root);

// A box under the hand, one finger per fret: four consecutive frets from
// `first`, and `stretches` notes one fret beyond them, all on one side.
// It does not `fit` when its notes reach over more than five frets.
struct Reach
{
    bool fits = true;
    int stretches = 0;
    int first = 0;
};
Reach reachOf(const std::vector<Note>& notes);
// The string whose notes reach over the most frets, and that reach.
int widestString(const std::vector<Note>& notes, int* frets);

// Of every box of a shape, the fewest stretches any has, and among those the
// most notes; `frets` where that box lies in the key of `root`.
struct BestBox
{
    int stretches = 0;
    int notes = 0;
    FretSpan frets;
};
BestBox bestBox(int shape, int root);
// A scale position's reach against the best box of its shape.
void checkReach(const Board& b, int root, int position, QStringList& out);

// The rules between the scale positions: position n has one fingering in
// every key, and a key's five positions cover its scale within twelve frets.
// `scales` holds entries 0 to 59, empty where a record does not decode.
std::vector<EntryFault> checkScalePositions(const std::vector<std::optional<Board>>& scales);

} // namespace lessoncheck
