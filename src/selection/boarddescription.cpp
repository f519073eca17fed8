#include "boarddescription.h"

#include "lessons/selectorlists.h"

#include <QStringList>

#include <array>

namespace {

const char* const kStringNames[6] = {"low E", "A", "D", "G", "B", "high E"};

// What one cell picture shows. Pictures 18, 19 and 20 are a chord's third,
// fifth and seventh; every other dot is a root (red) or another note.
enum class Mark { Nothing, Note, Root, Third, Fifth, Seventh, Open, OpenRoot, NotPlayed };

Mark markOf(int picture, bool topRow)
{
    if (topRow) {
        switch (picture) {
        case 7: case 13: return Mark::Open;
        case 8: case 14: return Mark::OpenRoot;
        case 9: case 11: case 15: case 17: return Mark::NotPlayed;
        default: return Mark::Nothing;
        }
    }
    switch (picture) {
    case 1: case 4: return Mark::Note;
    case 2: case 5: return Mark::Root;
    case 18: return Mark::Third;
    case 19: return Mark::Fifth;
    case 20: return Mark::Seventh;
    default: return Mark::Nothing;
    }
}

QString roleOf(Mark mark)
{
    switch (mark) {
    case Mark::Root: case Mark::OpenRoot: return QStringLiteral("root");
    case Mark::Third: return QStringLiteral("third");
    case Mark::Fifth: return QStringLiteral("fifth");
    case Mark::Seventh: return QStringLiteral("seventh");
    default: return {};
    }
}

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

QString describeDiagram(DiagramKind kind, int entry, const LessonEntry& v)
{
    const int markerFret = v[kMarkerFretPosition];
    const int firstRowFret = markerFret == 0 ? 1 : markerFret - v[kMarkerSlotPosition];
    QStringList notPlayed, strings;
    for (int s = 0; s < 6; ++s) {
        QStringList notes;
        const Mark top = markOf(v[s], true);
        if (top == Mark::NotPlayed)
            notPlayed << QLatin1String(kStringNames[s]);
        if (top == Mark::Open || top == Mark::OpenRoot) {
            const QString role = roleOf(top);
            notes << (role.isEmpty() ? QStringLiteral("open") : QStringLiteral("open, ") + role);
        }
        QList<std::pair<int, QString>> fretted;
        for (int row = 1; row <= 5; ++row) {
            const Mark mark = markOf(v[row * 6 + s], false);
            if (mark != Mark::Nothing)
                fretted.append({firstRowFret + row - 1, roleOf(mark)});
        }
        if (fretted.size() == 1 && notes.isEmpty()) {
            const auto& [fret, role] = fretted.first();
            notes << QStringLiteral("fret %1").arg(fret) +
                         (role.isEmpty() ? QString() : QStringLiteral(", ") + role);
        } else if (!fretted.isEmpty()) {
            // Several notes on one string: "frets 3 (root), 5 and 7".
            QStringList frets;
            for (const auto& [fret, role] : fretted)
                frets << QString::number(fret) +
                             (role.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(role));
            notes << (frets.size() > 1 ? QStringLiteral("frets ") : QStringLiteral("fret ")) +
                         joinAnd(frets);
        }
        if (!notes.isEmpty())
            strings << QStringLiteral("%1 string %2").arg(QLatin1String(kStringNames[s]),
                                                          notes.join(QStringLiteral(", ")));
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
}

// Before the first show the entry is all zero: plain cells, nothing marked.
QString FretboardArea::description() const
{
    return describeDiagram(kind_, entry_, values_);
}
