#include "rules.h"

#include <algorithm>
#include <set>

namespace lessoncheck {

namespace {
void checkShape(const Board& b, int root, int position, QStringList& out)
{
    const auto [low, octave] = rootAndOctave(b.notes, root);
    if (!low)
        return; // the missing degree is reported
    const QString wanted = QLatin1String(kShapes[position - 1]);
    if (!octave) {
        out << QStringLiteral("has no root an octave above its lowest root, %1, so it shows no "
                              "shape; the %2 is the %3")
                   .arg(describe(*low), QLatin1String(kPositions[position - 1]), wanted);
        return;
    }
    const int shape = shapeOf(b.notes, root);
    if (shape != position - 1)
        out << QStringLiteral("its lowest root, %1, and the root an octave above, %2, make %3; the "
                              "%4 is the %5")
                   .arg(describe(*low), describe(*octave),
                        shape < 0 ? QStringLiteral("none of the five shapes")
                                  : QStringLiteral("the ") + QLatin1String(kShapes[shape]),
                        QLatin1String(kPositions[position - 1]), wanted);
}

// Every note of the scale from the box's lowest note to its highest sounds
// exactly once. Says whether it does.
bool checkContinuous(const Board& b, int root, QStringList& out)
{
    std::vector<const Note*> notes;
    for (const Note& n : b.notes)
        if (inMajorScale(n.pitch(), root))
            notes.push_back(&n);
    std::sort(notes.begin(), notes.end(),
              [](const Note* x, const Note* y) { return x->pitch() < y->pitch(); });
    for (size_t i = 1; i < notes.size(); ++i) {
        const Note& below = *notes[i - 1];
        const Note& above = *notes[i];
        if (above.pitch() == below.pitch()) {
            out << QStringLiteral("plays %1 twice, as %2 and as %3: a position plays each note of "
                                  "the scale once")
                       .arg(noteName(above.pitch()), describe(below), describe(above));
            return false;
        }
        int missing = below.pitch() + 1;
        while (missing < above.pitch() && !inMajorScale(missing, root))
            ++missing;
        if (missing < above.pitch()) {
            out << QStringLiteral("leaves out the %1 between %2 and %3: a position plays every "
                                  "note of the scale from its lowest to its highest")
                       .arg(noteName(missing), describe(below), describe(above));
            return false;
        }
    }
    return true;
}

// Between them a key's five positions use every place of its scale within
// twelve frets (a place twelve frets higher counts).
void checkCoverage(const std::vector<std::optional<Board>>& scales, int key,
                   std::vector<EntryFault>& out)
{
    std::set<std::pair<int, int>> used;
    for (int p = 0; p < 5; ++p) {
        const auto& b = scales[static_cast<size_t>(key * 5 + p)];
        if (!b)
            return; // a position that does not decode is reported itself
        for (const Note& n : b->notes)
            used.insert({n.string, n.fret % 12});
    }
    const int root = keyRoot(key + 1);
    for (int s = 0; s < 6; ++s)
        for (int f = 0; f < 12; ++f)
            if (inMajorScale(kOpenString[s] + f, root) && !used.count({s, f}))
                out.push_back({-1, QStringLiteral("%1 major: no position uses %2 at fret %3 of the "
                                                  "%4 string (or twelve frets above)")
                                       .arg(QLatin1String(kKeys[key]),
                                            noteName(kOpenString[s] + f))
                                       .arg(f)
                                       .arg(stringName(s))});
}
} // namespace

void checkScale(const Board& b, int key, int position, QStringList& out)
{
    const int root = keyRoot(key);
    checkCommon(b, root, 4, out);
    const std::vector<int> counts = countPerString(b);
    for (int s = 0; s < 6; ++s)
        if (counts[s] < 2 || counts[s] > 3)
            out << QStringLiteral("the %1 string has %2; a scale position has two or three")
                       .arg(stringName(s), notesCount(counts[s]));
    std::set<int> degrees;
    for (const Note& n : b.notes) {
        if (inMajorScale(n.pitch(), root))
            degrees.insert(pitchClass(n.pitch() - root));
        else
            out << QStringLiteral("%1 is not in the %2 major scale").arg(describe(n), noteName(root));
    }
    if (degrees.size() != 7)
        out << QStringLiteral("only %1 of the seven scale degrees appear").arg(degrees.size());
    if (checkContinuous(b, root, out))
        checkRising(b, kMajorScale, 7, root, QStringLiteral("scale tone"), out);
    checkShape(b, root, position, out);
    checkReach(b, root, position, out);

    // Each position sits at the lowest place on the neck its fingering fits,
    // open strings included.
    checkLowestPlace(b.notes, 0, out);
}

std::vector<EntryFault> checkScalePositions(const std::vector<std::optional<Board>>& scales)
{
    std::vector<EntryFault> out;
    for (int position = 0; position < 5; ++position)
        checkOnePattern(scales, position, 5, QLatin1String(kPositions[position]), out);
    for (int key = 0; key < 12; ++key)
        checkCoverage(scales, key, out);
    return out;
}

} // namespace lessoncheck
