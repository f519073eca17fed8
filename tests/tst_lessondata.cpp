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

QTEST_GUILESS_MAIN(tst_LessonData)
#include "tst_lessondata.moc"
