// Sequential lesson-file input: values, separators, and every malformed
// input ending in the right error at the right place.
#include "platform/lessonfile.h"
#include "testsupport.h"

#include <QTemporaryDir>

class tst_LessonFile : public QObject
{
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void rejects_data();
    void rejects();
    void missingFileAndDirectory();
    void readsFromDisk();
};

using Values = QList<int>;

void tst_LessonFile::reads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Values>("values");
    QTest::newRow("commas and CR LF") << QByteArray("1,2,3\r\n4,5,6\r\n") << Values{1, 2, 3, 4, 5, 6};
    QTest::newRow("one value a line") << QByteArray("1\r\n2\r\n3") << Values{1, 2, 3};
    QTest::newRow("LF only") << QByteArray("1,2\n3\n") << Values{1, 2, 3};
    QTest::newRow("blanks and tabs beside values")
        << QByteArray(" 7 ,\t-8\t,  9  \r\n") << Values{7, -8, 9};
    QTest::newRow("limits") << QByteArray("32767,-32768,0,-0") << Values{32767, -32768, 0, 0};
    QTest::newRow("leading zeros") << QByteArray("007,-0012") << Values{7, -12};
    QTest::newRow("-32768 however written")
        << QByteArray("-032768 ,\t-32768\t\r\n-0000032768\n-32768") << Values{-32768, -32768, -32768, -32768};
    QTest::newRow("trailing blank lines") << QByteArray("5\r\n\r\n  \r\n") << Values{5};
    QTest::newRow("empty") << QByteArray() << Values{};
    QTest::newRow("only a line break") << QByteArray("\r\n") << Values{};
}

void tst_LessonFile::reads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Values, values);
    LessonFileReader reader;
    reader.openBytes(bytes, QStringLiteral("test.txt"));
    Values read;
    while (!reader.atEnd())
        read.append(reader.readValue());
    QCOMPARE(read, values);
    QVERIFY_ERROR(reader.readValue(), ErrorNumber::InputPastEndOfFile);
}

void tst_LessonFile::rejects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("valuesBefore");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("where");
    const int mismatch = int(ErrorNumber::TypeMismatch);
    const int overflow = int(ErrorNumber::Overflow);
    QTest::newRow("empty field") << QByteArray("1,,2") << 1 << mismatch << "line 1, column 3";
    QTest::newRow("word") << QByteArray("1,2\r\n3,four") << 3 << mismatch << "line 2, column 3";
    QTest::newRow("quoted value") << QByteArray("\"1\"") << 0 << mismatch << "line 1, column 1";
    QTest::newRow("sign without digits") << QByteArray("1,-,2") << 1 << mismatch << "line 1, column 3";
    QTest::newRow("plus sign") << QByteArray("+1") << 0 << mismatch << "line 1, column 1";
    QTest::newRow("decimal point") << QByteArray("1.5") << 0 << mismatch << "line 1, column 2";
    QTest::newRow("blank inside a number") << QByteArray("1 2") << 0 << mismatch << "line 1, column 3";
    QTest::newRow("empty line between values")
        << QByteArray("1\r\n\r\n2") << 1 << mismatch << "line 2, column 1";
    QTest::newRow("trailing comma") << QByteArray("1,2,") << 2 << mismatch << "line 1, column 5";
    QTest::newRow("lone CR") << QByteArray("1\r2") << 0 << mismatch << "line 1, column 2";
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF" "1,2") << 0 << mismatch
                                     << "line 1, column 1";
    QTest::newRow("32768") << QByteArray("1\r\n32768") << 1 << overflow << "line 2, column 1";
    QTest::newRow("-32769") << QByteArray("-32769") << 0 << overflow << "line 1, column 1";
    QTest::newRow("huge") << QByteArray("99999999999999999999999") << 0 << overflow
                          << "line 1, column 1";
}

void tst_LessonFile::rejects()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, valuesBefore);
    QFETCH(int, error);
    QFETCH(QString, where);
    LessonFileReader reader;
    reader.openBytes(bytes, QStringLiteral("lesson.txt"));
    for (int i = 0; i < valuesBefore; ++i)
        reader.readValue();
    QString at;
    QCOMPARE(errorNumberOf([&] { reader.readValue(); }, &at), error);
    QCOMPARE(at, QStringLiteral("lesson.txt, ") + where);
}

void tst_LessonFile::missingFileAndDirectory()
{
    QTemporaryDir dir;
    LessonFileReader reader;
    QString where;
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    QCOMPARE(errorNumberOf([&] { reader.open(missing); }, &where), int(ErrorNumber::FileNotFound));
    QCOMPARE(where, missing);
    QVERIFY(errorNumberOf([&] { reader.open(dir.path()); }, &where) != 0);
    QCOMPARE(where, dir.path());
}

void tst_LessonFile::readsFromDisk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("10,-20\r\n30\r\n");
    f.close();
    LessonFileReader reader;
    reader.open(path);
    QCOMPARE(reader.readValue(), int16_t(10));
    QCOMPARE(reader.readValue(), int16_t(-20));
    QCOMPARE(reader.readValue(), int16_t(30));
    QVERIFY(reader.atEnd());
    reader.close();
    QVERIFY(!reader.isOpen());
}

QTEST_GUILESS_MAIN(tst_LessonFile)
#include "tst_lessonfile.moc"
