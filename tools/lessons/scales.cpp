// The five positions of the major scale.
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

// The five boxes of the major scale, relative to the key's root on the low
// E string's fret scale, with the CAGED shape each is built on. They are the
// four-fret boxes that need the fewest stretches; together they cover the
// neck.
struct Box
{
    int offset;
    const char* shape;
};
const Box kBoxes[5] = {{0, "C"}, {2, "A"}, {5, "G"}, {7, "E"}, {9, "D"}};

// Boxes of a key, lowest on the neck first.
std::array<Box, 5> boxesOf(int key)
{
    const int root = keyPitchClass(key);
    std::array<Box, 5> boxes;
    for (int i = 0; i < 5; ++i)
        boxes[i] = {mod12(root + kBoxes[i].offset), kBoxes[i].shape};
    std::sort(boxes.begin(), boxes.end(),
              [](const Box& a, const Box& b) { return a.offset < b.offset; });
    return boxes;
}
} // namespace

// A position takes every scale tone of its four-fret box on each string.
// Where a scale tone falls between one string's box and the next (the
// strings a fourth apart), the lower string reaches one fret up for it.
Diagram scalePosition(int key, int position)
{
    const int root = keyPitchClass(key);
    const int w = boxesOf(key)[position - 1].offset;
    Diagram d;
    d.rootPitchClass = root;
    for (int s = 0; s < kStrings; ++s) {
        for (int fret = w; fret <= w + 3; ++fret)
            if (inScale(root, kOpen[s] + fret))
                d.frets[s].push_back(fret);
        const bool fourthAbove = s == 0 || s == 1 || s == 2 || s == 4;
        if (fourthAbove && inScale(root, kOpen[s] + w + 4))
            d.frets[s].push_back(w + 4);
    }
    return d;
}

std::string scaleShape(int key, int position)
{
    return boxesOf(key)[position - 1].shape;
}

} // namespace theory
