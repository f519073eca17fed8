#include "boarddescription.h"

#include "lessons/selectorlists.h"

#include <QStringList>

#include <array>
#include <string_view>
#include <utility>

namespace {

const char* const kStringNames[6] = {"low E", "A", "D", "G", "B", "high E"};

// One tone of a chord or scale: how far above the root it lies, in
// semitones and in letters (a third is two letters up), and its name.
struct Tone
{
    int semitones;
    int letters;
    const char* name;
};
using Tones = std::array<Tone, 4>;

// The chord tones of each quality, in the quality list's order.
const Tones kChordTones[5] = {
    {{{0, 0, "root"}, {4, 2, "major third"}, {7, 4, "fifth"}, {11, 6, "major seventh"}}},
    {{{0, 0, "root"}, {3, 2, "minor third"}, {7, 4, "fifth"}, {10, 6, "minor seventh"}}},
    {{{0, 0, "root"}, {4, 2, "major third"}, {7, 4, "fifth"}, {10, 6, "minor seventh"}}},
    {{{0, 0, "root"}, {3, 2, "minor third"}, {6, 4, "flat fifth"}, {10, 6, "minor seventh"}}},
    {{{0, 0, "root"}, {3, 2, "minor third"}, {6, 4, "flat fifth"}, {9, 6, "diminished seventh"}}},
};
const std::array<Tone, 7> kMajorScale = {{{0, 0, "root"},
                                          {2, 1, "second"},
                                          {4, 2, "third"},
                                          {5, 3, "fourth"},
                                          {7, 4, "fifth"},
                                          {9, 5, "sixth"},
                                          {11, 6, "seventh"}}};

const char kLetters[] = "CDEFGAB";
const int kNaturalPitchClass[7] = {0, 2, 4, 5, 7, 9, 11};

int pitchClass(int pitch)
{
    return (pitch % 12 + 12) % 12;
}

// A note's name by its letter: "C", "F sharp", "B flat", "B double flat".
// The accidentals are written out so that a screen reader says them as a
// musician does. Empty when the letter is more than two semitones away.
QString spelled(int letter, int pitch)
{
    const int accidental = (pitchClass(pitch) - kNaturalPitchClass[letter] + 18) % 12 - 6;
    static const char* const kAccidentals[5] = {" double flat", " flat", "", " sharp",
                                                " double sharp"};
    if (accidental < -2 || accidental > 2)
        return {};
    return QLatin1Char(kLetters[letter]) + QLatin1String(kAccidentals[accidental + 2]);
}

// The letter a key's name starts with: 0 = C ... 6 = B.
int letterOf(const QString& key)
{
    return int(std::string_view(kLetters).find(key[0].toLatin1()));
}

// A note named as the key list names the keys (A, Bb, B, C, Db ...), for a
// note that belongs to no key on show.
QString plainName(int pitch)
{
    return spelled(letterOf(SelectorLists::keys()[(pitchClass(pitch) + 3) % 12 + 1]), pitch);
}

// The key and the chord or scale of the entry on show, which name its notes.
struct Harmony
{
    int rootLetter = -1; // 0 = C ... 6 = B; -1 when the entry names no key
    int rootPitch = 0;
    const Tone* tones = nullptr;
    int toneCount = 0;
    const char* outside = ""; // what a note that is none of the tones is

    Harmony(DiagramKind kind, int entry)
    {
        const bool scale = kind == DiagramKind::Scale;
        if (entry < 0 || entry >= (scale ? 60 : 240))
            return;
        const QString key = SelectorLists::keys()[scale ? entry / 5 + 1 : entry / 20 + 1];
        rootLetter = letterOf(key);
        rootPitch = kNaturalPitchClass[rootLetter] + (key.endsWith(QLatin1Char('b')) ? -1 : 0);
        if (scale) {
            tones = kMajorScale.data();
            toneCount = int(kMajorScale.size());
            outside = "not in the scale";
        } else {
            tones = kChordTones[entry % 20 / 4].data();
            toneCount = 4;
            outside = "not in the chord";
        }
    }

