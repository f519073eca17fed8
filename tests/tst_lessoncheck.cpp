// The lesson checker: the shipped files pass, and each rule broken in a copy
// of them is reported where it is broken, in a guitarist's words.
#include "lessonchecker.h"
#include "testsupport.h"

#include <QProcess>

namespace {
using Record = QList<int>;

// A record drawn as text, string by string from the low E:
// "@7 x x 7R 9/5 9/7 9/3". The first word places the diagram: "@0" at the nut,
// "@7" with fret number 7 beside row 1, "@7:2" beside row 3, "@0/4" at the nut
// but with fret number 4. Each string is "-" (nothing) or its parts joined by
// commas: "x" (not played), "^n" (top-row picture n) and notes. A note is its
// fret, 0 being the open string's ring, then "R" for the root, "/3", "/5" or
// "/7" for a chord's labelled dot, or "#n" for picture n.
std::pair<int, QString> splitNote(const QString& note)
{
    int digits = 0;
    while (digits < note.size() && note[digits].isDigit())
        ++digits;
    return {note.left(digits).toInt(), note.mid(digits)};
}

Record drawn(const QString& text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() != 7 || !words[0].startsWith(QLatin1Char('@')))
        qFatal("not a diagram: %s", qPrintable(text));
    const QString place = words[0].mid(1);
    const bool nut = place.startsWith(QLatin1Char('0'));
    const int number = nut ? place.section(QLatin1Char('/'), 1).toInt()
                           : place.section(QLatin1Char(':'), 0, 0).toInt();
    const int slot = nut ? 0 : place.section(QLatin1Char(':'), 1).toInt();
    const int firstRow = nut ? 1 : number - slot;
    Record r(38, 0);
    for (int s = 0; s < 6; ++s) {
        const bool lowE = s == 0;
        int top = nut ? 0 : 4; // 0 nut, 1 open, 2 open root, 3 not played; 4, 5 without nut
        for (int row = 1; row <= 5; ++row)
            r[row * 6 + s] = lowE ? 3 : 0;
        int rawTop = -1;
        for (const QString& part : words[s + 1].split(QLatin1Char(','))) {
            if (part == QLatin1String("-"))
                continue;
            if (part == QLatin1String("x")) {
                top = nut ? 3 : 5;
                continue;
            }
            if (part.startsWith(QLatin1Char('^'))) {
                rawTop = part.mid(1).toInt();
                continue;
            }
            const auto [fret, mark] = splitNote(part);
            if (fret == 0) {
                top = mark == QLatin1String("R") ? 2 : 1;
                continue;
            }
            int picture = mark.isEmpty() ? 1 : mark == QLatin1String("R") ? 2 : 0;
            if (mark.startsWith(QLatin1Char('/')))
                picture = 18 + (mark.mid(1).toInt() - 3) / 2;
            else if (picture <= 2 && lowE)
                picture += 3;
            if (mark.startsWith(QLatin1Char('#')))
                picture = mark.mid(1).toInt();
            const int row = fret - firstRow + 1;
            if (row < 1 || row > 5)
                qFatal("fret %d is not on the diagram: %s", fret, qPrintable(text));
            r[row * 6 + s] = picture;
        }
        r[s] = rawTop >= 0 ? rawTop : (lowE ? 12 : 6) + top;
    }
    r[36] = number;
    r[37] = slot;
    return r;
}

// The test's own scale positions: each shape's box drawn in the key where it
// lies at the nut, and moved up the neck for the others.
const char* const kShapesAtTheNut[5] = {
    "@0 0,1R,3 0,1,3 0,2,3R 0,2,3 1,3 0,1R,3", // E shape in F
    "@0 1,3,4 1,3 0,1R,3 0,1,3 1,3,4R 1,3,4",  // D shape in Eb
    "@0 0,1,3 0,2,3R 0,2,3 0,2 0,1R,3 0,1,3",  // C shape in C
    "@0 1,3 0,1R,3 0,1,3 0,2,3R 1,3,4 1,3",    // A shape in Bb
    "@0 1,3,4R 1,3,4 1,3 0,1R,3 1,2,4 1,3,4R", // G shape in Ab
};
const int kKeyAtTheNut[5] = {9, 7, 4, 2, 12};

