// The five positions of the major scale, each one CAGED shape, fingered one
// finger per fret.
#include "theory.h"

#include <algorithm>
#include <set>
#include <utility>

namespace theory {

namespace {

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};

bool inScale(int root, int pitch)
{
    const int step = mod12(pitch - root);
    return std::find(std::begin(kMajor), std::end(kMajor), step) != std::end(kMajor);
}

int nextInScale(int root, int pitch)
{
    do
        ++pitch;
    while (!inScale(root, pitch));
    return pitch;
}

// Positions 1..5 are the E, D, C, A and G shapes, the order in which they
// follow each other up the neck from the E shape. A shape is known by the
// strings of its lowest root and of the root an octave above it.
const std::pair<int, int> kShapeStrings[5] = {{0, 2}, {2, 4}, {1, 4}, {1, 3}, {0, 3}};

// A box of the scale as a pattern: string by string the frets above its
// lowest fret, and where its lowest root lies, which places it in a key.
struct Box
{
    std::array<std::vector<int>, kStrings> frets;
    int rootString = 0;
    int rootFret = 0;
    int stretches = 0;
    int notes = 0;
};

// The notes outside four consecutive frets of a box that spans five: those
// on its lowest fret or those on its highest, whichever are fewer. Such a
// note is reached by stretching the index finger down or the little finger
// up; more than five frets, or a string spanning more than four, no hand
// holds in one position (-1).
int stretchesOf(const Box& box)
{
    int highest = 0;
    std::array<int, 5> onFret{};
    for (const auto& frets : box.frets) {
        if (frets.back() - frets.front() > 3 || frets.back() > 4)
            return -1;
        highest = std::max(highest, frets.back());
        for (int f : frets)
            ++onFret[f];
    }
    return highest < 4 ? 0 : std::min(onFret[0], onFret[4]);
}

// Every box of the major scale that keeps the position rules: from its
// lowest note on the low E string, each next note of the scale exactly once,
// two or three on every string, rising string by string. They are found in
// C, high enough on the neck that no string needs a fret below its nut;
// the pattern is the same in every key.
std::vector<std::pair<int, Box>> everyBox()
{
    std::vector<std::pair<int, Box>> boxes; // with the shape each makes
    for (int start = 12; start < 24; ++start) {
        if (!inScale(0, kOpen[0] + start))
            continue;
        for (int choice = 0; choice < 1 << kStrings; ++choice) {
            Box box;
            std::vector<std::pair<int, int>> notes; // (pitch, string)
            int pitch = kOpen[0] + start;
            for (int s = 0; s < kStrings; ++s)
                for (int n = 0; n < 2 + (choice >> s & 1); ++n) {
                    notes.push_back({pitch, s});
                    box.frets[s].push_back(pitch - kOpen[s]);
                    pitch = nextInScale(0, pitch);
                }
            int lowest = INT_MAX;
            for (const auto& frets : box.frets)
                lowest = std::min(lowest, *std::min_element(frets.begin(), frets.end()));
            for (auto& frets : box.frets)
                for (int& f : frets)
                    f -= lowest;
            box.notes = static_cast<int>(notes.size());
            box.stretches = stretchesOf(box);
            const auto root = std::find_if(notes.begin(), notes.end(),
                                           [](const auto& n) { return mod12(n.first) == 0; });
            const auto octave = std::find_if(root, notes.end(), [&](const auto& n) {
                return n.first == root->first + 12;
            });
            if (box.stretches < 0 || octave == notes.end())
                continue;
            const auto shape = std::find(std::begin(kShapeStrings), std::end(kShapeStrings),
                                         std::make_pair(root->second, octave->second));
            if (shape == std::end(kShapeStrings))
                continue;
            box.rootString = root->second;
            box.rootFret = root->first - kOpen[root->second] - lowest;
            boxes.push_back({static_cast<int>(shape - std::begin(kShapeStrings)), box});
        }
    }
    return boxes;
}

// Each shape's box: the fewest stretches any box of the shape can have, then
// the most notes, so that the box plays all it can in one position. Two
// boxes that these leave level would make the choice arbitrary: the rules
// then no longer name one box, which stops the generator.
const Box& shapeBox(int position)
{
    static const std::vector<Box> boxes = [] {
        std::vector<Box> best(5);
        std::vector<int> level(5, 0); // how many boxes share the best rank
        const auto rank = [](const Box& b) { return std::make_pair(b.stretches, -b.notes); };
        for (const auto& [shape, box] : everyBox()) {
            if (level[shape] > 0 && rank(box) == rank(best[shape]))
                ++level[shape];
            else if (level[shape] == 0 || rank(box) < rank(best[shape]))
                best[shape] = box, level[shape] = 1;
        }
        for (int n : level)
            if (n != 1)
                fail(n ? "two scale boxes of one shape are equally good" : "a scale shape has no box");
        return best;
    }();
    return boxes[position - 1];
}

} // namespace

// A position is its shape's box at the lowest place on the neck where it
// fits: its lowest fret 0 to 11, so that its lowest root lands on a root of
// the key. A box whose lowest fret lands on fret 0 plays those notes open.
Diagram scalePosition(int key, int position)
{
    if (position < 1 || position > 5)
        fail("position out of range");
    const Box& box = shapeBox(position);
    const int root = keyPitchClass(key);
    const int place = mod12(root - kOpen[box.rootString] - box.rootFret);
    Diagram d;
    d.rootPitchClass = root;
    for (int s = 0; s < kStrings; ++s)
        for (int f : box.frets[s])
            d.frets[s].push_back(f + place);
    return d;
}

// Between them a key's five positions must use every place of its scale
// within twelve frets, a place twelve frets higher counting as the same.
void checkScaleCoverage(int key)
{
    std::set<std::pair<int, int>> used;
    for (int p = 1; p <= 5; ++p) {
        const Diagram d = scalePosition(key, p);
        for (int s = 0; s < kStrings; ++s)
            for (int f : d.frets[s])
                used.insert({s, f % 12});
    }
    for (int s = 0; s < kStrings; ++s)
        for (int f = 0; f < 12; ++f)
            if (inScale(keyPitchClass(key), kOpen[s] + f) && !used.count({s, f}))
                fail("the positions of " + keyName(key) + " major leave out a place of its scale");
}

} // namespace theory
