#include "rules.h"

#include <algorithm>
#include <set>

namespace lessoncheck {

namespace {
const char* const kToneNames[4] = {"root", "third", "fifth", "seventh"};

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
}

} // namespace lessoncheck