// A diagram moved `frets` along the neck, at the nut or with the fret number
// of its lowest note.
QString moved(const QString& diagram, int frets, int* lowestFret = nullptr)
{
    QStringList words = diagram.split(QLatin1Char(' '));
    int lowest = 99, highest = 0;
    for (int s = 1; s <= 6; ++s) {
        QStringList parts = words[s].split(QLatin1Char(','));
        for (QString& n : parts) {
            if (!n.front().isDigit())
                continue; // "x" or "-"
            const auto [played, mark] = splitNote(n);
            const int fret = played + frets;
            n = QString::number(fret) + mark;
            lowest = std::min(lowest, fret);
            highest = std::max(highest, fret);
        }
        words[s] = parts.join(QLatin1Char(','));
    }
    words[0] = lowest <= 2 && highest <= 5 ? QStringLiteral("@0") : QStringLiteral("@%1").arg(lowest);
    if (lowestFret)
        *lowestFret = lowest;
    return words.join(QLatin1Char(' '));
}

// A copy of the shipped lesson files that a test breaks record by record.
class LessonCopy
{
public:
    LessonCopy()
    {
        for (const char* name : {"arpeggios.txt", "chords.txt", "scales.txt"})
            QFile::copy(QStringLiteral(FRETQUILL_SOURCE_DIR "/data/") + QLatin1String(name),
                        path(QLatin1String(name)));
    }
    QString dir() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }

    QList<QByteArray> lines(const QString& name) const
    {
        QFile f(path(name));
        f.open(QIODevice::ReadOnly);
        QList<QByteArray> l = f.readAll().split('\n');
        l.removeLast(); // after the last CR LF
        return l;
    }
    void setLines(const QString& name, const QList<QByteArray>& lines) const
    {
        QFile f(path(name));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (const QByteArray& l : lines)
            f.write(l + "\n");
    }
    // Changes record `entry` (0-based) of a file through `change`.
    void change(const QString& name, int entry, const std::function<void(Record&)>& change) const
    {
        QList<QByteArray> l = lines(name);
        Record r;
        for (const QByteArray& v : l[entry].trimmed().split(','))
            r << v.toInt();
        change(r);
        QByteArray out;
        for (int i = 0; i < r.size(); ++i)
            out += (i ? "," : "") + QByteArray::number(r[i]);
        l[entry] = out + "\r";
        setLines(name, l);
    }

    // Puts a record drawn in the notation of `drawn` below at `entry`.
    void put(const QString& name, int entry, const QString& diagram) const;
    // Puts a chord or arpeggio drawn for `entry` into the eleven other keys
    // of its quality and inversion, each at the lowest place where every
    // note is fretted.
    void putOtherKeys(const QString& name, int entry, const QString& diagram) const;
    // Replaces scales.txt by the test's own sixty positions.
    void putOwnScales() const;

private:
    QTemporaryDir dir_;
};

void LessonCopy::put(const QString& name, int entry, const QString& diagram) const
{
    change(name, entry, [&](Record& r) { r = drawn(diagram); });
}

void LessonCopy::putOtherKeys(const QString& name, int entry, const QString& diagram) const
{
    int lowest = 0;
    moved(diagram, 0, &lowest);
    for (int key = 0; key < 12; ++key) {
        const int shift = (key - entry / 20 + 12) % 12;
        if (shift != 0)
            put(name, key * 20 + entry % 20, moved(diagram, (lowest + shift - 1) % 12 + 1 - lowest));
    }
}

void LessonCopy::putOwnScales() const
{
    QList<QByteArray> lines;
    for (int key = 1; key <= 12; ++key)
        for (int p = 0; p < 5; ++p) {
            const Record r = drawn(moved(QLatin1String(kShapesAtTheNut[p]),
                                         (key - kKeyAtTheNut[p] + 12) % 12));
            QByteArray line;
            for (int i = 0; i < r.size(); ++i)
                line += (i ? "," : "") + QByteArray::number(r[i]);
            lines << line + "\r";
        }
    setLines(QStringLiteral("scales.txt"), lines);
}

