// Run-time errors: their report, and errors raised by the user's picks
// while the program runs, which end it with the report and a failure
// status rather than a crash.
#include "app/frmmain.h"
#include "app/program.h"
#include "platform/selectorbox.h"
#include "testsupport.h"

#include <QTemporaryFile>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {
// Captures what is written to standard error while it lives.
class StderrCapture
{
public:
    StderrCapture()
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        file_.open();
        ::dup2(file_.handle(), 2);
    }
    QString text()
    {
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        file_.seek(0);
        return QString::fromLocal8Bit(file_.readAll());
    }

private:
    int saved_ = -1;
    QTemporaryFile file_;
};

// Runs the application's event loop, as main() does, until the program
// ends it; returns its status.
int runUntilEnded(const std::function<void()>& action)
{
    QTimer::singleShot(0, qApp, action);
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    timeout.start(10000);
    return QCoreApplication::exec();
}

void pick(SelectorBox* box, const QString& item)
{
    const int i = box->findText(item);
    box->setCurrentIndex(i);
    emit box->activated(i);
}
} // namespace

class tst_RuntimeError : public QObject
{
    Q_OBJECT
private slots:
    void message();
    void captionDeletedWhileRunning();
    void badLessonValueShown();
};

void tst_RuntimeError::message()
{
    const RuntimeError e(ErrorNumber::FileNotFound, QStringLiteral("/x/key5.jpg"));
    QCOMPARE(e.code(), 53);
    QCOMPARE(e.message(), QStringLiteral("Run-time error '53': File not found: /x/key5.jpg"));
    QCOMPARE(QString::fromLocal8Bit(e.what()), e.message());
    QCOMPARE(RuntimeError(ErrorNumber::Overflow).message(),
             QStringLiteral("Run-time error '6': Overflow"));
    StderrCapture capture;
    reportRuntimeError(e); // offscreen: no message box to wait for
    QCOMPARE(capture.text(), QStringLiteral("Fretquill: Run-time error '53': File not found: /x/key5.jpg\n"));
}

void tst_RuntimeError::captionDeletedWhileRunning()
{
    RunningProgram run(true);
    frmMain& f = run.form();
    f.imgCheck1_Click();
    run.directory().remove(QStringLiteral("key5.jpg"));
    StderrCapture capture;
    const int status = runUntilEnded([&] { pick(f.cmbKey2, QStringLiteral("Db")); });
    const QString err = capture.text();
    QCOMPARE(status, kRuntimeErrorExitStatus);
    QVERIFY2(err.contains(QStringLiteral("Run-time error '53': File not found: ") +
                          run.directory().file(QStringLiteral("key5.jpg"))),
             qPrintable(err));
}

void tst_RuntimeError::badLessonValueShown()
{
    ProgramDirectoryFixture dir;
    QList<QByteArray> lines = dir.read(QStringLiteral("chords.txt")).split('\n');
    lines[70].replace(0, lines[70].indexOf(','), "99"); // C Dominant 7, Second Inversion
    dir.write(QStringLiteral("chords.txt"), lines.join('\n'));
    QTemporaryDir lock;
    Program program(dir.path(), lock.path());
    QCOMPARE(program.start(), Program::Start::Running);
    frmMain& f = *program.mainWindow();
    f.imgCheck1_Click();
    pick(f.cmbKey2, QStringLiteral("C"));
    pick(f.cmbQuality2, QStringLiteral("Dominant 7"));
    StderrCapture capture;
    const int status = runUntilEnded([&] { pick(f.cmbInversion2, QStringLiteral("Second Inversion")); });
    const QString err = capture.text();
    QCOMPARE(status, kRuntimeErrorExitStatus);
    QVERIFY2(err.contains(QStringLiteral("Run-time error '9': Subscript out of range: chordTable "
                                         "entry 70, cell 0: picture 99")),
             qPrintable(err));
}

QTEST_MAIN(tst_RuntimeError)
#include "tst_runtimeerror.moc"
