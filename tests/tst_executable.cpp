// The real fretquill executable, started as a user would (offscreen).
#include "testsupport.h"

#include <QProcess>
#include <QRegularExpression>

class tst_Executable : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void startsAndKeepsRunning();
    void missingFileEndsWithTheReport();
    void malformedLessonFileNamesLineAndColumn();
    void secondCopyEndsAtOnce();
    void saysItNeedsADisplay();
    void commandLine_data();
    void commandLine();

private:
    QProcess* start(const QString& programDir, const QProcessEnvironment& env,
                    const QStringList& args = {});
    QProcessEnvironment environment() const;
    std::unique_ptr<QTemporaryDir> runtime_;
    std::unique_ptr<QProcess> process_;
};

void tst_Executable::init()
{
    runtime_ = std::make_unique<QTemporaryDir>();
    QFile::setPermissions(runtime_->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    process_.reset();
}

QProcessEnvironment tst_Executable::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_->path());
    return env;
}

// Copies the executable into the program directory so that it finds its
// files there, and starts it from another directory.
QProcess* tst_Executable::start(const QString& programDir, const QProcessEnvironment& env,
                                const QStringList& args)
{
    const QString exe = QDir(programDir).filePath(QStringLiteral("fretquill"));
    QFile::remove(exe);
    if (!QFile::copy(QStringLiteral(FRETQUILL_EXECUTABLE), exe))
        qFatal("cannot copy the executable");
    auto* p = new QProcess;
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(runtime_->path());
    p->start(exe, args);
    p->waitForStarted();
    return p;
}

void tst_Executable::startsAndKeepsRunning()
{
    ProgramDirectoryFixture dir;
    process_.reset(start(dir.path(), environment()));
    QVERIFY(!process_->waitForFinished(4500)); // past the splash screen, still running
    process_->kill();
    process_->waitForFinished();
}

void tst_Executable::missingFileEndsWithTheReport()
{
    ProgramDirectoryFixture dir;
    dir.remove(QStringLiteral("fret9.gif"));
    process_.reset(start(dir.path(), environment()));
    QVERIFY(process_->waitForFinished(20000));
    QCOMPARE(process_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process_->exitCode(), 1);
    const QString err = QString::fromLocal8Bit(process_->readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("Run-time error '53': File not found: ") +
                          dir.file(QStringLiteral("fret9.gif"))),
             qPrintable(err));
}

void tst_Executable::malformedLessonFileNamesLineAndColumn()
{
    ProgramDirectoryFixture dir;
    QByteArray scales = dir.read(QStringLiteral("scales.txt"));
    scales.replace(scales.indexOf("\r\n") + 2, 1, "x");
    dir.write(QStringLiteral("scales.txt"), scales);
    process_.reset(start(dir.path(), environment()));
    QVERIFY(process_->waitForFinished(20000));
    QCOMPARE(process_->exitStatus(), QProcess::NormalExit);
    QCOMPARE(process_->exitCode(), 1);
    const QString err = QString::fromLocal8Bit(process_->readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("Type mismatch: ") + dir.file("scales.txt") +
                          QStringLiteral(", line 2, column 1")),
             qPrintable(err));
}

void tst_Executable::secondCopyEndsAtOnce()
{
    ProgramDirectoryFixture dir;
    process_.reset(start(dir.path(), environment()));
    QVERIFY(!process_->waitForFinished(1500));
    std::unique_ptr<QProcess> second(start(dir.path(), environment()));
    QVERIFY(second->waitForFinished(10000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(second->readAllStandardError().isEmpty());
    QCOMPARE(process_->state(), QProcess::Running); // the first is untouched
    process_->kill();
    process_->waitForFinished();
}

void tst_Executable::saysItNeedsADisplay()
{
    ProgramDirectoryFixture dir;
    QProcessEnvironment env = environment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    process_.reset(start(dir.path(), env));
    QVERIFY(process_->waitForFinished(10000));
    QCOMPARE(process_->exitStatus(), QProcess::NormalExit);
    QVERIFY(process_->exitCode() != 0);
    QVERIFY(process_->readAllStandardError().contains("needs a graphical display"));
}

void tst_Executable::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status"); // -1: starts and keeps running
    QTest::addColumn<QString>("said"); // on standard output if status 0, else on standard error
    const QString usage = QStringLiteral("usage: fretquill \\[--left-handed\\]");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "^" + usage;
    QTest::newRow("version") << QStringList{"--version"} << 0 << "^fretquill [0-9.]+\n$";
    QTest::newRow("unknown option") << QStringList{"--left-handed", "--mirrored"} << 2
                                    << "^fretquill: unknown option --mirrored\n" + usage;
    QTest::newRow("an argument") << QStringList{"chords.txt"} << 2
                                 << "unexpected argument chords.txt\n" + usage;
    QTest::newRow("left-handed, on the display Qt's option names")
        << QStringList{"-platform", "offscreen", "--left-handed"} << -1 << "";
}

// Without a display in the environment, as a command-line tool is used.
void tst_Executable::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, said);
    ProgramDirectoryFixture dir;
    QProcessEnvironment env = environment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    process_.reset(start(dir.path(), env, args));
    QCOMPARE(process_->waitForFinished(status < 0 ? 4500 : 10000), status >= 0);
    if (status < 0) { // past the splash screen, still running
        process_->kill();
        process_->waitForFinished();
        return;
    }
    QCOMPARE(process_->exitCode(), status);
    const QByteArray out = process_->readAllStandardOutput(), err = process_->readAllStandardError();
    QVERIFY2(QString::fromLocal8Bit(status ? err : out).contains(QRegularExpression(said)), status ? err : out);
    QVERIFY((status ? out : err).isEmpty());
}

QTEST_GUILESS_MAIN(tst_Executable)
#include "tst_executable.moc"