QStringList faultsOf(const LessonCopy& copy)
{
    QStringList out;
    for (const auto& f : LessonChecker(copy.dir()).run())
        out << f.text();
    return out;
}

bool reported(const QStringList& faults, const QString& text)
{
    for (const QString& f : faults)
        if (f.contains(text))
            return true;
    return false;
}
} // namespace

class tst_LessonCheck : public QObject
{
    Q_OBJECT
private slots:
    void shippedFilesAreRight();
    void rules_data();
    void rules();
    void formatFaults();
    void commandLine();
};

void tst_LessonCheck::shippedFilesAreRight()
{
    LessonCopy copy;
    QCOMPARE(faultsOf(copy), QStringList());
}

// Each rule with a record just inside its bound, which must draw no fault at
// all, and one just past it, which must draw the fault on its own line. The
// scales are the test's own, so that a single position can be put among
// positions that are right.
void tst_LessonCheck::rules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("chord");  // an arpeggio's chord, put in every key
    QTest::addColumn<QString>("others"); // the arpeggio of the other keys; a scale's next position
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QString>("fault"); // empty: nothing is reported

    const QString chords = QStringLiteral("chords.txt");
    auto chord = [&](const char* name, int entry, const char* diagram, const char* fault) {
        QTest::newRow(name) << chords << entry << QString() << QString() << diagram << fault;
    };
    // A Major 7, Root Position (entry 0), as drop-2 voicings on D G B E.
    chord("chord", 0, "@7 x x 7R 9/5 9/7 9/3", "");
    chord("close voicing", 0, "@4 x x 7R 6/3 5/5 4/7",
          "Db at fret 6 of the G string: the drop-2 voicing has the chord's fifth there, E at "
          "fret 9");
    chord("another shape in one key", 0, "@4 x x 7R 6/3 5/5 4/7",
          "its fingering is not the one the Major 7, Root Position chord has in 11 other keys");
    chord("chord of five frets", 8, "@3 x x 7R 6/3 5/5 3/7",
          "A Dominant 7, Root Position chord: the fretted notes reach from fret 3 to fret 7, "
          "more than 4 frets");
    chord("two notes on a string", 0, "@7 x x 7R 9/5 9/7,10R 9/3",
          "the B string has 2 notes; a chord plays one a string");
    chord("string left open to doubt", 0, "@7 - x 7R 9/5 9/7 9/3",
          "the low E string is neither played nor marked not played");
    chord("note on a muted string", 0, "@7 x,9 x 7R 9/5 9/7 9/3",
          "the low E string is marked not played but has a note");
    chord("five strings sound", 0, "@7 x 7/5 7R 9/5 9/7 9/3",
          "5 strings sound; the chord needs exactly four");
    chord("three strings sound", 0, "@7 x x 7R 9/5 9/7 x",
          "3 strings sound; the chord needs exactly four");
    chord("on the A string", 0, "@12 x 12R 14/5 13/7 14/3 x",
          "plays the A string; the chord lies on the D, G, B and high E strings");
    chord("chord tone missing", 0, "@7 x x 7R 9/5 10R 9/3", "the chord tone Ab is missing");
    chord("chord tone doubled", 0, "@7 x x 7R 9/5 10R 9/3", "the chord tone A is played 2 times");
    chord("bass of the inversion", 27, "@6 x x 6/7 6/3 6/5 6R", "");
    chord("wrong bass", 27, "@6 x x 7 6/3 6/5 6R",
          "chords.txt, line 28: Bb Minor 7, Third Inversion chord: the lowest note is A, the "
          "inversion needs Ab in the bass");
    chord("root drawn blue", 0, "@7 x x 7 9/5 9/7 9/3",
          "A at fret 7 of the D string is drawn blue, but it is the root A");
    chord("root labelled", 0, "@7 x x 7/5 9/5 9/7 9/3",
          "A at fret 7 of the D string is drawn blue with a 5, but it is the root A");
    chord("chord tone unlabelled", 0, "@7 x x 7R 9 9/7 9/3",
          "E at fret 9 of the G string is a plain dot; as the chord's fifth it needs the dot "
          "labelled 5");
    chord("chord tone labelled wrongly", 0, "@7 x x 7R 9/3 9/7 9/5",
          "E at fret 9 of the G string is labelled 3, but it is the chord's fifth");
    chord("labelled dot on the low E string", 0, "@7 9/3 x 7R 9/5 9/7 x",
          "row 3 of the low E string shows picture 18, which is not a fret-row picture");
    chord("picture 21", 0, "@7 x x 7R 9#21 9/7 9/3",
          "row 3 of the G string shows picture 21, which is not a fret-row picture");
    chord("mixed nut pictures", 0, "@7 x x ^6,7R 9/5 9/7 9/3",
          "the top row mixes nut and no-nut pictures");
    chord("fret number beside row 3", 0, "@9:2 x x 7R 9/5 9/7 9/3",
          "the fret number 9 stands beside row 3; it belongs beside row 1");
    chord("first row left empty", 0, "@6 x x 7R 9/5 9/7 9/3",
          "the fret number is 6, but the lowest note is at fret 7");
    chord("first row at fret 1", 140, "@2:1 x x 2R 4/5 4/7 4/3",
          "the first row would be fret 1: a diagram that starts at fret 1 is drawn at the nut");
    // E Major 7 at frets 2 to 4: at the nut.
    chord("frets 2 to 4 at the nut", 140, "@0 x x 2R 4/5 4/7 4/3", "");
    chord("frets 2 to 4 with a fret number", 140, "@2 x x 2R 4/5 4/7 4/3",
          "plays a note at fret 2 and none above fret 5, so it belongs at the nut");
    chord("nut with a fret number", 140, "@0/4 x x 2R 4/5 4/7 4/3",
          "at the nut but shows fret number 4");
    // E Minor 7, Third Inversion on the four open strings.
    chord("open strings", 147, "@0 x x 0 0 0 0R",
          "plays D on the open D string: a chord frets every note");
    chord("frets 3 to 5 at the nut", 7, "@0 x x 5/7 5/3 5/5 5R",
          "A Minor 7, Third Inversion chord: is drawn at the nut, but plays no open string and "
          "nothing below fret 3: it belongs at fret 5");
    chord("lowest fret 12", 100, "@12 x x 12R 14/5 14/7 14/3", "");
    chord("lowest fret 13", 120, "@13 x x 13R 15/5 15/7 15/3",
          "lies at frets 13 to 15, but the same fingering fits twelve frets lower (frets 1 to 3)");
    chord("up to fret 16", 140, "@14 x x 14R 16/5 16/7 16/3",
          "B at fret 16 of the G string lies above fret 15, the highest the lessons use");

    const QString arpeggios = QStringLiteral("arpeggios.txt");
    // G Minor 7, Root Position (entry 204); its chord at frets 5 to 7. Without
    // a fault of its own, an arpeggio is put in every key of its type.
    auto arpeggio = [&](const char* name, const char* diagram, const char* fault,
                        const char* chordDiagram = "@5 x x 5R 7/5 6/7 6/3", int entry = 204,
                        const char* others = nullptr) {
        QTest::newRow(name) << arpeggios << entry << QString(chordDiagram)
                            << QString(others ? others : *fault ? "" : diagram) << diagram
                            << fault;
    };
    arpeggio("arpeggio of four frets", "@3 3R,6 5 3,5R 3 3,6 3R", "");
    arpeggio("arpeggio of five frets", "@0 3R 1,5 3,5R 3 3 1,3R",
             "spans five frets (frets 1 to 5), but a fingering of four frets exists (frets 3 to 6)");
    arpeggio("first note not the bass", "@3 3R,6 5 3,5R 3 3,6 3R",
             "G Minor 7, First Inversion arpeggio: the first note is G at fret 3 of the low E "
             "string, the inversion starts on Bb on the low E string",
             "@5 x x 5R 7/5 6/7 6/3", 205);
    arpeggio("first note on the A string", "@10 x 10R 12 12R 11 10,13",
             "the first note is G at fret 10 of the A string, the inversion starts on G on the "
             "low E string");
    arpeggio("last note past two octaves", "@3 3R,6 5 3,5R 3 3,6 3R,6",
             "the last note is Bb at fret 6 of the high E string, two octaves above the first is G");
    arpeggio("eight notes", "@3 3R,6 5 3,5R 3 3 3R", "8 notes; a two-octave arpeggio has nine");
    arpeggio("chord tone skipped", "@3 3R,6 5 3,5R 3 6 3R,6",
             "after Bb at fret 3 of the G string comes F at fret 6 of the B string, but the next "
             "chord tone above it is D");
    arpeggio("arpeggio on a muted string", "@3 3R,6 5 3,5R 3 3,6 x,3R",
             "the high E string has 1 note and is marked not played");
    arpeggio("arpeggio leaves a string out", "@3 3R,6 5 3,5R 3 3,6 -",
             "the high E string has 0 notes; every string needs one to three");
    arpeggio("labelled dot in an arpeggio", "@3 3R,6 5/5 3,5R 3 3,6 3R",
             "row 3 of the A string shows picture 19, a labelled chord tone, which only chords use");
    arpeggio("open strings", "@0 3R 1 0,3 0R,3 3 1,3R",
             "arpeggios.txt, line 205: G Minor 7, Root Position arpeggio: uses open strings, but a "
             "fingering without open strings exists");
    arpeggio("stretch to begin", "@11 15R 13 12,15 12R 11,15 13,15R",
             "begins with a stretch: G at fret 15 of the low E string is on the highest of its "
             "five frets (frets 11 to 15), but a fingering without the stretch exists");
    // Four frets begun on the highest are no stretch: only the shape is wrong.
    arpeggio("another arpeggio shape in one key", "@12 15R 13 12,15 12R,15 15 13,15R",
             "its shape is not the one the arpeggio has in 11 other keys, which fits here too "
             "(frets 3 to 6)",
             "@5 x x 5R 7/5 6/7 6/3", 204, "@3 3R,6 5 3,5R 3 3,6 3R");
    // A Major 7 at frets 4 to 7, beside its chord at 7 to 9.
    arpeggio("beside the chord by one fret", "@4 5R 4,7 6,7R 6 5 4,5R", "",
             "@7 x x 7R 9/5 9/7 9/3", 0);
    // A Minor 7 in a shape that lies beside no chord; another lies beside ten.
    arpeggio("away from the chord", "@0 5R 3 2,5 2R,5 5 3,5R",
             "lies at frets 2 to 5, away from its chord at frets 7 to 9: the arpeggio lies beside "
             "its chord in 0 of the twelve keys, but another choice of shapes allows 10",
             "@7 x x 7R 9/5 8/7 8/3", 4, "@0 5R 3 2,5 2R,5 5 3,5R");
    // E Minor 7: no fingering reaches its chord at frets 2 to 4.
    arpeggio("no fingering beside the chord", "@12 12R,15 14 12,14R 12 12,15 12R", "",
             "@0 x x 2R 4/5 3/7 3/3", 144);
    // C Minor 7, Second Inversion: only a fingering up to fret 16 would reach
    // this chord (which need only be read for its frets).
    arpeggio("fret 16 is off the neck", "@3 3,6 3R,6 5 3,5R 4 3", "",
             "@13 15 15R 13/3 15/7 x x", 66);
    // Gb Half Diminished 7, Third Inversion: the one key that the shape of
    // the others does not fit (it would reach fret 16), where four five-fret
    // fingerings lie away from the chord; the lowest on the neck is taken.
    arpeggio("tie-break", "@10 12,14R 12 10,14 11R 10,13 12",
             "lies at frets 10 to 14, but a fingering that keeps the preferences as well lies "
             "lower (frets 9 to 13)",
             "@0 x x 2/7 2/3 1/5 2R", 195, "@12 12,14R 12,15 14,16R 14 13 12");
    QTest::newRow("blank board") << arpeggios << 240 << QString() << QString() << "@0 - - - - - -"
                                 << "";
    QTest::newRow("blank board marked") << arpeggios << 240 << QString() << QString()
                                        << "@0 - - - - - 5"
                                        << "arpeggios.txt, line 241: the blank board (record 241)";

    const QString scales = QStringLiteral("scales.txt");
    auto scale = [&](const char* name, int entry, const char* diagram, const char* fault,
                     const char* next = "") {
        QTest::newRow(name) << scales << entry << QString() << next << diagram << fault;
    };
    scale("all the test's own positions", -1, "", "");
    scale("scale up to fret 15", 26, "@11 12,14,15 12,14 11,12R,14 11,12,14 12,14,15R 12,14,15",
          "");
    scale("scale from fret 2", 18, "@2 3,5 2,3R,5 2,3,5 2,4,5R 3,5,6 3,5", "");
    scale("scale of frets 2 to 5 at the nut", 50, "@0 2,3R,5 2,3,5 2,4,5R 2,4,5 3,5 2,3R,5", "");
    scale("five-fret reach", 15, "@8 8R,10,12 8,10,12 9,10R,12 9,10,12 10,12 8R,10,12",
          "C major, First Position (E shape): a five-fret reach on the low E string, but the E "
          "shape fits four frets (frets 7 to 10)");
    scale("stretch", 15, "@6 7,8R,10 7,8,10 7,9,10R 7,9,10 6,8,10 7,8R,10",
          "has 1 note outside the four frets 7 to 10, but the E shape fits four frets (frets 7 "
          "to 10)");
    scale("sixteen notes", 15, "@7 7,8R,10 7,8,10 7,9,10R 7,9,10 8,10 7,8R",
          "has 16 notes, but the E shape fits four frets (frets 7 to 10) with 17 notes");
    scale("a note left out", 15, "@7 7,8R,10 7,8,10 7,9,10R 7,10 8,10 7,8R,10",
          "leaves out the E between D at fret 7 of the G string and F at fret 10 of the G string");
    scale("one note on a string", 15, "@7 7,8R,10 7,8,10 7,9,10R 7,9,10 10 7,8R,10",
          "the B string has 1 note; a scale position has two or three");
    scale("four notes on a string", 15, "@8 8R,9,10,12 8,10,12 9,10R,12 9,10,12 10,12 8R,10,12",
          "the low E string has 4 notes; a scale position has two or three");
    scale("six degrees", 17, "@0 0,3 0,2,3R 0,2 0,2 0,1R,3 0,3",
          "only 6 of the seven scale degrees appear");
    scale("note outside the key", 17, "@0 0,1,3 0,2,3R 0,2,4 0,2 0,1R,3 0,1,3",
          "Gb at fret 4 of the D string is not in the C major scale");
    scale("labelled dot in a scale", 17, "@0 0,1,3 0,2/3,3R 0,2,3 0,2 0,1R,3 0,1,3",
          "row 2 of the A string shows picture 18, a labelled chord tone, which only chords use");
    scale("G shape as the Third Position", 17, "@5 5,7,8R 5,7,8 5,7,9 5R,7 5,6,8 5,7,8R",
          "scales.txt, line 18: C major, Third Position (C shape): its lowest root, C at fret 8 of "
          "the low E string, and the root an octave above, C at fret 5 of the G string, make the "
          "G shape; the Third Position is the C shape");
    scale("another E shape", 15, "@8 8R,10,12 8,10,12 9,10R,12 9,10,12 10,12 8R,10,12",
          "C major, First Position (E shape): its fingering is not the one the First Position "
          "has in 11 other keys");
    scale("eleven frets up", 12, "@11 11,12,14 11,13,14R 11,13,14 11,13 11,12R,14 11,12,14", "");
    scale("twelve frets up", 17, "@12 12,13,15 12,14,15R 12,14,15 12,14 12,13R,15 12,13,15",
          "C major, Third Position (C shape): lies at frets 12 to 15, but the same fingering "
          "fits twelve frets lower (frets 0 to 3)");
    // Only the C and A shapes play A at fret 2 of the G string.
    scale("a place of the scale left out", 17, "@0 0,1,3 0,2,3R 0,2,3 0 0,1R,3 0,1,3",
          "scales.txt: C major: no position uses A at fret 2 of the G string",
          "@2 3,5 2,3R,5 2,3,5 4,5R 3,5,6 3,5");
}

