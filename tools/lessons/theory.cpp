#include "theory.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <tuple>
#include <sstream>
#include <stdexcept>

namespace theory {

namespace {

int mod12(int n)
{
    return ((n % 12) + 12) % 12;
}

[[noreturn]] void fail(const std::string& what)
{
    throw std::runtime_error(what);
}

// The smallest pitch above `below` with the given pitch class.
int nextAbove(int below, int pitchClass)
{
    int p = below + 1;
    while (mod12(p) != pitchClass)
        ++p;
    return p;
}

struct Span
{
    int lowest = INT_MAX; // lowest fretted (non-open) fret
    int highest = 0;
    bool open = false;
};

Span spanOf(const Diagram& d)
{
    Span s;
    for (int str = 0; str < kStrings; ++str)
        for (int f : d.frets[str]) {
            if (f == 0)
                s.open = true;
            else
                s.lowest = std::min(s.lowest, f), s.highest = std::max(s.highest, f);
        }
    return s;
}

} // namespace

int keyPitchClass(int key)
{
    if (key < 1 || key > 12)
        fail("key out of range");
    return mod12(9 + key - 1); // A is pitch class 9
}

std::string noteName(int pitchClass)
{
    static const char* names[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    return names[mod12(pitchClass)];
}

std::string keyName(int key)
{
    return noteName(keyPitchClass(key));
}

std::array<int, 4> qualityIntervals(int quality)
{
    switch (quality) {
    case 1: return {0, 4, 7, 11};
    case 2: return {0, 3, 7, 10};
    case 3: return {0, 4, 7, 10};
    case 4: return {0, 3, 6, 10};
    case 5: return {0, 3, 6, 9};
    }
    fail("quality out of range");
}

std::string qualityName(int quality)
{
    static const char* names[] = {"Major 7", "Minor 7", "Dominant 7", "Half Diminished 7",
                                  "Fully Diminished 7"};
    if (quality < 1 || quality > 5)
        fail("quality out of range");
    return names[quality - 1];
}

std::string inversionName(int inversion)
{
    static const char* names[] = {"Root Position", "First Inversion", "Second Inversion",
                                  "Third Inversion"};
    if (inversion < 1 || inversion > 4)
        fail("inversion out of range");
    return names[inversion - 1];
}

std::string positionName(int position)
{
    static const char* names[] = {"First Position", "Second Position", "Third Position",
                                  "Fourth Position", "Fifth Position"};
    if (position < 1 || position > 5)
        fail("position out of range");
    return names[position - 1];
}

// ---- encoding ------------------------------------------------------------

// A diagram whose frets all lie within 1..5 (or that has open strings) is
// drawn at the nut; otherwise row 1 is the lowest fretted fret, which the
// fret number in label place 0 names.
Record encode(const Diagram& d)
{
    const Span span = spanOf(d);
    const bool anyFretted = span.lowest != INT_MAX;
    const bool atNut = !anyFretted || span.highest <= 5;
    if (span.open && !atNut)
        fail("open strings in a diagram away from the nut");
    const int firstRowFret = atNut ? 1 : span.lowest;
    if (!atNut && (firstRowFret < 2 || firstRowFret > 16 || span.highest > firstRowFret + 4))
        fail("diagram does not fit five rows");

    Record r{};
    for (int str = 0; str < kStrings; ++str) {
        const bool firstColumn = str == 0;
        const auto& frets = d.frets[str];
        const auto has = [&](int fret) {
            return std::find(frets.begin(), frets.end(), fret) != frets.end();
        };
        const auto isRoot = [&](int fret) {
            return mod12(kOpen[str] + fret) == d.rootPitchClass;
        };
        int top;
        if (!d.played[str])
            top = atNut ? 9 : 11;
        else if (atNut && has(0))
            top = isRoot(0) ? 8 : 7;
        else
            top = atNut ? 6 : 10;
        r[str] = static_cast<int16_t>(top + (firstColumn ? 6 : 0));
        for (int row = 1; row <= 5; ++row) {
            const int fret = firstRowFret + row - 1;
            const int cell = has(fret) ? (isRoot(fret) ? 2 : 1) : 0;
            r[row * 6 + str] = static_cast<int16_t>(cell + (firstColumn ? 3 : 0));
        }
    }
    r[36] = static_cast<int16_t>(atNut ? 0 : firstRowFret);
    r[37] = 0;
    return r;
}

Record blankBoard()
{
    Diagram empty;
    return encode(empty); // at the nut, nothing marked
}

// ---- chords --------------------------------------------------------------

// Drop-2 voicings on the D, G, B and E strings: from the bass tone up, the
// chord tones two, three and one steps further round the chord, each the
// nearest above the note before.
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
        if (span.lowest != INT_MAX && span.highest - span.lowest > 3)
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

// ---- scale positions -----------------------------------------------------

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

// ---- tables and files ------------------------------------------------------

std::vector<Record> chordRecords()
{
    std::vector<Record> records;
    for (int k = 1; k <= 12; ++k)
        for (int q = 1; q <= 5; ++q)
            for (int i = 1; i <= 4; ++i)
                records.push_back(encode(chord(k, q, i)));
    return records;
}

std::vector<Record> arpeggioRecords()
{
    std::vector<Record> records;
    for (int k = 1; k <= 12; ++k)
        for (int q = 1; q <= 5; ++q)
            for (int i = 1; i <= 4; ++i)
                records.push_back(encode(arpeggio(k, q, i)));
    records.push_back(blankBoard());
    return records;
}

std::vector<Record> scaleRecords()
{
    std::vector<Record> records;
    for (int k = 1; k <= 12; ++k)
        for (int p = 1; p <= 5; ++p)
            records.push_back(encode(scalePosition(k, p)));
    return records;
}

std::string formatRecords(const std::vector<Record>& records)
{
    std::ostringstream out;
    for (const Record& r : records) {
        for (size_t i = 0; i < r.size(); ++i)
            out << (i ? "," : "") << r[i];
        out << "\r\n";
    }
    return out.str();
}

} // namespace theory
