#include "rules.h"

#include <algorithm>
#include <map>

// The scale positions as a hand plays them: one finger per fret over four
// consecutive frets, with "stretch" notes one fret beyond them on one side.
// The checker finds, for each shape, the box a method book would teach by
// trying every box of the major scale on the neck.
namespace lessoncheck {

const char* const kShapes[5] = {"E shape", "D shape", "C shape", "A shape", "G shape"};

std::pair<const Note*, const Note*> rootAndOctave(const std::vector<Note>& notes, int root)
{
    const Note* low = nullptr;
    for (const Note& n : notes)
        if (pitchClass(n.pitch()) == root && (!low || n.pitch() < low->pitch()))
            low = &n;
    if (!low)
        return {nullptr, nullptr};
    const auto octave = std::find_if(notes.begin(), notes.end(),
                                     [&](const Note& n) { return n.pitch() == low->pitch() + 12; });
    return {low, octave == notes.end() ? nullptr : &*octave};
}

int shapeOf(const std::vector<Note>& notes, int root)
{
    // The strings of the lowest root and of the root an octave above it.
    static const std::map<std::pair<int, int>, int> shapes = {
        {{0, 2}, 0}, {{2, 4}, 1}, {{1, 4}, 2}, {{1, 3}, 3}, {{0, 3}, 4}};
    const auto [low, octave] = rootAndOctave(notes, root);
    if (!low || !octave)
        return -1;
    const auto it = shapes.find({low->string, octave->string});
    return it == shapes.end() ? -1 : it->second;
}

Reach reachOf(const std::vector<Note>& notes)
{
    Reach r;
    if (notes.empty())
        return r;
    int hi = 0;
    for (const Note& n : notes)
        hi = std::max(hi, n.fret);
    const int lo = lowestFret(notes);
    r.first = lo;
    if (hi - lo <= 3)
        return r;
    if (hi - lo > 4) {
        r.fits = false;
        return r;
    }
    // Five frets: the notes on one of the outer frets are the stretches; the
    // side with fewer of them leaves the four frets for the fingers.
    const auto at = [&](int fret) {
        return static_cast<int>(std::count_if(notes.begin(), notes.end(),
                                              [&](const Note& n) { return n.fret == fret; }));
    };
    if (at(lo) < at(hi)) {
        r.stretches = at(lo);
        r.first = lo + 1;
    } else {
        r.stretches = at(hi);
    }
    return r;
}

int widestString(const std::vector<Note>& notes, int* frets)
{
    int widest = -1;
    *frets = 0;
    for (int s = 0; s < 6; ++s) {
        int lo = 99, hi = -1;
        for (const Note& n : notes)
            if (n.string == s)
                lo = std::min(lo, n.fret), hi = std::max(hi, n.fret);
        if (hi >= 0 && hi - lo + 1 > *frets)
            *frets = hi - lo + 1, widest = s;
    }
    return widest;
}

namespace {
// Every box of C major: from each scale tone on the low E string, two or
// three notes a string, every note of the scale once, rising string by
// string, no string over four frets, the rest within four frets and one
// fret of stretches. Placed high enough that no fret goes below zero; the
// pattern is what counts.
struct Box
{
    int shape;
    int stretches;
    int notes;
    int lowest;
    int highest;
};

std::vector<Box> everyBox()
{
    std::vector<Box> boxes;
    for (int start = 12; start < 24; ++start) {
        if (!inMajorScale(kOpenString[0] + start, 0))
            continue;
        for (int counts = 0; counts < 64; ++counts) {
            std::vector<Note> notes;
            int pitch = kOpenString[0] + start;
            for (int s = 0; s < 6; ++s)
                for (int i = 0; i < 2 + (counts >> s & 1); ++i) {
                    notes.push_back({s, pitch - kOpenString[s], false, 0});
                    do
                        ++pitch;
                    while (!inMajorScale(pitch, 0));
                }
            int widest = 0;
            widestString(notes, &widest);
            const Reach reach = reachOf(notes);
            const int shape = shapeOf(notes, 0);
            if (widest > 4 || !reach.fits || shape < 0)
                continue;
            const FretSpan span = fretSpan(notes);
            boxes.push_back({shape, reach.stretches, static_cast<int>(notes.size()),
                             lowestFret(notes), span.hi});
        }
    }
    return boxes;
}
} // namespace

BestBox bestBox(int shape, int root)
{
    static const std::vector<Box> boxes = everyBox();
    const Box* best = nullptr;
    for (const Box& b : boxes)
        if (b.shape == shape &&
            (!best || b.stretches < best->stretches ||
             (b.stretches == best->stretches && b.notes > best->notes)))
            best = &b;
    // Moved to the key's lowest place on the neck; every shape has a box.
    const int lowest = pitchClass(best->lowest + root);
    return {best->stretches, best->notes, {lowest, lowest + best->highest - best->lowest}};
}

QString bestBoxText(int shape, int root)
{
    const BestBox best = bestBox(shape, root);
    return QStringLiteral("the %1 fits four frets%2 (%3)")
        .arg(QLatin1String(kShapes[shape]),
             best.stretches == 0 ? QString()
                                 : QStringLiteral(" and %1 stretch%2")
                                       .arg(numberWord(best.stretches),
                                            best.stretches == 1 ? "" : "es"),
             fretsText(best.frets));
}

void checkReach(const Board& b, int root, int position, QStringList& out)
{
    const int shape = position - 1;
    int frets = 0;
    const int widest = widestString(b.notes, &frets);
    if (frets > 4)
        out << QStringLiteral("a %1-fret reach on the %2 string, but %3")
                   .arg(numberWord(frets), stringName(widest), bestBoxText(shape, root));
    const Reach reach = reachOf(b.notes);
    if (!reach.fits)
        return; // the fret span is reported
    const BestBox best = bestBox(shape, root);
    if (reach.stretches > best.stretches) {
        out << QStringLiteral("has %1 outside the four frets %2 to %3, but %4")
                   .arg(notesCount(reach.stretches))
                   .arg(reach.first)
                   .arg(reach.first + 3)
                   .arg(bestBoxText(shape, root));
    } else if (reach.stretches == best.stretches &&
               static_cast<int>(b.notes.size()) < best.notes) {
        out << QStringLiteral("has %1, but %2 with %3")
                   .arg(notesCount(static_cast<int>(b.notes.size())), bestBoxText(shape, root),
                        notesCount(best.notes));
    }
}

} // namespace lessoncheck