void tst_LessonCheck::rules()
{
    QFETCH(QString, file);
    QFETCH(int, entry);
    QFETCH(QString, chord);
    QFETCH(QString, others);
    QFETCH(QString, diagram);
    QFETCH(QString, fault);
    LessonCopy copy;
    copy.putOwnScales();
    if (!chord.isEmpty()) {
        copy.putOtherKeys(QStringLiteral("chords.txt"), entry, chord);
        copy.put(QStringLiteral("chords.txt"), entry, chord);
    }
    if (!others.isEmpty() && entry < 60 && file == QLatin1String("scales.txt"))
        copy.put(file, entry + 1, others);
    else if (!others.isEmpty())
        copy.putOtherKeys(file, entry, others);
    if (entry >= 0)
        copy.put(file, entry, diagram);
    // What is blamed on this record, or on its file as a whole.
    const QString line = QStringLiteral("%1, line %2: ").arg(file).arg(entry + 1);
    QStringList blamed;
    for (const QString& f : faultsOf(copy))
        if (f.startsWith(file + QStringLiteral(": ")) || (entry >= 0 && f.startsWith(line)) ||
            (entry < 0 && f.startsWith(file)))
            blamed << f;
    if (fault.isEmpty())
        QVERIFY2(blamed.isEmpty(), qPrintable(blamed.join('\n')));
    else
        QVERIFY2(reported(blamed, fault), qPrintable(blamed.join('\n')));
}

