// The shipped lesson files: what the generator computes, and what the
// program loads.
#include "lessons/globalprocedures.h"
#include "testsupport.h"

#include <QProcess>

class tst_LessonData : public QObject
{
    Q_OBJECT
private slots:
    void committedFilesAreTheGeneratorsOutput();
    void shippedFilesLoadWithTheirRecordCounts();
    void diagramsReadAsATeacherReadsThem_data();
    void diagramsReadAsATeacherReadsThem();
};

void tst_LessonData::committedFilesAreTheGeneratorsOutput()
{
    QTemporaryDir out;
    QProcess generator;
    generator.start(QStringLiteral(FRETQUILL_LESSONS_TOOL), {out.path()});
    QVERIFY(generator.waitForFinished(30000));
    QCOMPARE(generator.exitCode(), 0);
    for (const char* name : {"arpeggios.txt", "chords.txt", "scales.txt"}) {
        QFile generated(QDir(out.path()).filePath(QLatin1String(name)));
        QFile committed(QStringLiteral(FRETQUILL_SOURCE_DIR "/data/") + QLatin1String(name));
        QVERIFY(generated.open(QIODevice::ReadOnly));
        QVERIFY(committed.open(QIODevice::ReadOnly));
        QVERIFY2(generated.readAll() == committed.readAll(),
                 qPrintable(QStringLiteral("data/%1 differs from the generator's output; run "
                                           "fretquill-lessons data")
                                .arg(QLatin1String(name))));
    }
}

void tst_LessonData::shippedFilesLoadWithTheirRecordCounts()
{
    const struct
    {
        const char* name;
        int records;
    } files[] = {{"arpeggios.txt", 241}, {"chords.txt", 240}, {"scales.txt", 60}};
    for (const auto& f : files) {
        QFile file(QStringLiteral(FRETQUILL_SOURCE_DIR "/data/") + QLatin1String(f.name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size() - 1, f.records); // CR LF after every record
        for (int i = 0; i < f.records; ++i) {
            QVERIFY(lines[i].endsWith('\r'));
            QCOMPARE(lines[i].count(','), 37);
        }
    }
    globalProcedures g(QStringLiteral(FRETQUILL_SOURCE_DIR "/data"));
    g.loadArpeggios();
    g.loadScales();
    g.loadChords();
}

// One entry as a teacher reads it, string by string from the low E: "x" for
// a string not played, else its frets (0 an open ring), each marked R for the
// root or (3), (5), (7) for a labelled chord tone; then the fret number.
QString readEntry(const LessonTable& table, int entry)
{
    QStringList strings;
    for (int s = 0; s < 6; ++s) {
        const int column = s == 0 ? 6 : 0;
        const int top = table(entry, s) - 6 - column;
        if (top == 3 || top == 5) {
            strings << QStringLiteral("x");
            continue;
        }
        QStringList notes;
        if (top == 1 || top == 2)
            notes << (top == 2 ? QStringLiteral("0R") : QStringLiteral("0"));
        const int firstRow = table(entry, 36) == 0 ? 1 : table(entry, 36) - table(entry, 37);
        for (int row = 1; row <= 5; ++row) {
            const int cell = table(entry, row * 6 + s);
            const QString fret = QString::number(firstRow + row - 1);
            if (cell >= 18 && cell <= 20)
                notes << fret + QStringLiteral("(%1)").arg(3 + 2 * (cell - 18));
            else if (cell - column / 2 == 1 || cell - column / 2 == 2)
                notes << fret + (cell - column / 2 == 2 ? QStringLiteral("R") : QString());
        }
        strings << notes.join(QLatin1Char(' '));
    }
    return strings.join(QStringLiteral(" | ")) +
           QStringLiteral(", fret %1").arg(table(entry, 36));
}

void tst_LessonData::diagramsReadAsATeacherReadsThem_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("expected");
    QTest::newRow("C Dominant 7, Second Inversion: the fifth in the bass, every tone labelled")
        << "chords" << 70 << "x | x | 5(5) | 5R | 5(3) | 6(7), fret 5";
    QTest::newRow("F Major 7, Root Position: frets 3 to 5 carry a fret number")
        << "chords" << 160 << "x | x | 3R | 5(5) | 5(7) | 5(3), fret 3";
    QTest::newRow("E Minor 7, Third Inversion: no open string, so up to fret 12, every tone labelled")
        << "chords" << 147 << "x | x | 12(7) | 12(3) | 12(5) | 12R, fret 12";
    QTest::newRow("G Minor 7 arpeggio, Root Position: movable, beside its chord")
        << "arpeggios" << 204 << "3R 6 | 5 | 3 5R | 3 | 3 6 | 3R, fret 3";
    QTest::newRow("E Dominant 7 arpeggio, Root Position: off the open strings, an octave up")
        << "arpeggios" << 148 << "12R | 11 | 9 12 | 9R | 9 12 | 10 12R, fret 9";
    QTest::newRow("C Minor 7 arpeggio, First Inversion: its type's one shape, not a lower one")
        << "arpeggios" << 65 << "11 | 10 13 | 10R 13 | 12 | 11 13R | 11, fret 10";
    QTest::newRow("C Fully Diminished 7 arpeggio, Root Position: five frets, no stretch to begin")
        << "arpeggios" << 76 << "8R 11 | 9 | 7 10R | 8 | 7 10 | 8R, fret 7";
    QTest::newRow("C major, First Position: the E shape at frets 7 to 10, no stretch")
        << "scales" << 15 << "7 8R 10 | 7 8 10 | 7 9 10R | 7 9 10 | 8 10 | 7 8R 10, fret 7";
    QTest::newRow("C major, Second Position: the D shape, the index finger back on D and G")
        << "scales" << 16 << "10 12 13 | 10 12 | 9 10R 12 | 9 10 12 | 10 12 13R | 10 12 13, fret 9";
    QTest::newRow("F major, First Position: the E shape's lowest fret played open")
        << "scales" << 40 << "0 1R 3 | 0 1 3 | 0 2 3R | 0 2 3 | 1 3 | 0 1R 3, fret 0";
    QTest::newRow("D major, Third Position: the C shape, at the nut for its notes at fret 2")
        << "scales" << 27 << "2 3 5 | 2 4 5R | 2 4 5 | 2 4 | 2 3R 5 | 2 3 5, fret 0";
}

void tst_LessonData::diagramsReadAsATeacherReadsThem()
{
    QFETCH(QString, file);
    QFETCH(int, entry);
    QFETCH(QString, expected);
    globalProcedures g(QStringLiteral(FRETQUILL_SOURCE_DIR "/data"));
    g.loadArpeggios();
    g.loadScales();
    g.loadChords();
    const LessonTable& table = file == QLatin1String("chords")     ? g.chordTable
                               : file == QLatin1String("scales") ? g.scaleTable
                                                                 : g.arpeggioTable;
    QCOMPARE(readEntry(table, entry), expected);
}

QTEST_GUILESS_MAIN(tst_LessonData)
#include "tst_lessondata.moc"
