#include "rules.h"

#include <algorithm>
#include <set>

namespace lessoncheck {

namespace {
const char* const kToneNames[4] = {"root", "third", "fifth", "seventh"};

// A drop-2 voicing on the D, G, B and high E strings: the inversion's tone in
// the bass, then the tone two above it, the one three above, and the one
// just above the bass, each the nearest above the string before. Checked
// once the bass and the strings are right, which other rules report.
void checkDrop2(const Board& b, int root, int quality, int inversion, QStringList& out)
{
    const std::vector<int> counts = countPerString(b);
    if (counts != std::vector<int>{0, 0, 1, 1, 1, 1} ||
        pitchClass(b.notes.front().pitch() - root) != kChordTones[quality - 1][inversion - 1])
        return;
    static const int kAbove[4] = {0, 2, 3, 1};
    for (size_t s = 1; s < 4; ++s) {
        const int tone = (inversion - 1 + kAbove[s]) % 4;
        const Note& n = b.notes[s];
        const int wanted =
            nextAbove(b.notes[s - 1].pitch(), pitchClass(root + kChordTones[quality - 1][tone]));
        if (n.pitch() != wanted) {
            out << QStringLiteral("%1: the drop-2 voicing has the chord's %2 there, %3 at fret %4")
                       .arg(describe(n), QLatin1String(kToneNames[tone]), noteName(wanted))
                       .arg(wanted - kOpenString[n.string]);
            return;
        }
    }
}

// Every note fretted, so that the shape moves to every key, and at the lowest
// place on the neck where it is.
void checkMovable(const Board& b, QStringList& out)
{
    for (const Note& n : b.notes)
        if (n.fret == 0)
            out << QStringLiteral("plays %1: a chord frets every note, so that its shape moves "
                                  "to every key")
                       .arg(describe(n));
    checkLowestPlace(b.notes, 1, out);
}

// Which of the quality's tones a pitch is (0 root to 3 seventh), or -1.
int toneIndex(int pitch, int root, int quality)
{
    for (int i = 0; i < 4; ++i)
        if (pitchClass(root + kChordTones[quality - 1][i]) == pitchClass(pitch))
            return i;
    return -1;
}

// Every fretted note but the root carries the label of its chord tone, so
// that a student sees where the third, fifth and seventh went; roots are red
// and open strings keep their rings.
void checkLabels(const Board& b, int root, int quality, QStringList& out)
{
    for (const Note& n : b.notes) {
        const int tone = toneIndex(n.pitch(), root, quality);
        if (n.fret == 0 || tone < 1)
            continue; // a root's colour and a stray tone are reported elsewhere
        const int label = 2 * tone + 1;
        if (n.label == 0)
            out << QStringLiteral("%1 is a plain dot; as the chord's %2 it needs the dot "
                                  "labelled %3")
                       .arg(describe(n), QLatin1String(kToneNames[tone]))
                       .arg(label);
        else if (n.label != label)
            out << QStringLiteral("%1 is labelled %2, but it is the chord's %3")
                       .arg(describe(n))
                       .arg(n.label)
                       .arg(QLatin1String(kToneNames[tone]));
    }
}
} // namespace

void checkChord(const Board& b, int key, int quality, int inversion, QStringList& out)
{
    const int root = keyRoot(key);
    checkCommon(b, root, 3, out);
    checkLabels(b, root, quality, out);
    const std::vector<int> counts = countPerString(b);
    int sounding = 0;
    for (int s = 0; s < 6; ++s) {
        if (counts[s] > 0 && s < 2)
            out << QStringLiteral("plays the %1 string; the chord lies on the D, G, B and high E "
                                  "strings")
                       .arg(stringName(s));
        if (counts[s] > 1)
            out << QStringLiteral("the %1 string has %2; a chord plays one a string")
                       .arg(stringName(s), notesCount(counts[s]));
        if (counts[s] == 0 && !b.muted[s])
            out << QStringLiteral("the %1 string is neither played nor marked not played")
                       .arg(stringName(s));
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
        if (c == 0)
            out << QStringLiteral("the chord tone %1 is missing").arg(noteName(pc));
        else if (c > 1)
            out << QStringLiteral("the chord tone %1 is played %2 times").arg(noteName(pc)).arg(c);
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
    checkDrop2(b, root, quality, inversion, out);
    checkMovable(b, out);
}

std::vector<EntryFault> checkChordShapes(const std::vector<std::optional<Board>>& chords)
{
    std::vector<EntryFault> out;
    for (int type = 0; type < 20; ++type)
        checkOnePattern(chords, type, 20,
                        QStringLiteral("%1, %2 chord")
                            .arg(QLatin1String(kQualities[type / 4]),
                                 QLatin1String(kInversions[type % 4])),
                        out);
    return out;
}

} // namespace lessoncheck
