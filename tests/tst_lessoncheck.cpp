// The lesson checker: the shipped files pass, and each rule broken in a copy
// of them is reported where it is broken, in a guitarist's words.
#include "lessonchecker.h"
#include "testsupport.h"

#include <QProcess>

namespace {
using Record = QList<int>;

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

private:
    QTemporaryDir dir_;
};

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

// Index of the first cell of a row/column holding a picture of the set.
int cellWith(const Record& r, std::initializer_list<int> pictures, int fromRow = 1)
{
    for (int i = fromRow * 6; i < 36; ++i)
        for (int p : pictures)
            if (r[i] == p)
                return i;
    return -1;
}
} // namespace

class tst_LessonCheck : public QObject
{
    Q_OBJECT
private slots:
    void shippedFilesAreRight();
    void brokenRules_data();
    void brokenRules();
    void formatFaults();
    void commandLine();
};

void tst_LessonCheck::shippedFilesAreRight()
{
    LessonCopy copy;
    QCOMPARE(faultsOf(copy), QStringList());
}

using Change = std::function<void(Record&)>;
Q_DECLARE_METATYPE(Change)

void tst_LessonCheck::brokenRules_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("entry");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("fault");

    // Bb Minor 7, Third Inversion: the bass Ab moved up a fret.
    QTest::newRow("wrong bass") << "chords.txt" << 27 << Change([](Record& r) {
        const int bass = cellWith(r, {1, 2}) ; // the D string's note is the first one found
        Q_ASSERT(bass % 6 == 2);
        r[bass + 6] = r[bass];
        r[bass] = 0;
    }) << "chords.txt, line 28: Bb Minor 7, Third Inversion: the lowest note is A, the "
          "inversion needs Ab in the bass";
    QTest::newRow("root drawn blue") << "chords.txt" << 0 << Change([](Record& r) {
        r[cellWith(r, {2})] = 1;
    }) << "A Major 7, Root Position: A at fret 7 of the D string is drawn blue, but it is the root A";
    QTest::newRow("note on a muted string") << "chords.txt" << 0 << Change([](Record& r) {
        r[6] = 4;
    }) << "the low E string is marked not played but has a note";
    QTest::newRow("five strings sound") << "chords.txt" << 0 << Change([](Record& r) {
        r[0] = 16; // the low E no longer marked
        r[6] = 4;
    }) << "5 strings sound; the chord needs exactly four";
    QTest::newRow("mixed nut pictures") << "chords.txt" << 0 << Change([](Record& r) {
        r[3] = 6;
    }) << "the top row mixes nut and no-nut pictures";
    QTest::newRow("picture of the wrong column") << "scales.txt" << 3 << Change([](Record& r) {
        r[12] = 1;
    }) << "row 2 of the low E string shows picture 1";
    QTest::newRow("nut with a fret number") << "chords.txt" << 2 << Change([](Record& r) {
        r[36] = 4;
    }) << "at the nut but shows fret number 4";
    QTest::newRow("arpeggio note missing") << "arpeggios.txt" << 45 << Change([](Record& r) {
        r[cellWith(r, {1}, 3)] = 0;
    }) << "8 notes; a two-octave arpeggio has nine";
    QTest::newRow("arpeggio tone skipped") << "arpeggios.txt" << 0 << Change([](Record& r) {
        const int c = cellWith(r, {1, 2}, 2);
        r[c + 6] = r[c]; // one fret higher
        r[c] = 0;
    }) << "A Major 7, Root Position: after";
    QTest::newRow("arpeggio on a muted string") << "arpeggios.txt" << 100 << Change([](Record& r) {
        r[5] = r[5] <= 9 ? 9 : 11;
    }) << "the high E string has";
    QTest::newRow("scale note outside the key") << "scales.txt" << 17 << Change([](Record& r) {
        const int c = cellWith(r, {1}, 1);
        r[c] = 0;
        r[c + 6] = 1;
    }) << "is not in the C major scale";
    QTest::newRow("scale string with one note") << "scales.txt" << 22 << Change([](Record& r) {
        int left = 0;
        for (int row = 1; row <= 5; ++row)
            if (r[row * 6 + 2] && r[row * 6 + 2] <= 2 && left++ > 0)
                r[row * 6 + 2] = 0; // keep the lowest note only
    }) << "Db, Third Position: the D string has 1 note;";
    QTest::newRow("blank board marked") << "arpeggios.txt" << 240 << Change([](Record& r) {
        r[7] = 1;
    }) << "the blank board (record 241)";
}

void tst_LessonCheck::brokenRules()
{
    QFETCH(QString, file);
    QFETCH(int, entry);
    QFETCH(Change, change);
    QFETCH(QString, fault);
    LessonCopy copy;
    copy.change(file, entry, change);
    const QStringList faults = faultsOf(copy);
    QVERIFY2(reported(faults, fault), qPrintable(faults.join('\n')));
    for (const QString& f : faults)
        QVERIFY2(f.startsWith(file), qPrintable(f)); // nothing else is blamed
}

void tst_LessonCheck::formatFaults()
{
    LessonCopy copy;
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
    // The rest of the chords file is still checked.
    QVERIFY(!reported(faults, "line 6:"));
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
    QVERIFY(bad.readAllStandardOutput().contains("scales.txt, line 1: A, First Position"));
}

QTEST_GUILESS_MAIN(tst_LessonCheck)
#include "tst_lessoncheck.moc"
