#include "lessonchecker.h"

#include "platform/lessonfile.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"

#include <QStringList>

#include <algorithm>
#include <map>
#include <set>

namespace {

// ---- the music, from first principles ------------------------------------

const char* const kKeys[] = {"A", "Bb", "B", "C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab"};
const char* const kQualities[] = {"Major 7", "Minor 7", "Dominant 7", "Half Diminished 7",
                                  "Fully Diminished 7"};
const char* const kInversions[] = {"Root Position", "First Inversion", "Second Inversion",
                                   "Third Inversion"};
const char* const kPositions[] = {"First Position", "Second Position", "Third Position",
                                  "Fourth Position", "Fifth Position"};
const int kChordTones[5][4] = {{0, 4, 7, 11}, {0, 3, 7, 10}, {0, 4, 7, 10}, {0, 3, 6, 10},
                               {0, 3, 6, 9}};
const int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};
// Standard tuning, low E to high E, in semitones (E2 = 40).
const int kOpenString[6] = {40, 45, 50, 55, 59, 64};
const char* const kStringNames[6] = {"low E", "A", "D", "G", "B", "high E"};

int pitchClass(int n)
{
    return ((n % 12) + 12) % 12;
}

QString noteName(int pc)
{
    static const char* names[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};
    return QLatin1String(names[pitchClass(pc)]);
}

int keyRoot(int key) // list position 1..12
{
    return pitchClass(9 + key - 1);
}

// ---- the board, decoded from the cell-picture table ------------------------

struct Note
{
    int string;
    int fret;
    bool red;
    int pitch() const { return kOpenString[string] + fret; }
};

struct Board
{
    bool atNut = true;
    std::array<bool, 6> muted{};
    std::vector<Note> notes; // by string, then fret
    QStringList problems;    // what does not decode
};

// The cell pictures: fret rows 0 string, 1 note, 2 root (3..5 in column 0);
// top row 6 nut, 7 open note, 8 open root, 9 nut and not played, 10 no nut,
// 11 no nut and not played (12..17 in column 0).
Board decode(const LessonChecker::Record& r)
{
    Board b;
    int nut = 0, noNut = 0;
    for (int s = 0; s < 6; ++s) {
        const int base = s == 0 ? 12 : 6;
        const int v = r[s] - base;
        if (v < 0 || v > 5) {
            b.problems << QStringLiteral("the %1 string's top cell shows picture %2, which is not a "
                                         "top-row picture for that string")
                              .arg(QLatin1String(kStringNames[s]))
                              .arg(r[s]);
            continue;
        }
        (v <= 3 ? nut : noNut)++;
        b.muted[s] = v == 3 || v == 5;
    }
    if (nut && noNut)
        b.problems << QStringLiteral("the top row mixes nut and no-nut pictures");
    b.atNut = noNut == 0;

    const int markerFret = r[36], markerSlot = r[37];
    int firstRowFret = 1;
    if (b.atNut) {
        if (markerFret != 0)
            b.problems << QStringLiteral("the diagram is at the nut but shows fret number %1")
                              .arg(markerFret);
    } else if (markerFret < 1 || markerFret > 16 || markerSlot < 0 || markerSlot > 4) {
        b.problems << QStringLiteral("fret number %1 at label place %2 cannot be shown")
                          .arg(markerFret)
                          .arg(markerSlot);
    } else {
        firstRowFret = markerFret - markerSlot;
        if (firstRowFret < 2)
            b.problems << QStringLiteral("the first row would be fret %1: a diagram that starts "
                                         "at fret 1 is drawn at the nut")
                              .arg(firstRowFret);
    }

    for (int s = 0; s < 6; ++s) {
        const int top = r[s] - (s == 0 ? 12 : 6);
        if (b.atNut && (top == 1 || top == 2))
            b.notes.push_back({s, 0, top == 2});
        for (int row = 1; row <= 5; ++row) {
            const int cell = r[row * 6 + s] - (s == 0 ? 3 : 0);
            if (cell < 0 || cell > 2) {
                b.problems << QStringLiteral("row %1 of the %2 string shows picture %3, which is "
                                             "not a fret-row picture for that string")
                                  .arg(row)
                                  .arg(QLatin1String(kStringNames[s]))
                                  .arg(r[row * 6 + s]);
                continue;
            }
            if (cell > 0)
                b.notes.push_back({s, firstRowFret + row - 1, cell == 2});
        }
    }
    return b;
}

QString describe(const Note& n)
{
    return n.fret == 0 ? QStringLiteral("%1 on the open %2 string")
                             .arg(noteName(n.pitch()), QLatin1String(kStringNames[n.string]))
                       : QStringLiteral("%1 at fret %2 of the %3 string")
                             .arg(noteName(n.pitch()))
                             .arg(n.fret)
                             .arg(QLatin1String(kStringNames[n.string]));
}

