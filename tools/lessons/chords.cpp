// Chord voicings.
#include "theory.h"

namespace theory {

// Drop-2 voicings on the D, G, B and E strings: from the bass tone up, the
// chord tones two, three and one steps further round the chord, each the
// nearest above the note before. The third, fifth and seventh carry their
// labels, so that a student sees where each tone of the inversion went.
// No string is played open, so the shape is the same in every key and moves
// with the hand; it sits at the lowest place where that is so, its lowest
// fret 1 to 12.
Diagram chord(int key, int quality, int inversion)
{
    const int root = keyPitchClass(key);
    const auto iv = qualityIntervals(quality);
    const int b = inversion - 1;
    const int order[4] = {b, (b + 2) % 4, (b + 3) % 4, (b + 1) % 4};

    Diagram d;
    d.rootPitchClass = root;
    for (int t = 0; t < 3; ++t)
        d.labelledTones[t] = mod12(root + iv[t + 1]);
    d.played = {false, false, true, true, true, true};
    // An octave up from the bass's lowest place, so that no string needs a
    // fret below its nut; then down by octaves to the lowest fretted place.
    int pitch = kOpen[2] + 12 + mod12(root + iv[b] - kOpen[2]);
    for (int s = 2; s < kStrings; ++s) {
        if (s > 2)
            pitch = nextAbove(pitch, mod12(root + iv[order[s - 2]]));
        d.frets[s] = {pitch - kOpen[s]};
    }
    const Span span = spanOf(d);
    if (span.highest - span.lowest > 3)
        fail("no drop-2 voicing for " + keyName(key) + " " + qualityName(quality));
    const int down = (span.lowest - 1) / 12 * 12;
    for (int s = 2; s < kStrings; ++s)
        d.frets[s][0] -= down;
    return d;
}

} // namespace theory
