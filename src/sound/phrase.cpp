#include "phrase.h"

#include <algorithm>

namespace {

// A string cannot ring twice: a note is damped when its string is plucked
// again, however long it was meant to ring.
void dampOnReplucks(Phrase& phrase)
{
    for (size_t i = 0; i < phrase.size(); ++i)
        for (size_t j = 0; j < phrase.size(); ++j)
            if (j != i && phrase[j].string == phrase[i].string && phrase[j].start > phrase[i].start)
                phrase[i].length = std::min(phrase[i].length, phrase[j].start - phrase[i].start);
}

// The notes from the lowest pitch up; notes of the same pitch keep their
// reading order.
std::vector<DiagramNote> lowestFirst(std::vector<DiagramNote> notes)
{
    std::stable_sort(notes.begin(), notes.end(),
                     [](const DiagramNote& a, const DiagramNote& b) { return a.pitch < b.pitch; });
    return notes;
}

void strum(Phrase& phrase, const std::vector<DiagramNote>& notes, double at, double ring)
{
    for (size_t i = 0; i < notes.size(); ++i)
        phrase.push_back(
            {notes[i].pitch, notes[i].string, at + double(i) * kStrumGapSeconds, ring});
}

} // namespace

Phrase phraseFor(DiagramKind kind, const std::vector<DiagramNote>& notes)
{
    Phrase phrase;
    if (notes.empty())
        return phrase;
    const std::vector<DiagramNote> rising = lowestFirst(notes);
    if (kind == DiagramKind::Chord) {
        // The strum in reading order, low string first, with a half note to
        // ring; then each note a quarter note long; then the strum again a
        // beat after the last. Every note rings until its string is plucked
        // again.
        strum(phrase, notes, 0, kLastRingSeconds);
        double at = 2 * kBeatSeconds;
        for (const DiagramNote& note : rising) {
            phrase.push_back({note.pitch, note.string, at, kLastRingSeconds});
            at += kBeatSeconds;
        }
        strum(phrase, notes, at, kLastRingSeconds);
    } else {
        // Up and back down, the top note once, as eighth notes.
        std::vector<DiagramNote> upAndDown = rising;
        upAndDown.insert(upAndDown.end(), rising.rbegin() + 1, rising.rend());
        const double eighth = kBeatSeconds / 2;
        for (size_t i = 0; i < upAndDown.size(); ++i)
            phrase.push_back({upAndDown[i].pitch, upAndDown[i].string, double(i) * eighth,
                              i + 1 == upAndDown.size() ? kLastRingSeconds : eighth});
    }
    dampOnReplucks(phrase);
    return phrase;
}