// Checks shared by every lesson: colours, muted strings, the fret span.
void checkCommon(const Board& b, int root, int maxSpan, QStringList& out)
{
    for (const Note& n : b.notes) {
        const bool isRoot = pitchClass(n.pitch()) == root;
        if (n.red != isRoot)
            out << QStringLiteral("%1 is drawn %2, but it %3 the root %4")
                       .arg(describe(n), n.red ? QStringLiteral("red") : QStringLiteral("blue"),
                            isRoot ? QStringLiteral("is") : QStringLiteral("is not"),
                            noteName(root));
        if (b.muted[n.string])
            out << QStringLiteral("the %1 string is marked not played but has a note")
                       .arg(QLatin1String(kStringNames[n.string]));
    }
    int lo = 99, hi = 0;
    for (const Note& n : b.notes)
        if (n.fret > 0)
            lo = std::min(lo, n.fret), hi = std::max(hi, n.fret);
    if (hi && hi - lo > maxSpan)
        out << QStringLiteral("the fretted notes reach from fret %1 to fret %2, more than %3 frets")
                   .arg(lo)
                   .arg(hi)
                   .arg(maxSpan + 1);
}

QString notesCount(int n)
{
    return n == 1 ? QStringLiteral("1 note") : QStringLiteral("%1 notes").arg(n);
}

std::vector<int> countPerString(const Board& b)
{
    std::vector<int> counts(6, 0);
    for (const Note& n : b.notes)
        ++counts[static_cast<size_t>(n.string)];
    return counts;
}

// The nearest pitch above `below` whose pitch class is `pc`.
int nextAbove(int below, int pc)
{
    int p = below + 1;
    while (pitchClass(p) != pc)
        ++p;
    return p;
}

void checkChord(const Board& b, int key, int quality, int inversion, QStringList& out)
{
    const int root = keyRoot(key);
    checkCommon(b, root, 3, out);
    const std::vector<int> counts = countPerString(b);
    int sounding = 0;
    for (int s = 0; s < 6; ++s) {
        if (counts[s] > 1)
            out << QStringLiteral("the %1 string has %2; a chord plays one a string")
                       .arg(QLatin1String(kStringNames[s]), notesCount(counts[s]));
        if (counts[s] == 0 && !b.muted[s])
            out << QStringLiteral("the %1 string is neither played nor marked not played")
                       .arg(QLatin1String(kStringNames[s]));
        sounding += counts[s] > 0;
    }
    if (sounding != 4)
        out << QStringLiteral("%1 strings sound; the chord needs exactly four").arg(sounding);

    std::multiset<int> tones;
    for (const Note& n : b.notes)
        tones.insert(pitchClass(n.pitch()));
    for (int i = 0; i < 4; ++i) {
        const int pc = pitchClass(root + kChordTones[quality - 1][i]);
        const auto c = tones.count(pc);
        if (c != 1)
            out << (c == 0 ? QStringLiteral("the chord tone %1 is missing")
                           : QStringLiteral("the chord tone %1 is played %2 times"))
                       .arg(noteName(pc))
                       .arg(c);
        tones.erase(pc);
    }
    for (int pc : std::set<int>(tones.begin(), tones.end()))
        out << QStringLiteral("%1 is not a tone of the chord").arg(noteName(pc));

    if (!b.notes.empty()) {
        const Note lowest = *std::min_element(b.notes.begin(), b.notes.end(), [](auto& x, auto& y) {
            return x.pitch() < y.pitch();
        });
        const int bass = pitchClass(root + kChordTones[quality - 1][inversion - 1]);
        if (pitchClass(lowest.pitch()) != bass)
            out << QStringLiteral("the lowest note is %1, the inversion needs %2 in the bass")
                       .arg(noteName(lowest.pitch()), noteName(bass));
    }
}

// Reads the notes as they are played: string by string from the low E,
// on each string from the lowest fret up.
void checkRising(const Board& b, const std::vector<int>& steps, int root, const QString& what,
                 QStringList& out)
{
    for (size_t i = 1; i < b.notes.size(); ++i) {
        const Note& prev = b.notes[i - 1];
        const Note& next = b.notes[i];
        // The tone that should follow: the next of `steps` above the previous note.
        int step = -1;
        for (size_t k = 0; k < steps.size(); ++k)
            if (pitchClass(root + steps[k]) == pitchClass(prev.pitch()))
                step = static_cast<int>(k);
        if (step < 0)
            continue; // reported as a wrong tone elsewhere
        const int expected =
            nextAbove(prev.pitch(), pitchClass(root + steps[(step + 1) % steps.size()]));
        if (next.pitch() != expected) {
            out << QStringLiteral("after %1 comes %2, but the next %3 above it is %4")
                       .arg(describe(prev), describe(next), what, noteName(expected));
            return; // one break in the line is enough to report
        }
    }
}

