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

namespace {

struct Fingering
{
    Diagram diagram;
    Span span;
    int start = 0; // the first note's fret on the low E string
    int mostOnAString = 0;
    int fretSum = 0;
};

// Every way to play the two octaves from the inversion's bass tone on the
// low E string: nine notes, each the next chord tone above the one before,
// one to three on every string, the fretted ones within five frets and none
// above the highest fret, open strings only in a diagram at the nut.
std::vector<Fingering> arpeggioFingerings(int key, int quality, int inversion)
{
    const int root = keyPitchClass(key);
    const auto iv = qualityIntervals(quality);
    std::array<int, 4> classes;
    for (int i = 0; i < 4; ++i)
        classes[i] = mod12(root + iv[i]);
    const int firstFret = mod12(classes[inversion - 1] - kOpen[0]);

    std::vector<Fingering> all;
    for (int start = firstFret; start <= kHighestFret; start += 12) {
        std::array<int, 9> pitches;
        pitches[0] = kOpen[0] + start;
        for (int i = 1; i < 9; ++i)
            pitches[i] = nextAbove(pitches[i - 1], classes[(inversion - 1 + i) % 4]);
        if (pitches[8] != pitches[0] + 24)
            fail("arpeggio does not span two octaves");

        std::array<int, kStrings> counts{};
        std::function<void(int, int)> place = [&](int str, int used) {
            if (str < kStrings) {
                for (int c = 1; c <= 3 && used + c <= 9; ++c) {
                    counts[str] = c;
                    place(str + 1, used + c);
                }
                return;
            }
            if (used != 9)
                return;
            Fingering f;
            f.start = start;
            f.diagram.rootPitchClass = root;
            int n = 0;
            for (int s = 0; s < kStrings; ++s)
                for (int c = 0; c < counts[s]; ++c) {
                    const int fret = pitches[n++] - kOpen[s];
                    if (fret < 0 || fret > kHighestFret)
                        return;
                    f.diagram.frets[s].push_back(fret);
                    f.fretSum += fret;
                }
            f.span = spanOf(f.diagram);
            if (f.span.highest - f.span.lowest > 4 || (f.span.open && f.span.highest > 5))
                return;
            f.mostOnAString = *std::max_element(counts.begin(), counts.end());
            all.push_back(f);
        };
        place(0, 0);
    }
    return all;
}

// Keeps the fingerings that have a property, if any has it.
template <typename Has>
void preferWhereAny(std::vector<Fingering>& fingerings, Has has)
{
    if (std::any_of(fingerings.begin(), fingerings.end(), has))
        fingerings.erase(std::remove_if(fingerings.begin(), fingerings.end(),
                                        [&](const Fingering& f) { return !has(f); }),
                         fingerings.end());
}

} // namespace

// Of every fingering that fits, the shipped one is chosen by what a student
// needs, in this order: no open string, so that it moves to every key; no
// stretch to begin with (the little finger on the first note, four frets
// above the lowest); and lying where the chord of the same name is played, so
// that the two are learnt together. Of those left the lowest start on the
// low E string is taken, then the most compact, then the most even spread
// across the strings, then the lowest on the neck.
Diagram arpeggio(int key, int quality, int inversion)
{
    std::vector<Fingering> fingerings = arpeggioFingerings(key, quality, inversion);
    if (fingerings.empty())
        fail("no arpeggio fingering for " + keyName(key) + " " + qualityName(quality));

    const Span chordSpan = spanOf(chord(key, quality, inversion));
    preferWhereAny(fingerings, [](const Fingering& f) { return !f.span.open; });
    preferWhereAny(fingerings, [](const Fingering& f) {
        return !(f.span.highest - f.span.lowest == 4 && f.start == f.span.highest);
    });
    preferWhereAny(fingerings, [&](const Fingering& f) {
        return chordSpan.fretted() && f.span.lowest <= chordSpan.highest &&
               chordSpan.lowest <= f.span.highest;
    });
    const auto order = [](const Fingering& f) {
        return std::make_tuple(f.start, f.span.highest - f.span.lowest, f.mostOnAString,
                               f.fretSum);
    };
    return std::min_element(fingerings.begin(), fingerings.end(),
                            [&](const Fingering& a, const Fingering& b) {
                                return order(a) < order(b);
                            })
        ->diagram;
}

} // namespace theory
