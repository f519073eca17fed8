#pragma once

#include "lessons/lessontable.h"

#include <vector>

// Which lesson table a diagram comes from.
enum class DiagramKind { Arpeggio, Chord, Scale };

// What a note's cell picture says of it: a plain dot, the root (red), or a
// chord's third, fifth or seventh (a dot labelled 3, 5 or 7).
enum class NoteMark { Plain, Root, Third, Fifth, Seventh };

// The open strings in standard tuning, low E to high E, as MIDI numbers.
constexpr int kOpenStringPitch[6] = {40, 45, 50, 55, 59, 64};

// One sounding note of a diagram, read from the entry's cell pictures.
struct DiagramNote
{
    int string = 0; // 0 = low E ... 5 = high E
    int fret = 0;   // 0 = the open string
    int pitch = 0;  // MIDI number in standard tuning (E2 = 40 ... E4 = 64; A4 = 69 = 440 Hz)
    NoteMark mark = NoteMark::Plain;
};

// The notes in reading order: strings from the low E up, on each string from
// the lowest fret up. The same decoding serves the screen-reader description
// and the sound; nothing decodes twice.
std::vector<DiagramNote> diagramNotes(const LessonEntry& values);

// Whether the diagram marks a string as not played (a cross above it).
bool stringNotPlayed(const LessonEntry& values, int string);