void tst_LessonCheck::formatFaults()
{
    LessonCopy copy;
    const QStringList intact = faultsOf(copy);
    QList<QByteArray> chords = copy.lines("chords.txt");
    chords[4] = "x" + chords[4].mid(chords[4].indexOf(','));  // a word
    chords[9] = chords[9].mid(chords[9].indexOf(','));        // an empty field
    copy.setLines("chords.txt", chords);
    QList<QByteArray> scales = copy.lines("scales.txt");
    scales.append(scales.first());      // a 61st record is allowed
    scales.append(scales.first());      // a 62nd is not
    copy.setLines("scales.txt", scales);
    QList<QByteArray> arps = copy.lines("arpeggios.txt");
    arps.last() = arps.last().left(20); // a short last record
    copy.setLines("arpeggios.txt", arps);

    const QStringList faults = faultsOf(copy);
    QVERIFY2(reported(faults, "Type mismatch: " + copy.path("chords.txt") + ", line 5, column 1"),
             qPrintable(faults.join('\n')));
    QVERIFY2(reported(faults, copy.path("chords.txt") + ", line 10, column 1"),
             qPrintable(faults.join('\n')));
    QVERIFY(reported(faults, "scales.txt, line 62: record 62 is one more than the program's table "
                             "holds (61)"));
    QVERIFY(reported(faults, "arpeggios.txt, line 241: the last record has only"));
    QVERIFY(reported(faults, "arpeggios.txt: 240 records; the lessons need 241"));
    // The rest of the chords file is still read as it stands.
    QCOMPARE(faults.filter("chords.txt, line 6:"), intact.filter("chords.txt, line 6:"));
}

void tst_LessonCheck::commandLine()
{
    QProcess good;
    good.start(QStringLiteral(FRETQUILL_PROGRAM_DIR "/fretquill-check"),
               {QStringLiteral(FRETQUILL_SOURCE_DIR "/data")});
    QVERIFY(good.waitForFinished(30000));
    QCOMPARE(good.exitCode(), 0);

    LessonCopy copy;
    copy.change("scales.txt", 0, [](Record& r) { r[36] = 99; });
    QProcess bad;
    bad.start(QStringLiteral(FRETQUILL_PROGRAM_DIR "/fretquill-check"), {copy.dir()});
    QVERIFY(bad.waitForFinished(30000));
    QCOMPARE(bad.exitCode(), 1);
    QVERIFY(bad.readAllStandardOutput().contains("scales.txt, line 1: A major, First Position"));
}

QTEST_GUILESS_MAIN(tst_LessonCheck)
#include "tst_lessoncheck.moc"
