// The three lesson loaders: layouts read alike, short and long files, and
// the failure table.
#include "lessons/globalprocedures.h"
#include "testsupport.h"

namespace {
QByteArray records(int count, int firstValue = 0, const char* separator = ",",
                   const char* lineEnd = "\r\n")
{
    QByteArray out;
    int v = firstValue;
    for (int r = 0; r < count; ++r) {
        for (int p = 0; p < kValuesPerEntry; ++p) {
            out += QByteArray::number(v++ % 30000);
            out += p + 1 < kValuesPerEntry ? separator : lineEnd;
        }
    }
    return out;
}
} // namespace

class tst_LessonTables : public QObject
{
    Q_OBJECT
private slots:
    void tablesStartAtZero();
    void layoutCarriesNoMeaning();
    void shortFilesLeaveTheRestZero();
    void failures_data();
    void failures();
    void loadsTheShippedFiles();
};

void tst_LessonTables::tablesStartAtZero()
{
    globalProcedures g(QStringLiteral("/nonexistent"));
    QCOMPARE(g.arpeggioTable.entries(), 241);
    QCOMPARE(g.chordTable.entries(), 241);
    QCOMPARE(g.scaleTable.entries(), 61);
    QCOMPARE(g.arpeggioTable(240, 37), int16_t(0));
    QCOMPARE(g.scaleTable(60, 0), int16_t(0));
    QVERIFY_ERROR(g.scaleTable(61, 0), ErrorNumber::SubscriptOutOfRange);
    QVERIFY_ERROR(g.chordTable(0, 38), ErrorNumber::SubscriptOutOfRange);
    QVERIFY_ERROR(g.arpeggioTable(-1, 0), ErrorNumber::SubscriptOutOfRange);
}

void tst_LessonTables::layoutCarriesNoMeaning()
{
    ProgramDirectoryFixture dir;
    dir.write(QStringLiteral("arpeggios.txt"), records(241));
    dir.write(QStringLiteral("chords.txt"), records(241, 0, "\r\n", "\r\n"));
    dir.write(QStringLiteral("scales.txt"), records(61, 0, " ,\t", "\n"));
    globalProcedures g(dir.path());
    g.loadArpeggios();
    g.loadChords();
    g.loadScales();
    for (int e : {0, 1, 27, 240})
        for (int p : {0, 17, 37}) {
            QCOMPARE(g.chordTable(e, p), g.arpeggioTable(e, p));
            QCOMPARE(g.arpeggioTable(e, p), int16_t(e * kValuesPerEntry + p));
        }
    QCOMPARE(g.scaleTable(60, 37), int16_t(60 * kValuesPerEntry + 37));
}

void tst_LessonTables::shortFilesLeaveTheRestZero()
{
    ProgramDirectoryFixture dir;
    dir.write(QStringLiteral("arpeggios.txt"), records(240, 1));
    dir.write(QStringLiteral("chords.txt"), records(240, 1));
    dir.write(QStringLiteral("scales.txt"), QByteArray());
    globalProcedures g(dir.path());
    g.loadArpeggios();
    g.loadChords();
    g.loadScales();
    QCOMPARE(g.arpeggioTable(239, 37), int16_t(240 * kValuesPerEntry));
    for (int p = 0; p < kValuesPerEntry; ++p) {
        QCOMPARE(g.arpeggioTable(240, p), int16_t(0));
        QCOMPARE(g.chordTable(240, p), int16_t(0));
        QCOMPARE(g.scaleTable(0, p), int16_t(0));
    }
}

void tst_LessonTables::failures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content"); // empty: the file is removed
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("whereContains");
    QTest::newRow("missing arpeggios") << "arpeggios.txt" << QByteArray() << 53 << "arpeggios.txt";
    QTest::newRow("short last record")
        << "chords.txt" << records(10) + "1,2,3\r\n" << 62 << "chords.txt, line 12";
    QTest::newRow("62nd scale record")
        << "scales.txt" << records(62) << 9 << "record 62, but the table holds 61";
    QTest::newRow("242nd chord record") << "chords.txt" << records(242) << 9 << "record 242";
    QTest::newRow("32768") << "scales.txt" << records(1) + "32768" << 6 << "scales.txt, line 2";
    QTest::newRow("word") << "arpeggios.txt" << QByteArray("1,x") << 13 << "line 1, column 3";
}

void tst_LessonTables::failures()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    QFETCH(int, error);
    QFETCH(QString, whereContains);
    ProgramDirectoryFixture dir;
    if (content.isEmpty())
        dir.remove(file);
    else
        dir.write(file, content);
    globalProcedures g(dir.path());
    QString where;
    QCOMPARE(errorNumberOf(
                 [&] {
                     g.loadArpeggios();
                     g.loadScales();
                     g.loadChords();
                 },
                 &where),
             error);
    QVERIFY2(where.contains(whereContains), qPrintable(where));
}

// Every shipped lesson file loads, and the blank board is what entry 240 holds.
void tst_LessonTables::loadsTheShippedFiles()
{
    globalProcedures g(QStringLiteral(FRETQUILL_PROGRAM_DIR));
    g.loadArpeggios();
    g.loadScales();
    g.loadChords();
    QCOMPARE(g.arpeggioTable(240, 0), int16_t(12)); // nut, nothing marked, column 0
    for (int p = 1; p < 6; ++p)
        QCOMPARE(g.arpeggioTable(240, p), int16_t(6));
    QCOMPARE(g.arpeggioTable(240, 36), int16_t(0));
    for (int e = 0; e < 240; ++e)
        for (int p = 0; p < kCellCount; ++p)
            QVERIFY(g.chordTable(e, p) >= 0 && g.chordTable(e, p) <= 22);
}

QTEST_GUILESS_MAIN(tst_LessonTables)
#include "tst_lessontables.moc"