void checkArpeggio(const Board& b, int key, int quality, int inversion, QStringList& out)
{
    const int root = keyRoot(key);
    checkCommon(b, root, 4, out);
    const std::vector<int> counts = countPerString(b);
    for (int s = 0; s < 6; ++s)
        if (counts[s] < 1 || counts[s] > 3 || b.muted[s])
            out << QStringLiteral("the %1 string has %2%3; every string needs one to three")
                       .arg(QLatin1String(kStringNames[s]), notesCount(counts[s]),
                            b.muted[s] ? QStringLiteral(" and is marked not played") : QString());
    for (const Note& n : b.notes) {
        bool tone = false;
        for (int t : kChordTones[quality - 1])
            tone = tone || pitchClass(root + t) == pitchClass(n.pitch());
        if (!tone)
            out << QStringLiteral("%1 is not a tone of the chord").arg(describe(n));
    }
    if (b.notes.size() != 9)
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
    const std::vector<int> steps(std::begin(kChordTones[quality - 1]),
                                 std::end(kChordTones[quality - 1]));
    checkRising(b, steps, root, QStringLiteral("chord tone"), out);
}

void checkScale(const Board& b, int key, QStringList& out)
{
    const int root = keyRoot(key);
    checkCommon(b, root, 4, out);
    const std::vector<int> counts = countPerString(b);
    for (int s = 0; s < 6; ++s)
        if (counts[s] < 2 || counts[s] > 3)
            out << QStringLiteral("the %1 string has %2; a scale position has two or three")
                       .arg(QLatin1String(kStringNames[s]), notesCount(counts[s]));
    std::set<int> degrees;
    for (const Note& n : b.notes) {
        const int step = pitchClass(n.pitch() - root);
        if (std::find(std::begin(kMajorScale), std::end(kMajorScale), step) ==
            std::end(kMajorScale))
            out << QStringLiteral("%1 is not in the %2 major scale")
                       .arg(describe(n), noteName(root));
        else
            degrees.insert(step);
    }
    if (degrees.size() != 7)
        out << QStringLiteral("only %1 of the seven scale degrees appear").arg(degrees.size());
    const std::vector<int> steps(std::begin(kMajorScale), std::end(kMajorScale));
    checkRising(b, steps, root, QStringLiteral("scale tone"), out);
}

int lowestFret(const Board& b)
{
    int lo = 99;
    for (const Note& n : b.notes)
        lo = std::min(lo, n.fret);
    return lo;
}

} // namespace

QString LessonChecker::Fault::text() const
{
    return line > 0 ? QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(message)
                    : QStringLiteral("%1: %2").arg(file, message);
}

LessonChecker::LessonChecker(QString directory) : directory_(std::move(directory)) {}

void LessonChecker::fault(const QString& file, int line, const QString& message)
{
    faults_.append({file, line, message});
}

// Reads a lesson file as the program does, but goes on past a malformed
// value so that every format fault is reported.
LessonChecker::Loaded LessonChecker::load(const QString& fileName, int capacity, int minimum)
{
    Loaded data;
    LessonFileReader reader;
    try {
        reader.open(pathIn(directory_, fileName));
    } catch (const RuntimeError& e) {
        fault(fileName, 0, e.message());
        return data;
    }
    bool ended = false;
    while (!ended && !reader.atEnd()) {
        if (static_cast<int>(data.records.size()) >= capacity) {
            fault(fileName, reader.currentLine(),
                  QStringLiteral("record %1 is one more than the program's table holds (%2)")
                      .arg(data.records.size() + 1)
                      .arg(capacity));
            break;
        }
        Record record{};
        bool wellFormed = true;
        const int line = reader.currentLine();
        for (int p = 0; p < 38 && !ended; ++p) {
            try {
                record[static_cast<size_t>(p)] = reader.readValue();
            } catch (const RuntimeError& e) {
                if (e.number() == ErrorNumber::InputPastEndOfFile) {
                    fault(fileName, line,
                          QStringLiteral("the last record has only %1 of its 38 values").arg(p));
                    ended = true;
                    break;
                }
                fault(fileName, 0, e.message());
                reader.skipField();
                wellFormed = false;
            }
        }
        if (ended)
            break;
        data.records.push_back(record);
        data.lines.push_back(line);
        data.wellFormed.push_back(wellFormed);
    }
    if (static_cast<int>(data.records.size()) < minimum)
        fault(fileName, 0,
              QStringLiteral("%1 records; the lessons need %2")
                  .arg(data.records.size())
                  .arg(minimum));
    return data;
}

