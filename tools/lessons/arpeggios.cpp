// Arpeggio fingerings: every way to play one, and the one shape per quality
// and inversion that a student learns and moves to every key.
#include "theory.h"

#include <algorithm>
#include <bitset>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

namespace theory {

namespace {

// How many notes each string plays. The notes of an arpeggio follow from its
// key, quality and inversion, so this alone fixes the frets above the first
// note: it is the fingering's shape, the same wherever it is moved.
using Shape = std::array<int, kStrings>;

struct Fingering
{
    Diagram diagram;
    Span span;
    Shape shape{};
    int start = 0; // the first note's fret on the low E string
    int mostOnAString = 0;
    int fretSum = 0;
    bool overlapsChord = false;
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
    const Span chordSpan = spanOf(chord(key, quality, inversion));

    std::vector<Fingering> all;
    for (int start = firstFret; start <= kHighestFret; start += 12) {
        std::array<int, 9> pitches;
        pitches[0] = kOpen[0] + start;
        for (int i = 1; i < 9; ++i)
            pitches[i] = nextAbove(pitches[i - 1], classes[(inversion - 1 + i) % 4]);
        if (pitches[8] != pitches[0] + 24)
            fail("arpeggio does not span two octaves");

        Shape counts{};
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
            f.shape = counts;
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
            f.overlapsChord = chordSpan.fretted() && f.span.lowest <= chordSpan.highest &&
                              chordSpan.lowest <= f.span.highest;
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

// The fingerings of one arpeggio that a student is given, in this order of
// need: no open string, so that it moves to every key; no stretch to begin
// with (the little finger on the first note, four frets above the lowest);
// and four frets at most, so that each finger keeps its fret.
std::vector<Fingering> playableFingerings(int key, int quality, int inversion)
{
    std::vector<Fingering> fingerings = arpeggioFingerings(key, quality, inversion);
    if (fingerings.empty())
        fail("no arpeggio fingering for " + keyName(key) + " " + qualityName(quality));
    preferWhereAny(fingerings, [](const Fingering& f) { return !f.span.open; });
    preferWhereAny(fingerings, [](const Fingering& f) {
        return !(f.span.highest - f.span.lowest == 4 && f.start == f.span.highest);
    });
    preferWhereAny(fingerings, [](const Fingering& f) { return f.span.highest - f.span.lowest <= 3; });
    return fingerings;
}

// Beside its chord first; then the lowest start on the low E string, the
// fewest frets, the most even spread across the strings, the lowest on the
// neck. Smaller is better.
auto rank(const Fingering& f)
{
    return std::make_tuple(!f.overlapsChord, f.start, f.span.highest - f.span.lowest,
                           f.mostOnAString, f.fretSum);
}

using Keys = std::bitset<12>;

// One way to finger a quality and inversion in all twelve keys, and how it
// ranks: the keys beside their chord, then the sums over the keys of the
// fingerings' own ranks.
struct Plan
{
    std::array<const Fingering*, 12> chosen{};
    std::tuple<int, int, int, int, int> score;
};

// Each key plays its best fingering of the shape it is given (any of its own
// when it is given none).
Plan planFor(const std::array<std::vector<Fingering>, 12>& keys, const Shape& main,
             Keys mainKeys, const std::optional<Shape>& second)
{
    Plan plan;
    int beside = 0, starts = 0, frets = 0, most = 0, sums = 0;
    for (int k = 0; k < 12; ++k) {
        const std::optional<Shape> shape = mainKeys[k] ? std::optional<Shape>(main) : second;
        for (const Fingering& f : keys[k])
            if ((!shape || f.shape == *shape) &&
                (!plan.chosen[k] || rank(f) < rank(*plan.chosen[k])))
                plan.chosen[k] = &f;
        const Fingering& f = *plan.chosen[k];
        beside += f.overlapsChord;
        starts += f.start;
        frets += f.span.highest - f.span.lowest;
        most += f.mostOnAString;
        sums += f.fretSum;
    }
    plan.score = std::make_tuple(-beside, starts, frets, most, sums);
    return plan;
}

} // namespace

// One shape per quality and inversion. Of the shapes that keep the
// preferences above in some key, one that keeps them in the most keys is
// played in every key where it does; the keys left over share one second
// shape, when one keeps the preferences in all of them, or else each plays
// its own. Where that leaves a choice of shapes, or of the octave a shape is
// played in, the arpeggios lie beside their chords in as many keys as can
// be; then the fingerings' own order decides (rank).
std::array<Diagram, 12> arpeggios(int quality, int inversion)
{
    std::array<std::vector<Fingering>, 12> keys;
    std::map<Shape, Keys> keeps; // the keys where each shape keeps the preferences
    for (int k = 0; k < 12; ++k) {
        keys[k] = playableFingerings(k + 1, quality, inversion);
        for (const Fingering& f : keys[k])
            keeps[f.shape].set(static_cast<size_t>(k));
    }
    size_t most = 0;
    for (const auto& [shape, where] : keeps)
        most = std::max(most, where.count());

    std::optional<Plan> best;
    const auto consider = [&](const Plan& plan) {
        if (!best || plan.score < best->score)
            best = plan;
    };
    for (const auto& [main, where] : keeps) {
        if (where.count() != most)
            continue;
        const Keys rest = ~where;
        bool shared = rest.none();
        if (shared)
            consider(planFor(keys, main, where, std::nullopt));
        for (const auto& [second, secondWhere] : keeps)
            if (rest.any() && second != main && (secondWhere & rest) == rest) {
                consider(planFor(keys, main, where, second));
                shared = true;
            }
        if (!shared)
            consider(planFor(keys, main, where, std::nullopt));
    }
    std::array<Diagram, 12> diagrams;
    for (int k = 0; k < 12; ++k)
        diagrams[k] = best->chosen[k]->diagram;
    return diagrams;
}

} // namespace theory
