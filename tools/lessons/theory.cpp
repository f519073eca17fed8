#include "theory.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace theory {

int mod12(int n)
{
    return ((n % 12) + 12) % 12;
}

void fail(const std::string& what)
{
    throw std::runtime_error(what);
}

int nextAbove(int below, int pitchClass)
{
    int p = below + 1;
    while (mod12(p) != pitchClass)
        ++p;
    return p;
}

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

// A diagram is drawn at the nut exactly when it needs the nut, that is when
// it plays an open string or a note at fret 1 or 2, and fits frets 1 to 5.
// Any other diagram starts its first row at its lowest fretted fret, which
// the fret number beside row 1 (label place 0) names.
Record encode(const Diagram& d)
{
    const Span span = spanOf(d);
    if (span.fretted() && span.highest > kHighestFret)
        fail("a note above fret " + std::to_string(kHighestFret));
    const bool nearTheNut = span.open || (span.fretted() && span.lowest <= 2);
    const bool atNut = !span.fretted() || (nearTheNut && span.highest <= 5);
    if (span.open && !atNut)
        fail("open strings in a diagram away from the nut");
    const int firstRowFret = atNut ? 1 : span.lowest;
    if (span.fretted() && span.highest > firstRowFret + 4)
        fail("diagram does not fit five rows");

    Record r{};
    for (int str = 0; str < kStrings; ++str) {
        const bool firstColumn = str == 0;
        const auto& frets = d.frets[str];
        const auto has = [&](int fret) {
            return std::find(frets.begin(), frets.end(), fret) != frets.end();
        };
        const auto pitchClassAt = [&](int fret) { return mod12(kOpen[str] + fret); };
        int top;
        if (!d.played[str])
            top = atNut ? 9 : 11;
        else if (atNut && has(0))
            top = pitchClassAt(0) == d.rootPitchClass ? 8 : 7;
        else
            top = atNut ? 6 : 10;
        r[str] = static_cast<int16_t>(top + (firstColumn ? 6 : 0));
        for (int row = 1; row <= 5; ++row) {
            const int fret = firstRowFret + row - 1;
            int cell = 0;
            if (has(fret)) {
                const auto tone = std::find(d.labelledTones.begin(), d.labelledTones.end(),
                                            pitchClassAt(fret));
                if (pitchClassAt(fret) == d.rootPitchClass)
                    cell = 2;
                else if (tone != d.labelledTones.end())
                    cell = 18 + static_cast<int>(tone - d.labelledTones.begin());
                else
                    cell = 1;
            }
            if (firstColumn && cell >= 18)
                fail("the labelled dots are not drawn for the low E string");
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

// ---- tables and files ------------------------------------------------------

namespace {
template <typename Make>
std::vector<Record> everyChord(Make make)
{
    std::vector<Record> records;
    for (int k = 1; k <= 12; ++k)
        for (int q = 1; q <= 5; ++q)
            for (int i = 1; i <= 4; ++i)
                records.push_back(encode(make(k, q, i)));
    return records;
}
} // namespace

std::vector<Record> chordRecords()
{
    return everyChord(chord);
}

std::vector<Record> arpeggioRecords()
{
    std::array<std::array<Diagram, 12>, 20> types; // by quality and inversion
    for (int q = 1; q <= 5; ++q)
        for (int i = 1; i <= 4; ++i)
            types[(q - 1) * 4 + i - 1] = arpeggios(q, i);
    std::vector<Record> records =
        everyChord([&](int k, int q, int i) { return types[(q - 1) * 4 + i - 1][k - 1]; });
    records.push_back(blankBoard());
    return records;
}

std::vector<Record> scaleRecords()
{
    std::vector<Record> records;
    for (int k = 1; k <= 12; ++k) {
        checkScaleCoverage(k);
        for (int p = 1; p <= 5; ++p)
            records.push_back(encode(scalePosition(k, p)));
    }
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
