#pragma once

// Music theory for the lesson files: seventh chords, their drop-2 voicings,
// two-octave arpeggios and the five positions of the major scale on a
// guitar in standard tuning, and their encoding as lesson records.

#include <array>
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

namespace theory {

constexpr int kStrings = 6;
// Open strings, low E to high E, as MIDI note numbers (E2 A2 D3 G3 B3 E4).
constexpr std::array<int, kStrings> kOpen = {40, 45, 50, 55, 59, 64};
// No lesson plays above this fret.
constexpr int kHighestFret = 15;

// Key list positions 1..12 are A, Bb, B, C, Db, D, Eb, E, F, Gb, G, Ab.
int keyPitchClass(int key);
std::string keyName(int key);

// Qualities 1..5: Major 7, Minor 7, Dominant 7, Half Diminished 7, Fully
// Diminished 7, as semitones above the root.
std::array<int, 4> qualityIntervals(int quality);
std::string qualityName(int quality);
std::string inversionName(int inversion);
std::string positionName(int position);
std::string noteName(int pitchClass); // spelled with flats, as the key list is

int mod12(int n);
// The smallest pitch above `below` with the given pitch class.
int nextAbove(int below, int pitchClass);
[[noreturn]] void fail(const std::string& what);

// The notes on one fretboard diagram: for each string the frets played
// (0 is the open string) and whether the string is played at all.
struct Diagram
{
    std::array<std::vector<int>, kStrings> frets;
    std::array<bool, kStrings> played{true, true, true, true, true, true};
    int rootPitchClass = 0;
    // Pitch classes of the chord's third, fifth and seventh, drawn as the
    // labelled dots 18, 19 and 20 where they are fretted; -1 draws plain dots.
    std::array<int, 3> labelledTones{-1, -1, -1};
};

// The fretted (non-open) notes of a diagram, lowest and highest, and whether
// it plays an open string.
struct Span
{
    int lowest = INT_MAX;
    int highest = 0;
    bool open = false;
    bool fretted() const { return lowest != INT_MAX; }
};
Span spanOf(const Diagram& d);

// A lesson record: 36 cell pictures, the fret-number picture, the label place.
using Record = std::array<int16_t, 38>;

Record encode(const Diagram& diagram);
Record blankBoard();

Diagram chord(int key, int quality, int inversion);
// One quality and inversion's arpeggio in every key, keys 1..12 in order.
std::array<Diagram, 12> arpeggios(int quality, int inversion);
Diagram scalePosition(int key, int position);
// Stops the generator when a key's five positions leave out a place of its
// scale within twelve frets.
void checkScaleCoverage(int key);

std::vector<Record> chordRecords();    // 240
std::vector<Record> arpeggioRecords(); // 241, the last the blank board
std::vector<Record> scaleRecords();    // 60

// A lesson file: 38 comma-separated values a line, CR LF.
std::string formatRecords(const std::vector<Record>& records);

} // namespace theory
