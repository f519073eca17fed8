// The real fretquill executable, started as a user would (offscreen).
#include "testsupport.h"

#include <QProcess>

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

private:
    QProcess* start(const QString& programDir, const QProcessEnvironment& env);
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
QProcess* tst_Executable::start(const QString& programDir, const QProcessEnvironment& env)
{
    const QString exe = QDir(programDir).filePath(QStringLiteral("fretquill"));
    QFile::remove(exe);
    if (!QFile::copy(QStringLiteral(FRETQUILL_EXECUTABLE), exe))
        qFatal("cannot copy the executable");
    auto* p = new QProcess;
    p->setProcessEnvironment(env);
    p->setWorkingDirectory(runtime_->path());
    p->start(exe, {});
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

QTEST_GUILESS_MAIN(tst_Executable)
#include "tst_executable.moc"
