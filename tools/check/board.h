#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The music the checker derives everything from, and one lesson's board as
// its cell pictures show it.
namespace lessoncheck {

using Record = std::array<int16_t, 38>;
enum class Kind { Chord, Arpeggio, Scale };

// The highest fret any lesson plays.
constexpr int kHighestFret = 15;

// Each quality's tones in semitones above the root: root, third, fifth, seventh.
extern const int kChordTones[5][4];
extern const int kMajorScale[7];
// Standard tuning, low E to high E, in semitones (E2 = 40).
extern const int kOpenString[6];
extern const char* const kKeys[12];
extern const char* const kQualities[5];
extern const char* const kInversions[4];
extern const char* const kPositions[5];

int pitchClass(int n);
QString noteName(int pitch);
QString stringName(int string);
int keyRoot(int key); // list position 1..12
// The nearest pitch above `below` whose pitch class is `pc`.
int nextAbove(int below, int pc);
bool inMajorScale(int pitch, int root);

struct Note
{
    int string = 0;
    int fret = 0; // 0 for an open string
    bool red = false;
    int label = 0; // 3, 5 or 7 on a chord's labelled dot
    int pitch() const { return kOpenString[string] + fret; }
};

struct Board
{
    bool atNut = true;
    int fretNumber = 0;
    int numberRow = 0; // the row the fret number stands beside, 0 for row 1
    std::array<bool, 6> muted{};
    std::vector<Note> notes; // by string, then fret
    QStringList problems;    // what does not decode
};

// Labelled dots decode only in chords; the other lessons use plain dots.
Board decode(const Record& r, Kind kind);

// The fretted notes' lowest and highest fret; open strings do not count.
struct FretSpan
{
    int lo = 0;
    int hi = 0;
    bool empty() const { return hi == 0; }
    int frets() const { return hi - lo + 1; }
};
FretSpan fretSpan(const std::vector<Note>& notes);
bool playsOpenString(const std::vector<Note>& notes);
// The lowest fret played, an open string being fret 0.
int lowestFret(const std::vector<Note>& notes);

// String by string, the frets above the lowest fret played: what stays the
// same when a fingering moves along the neck.
using Pattern = std::array<std::vector<int>, 6>;
Pattern patternOf(const std::vector<Note>& notes);
// "counted from the lowest fret, its low E string plays 1, 3, 4 and theirs 1, 3"
QString patternDifference(const Pattern& own, const Pattern& theirs);

// A fault found between the lessons of several keys, blamed on one entry.
struct EntryFault
{
    int entry = -1; // -1 when the fault is not tied to one entry
    QString message;
};
// One lesson in twelve keys, entries `first`, `first + perKey`, ... of
// `boards` (empty where a record does not decode): blames each key whose
// pattern is not the one most keys share; `what` names the lesson.
void checkOnePattern(const std::vector<std::optional<Board>>& boards, int first, int perKey,
                     const QString& what, std::vector<EntryFault>& out);

QString describe(const Note& n);
QString notesCount(int n);
QString fretsText(const FretSpan& span); // "frets 3 to 6"
QString numberWord(int n);                // "four"
std::vector<int> countPerString(const Board& b);

// Rules every lesson keeps: colours, muted strings, the fret span, where the
// diagram sits on the neck.
void checkCommon(const Board& b, int root, int maxSpan, QStringList& out);
// The lesson lies at the lowest place on the neck where its fingering fits
// with its lowest fret at `lowestAllowed` or above.
void checkLowestPlace(const std::vector<Note>& notes, int lowestAllowed, QStringList& out);
// The notes, read string by string from the low E and on each string from the
// lowest fret up, climb through `steps` (semitones above the root) one by one.
void checkRising(const Board& b, const int* steps, int stepCount, int root, const QString& what,
                 QStringList& out);

} // namespace lessoncheck
