// Chord voicings and arpeggio fingerings.
#include "theory.h"

#include <algorithm>
#include <functional>
#include <tuple>

namespace theory {

// ---- chords --------------------------------------------------------------

// Drop-2 voicings on the D, G, B and E strings: from the bass tone up, the
// chord tones two, three and one steps further round the chord, each the
// nearest above the note before. The third, fifth and seventh carry their
// labels, so that a student sees where each tone of the inversion went.
Diagram chord(int key, int quality, int inversion)
{
    const int root = keyPitchClass(key);
    const auto iv = qualityIntervals(quality);
    const int b = inversion - 1;
    const int order[4] = {b, (b + 2) % 4, (b + 3) % 4, (b + 1) % 4};
    const int bassClass = mod12(root + iv[b]);
    const int firstFret = mod12(bassClass - kOpen[2]);

    for (int start : {firstFret, firstFret + 12}) {
        Diagram d;
        d.rootPitchClass = root;
        for (int t = 0; t < 3; ++t)
            d.labelledTones[t] = mod12(root + iv[t + 1]);
        d.played = {false, false, true, true, true, true};
        int pitch = kOpen[2] + start;
        d.frets[2] = {start};
        bool ok = true;
        for (int s = 3; s < kStrings && ok; ++s) {
            pitch = nextAbove(pitch, mod12(root + iv[order[s - 2]]));
            const int fret = pitch - kOpen[s];
            ok = fret >= 0;
            d.frets[s] = {fret};
        }
        if (!ok)
            continue;
        const Span span = spanOf(d);
        if (span.fretted() && (span.highest - span.lowest > 3 || span.highest > kHighestFret))
            continue;
        if (span.open && span.highest > 5)
            continue;
        return d;
    }
    fail("no drop-2 voicing for " + keyName(key) + " " + qualityName(quality));
}

// ---- arpeggios -----------------------------------------------------------

// Two octaves in one position from the inversion's bass tone on the low E
// string: nine notes, each the next chord tone above the one before, one to
// three on every string, the fretted ones within five frets. Among the
// fingerings that fit, the most compact is taken, then the most even spread
// across the strings, then the lowest on the neck.
Diagram arpeggio(int key, int quality, int inversion)
{
    const int root = keyPitchClass(key);
    const auto iv = qualityIntervals(quality);
    std::array<int, 4> classes;
    for (int i = 0; i < 4; ++i)
        classes[i] = mod12(root + iv[i]);
    const int firstFret = mod12(classes[inversion - 1] - kOpen[0]);

    for (int start : {firstFret, firstFret + 12}) {
        std::array<int, 9> pitches;
        pitches[0] = kOpen[0] + start;
        for (int i = 1; i < 9; ++i) {
            const int tone = (inversion - 1 + i) % 4;
            pitches[i] = nextAbove(pitches[i - 1], classes[tone]);
        }
        if (pitches[8] != pitches[0] + 24)
            fail("arpeggio does not span two octaves");

        bool found = false;
        Diagram best;
        std::tuple<int, int, int> bestScore{INT_MAX, INT_MAX, INT_MAX};
        std::array<int, kStrings> counts{};
        std::function<void(int, int)> place = [&](int str, int used) {
            if (str == kStrings) {
                if (used != 9)
                    return;
                Diagram d;
                d.rootPitchClass = root;
                int n = 0;
                for (int s = 0; s < kStrings; ++s)
                    for (int c = 0; c < counts[s]; ++c) {
                        const int fret = pitches[n++] - kOpen[s];
                        if (fret < 0)
                            return;
                        d.frets[s].push_back(fret);
                    }
                const Span span = spanOf(d);
                if (span.highest - span.lowest > 4 || (span.open && span.highest > 5))
                    return;
                int fretSum = 0;
                for (const auto& f : d.frets)
                    for (int x : f)
                        fretSum += x;
                const auto score = std::make_tuple(
                    span.highest - span.lowest,
                    *std::max_element(counts.begin(), counts.end()), fretSum);
                if (!found || score < bestScore) {
                    found = true;
                    bestScore = score;
                    best = d;
                }
                return;
            }
            for (int c = 1; c <= 3 && used + c <= 9; ++c) {
                counts[str] = c;
                place(str + 1, used + c);
            }
        };
        place(0, 0);
        if (found)
            return best;
    }
    fail("no arpeggio fingering for " + keyName(key) + " " + qualityName(quality));
}

} // namespace theory
