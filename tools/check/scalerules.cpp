#include "rules.h"

#include <algorithm>
#include <map>
#include <set>

namespace lessoncheck {

namespace {
// Position n of every key is one CAGED shape, in the order the shapes follow
// each other up the neck from the E shape.
const char* const kShapes[5] = {"E shape", "D shape", "C shape", "A shape", "G shape"};

// A shape is known by the strings of its lowest root and of the root an octave
// above it; -1 for a pair of strings that names none.
int shapeOf(int lowString, int octaveString)
{
    static const std::map<std::pair<int, int>, int> shapes = {
        {{0, 2}, 0}, {{2, 4}, 1}, {{1, 4}, 2}, {{1, 3}, 3}, {{0, 3}, 4}};
    const auto it = shapes.find({lowString, octaveString});
    return it == shapes.end() ? -1 : it->second;
}

void checkShape(const Board& b, int root, int position, QStringList& out)
{
    const Note* low = nullptr;
    for (const Note& n : b.notes)
        if (pitchClass(n.pitch()) == root && (!low || n.pitch() < low->pitch()))
            low = &n;
    if (!low)
        return; // the missing degree is reported
    const auto octave = std::find_if(b.notes.begin(), b.notes.end(),
                                     [&](const Note& n) { return n.pitch() == low->pitch() + 12; });
    const QString wanted = QLatin1String(kShapes[position - 1]);
    if (octave == b.notes.end()) {
        out << QStringLiteral("has no root an octave above its lowest root, %1, so it shows no "
                              "shape; the %2 is the %3")
                   .arg(describe(*low), QLatin1String(kPositions[position - 1]), wanted);
        return;
    }
    const int shape = shapeOf(low->string, octave->string);
    if (shape != position - 1)
        out << QStringLiteral("its lowest root, %1, and the root an octave above, %2, make %3; the "
                              "%4 is the %5")
                   .arg(describe(*low), describe(*octave),
                        shape < 0 ? QStringLiteral("none of the five shapes")
                                  : QStringLiteral("the ") + QLatin1String(kShapes[shape]),
                        QLatin1String(kPositions[position - 1]), wanted);
}

int lowestFret(const Board& b)
{
    int lo = 99;
    for (const Note& n : b.notes)
        lo = std::min(lo, n.fret);
    return lo;
}

// String by string, the frets above the diagram's lowest fret (an open string
// is fret 0): what stays the same when a fingering moves along the neck.
using Pattern = std::array<std::vector<int>, 6>;
Pattern patternOf(const Board& b)
{
    Pattern p;
    const int lo = lowestFret(b);
    for (const Note& n : b.notes)
        p[static_cast<size_t>(n.string)].push_back(n.fret - lo);
    return p;
}

QString fretList(const std::vector<int>& frets)
{
    QStringList l;
    for (int f : frets)
        l << QString::number(f);
    return l.isEmpty() ? QStringLiteral("nothing") : l.join(QStringLiteral(", "));
}

// Each key's position n takes the fingering most keys share.
void checkSamePattern(const std::vector<std::optional<Board>>& scales, int position,
                      std::vector<EntryFault>& out)
{
    std::vector<std::pair<int, Pattern>> keys;
    for (int key = 0; key < 12; ++key)
        if (const auto& b = scales[static_cast<size_t>(key * 5 + position)])
            keys.push_back({key, patternOf(*b)});
    const Pattern* common = nullptr;
    long most = 0;
    for (const auto& k : keys) {
        const long n = std::count_if(keys.begin(), keys.end(),
                                     [&](const auto& o) { return o.second == k.second; });
        if (n > most)
            most = n, common = &k.second;
    }
    for (const auto& [key, pattern] : keys) {
        if (pattern == *common)
            continue;
        int s = 0;
        while (pattern[static_cast<size_t>(s)] == (*common)[static_cast<size_t>(s)])
            ++s;
        out.push_back({key * 5 + position,
                       QStringLiteral("its fingering is not the one the %1 has in %2 other keys: "
                                      "counted from the diagram's lowest fret, its %3 string plays "
                                      "%4 and theirs %5")
                           .arg(QLatin1String(kPositions[position]))
                           .arg(most)
                           .arg(stringName(s), fretList(pattern[static_cast<size_t>(s)]),
                                fretList((*common)[static_cast<size_t>(s)]))});
    }
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
    checkRising(b, kMajorScale, 7, root, QStringLiteral("scale tone"), out);
    checkShape(b, root, position, out);

    // Each position sits at the lowest place on the neck its fingering fits.
    const int lo = lowestFret(b);
    if (!b.notes.empty() && lo >= 12)
        out << QStringLiteral("lies at %1, but the same fingering fits twelve frets lower (%2)")
                   .arg(fretsText({lo, fretSpan(b.notes).hi}),
                        fretsText({lo - 12, fretSpan(b.notes).hi - 12}));
}

std::vector<EntryFault> checkScalePositions(const std::vector<std::optional<Board>>& scales)
{
    std::vector<EntryFault> out;
    for (int position = 0; position < 5; ++position)
        checkSamePattern(scales, position, out);
    for (int key = 0; key < 12; ++key)
        checkCoverage(scales, key, out);
    return out;
}

} // namespace lessoncheck
