#include "rules.h"

#include <algorithm>
#include <map>
#include <tuple>

// The arpeggio preferences that weigh the twelve keys of one quality and
// inversion together: one movable shape wherever it fits, as many arpeggios
// beside their chord as the shapes allow, then the tie-breaks.
namespace lessoncheck {

namespace {
// A fingering as the preferences between keys see it.
struct Choice
{
    std::vector<Note> notes;
    Pattern shape;
    FretSpan span;
    bool beside = false; // its frets overlap the chord's
};

Choice choiceOf(const std::vector<Note>& notes, const FretSpan& chord)
{
    const FretSpan span = fretSpan(notes);
    return {notes, patternOf(notes), span,
            !chord.empty() && !span.empty() && span.lo <= chord.hi && chord.lo <= span.hi};
}

struct Key
{
    int entry = 0;
    FretSpan chord;
    Choice shipped;
    std::vector<Choice> preferred; // the fingerings keeping the preferences of the key alone
    bool fits(const Pattern& shape) const
    {
        return std::any_of(preferred.begin(), preferred.end(),
                           [&](const Choice& c) { return c.shape == shape; });
    }
    // Whether a fingering of this shape, or of any shape, lies beside the chord.
    bool canBeBeside(const Pattern* shape) const
    {
        return std::any_of(preferred.begin(), preferred.end(), [&](const Choice& c) {
            return c.beside && (!shape || c.shape == *shape);
        });
    }
};

using Keys = std::vector<Key>; // the twelve keys of one quality and inversion
using KeySet = std::vector<size_t>;

// How many keys each shape fits, keeping every preference of the key.
std::map<Pattern, KeySet> fittingKeys(const Keys& keys)
{
    std::map<Pattern, KeySet> fits;
    for (size_t k = 0; k < keys.size(); ++k)
        for (const Choice& c : keys[k].preferred) {
            KeySet& set = fits[c.shape];
            if (set.empty() || set.back() != k)
                set.push_back(k);
        }
    return fits;
}

KeySet othersThan(const KeySet& set, size_t count)
{
    KeySet rest;
    for (size_t k = 0; k < count; ++k)
        if (!std::count(set.begin(), set.end(), k))
            rest.push_back(k);
    return rest;
}

// The shapes that fit every key of `set`.
std::vector<Pattern> sharedShapes(const Keys& keys, const KeySet& set)
{
    std::vector<Pattern> shared;
    if (set.empty())
        return shared;
    for (const Choice& c : keys[set.front()].preferred)
        if (std::all_of(set.begin(), set.end(), [&](size_t k) { return keys[k].fits(c.shape); }))
            shared.push_back(c.shape);
    return shared;
}

QString keyNames(const Keys& keys, const KeySet& set)
{
    QStringList names;
    for (size_t k : set)
        names << QLatin1String(kKeys[keys[k].entry / 20]);
    return names.join(QStringLiteral(", "));
}

// The most keys beside their chord when `main` is the shape of every key it
// fits and the others share one shape where one fits them all.
int mostBeside(const Keys& keys, const Pattern& main, const KeySet& mainKeys)
{
    int beside = 0;
    for (size_t k : mainKeys)
        beside += keys[k].canBeBeside(&main);
    const KeySet rest = othersThan(mainKeys, keys.size());
    const std::vector<Pattern> shared = sharedShapes(keys, rest);
    int restBeside = 0;
    if (shared.empty()) {
        for (size_t k : rest)
            restBeside += keys[k].canBeBeside(nullptr);
    }
    for (const Pattern& second : shared) {
        int n = 0;
        for (size_t k : rest)
            n += keys[k].canBeBeside(&second);
        restBeside = std::max(restBeside, n);
    }
    return beside + restBeside;
}

// The tie-breaks: the lowest start on the low E string, the fewest frets, the
// most even spread across the strings, the lowest on the neck.
std::tuple<int, int, int, int> tieRank(const Choice& c)
{
    int spread = 0;
    for (const auto& string : c.shape)
        spread += static_cast<int>(string.size() * string.size());
    return {c.notes.front().fret, c.span.frets(), spread, c.span.lo};
}

QString tieBreakFault(const Choice& shipped, const Choice& better)
{
    const auto own = tieRank(shipped);
    const auto other = tieRank(better);
    const QString way = fretsText(better.span);
    if (std::get<0>(other) != std::get<0>(own))
        return QStringLiteral("starts at fret %1 of the low E string, but a fingering that keeps "
                              "the preferences as well starts at fret %2 (%3)")
            .arg(std::get<0>(own))
            .arg(std::get<0>(other))
            .arg(way);
    if (std::get<1>(other) != std::get<1>(own))
        return QStringLiteral("spans %1 frets, but a fingering that keeps the preferences as well "
                              "spans %2 (%3)")
            .arg(numberWord(std::get<1>(own)), numberWord(std::get<1>(other)), way);
    if (std::get<2>(other) != std::get<2>(own))
        return QStringLiteral("puts three notes on a string, but a fingering that keeps the "
                              "preferences as well spreads them more evenly (%1)")
            .arg(way);
    return QStringLiteral("lies at %1, but a fingering that keeps the preferences as well lies "
                          "lower (%2)")
        .arg(fretsText(shipped.span), way);
}

// One shape per quality and inversion: the shape the most keys use fits as
// many keys as any shape does, every key it fits uses it, and the keys it
// does not fit share one second shape wherever one fits them all. Gives the
// keys of that main shape, or nothing when the shapes break the rule.
const KeySet* checkOneShape(const Keys& keys, const std::map<Pattern, KeySet>& fits, int most,
                            std::vector<EntryFault>& out)
{
    const Pattern* best = nullptr;
    int bestUsers = -1;
    for (const auto& [shape, set] : fits) {
        if (static_cast<int>(set.size()) != most)
            continue;
        const auto users = static_cast<int>(std::count_if(
            keys.begin(), keys.end(), [&](const Key& k) { return k.shipped.shape == shape; }));
        if (users > bestUsers)
            best = &shape, bestUsers = users;
    }
    const KeySet& bestKeys = fits.at(*best);
    bool right = true;
    for (size_t k : bestKeys) {
        const Key& key = keys[k];
        if (key.shipped.shape == *best)
            continue;
        right = false;
        const auto own = static_cast<int>(fits.at(key.shipped.shape).size());
        const auto here = std::find_if(key.preferred.begin(), key.preferred.end(),
                                       [&](const Choice& c) { return c.shape == *best; });
        out.push_back(
            {key.entry,
             bestUsers > 0
                 ? QStringLiteral("its shape is not the one the arpeggio has in %1 other keys, "
                                  "which fits here too (%2): one shape serves every key it fits")
                       .arg(bestUsers)
                       .arg(fretsText(here->span))
                 : QStringLiteral("its shape keeps the preferences in %1 of the twelve keys, but "
                                  "another keeps them in %2 (here %3)")
                       .arg(numberWord(own), numberWord(most), fretsText(here->span))});
    }
    if (!right)
        return nullptr;

    const KeySet rest = othersThan(bestKeys, keys.size());
    const std::vector<Pattern> shared = sharedShapes(keys, rest);
    if (shared.empty())
        return &bestKeys;
    const Pattern& first = keys[rest.front()].shipped.shape;
    if (std::all_of(rest.begin(), rest.end(),
                    [&](size_t k) { return keys[k].shipped.shape == first; }))
        return &bestKeys;
    for (size_t k : rest) {
        const auto here = std::find_if(keys[k].preferred.begin(), keys[k].preferred.end(),
                                       [&](const Choice& c) { return c.shape == shared.front(); });
        out.push_back({keys[k].entry,
                       QStringLiteral("the keys the main shape does not fit (%1) use different "
                                      "shapes, but one shape fits them all (here %2)")
                           .arg(keyNames(keys, rest), fretsText(here->span))});
    }
    return nullptr;
}

void checkType(const Keys& keys, std::vector<EntryFault>& out)
{
    const std::map<Pattern, KeySet> fits = fittingKeys(keys);
    // The shipped fingering keeps the preferences of its key, so each shipped
    // shape is among those that fit.
    for (const Key& k : keys)
        if (!fits.count(k.shipped.shape))
            return;
    int most = 0;
    for (const auto& f : fits)
        most = std::max(most, static_cast<int>(f.second.size()));
    const KeySet* mainKeys = checkOneShape(keys, fits, most, out);
    if (!mainKeys)
        return;

    // Beside the chord: as many keys as any choice of shapes allows.
    int possible = 0;
    for (const auto& [shape, set] : fits)
        if (static_cast<int>(set.size()) == most)
            possible = std::max(possible, mostBeside(keys, shape, set));
    const auto beside = static_cast<int>(std::count_if(
        keys.begin(), keys.end(), [](const Key& k) { return k.shipped.beside; }));
    if (beside < possible) {
        const auto away = std::find_if(keys.begin(), keys.end(), [](const Key& k) {
            return !k.shipped.beside && k.canBeBeside(nullptr);
        });
        out.push_back({away->entry,
                       QStringLiteral("lies at %1, away from its chord at %2: the arpeggio lies "
                                      "beside its chord in %3 of the twelve keys, but another "
                                      "choice of shapes allows %4")
                           .arg(fretsText(away->shipped.span), fretsText(away->chord))
                           .arg(beside)
                           .arg(possible)});
        return;
    }

    // Each key's own choice among what the shapes leave it.
    const KeySet rest = othersThan(*mainKeys, keys.size());
    const bool restFree = rest.size() == 1 || sharedShapes(keys, rest).empty();
    for (size_t k = 0; k < keys.size(); ++k) {
        const Key& key = keys[k];
        const bool free = restFree && std::count(rest.begin(), rest.end(), k);
        const Choice* better = nullptr;
        for (const Choice& c : key.preferred) {
            if ((!free && c.shape != key.shipped.shape) || c.beside != key.shipped.beside)
                continue;
            if (tieRank(c) < tieRank(better ? *better : key.shipped))
                better = &c;
        }
        const Choice* near = nullptr;
        for (const Choice& c : key.preferred)
            if (c.shape == key.shipped.shape && c.beside)
                near = &c;
        if (!key.shipped.beside && near)
            out.push_back({key.entry,
                           QStringLiteral("lies at %1, away from its chord at %2, but the same "
                                          "shape lies beside it at %3")
                               .arg(fretsText(key.shipped.span), fretsText(key.chord),
                                    fretsText(near->span))});
        else if (better)
            out.push_back({key.entry, tieBreakFault(key.shipped, *better)});
    }
}
} // namespace

std::vector<EntryFault> checkArpeggioShapes(const std::vector<std::optional<Board>>& arpeggios,
                                            const std::vector<std::optional<Board>>& chords)
{
    std::vector<EntryFault> out;
    for (int type = 0; type < 20; ++type) {
        Keys keys;
        for (int key = 0; key < 12; ++key) {
            const int entry = key * 20 + type;
            const auto& arpeggio = arpeggios[static_cast<size_t>(entry)];
            if (!arpeggio)
                break; // its own fault is reported; the shapes wait until it is mended
            const auto& chord = chords[static_cast<size_t>(entry)];
            Key k;
            k.entry = entry;
            k.chord = chord ? fretSpan(chord->notes) : FretSpan{};
            k.shipped = choiceOf(arpeggio->notes, k.chord);
            for (const auto& f : preferredFingerings(key + 1, type / 4 + 1, type % 4 + 1))
                k.preferred.push_back(choiceOf(f, k.chord));
            keys.push_back(std::move(k));
        }
        if (keys.size() == 12)
            checkType(keys, out);
    }
    return out;
}

} // namespace lessoncheck
