#include "board.h"

#include <algorithm>

namespace lessoncheck {

const int kChordTones[5][4] = {{0, 4, 7, 11}, {0, 3, 7, 10}, {0, 4, 7, 10}, {0, 3, 6, 10},
                               {0, 3, 6, 9}};
const int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};
const int kOpenString[6] = {40, 45, 50, 55, 59, 64};
const char* const kKeys[12] = {"A", "Bb", "B", "C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab"};
const char* const kQualities[5] = {"Major 7", "Minor 7", "Dominant 7", "Half Diminished 7",
                                   "Fully Diminished 7"};
const char* const kInversions[4] = {"Root Position", "First Inversion", "Second Inversion",
                                    "Third Inversion"};
const char* const kPositions[5] = {"First Position", "Second Position", "Third Position",
                                   "Fourth Position", "Fifth Position"};

namespace {
const char* const kStringNames[6] = {"low E", "A", "D", "G", "B", "high E"};

// The labelled dots of a chord's third, fifth and seventh, for the strings
// A to high E.
constexpr int kFirstLabelledDot = 18;
constexpr int kLastLabelledDot = 20;
} // namespace

int pitchClass(int n)
{
    return ((n % 12) + 12) % 12;
}

QString noteName(int pitch)
{
    static const char* names[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    return QLatin1String(names[pitchClass(pitch)]);
}

QString stringName(int string)
{
    return QLatin1String(kStringNames[string]);
}

int keyRoot(int key)
{
    return pitchClass(9 + key - 1);
}

int nextAbove(int below, int pc)
{
    int p = below + 1;
    while (pitchClass(p) != pc)
        ++p;
    return p;
}

bool inMajorScale(int pitch, int root)
{
    return std::find(std::begin(kMajorScale), std::end(kMajorScale), pitchClass(pitch - root)) !=
           std::end(kMajorScale);
}

// The cell pictures: fret rows 0 string, 1 note, 2 root (3..5 in column 0),
// and in chords 18, 19, 20 the third, fifth and seventh (columns 1 to 5);
// top row 6 nut, 7 open note, 8 open root, 9 nut and not played, 10 no nut,
// 11 no nut and not played (12..17 in column 0).
Board decode(const Record& r, Kind kind)
{
    Board b;
    int nut = 0, noNut = 0;
    for (int s = 0; s < 6; ++s) {
        const int base = s == 0 ? 12 : 6;
        const int v = r[s] - base;
        if (v < 0 || v > 5) {
            b.problems << QStringLiteral("the %1 string's top cell shows picture %2, which is not a "
                                         "top-row picture for that string")
                              .arg(stringName(s))
                              .arg(r[s]);
            continue;
        }
        (v <= 3 ? nut : noNut)++;
        b.muted[s] = v == 3 || v == 5;
    }
    if (nut && noNut)
        b.problems << QStringLiteral("the top row mixes nut and no-nut pictures");
    b.atNut = noNut == 0;

    b.fretNumber = r[36];
    b.numberRow = r[37];
    int firstRowFret = 1;
    if (b.atNut) {
        if (b.fretNumber != 0)
            b.problems << QStringLiteral("the diagram is at the nut but shows fret number %1")
                              .arg(b.fretNumber);
    } else if (b.fretNumber < 1 || b.fretNumber > 16 || b.numberRow < 0 || b.numberRow > 4) {
        b.problems << QStringLiteral("fret number %1 at label place %2 cannot be shown")
                          .arg(b.fretNumber)
                          .arg(b.numberRow);
    } else {
        firstRowFret = b.fretNumber - b.numberRow;
        if (firstRowFret < 2)
            b.problems << QStringLiteral("the first row would be fret %1: a diagram that starts "
                                         "at fret 1 is drawn at the nut")
                              .arg(firstRowFret);
    }

    for (int s = 0; s < 6; ++s) {
        const int top = r[s] - (s == 0 ? 12 : 6);
        if (b.atNut && (top == 1 || top == 2))
            b.notes.push_back({s, 0, top == 2, 0});
        for (int row = 1; row <= 5; ++row) {
            const int v = r[row * 6 + s];
            const int fret = firstRowFret + row - 1;
            const bool labelled = s > 0 && v >= kFirstLabelledDot && v <= kLastLabelledDot;
            if (labelled && kind == Kind::Chord) {
                b.notes.push_back({s, fret, false, 3 + 2 * (v - kFirstLabelledDot)});
                continue;
            }
            const int cell = v - (s == 0 ? 3 : 0);
            if (cell >= 0 && cell <= 2) {
                if (cell > 0)
                    b.notes.push_back({s, fret, cell == 2, 0});
                continue;
            }
            b.problems << (labelled ? QStringLiteral("row %1 of the %2 string shows picture %3, a "
                                                     "labelled chord tone, which only chords use")
                                    : QStringLiteral("row %1 of the %2 string shows picture %3, "
                                                     "which is not a fret-row picture for that "
                                                     "string"))
                              .arg(row)
                              .arg(stringName(s))
                              .arg(v);
        }
    }
    return b;
}

FretSpan fretSpan(const std::vector<Note>& notes)
{
    FretSpan span;
    for (const Note& n : notes)
        if (n.fret > 0) {
            span.lo = span.empty() ? n.fret : std::min(span.lo, n.fret);
            span.hi = std::max(span.hi, n.fret);
        }
    return span;
}

bool playsOpenString(const std::vector<Note>& notes)
{
    return std::any_of(notes.begin(), notes.end(), [](const Note& n) { return n.fret == 0; });
}

int lowestFret(const std::vector<Note>& notes)
{
    int lo = notes.empty() ? 0 : notes.front().fret;
    for (const Note& n : notes)
        lo = std::min(lo, n.fret);
    return lo;
}

Pattern patternOf(const std::vector<Note>& notes)
{
    Pattern p;
    const int lo = lowestFret(notes);
    for (const Note& n : notes)
        p[static_cast<size_t>(n.string)].push_back(n.fret - lo);
    return p;
}

namespace {
QString fretList(const std::vector<int>& frets)
{
    QStringList l;
    for (int f : frets)
        l << QString::number(f);
    return l.isEmpty() ? QStringLiteral("nothing") : l.join(QStringLiteral(", "));
}
} // namespace

QString patternDifference(const Pattern& own, const Pattern& theirs)
{
    size_t s = 0;
    while (s < 5 && own[s] == theirs[s])
        ++s;
    return QStringLiteral("counted from the lowest fret, its %1 string plays %2 and theirs %3")
        .arg(stringName(static_cast<int>(s)), fretList(own[s]), fretList(theirs[s]));
}

void checkOnePattern(const std::vector<std::optional<Board>>& boards, int first, int perKey,
                     const QString& what, std::vector<EntryFault>& out)
{
    std::vector<std::pair<int, Pattern>> patterns; // (entry, pattern)
    for (int key = 0; key < 12; ++key)
        if (const auto& b = boards[static_cast<size_t>(first + key * perKey)])
            patterns.push_back({first + key * perKey, patternOf(b->notes)});
    const Pattern* common = nullptr;
    long most = 0;
    for (const auto& k : patterns) {
        const long n = std::count_if(patterns.begin(), patterns.end(),
                                     [&](const auto& o) { return o.second == k.second; });
        if (n > most)
            most = n, common = &k.second;
    }
    for (const auto& [entry, pattern] : patterns)
        if (pattern != *common)
            out.push_back({entry, QStringLiteral("its fingering is not the one the %1 has in %2 "
                                                 "other keys: %3")
                                      .arg(what)
                                      .arg(most)
                                      .arg(patternDifference(pattern, *common))});
}

QString describe(const Note& n)
{
    return n.fret == 0 ? QStringLiteral("%1 on the open %2 string")
                             .arg(noteName(n.pitch()), stringName(n.string))
                       : QStringLiteral("%1 at fret %2 of the %3 string")
                             .arg(noteName(n.pitch()))
                             .arg(n.fret)
                             .arg(stringName(n.string));
}

QString notesCount(int n)
{
    return n == 1 ? QStringLiteral("1 note") : QStringLiteral("%1 notes").arg(n);
}

QString fretsText(const FretSpan& span)
{
    return span.lo == span.hi ? QStringLiteral("fret %1").arg(span.lo)
                                : QStringLiteral("frets %1 to %2").arg(span.lo).arg(span.hi);
}

QString numberWord(int n)
{
    static const char* const words[] = {"no",    "one",  "two", "three", "four",
                                        "five",  "six",  "seven", "eight", "nine",
                                        "ten",   "eleven", "twelve"};
    return n >= 0 && n <= 12 ? QLatin1String(words[n]) : QString::number(n);
}

std::vector<int> countPerString(const Board& b)
{
    std::vector<int> counts(6, 0);
    for (const Note& n : b.notes)
        ++counts[static_cast<size_t>(n.string)];
    return counts;
}

namespace {
QString look(const Note& n)
{
    if (n.red)
        return QStringLiteral("red");
    return n.label ? QStringLiteral("blue with a %1").arg(n.label) : QStringLiteral("blue");
}

// A diagram sits at the nut exactly when it plays an open string or a note at
// fret 1 or 2 and nothing above fret 5; any other diagram carries the fret
// number of its lowest note beside row 1.
void checkPlace(const Board& b, const FretSpan& span, QStringList& out)
{
    if (b.notes.empty())
        return;
    const bool needsNut =
        (playsOpenString(b.notes) || (!span.empty() && span.lo <= 2)) && span.hi <= 5;
    if (b.atNut && !needsNut)
        out << QStringLiteral("is drawn at the nut, but plays no open string and nothing below "
                              "fret 3: it belongs at fret %1, with the fret number beside row 1")
                   .arg(span.lo);
    if (!b.atNut && needsNut)
        out << QStringLiteral("plays a note at fret %1 and none above fret 5, so it belongs at the "
                              "nut, without a fret number")
                   .arg(span.lo);
    if (!b.atNut && b.numberRow != 0)
        out << QStringLiteral("the fret number %1 stands beside row %2; it belongs beside row 1")
                   .arg(b.fretNumber)
                   .arg(b.numberRow + 1);
    else if (!b.atNut && span.lo != b.fretNumber)
        out << QStringLiteral("the fret number is %1, but the lowest note is at fret %2: row 1 "
                              "is the lowest fret played")
                   .arg(b.fretNumber)
                   .arg(span.lo);
    if (span.hi > kHighestFret) {
        const Note& top = *std::max_element(b.notes.begin(), b.notes.end(),
                                            [](auto& x, auto& y) { return x.fret < y.fret; });
        out << QStringLiteral("%1 lies above fret %2, the highest the lessons use")
                   .arg(describe(top))
                   .arg(kHighestFret);
    }
}
} // namespace

void checkCommon(const Board& b, int root, int maxSpan, QStringList& out)
{
    for (const Note& n : b.notes) {
        const bool isRoot = pitchClass(n.pitch()) == root;
        if (n.red != isRoot)
            out << QStringLiteral("%1 is drawn %2, but it %3 the root %4")
                       .arg(describe(n), look(n),
                            isRoot ? QStringLiteral("is") : QStringLiteral("is not"),
                            noteName(root));
        if (b.muted[n.string])
            out << QStringLiteral("the %1 string is marked not played but has a note")
                       .arg(stringName(n.string));
    }
    const FretSpan span = fretSpan(b.notes);
    if (!span.empty() && span.hi - span.lo > maxSpan)
        out << QStringLiteral("the fretted notes reach from fret %1 to fret %2, more than %3 frets")
                   .arg(span.lo)
                   .arg(span.hi)
                   .arg(maxSpan + 1);
    checkPlace(b, span, out);
}

void checkLowestPlace(const std::vector<Note>& notes, int lowestAllowed, QStringList& out)
{
    const int lo = lowestFret(notes);
    const int hi = fretSpan(notes).hi;
    if (!notes.empty() && lo - 12 >= lowestAllowed)
        out << QStringLiteral("lies at %1, but the same fingering fits twelve frets lower (%2)")
                   .arg(fretsText({lo, hi}), fretsText({lo - 12, hi - 12}));
}

void checkRising(const Board& b, const int* steps, int stepCount, int root, const QString& what,
                 QStringList& out)
{
    for (size_t i = 1; i < b.notes.size(); ++i) {
        const Note& prev = b.notes[i - 1];
        const Note& next = b.notes[i];
        // The tone that should follow: the next of `steps` above the previous note.
        int step = -1;
        for (int k = 0; k < stepCount; ++k)
            if (pitchClass(root + steps[k]) == pitchClass(prev.pitch()))
                step = k;
        if (step < 0)
            continue; // reported as a wrong tone elsewhere
        const int expected = nextAbove(prev.pitch(), pitchClass(root + steps[(step + 1) % stepCount]));
        if (next.pitch() != expected) {
            out << QStringLiteral("after %1 comes %2, but the next %3 above it is %4")
                       .arg(describe(prev), describe(next), what, noteName(expected));
            return; // one break in the line is enough to report
        }
    }
}

} // namespace lessoncheck
