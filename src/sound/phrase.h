#pragma once

#include "selection/diagramnotes.h"

#include <vector>

// One pluck of a phrase.
struct PhraseNote
{
    int pitch = 0;     // MIDI number
    int string = 0;    // 0 = low E ... 5 = high E (for the pluck's colour)
    double start = 0;  // seconds from the phrase's start
    double length = 0; // seconds it rings before it is damped
};
using Phrase = std::vector<PhraseNote>;

// The phrase's timing: a quarter note at 100 beats a minute.
constexpr double kBeatSeconds = 0.6;
constexpr double kStrumGapSeconds = 0.030; // between the strings of a strum
constexpr double kLastRingSeconds = 2.5;   // how long the last note or strum rings

// What the diagram plays. A chord: strummed from its lowest string to its
// highest, then its notes one at a time from the lowest, then the strum
// again. An arpeggio or a scale position: its notes up from the lowest and
// back down as even eighth notes (the top note once), the last one ringing.
// A note rings until its string is plucked again or the next note comes;
// empty for a board with no notes.
Phrase phraseFor(DiagramKind kind, const std::vector<DiagramNote>& notes);
