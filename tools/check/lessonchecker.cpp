#include "lessonchecker.h"

#include "platform/lessonfile.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"

#include "rules.h"

#include <algorithm>
#include <optional>

using namespace lessoncheck;

namespace {
// A lesson's name as its selectors pick it: "G Minor 7, Root Position arpeggio",
// "C major, First Position (E shape)".
QString lessonName(Kind kind, int entry)
{
    const QString key = QLatin1String(kKeys[entry / (kind == Kind::Scale ? 5 : 20)]);
    if (kind == Kind::Scale)
        return QStringLiteral("%1 major, %2 (%3)")
            .arg(key, QLatin1String(kPositions[entry % 5]), QLatin1String(kShapes[entry % 5]));
    return QStringLiteral("%1 %2, %3 %4")
        .arg(key, QLatin1String(kQualities[entry % 20 / 4]),
             QLatin1String(kInversions[entry % 4]),
             kind == Kind::Chord ? QStringLiteral("chord") : QStringLiteral("arpeggio"));
}

// The board of a record that is well formed and decodes.
std::optional<Board> decoded(const std::vector<LessonChecker::Record>& records,
                             const std::vector<bool>& wellFormed, int entry, Kind kind)
{
    if (entry >= static_cast<int>(records.size()) || !wellFormed[static_cast<size_t>(entry)])
        return std::nullopt;
    Board b = decode(records[static_cast<size_t>(entry)], kind);
    return b.problems.isEmpty() ? std::optional<Board>(std::move(b)) : std::nullopt;
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

LessonChecker::Boards LessonChecker::checkLessons(const QString& fileName, const Loaded& data,
                                                  Kind kind)
{
    const int perKey = kind == Kind::Scale ? 5 : 20;
    Boards sound(static_cast<size_t>(12 * perKey));
    const int lessons = std::min<int>(12 * perKey, static_cast<int>(data.records.size()));
    for (int e = 0; e < lessons; ++e) {
        if (!data.wellFormed[static_cast<size_t>(e)])
            continue;
        const int key = e / perKey + 1;
        Board b = decode(data.records[static_cast<size_t>(e)], kind);
        QStringList problems = b.problems;
        if (problems.isEmpty()) {
            const int quality = e % 20 / 4 + 1;
            const int inversion = e % 4 + 1;
            if (kind == Kind::Scale)
                checkScale(b, key, e % 5 + 1, problems);
            else if (kind == Kind::Chord)
                checkChord(b, key, quality, inversion, problems);
            else
                checkArpeggio(b, key, quality, inversion, problems);
        }
        for (const QString& p : problems)
            fault(fileName, data.lines[static_cast<size_t>(e)],
                  lessonName(kind, e) + QStringLiteral(": ") + p);
        if (problems.isEmpty())
            sound[static_cast<size_t>(e)] = std::move(b);
    }
    return sound;
}

LessonChecker::Boards LessonChecker::decodedBoards(const Loaded& data, Kind kind)
{
    Boards boards;
    for (int e = 0; e < (kind == Kind::Scale ? 60 : 240); ++e)
        boards.push_back(decoded(data.records, data.wellFormed, e, kind));
    return boards;
}

void LessonChecker::report(const QString& fileName, const Loaded& data, Kind kind,
                           const std::vector<EntryFault>& faults)
{
    for (const EntryFault& f : faults)
        if (f.entry < 0)
            fault(fileName, 0, f.message);
        else
            fault(fileName, data.lines[static_cast<size_t>(f.entry)],
                  lessonName(kind, f.entry) + QStringLiteral(": ") + f.message);
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

QList<LessonChecker::Fault> LessonChecker::run()
{
    faults_.clear();
    const Loaded arpeggios = load(QStringLiteral("arpeggios.txt"), 241, 241);
    const Loaded chords = load(QStringLiteral("chords.txt"), 241, 240);
    const Loaded scales = load(QStringLiteral("scales.txt"), 61, 60);
    const QString arpeggioFile = QStringLiteral("arpeggios.txt");
    const QString chordFile = QStringLiteral("chords.txt");
    const QString scaleFile = QStringLiteral("scales.txt");
    const Boards soundArpeggios = checkLessons(arpeggioFile, arpeggios, Kind::Arpeggio);
    checkBlankBoard(arpeggios);
    checkLessons(chordFile, chords, Kind::Chord);
    checkLessons(scaleFile, scales, Kind::Scale);

    // The rules between keys: each lesson beside the same lesson in the other
    // keys (a record that does not decode is reported on its own). The
    // arpeggios' shapes are weighed only among arpeggios without a fault.
    const Boards chordBoards = decodedBoards(chords, Kind::Chord);
    report(chordFile, chords, Kind::Chord, checkChordShapes(chordBoards));
    report(arpeggioFile, arpeggios, Kind::Arpeggio,
           checkArpeggioShapes(soundArpeggios, chordBoards));
    report(scaleFile, scales, Kind::Scale,
           checkScalePositions(decodedBoards(scales, Kind::Scale)));
    return faults_;
}
