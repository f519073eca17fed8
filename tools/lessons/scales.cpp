// The five positions of the major scale, each one CAGED shape.
#include "theory.h"

#include <algorithm>

namespace theory {

namespace {

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};

bool inScale(int root, int pitch)
{
    const int step = mod12(pitch - root);
    return std::find(std::begin(kMajor), std::end(kMajor), step) != std::end(kMajor);
}

// Positions 1..5 are the E, D, C, A and G shapes, the order in which they
// follow each other up the neck from the E shape. Each shape is named after
// the key (and open chord) whose open-position scale it is: its pitch class.
const int kShapeKeys[5] = {4, 2, 0, 9, 7};

// The open-position major scale of a key, as method books teach it: on each
// string the scale tones from the open string up to fret 4 that lie below
// the next string's open note, so that a tone is played on the open string
// above rather than stopped on the string below. Moved up the neck, the
// open strings become the first finger's fret; this is the shape's pattern.
Diagram openPosition(int rootPitchClass)
{
    Diagram d;
    d.rootPitchClass = rootPitchClass;
    for (int s = 0; s < kStrings; ++s)
        for (int fret = 0; fret <= 4; ++fret) {
            const int pitch = kOpen[s] + fret;
            if (inScale(rootPitchClass, pitch) && (s + 1 == kStrings || pitch < kOpen[s + 1]))
                d.frets[s].push_back(fret);
        }
    return d;
}

} // namespace

// A position is its shape's pattern moved up from the open position of the
// shape's key to the key wanted, by the fewest frets. Each pattern plays the
// open low E (E is in all five keys' scales), so no lower place fits it.
Diagram scalePosition(int key, int position)
{
    if (position < 1 || position > 5)
        fail("position out of range");
    const int shapeKey = kShapeKeys[position - 1];
    const int root = keyPitchClass(key);
    const int shift = mod12(root - shapeKey);
    Diagram d = openPosition(shapeKey);
    d.rootPitchClass = root;
    for (auto& frets : d.frets)
        for (int& f : frets)
            f += shift;
    return d;
}

} // namespace theory
