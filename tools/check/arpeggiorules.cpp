#include "rules.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace lessoncheck {

namespace {
constexpr int kArpeggioNotes = 9;
constexpr int kMaxPerString = 3;

// Lays the rest of the line of pitches onto the strings: each note on the
// string of the one before or on the next, one to three notes a string.
void place(const std::vector<int>& pitches, std::vector<Note>& notes, int onString,
           std::vector<std::vector<Note>>& out)
{
    if (notes.size() == pitches.size()) {
        const FretSpan span = fretSpan(notes);
        // Five frets at most; an open string needs the nut, which shows frets 1 to 5.
        if (notes.back().string == 5 && span.hi - span.lo <= 4 &&
            (!playsOpenString(notes) || span.hi <= 5))
            out.push_back(notes);
        return;
    }
    const int pitch = pitches[notes.size()];
    const int string = notes.back().string;
    for (int s = string; s <= std::min(string + 1, 5); ++s) {
        const int count = s == string ? onString + 1 : 1;
        const int fret = pitch - kOpenString[s];
        if (count > kMaxPerString || fret < 0 || fret > kHighestFret)
            continue;
        notes.push_back({s, fret, false, 0});
        place(pitches, notes, count, out);
        notes.pop_back();
    }
}

// What the first preferences ask of a fingering.
struct Traits
{
    FretSpan span;
    bool open = false;
    bool stretch = false; // five frets, begun by the little finger on the highest
};

Traits traitsOf(const std::vector<Note>& notes)
{
    Traits t;
    t.span = fretSpan(notes);
    t.open = playsOpenString(notes);
    t.stretch = t.span.frets() == 5 && notes.front().fret == t.span.hi;
    return t;
}

// In order: no open string, no stretch to begin, at most four frets. Each is
// asked only where some fingering keeping the ones before it can keep it.
const std::function<bool(const Traits&)> kPreferences[3] = {
    [](const Traits& t) { return !t.open; },
    [](const Traits& t) { return !t.stretch; },
    [](const Traits& t) { return t.span.frets() <= 4; },
};

// The fingerings that keep as many of the preferences as any can.
std::vector<size_t> preferred(const std::vector<Traits>& all, int preferences = 3)
{
    std::vector<size_t> left(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        left[i] = i;
    for (int p = 0; p < preferences; ++p) {
        std::vector<size_t> kept;
        std::copy_if(left.begin(), left.end(), std::back_inserter(kept),
                     [&](size_t i) { return kPreferences[p](all[i]); });
        if (!kept.empty())
            left = kept;
    }
    return left;
}

// The shipped fingering keeps each preference that the fingerings keeping
// the ones before it can keep; the way out named is one that keeps them all.
void checkPreferences(const Board& b, int key, int quality, int inversion, QStringList& out)
{
    std::vector<Traits> all;
    for (const auto& f : arpeggioFingerings(key, quality, inversion))
        all.push_back(traitsOf(f));
    const Traits shipped = traitsOf(b.notes);
    for (int p = 0; p < 3; ++p) {
        const std::vector<size_t> before = preferred(all, p);
        const bool someKeep = std::any_of(before.begin(), before.end(),
                                          [&](size_t i) { return kPreferences[p](all[i]); });
        if (!someKeep || kPreferences[p](shipped))
            continue;
        const QString way = fretsText(all[preferred(all).front()].span);
        if (p == 0)
            out << QStringLiteral("uses open strings, but a fingering without open strings "
                                  "exists (%1)")
                       .arg(way);
        else if (p == 1)
            out << QStringLiteral("begins with a stretch: %1 is on the highest of its five frets "
                                  "(%2), but a fingering without the stretch exists (%3)")
                       .arg(describe(b.notes.front()), fretsText(shipped.span), way);
        else
            out << QStringLiteral("spans five frets (%1), but a fingering of four frets exists "
                                  "(%2)")
                       .arg(fretsText(shipped.span), way);
        return;
    }
}
} // namespace

std::vector<std::vector<Note>> preferredFingerings(int key, int quality, int inversion)
{
    const auto all = arpeggioFingerings(key, quality, inversion);
    std::vector<Traits> traits;
    for (const auto& f : all)
        traits.push_back(traitsOf(f));
    std::vector<std::vector<Note>> out;
    for (size_t i : preferred(traits))
        out.push_back(all[i]);
    return out;
}

std::vector<std::vector<Note>> arpeggioFingerings(int key, int quality, int inversion)
{
    const int root = keyRoot(key);
    const int* tones = kChordTones[quality - 1];
    std::vector<std::vector<Note>> out;
    for (int fret = 0; fret <= kHighestFret; ++fret) {
        if (pitchClass(kOpenString[0] + fret - root) != tones[inversion - 1])
            continue;
        std::vector<int> pitches{kOpenString[0] + fret};
        for (int step = inversion; static_cast<int>(pitches.size()) < kArpeggioNotes; ++step)
            pitches.push_back(nextAbove(pitches.back(), pitchClass(root + tones[step % 4])));
        std::vector<Note> notes{{0, fret, false, 0}};
        place(pitches, notes, 1, out);
    }
    return out;
}

void checkArpeggio(const Board& b, int key, int quality, int inversion, QStringList& out)
{
    const int root = keyRoot(key);
    const auto before = out.size();
    checkCommon(b, root, 4, out);
    const std::vector<int> counts = countPerString(b);
    for (int s = 0; s < 6; ++s)
        if (counts[s] < 1 || counts[s] > kMaxPerString || b.muted[s])
            out << QStringLiteral("the %1 string has %2%3; every string needs one to three")
                       .arg(stringName(s), notesCount(counts[s]),
                            b.muted[s] ? QStringLiteral(" and is marked not played") : QString());
    for (const Note& n : b.notes) {
        bool tone = false;
        for (int t : kChordTones[quality - 1])
            tone = tone || pitchClass(root + t) == pitchClass(n.pitch());
        if (!tone)
            out << QStringLiteral("%1 is not a tone of the chord").arg(describe(n));
    }
    if (b.notes.size() != kArpeggioNotes)
        out << QStringLiteral("%1; a two-octave arpeggio has nine")
                   .arg(notesCount(static_cast<int>(b.notes.size())));
    if (b.notes.empty())
        return;
    const int bass = pitchClass(root + kChordTones[quality - 1][inversion - 1]);
    const Note& first = b.notes.front();
    if (first.string != 0 || pitchClass(first.pitch()) != bass)
        out << QStringLiteral("the first note is %1, the inversion starts on %2 on the low E string")
                   .arg(describe(first), noteName(bass));
    if (b.notes.back().pitch() != first.pitch() + 24)
        out << QStringLiteral("the last note is %1, two octaves above the first is %2")
                   .arg(describe(b.notes.back()), noteName(first.pitch()));
    checkRising(b, kChordTones[quality - 1], 4, root, QStringLiteral("chord tone"), out);
    if (out.size() == before)
        checkPreferences(b, key, quality, inversion, out);
}

} // namespace lessoncheck