void LessonChecker::checkLessons(const QString& fileName, const Loaded& data, Kind kind)
{
    const int perKey = kind == Kind::Scale ? 5 : 20;
    const int lessons = std::min<int>(12 * perKey, static_cast<int>(data.records.size()));
    for (int e = 0; e < lessons; ++e) {
        if (!data.wellFormed[static_cast<size_t>(e)])
            continue;
        const int key = e / perKey + 1;
        QString name = QLatin1String(kKeys[key - 1]);
        QStringList problems;
        const Board b = decode(data.records[static_cast<size_t>(e)]);
        problems << b.problems;
        if (kind == Kind::Scale) {
            const int position = e % 5 + 1;
            name += QStringLiteral(", ") + QLatin1String(kPositions[position - 1]);
            if (problems.isEmpty())
                checkScale(b, key, problems);
        } else {
            const int quality = e % 20 / 4 + 1;
            const int inversion = e % 4 + 1;
            name += QStringLiteral(" %1, %2").arg(QLatin1String(kQualities[quality - 1]),
                                                  QLatin1String(kInversions[inversion - 1]));
            if (problems.isEmpty()) {
                if (kind == Kind::Chord)
                    checkChord(b, key, quality, inversion, problems);
                else
                    checkArpeggio(b, key, quality, inversion, problems);
            }
        }
        for (const QString& p : problems)
            fault(fileName, data.lines[static_cast<size_t>(e)], name + QStringLiteral(": ") + p);
    }
}

void LessonChecker::checkBlankBoard(const Loaded& arpeggios)
{
    if (arpeggios.records.size() < 241 || !arpeggios.wellFormed[240])
        return;
    const Record& r = arpeggios.records[240];
    bool blank = r[0] == 12 && r[36] == 0 && r[37] == 0;
    for (int p = 1; p < 6; ++p)
        blank = blank && r[static_cast<size_t>(p)] == 6;
    for (int p = 6; p < 36; ++p)
        blank = blank && r[static_cast<size_t>(p)] == (p % 6 == 0 ? 3 : 0);
    if (!blank)
        fault(QStringLiteral("arpeggios.txt"), arpeggios.lines[240],
              QStringLiteral("the blank board (record 241) must show the nut with nothing "
                             "marked, plain fret cells and no fret number"));
}

// The five positions of a key rise up the neck and between them use every
// place of the scale within twelve frets.
void LessonChecker::checkScaleCoverage(const Loaded& scales)
{
    for (int key = 1; key <= 12; ++key) {
        const int first = (key - 1) * 5;
        if (static_cast<int>(scales.records.size()) < first + 5)
            return;
        bool ok = true;
        for (int p = 0; p < 5; ++p)
            ok = ok && scales.wellFormed[static_cast<size_t>(first + p)];
        if (!ok)
            continue;
        const int root = keyRoot(key);
        std::set<std::pair<int, int>> used;
        int previousLowest = -1;
        for (int p = 0; p < 5; ++p) {
            const Board b = decode(scales.records[static_cast<size_t>(first + p)]);
            const int lowest = lowestFret(b);
            if (lowest <= previousLowest)
                fault(QStringLiteral("scales.txt"), scales.lines[static_cast<size_t>(first + p)],
                      QStringLiteral("%1, %2: starts at fret %3, not above the position before it")
                          .arg(QLatin1String(kKeys[key - 1]), QLatin1String(kPositions[p]))
                          .arg(lowest));
            previousLowest = lowest;
            for (const Note& n : b.notes)
                used.insert({n.string, n.fret % 12});
        }
        for (int s = 0; s < 6; ++s)
            for (int f = 0; f < 12; ++f) {
                const int step = pitchClass(kOpenString[s] + f - root);
                const bool inScale = std::find(std::begin(kMajorScale), std::end(kMajorScale),
                                               step) != std::end(kMajorScale);
                if (inScale && !used.count({s, f}))
                    fault(QStringLiteral("scales.txt"), 0,
                          QStringLiteral("%1 major: no position uses %2 at fret %3 of the %4 "
                                         "string (or twelve frets above)")
                              .arg(QLatin1String(kKeys[key - 1]), noteName(kOpenString[s] + f))
                              .arg(f)
                              .arg(QLatin1String(kStringNames[s])));
            }
    }
}

QList<LessonChecker::Fault> LessonChecker::run()
{
    faults_.clear();
    const Loaded arpeggios = load(QStringLiteral("arpeggios.txt"), 241, 241);
    const Loaded chords = load(QStringLiteral("chords.txt"), 241, 240);
    const Loaded scales = load(QStringLiteral("scales.txt"), 61, 60);
    checkLessons(QStringLiteral("arpeggios.txt"), arpeggios, Kind::Arpeggio);
    checkBlankBoard(arpeggios);
    checkLessons(QStringLiteral("chords.txt"), chords, Kind::Chord);
    checkLessons(QStringLiteral("scales.txt"), scales, Kind::Scale);
    checkScaleCoverage(scales);
    return faults_;
}