    // The note's name and what it is: ("E", "major third"). A note outside
    // the chord is spelled as the key's major scale spells it, or failing
    // that as the key list does. With no key on show the picture's own
    // meaning is all there is.
    std::pair<QString, QString> describe(const DiagramNote& note) const
    {
        if (rootLetter < 0) {
            static const char* const kMarks[] = {"", "root", "third", "fifth", "seventh"};
            return {plainName(note.pitch), QLatin1String(kMarks[int(note.mark)])};
        }
        const int interval = pitchClass(note.pitch - rootPitch);
        for (int i = 0; i < toneCount; ++i)
            if (tones[i].semitones == interval)
                return {spelled((rootLetter + tones[i].letters) % 7, note.pitch),
                        QLatin1String(tones[i].name)};
        for (const Tone& degree : kMajorScale)
            if (degree.semitones == interval)
                return {spelled((rootLetter + degree.letters) % 7, note.pitch),
                        QLatin1String(outside)};
        return {plainName(note.pitch), QLatin1String(outside)};
    }
};

QString title(DiagramKind kind, int entry)
{
    using namespace SelectorLists;
    if (kind == DiagramKind::Scale) {
        if (entry < 0 || entry >= 60)
            return {};
        const int position = entry % 5 + 1;
        return QStringLiteral("%1 major scale, %2, %3")
            .arg(keys()[entry / 5 + 1], positions()[position], positionShapes()[position]);
    }
    if (entry < 0 || entry >= 240)
        return {};
    return QStringLiteral("%1 %2%3, %4")
        .arg(keys()[entry / 20 + 1], qualities()[entry % 20 / 4 + 1],
             kind == DiagramKind::Arpeggio ? QStringLiteral(" arpeggio") : QString(),
             inversions()[entry % 4 + 1]);
}

// "3", "3 and 5", "3, 5 and 7"
QString joinAnd(const QStringList& items)
{
    return items.size() > 1 ? items.mid(0, items.size() - 1).join(QStringLiteral(", ")) +
                                  QStringLiteral(" and ") + items.last()
                            : items.value(0);
}

// "low E string", "low E and A strings"
QString listOfStrings(const QStringList& names)
{
    return joinAnd(names) + (names.size() > 1 ? QStringLiteral(" strings") : QStringLiteral(" string"));
}

QString sentence(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text + QLatin1Char('.');
}

} // namespace

// "C, root", or just "C" where there is nothing more to say.
QString nameAndTone(const std::pair<QString, QString>& words)
{
    return words.second.isEmpty() ? words.first : words.first + QStringLiteral(", ") + words.second;
}

QString describeDiagram(DiagramKind kind, int entry, const LessonEntry& v)
{
    const Harmony harmony(kind, entry);
    const std::vector<DiagramNote> notes = diagramNotes(v);
    QStringList notPlayed, strings;
    for (int s = 0; s < 6; ++s) {
        if (stringNotPlayed(v, s))
            notPlayed << QLatin1String(kStringNames[s]);
        QList<std::pair<int, QString>> here; // fret, words
        for (const DiagramNote& note : notes)
            if (note.string == s)
                here.append({note.fret, nameAndTone(harmony.describe(note))});
        QString said;
        if (here.size() == 1) {
            // One note: "open, E, root", "fret 5, C, root".
            const auto& [fret, words] = here.first();
            said = (fret == 0 ? QStringLiteral("open, ") : QStringLiteral("fret %1, ").arg(fret)) +
                   words;
        } else if (!here.isEmpty()) {
            // Several notes on one string: "open (E, root), frets 2 (F sharp,
            // second) and 4 (G sharp, third)".
            QStringList parts, frets;
            for (const auto& [fret, words] : here) {
                if (fret == 0)
                    parts << QStringLiteral("open (%1)").arg(words);
                else
                    frets << QStringLiteral("%1 (%2)").arg(fret).arg(words);
            }
            if (!frets.isEmpty())
                parts << (frets.size() > 1 ? QStringLiteral("frets ") : QStringLiteral("fret ")) +
                             joinAnd(frets);
            said = parts.join(QStringLiteral(", "));
        }
        if (!said.isEmpty())
            strings << QStringLiteral("%1 string %2").arg(QLatin1String(kStringNames[s]), said);
    }
    if (notPlayed.isEmpty() && strings.isEmpty())
        return QStringLiteral("Empty fretboard");

    QStringList parts;
    const QString name = title(kind, entry);
    if (!name.isEmpty())
        parts << sentence(name);
    if (!notPlayed.isEmpty())
        parts << sentence(listOfStrings(notPlayed) + QStringLiteral(" not played"));
    if (!strings.isEmpty())
        parts << sentence(strings.join(QStringLiteral("; ")));
    return parts.join(QLatin1Char(' '));
}

FretboardArea::FretboardArea(QWidget* parent) : DescribedArea(parent)
{
    setObjectName(QStringLiteral("fretboard"));
    setAccessibleName(QStringLiteral("Fretboard"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FretboardArea::setDiagram(DiagramKind kind, int entry, const LessonEntry& values)
{
    kind_ = kind;
    entry_ = entry;
    values_ = values;
    descriptionChanged();
    emit diagramChanged();
}

// Before the first show the entry is all zero: plain cells, nothing marked.
QString FretboardArea::description() const
{
    return describeDiagram(kind_, entry_, values_);
}
