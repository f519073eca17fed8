// Every file the program reads at start, broken every way we can think of,
// tried on the real executable on a real display: each run shows the
// run-time error report in a window, and ends with it on standard error
// naming the file (and the line, for lesson files), a failure status, no
// signal and in bounded time; the cases that are valid start normally.
#include "testsupport.h"
#include "xdisplay.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>

#include <unistd.h>

namespace {

struct Case
{
    QString name;
    QString file;
    std::function<void(const QString& path)> breakIt;
    int error;          // the run-time error number, or 0: starts normally
    bool namesLine = false;
};

QByteArray readFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile::remove(path);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

std::function<void(const QString&)> replaceWith(const QByteArray& bytes)
{
    return [bytes](const QString& path) { writeFile(path, bytes); };
}

std::function<void(const QString&)> transform(std::function<QByteArray(QByteArray)> f)
{
    return [f](const QString& path) { writeFile(path, f(readFile(path))); };
}

QByteArray garbage(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random.bounded(256));
    bytes[0] = 'Z'; // never a picture's signature by chance
    return bytes;
}

// What can happen to any file: gone, garbage, a directory in its place, or
// unreadable (moot, and left out, when running as root).
void addCasesOfAnyFile(QList<Case>& list, const QString& file, int garbageError,
                       int garbageSize, quint32 seed, bool namesLine)
{
    const QString stem = file + QStringLiteral(": ");
    list << Case{stem + "missing", file, [](const QString& p) { QFile::remove(p); }, 53};
    list << Case{stem + "garbage", file, replaceWith(garbage(garbageSize, seed)), garbageError,
                 namesLine};
    list << Case{stem + "a directory in its place", file,
                 [](const QString& p) {
                     QFile::remove(p);
                     QDir().mkdir(p);
                 },
                 75};
    if (::geteuid() != 0)
        list << Case{stem + "unreadable", file,
                     [](const QString& p) { QFile::setPermissions(p, {}); }, 70};
}

QStringList picturesReadAtStart()
{
    QStringList files;
    for (int n = 0; n <= 22; ++n)
        files << QStringLiteral("%1.gif").arg(n);
    for (int n = 1; n <= 16; ++n)
        files << QStringLiteral("fret%1.gif").arg(n);
    files << "check1.jpg" << "check2.jpg" << "chords.jpg" << "scales.jpg" << "arpeggios.jpg"
          << "exit.jpg" << "bb.gif" << "red.gif" << "blue.gif" << "root.jpg" << "notes.jpg"
          << "select_a_category.jpg" << "play.jpg" << "play_dimmed.jpg" << "newblue.ico"
          << "left_handed.jpg" << "left_handed_check1.jpg" << "left_handed_check2.jpg";
    return files;
}

QList<Case> cases()
{
    QList<Case> list;
    const QByteArray jpeg = readFile(QStringLiteral(FRETQUILL_PROGRAM_DIR "/exit.jpg"));
    const QByteArray gif = readFile(QStringLiteral(FRETQUILL_PROGRAM_DIR "/bb.gif"));
    quint32 seed = 1;
    for (const QString& file : picturesReadAtStart()) {
        const QString stem = file + QStringLiteral(": ");
        addCasesOfAnyFile(list, file, 481, 700, seed++, false);
        list << Case{stem + "empty", file, replaceWith(QByteArray()), 481};
        list << Case{stem + "truncated", file,
                     transform([](QByteArray b) { return b.left(b.size() / 2); }), 481};
        list << Case{stem + "text under a picture's name", file,
                     replaceWith("This is not a picture.\r\n"), 481};
        // The content decides the kind: another kind of picture is still a picture.
        list << Case{stem + "another kind of picture", file,
                     replaceWith(file.endsWith(".jpg") ? gif : jpeg), 0};
    }

    for (const QString file : {"arpeggios.txt", "chords.txt", "scales.txt"}) {
        const QString stem = file + QStringLiteral(": ");
        auto lines = [](QByteArray b) { return b.split('\n'); };
        addCasesOfAnyFile(list, file, 13, 5000, seed++, true);
        list << Case{stem + "empty", file, replaceWith(QByteArray()), 0};
        list << Case{stem + "truncated in a record", file,
                     transform([](QByteArray b) { return b.left(b.lastIndexOf(',', b.size() / 2)); }),
                     62, true};
        list << Case{stem + "short last record", file,
                     transform([](QByteArray b) {
                         return b.left(b.lastIndexOf("\r\n", b.size() - 3) + 2) + "1,2,3\r\n";
                     }),
                     62, true};
        list << Case{stem + "surplus records", file,
                     transform([lines](QByteArray b) { return b + lines(b)[0] + "\n" + lines(b)[0] + "\n"; }),
                     9, true};
        list << Case{stem + "32768", file,
                     transform([](QByteArray b) { return b.replace(0, b.indexOf(','), "32768"); }), 6,
                     true};
        list << Case{stem + "-32769", file,
                     transform([](QByteArray b) { return b.replace(0, b.indexOf(','), "-32769"); }),
                     6, true};
        list << Case{stem + "a word", file,
                     transform([](QByteArray b) { return b.replace(0, b.indexOf(','), "six"); }), 13,
                     true};
        list << Case{stem + "an empty field", file,
                     transform([](QByteArray b) { return b.replace(0, b.indexOf(','), ""); }), 13,
                     true};
        list << Case{stem + "a byte-order mark", file,
                     transform([](QByteArray b) { return "\xEF\xBB\xBF" + b; }), 13, true};
        list << Case{stem + "100 MB", file,
                     transform([lines](QByteArray b) {
                         const QByteArray line = lines(b)[0] + "\n";
                         QByteArray big;
                         big.reserve(100 * 1024 * 1024 + line.size());
                         while (big.size() < 100 * 1024 * 1024)
                             big += line;
                         return big;
                     }),
                     9, true};
        list << Case{stem + "a comma after the last value", file,
                     transform([](QByteArray b) {
                         qsizetype end = b.size();
                         while (end > 0 && (b[end - 1] == '\r' || b[end - 1] == '\n'))
                             --end;
                         return b.insert(end, ',');
                     }),
                     // A value is due after it: in a table the file fills, a record too many.
                     file == QLatin1String("arpeggios.txt") ? 9 : 13, true};
        list << Case{stem + "tabs and blanks beside values", file,
                     transform([](QByteArray b) { return b.replace(",", " \t, "); }), 0};
        list << Case{stem + "LF line ends", file,
                     transform([](QByteArray b) { return b.replace("\r\n", "\n"); }), 0};
    }
    list << Case{"arpeggios.txt: 240 records", "arpeggios.txt",
                 transform([](QByteArray b) { return b.left(b.lastIndexOf("\r\n", b.size() - 3) + 2); }),
                 0};
    return list;
}

// A case on its way: its own program directory beside the build's, the
// process, and what the test has seen of it so far.
struct Run
{
    Case c;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QTemporaryDir> elsewhere;
    std::unique_ptr<QProcess> process;
    QElapsedTimer clock;
    bool reportShown = false;
    QElapsedTimer sinceClose;
    bool reportWithoutIcon = false;
};

const QSize kSplashSize(495, 156);
const QSize kMainSize(681, 545);

std::unique_ptr<Run> startRun(const Case& c, const VirtualDisplay& screen)
{
    auto run = std::make_unique<Run>(Run{c, std::make_unique<QTemporaryDir>(),
                                         std::make_unique<QTemporaryDir>(),
                                         std::make_unique<QProcess>(), {}, false, {}});
    // The file under test is a copy; the others are links to the build's,
    // and the executable a hard link (or a copy), so that its own
    // directory is this one.
    QDirIterator it(QStringLiteral(FRETQUILL_PROGRAM_DIR), QDir::Files);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.fileName() == c.file)
            QFile::copy(info.filePath(), run->dir->filePath(info.fileName()));
        else if (info.fileName() != QLatin1String("fretquill"))
            QFile::link(info.filePath(), run->dir->filePath(info.fileName()));
    }
    const QByteArray exe = run->dir->filePath("fretquill").toLocal8Bit();
    if (::link(FRETQUILL_EXECUTABLE, exe.constData()) != 0)
        QFile::copy(QStringLiteral(FRETQUILL_EXECUTABLE), run->dir->filePath("fretquill"));
    c.breakIt(run->dir->filePath(c.file));
    QFile::setPermissions(run->elsewhere->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    run->process->setProcessEnvironment(screen.environment(run->elsewhere->path()));
    run->process->setWorkingDirectory(run->elsewhere->path());
    run->clock.start();
    run->process->start(run->dir->filePath("fretquill"), {});
    return run;
}

// What is wrong with a run that ended by itself; empty when nothing is.
QString verdictOnEnd(Run& run)
{
    QProcess& p = *run.process;
    const QString err = QString::fromLocal8Bit(p.readAllStandardError());
    if (run.c.error == 0)
        return "should start, but ended: " + err;
    if (p.exitStatus() != QProcess::NormalExit)
        return "ended by a signal";
    if (p.exitCode() != 1)
        return QStringLiteral("exit status %1").arg(p.exitCode());
    if (!err.contains(QStringLiteral("Run-time error '%1'").arg(run.c.error)))
        return "wrong report: " + err;
    const QString path = run.dir->filePath(run.c.file);
    if (!err.contains(run.c.file == "newblue.ico" ? QStringLiteral("newblue.ico") : path))
        return "the report does not name the file: " + err;
    if (run.c.namesLine && !err.contains(QStringLiteral(", line ")) &&
        !err.contains(QStringLiteral("record ")))
        return "the report names no line: " + err;
    if (!run.reportShown)
        return "the report was not shown in a window";
    if (run.reportWithoutIcon)
        return "the report's window carries no icon";
    return {};
}

// Whether a running case's splash screen or main window is on screen. The
// error report's message box is seen on the way and closed (again, should
// an early close have gone unheard), so that the process can end.
bool programIsUp(const VirtualDisplay& screen, const QList<ScreenWindow>& windows, Run& run)
{
    bool up = false;
    for (const ScreenWindow& w : windows) {
        if (w.pid != run.process->processId())
            continue;
        if (w.geometry.size() == kSplashSize || w.geometry.size() == kMainSize) {
            up = true;
        } else if (!run.sinceClose.isValid() || run.sinceClose.elapsed() > 500) {
            run.reportShown = true;
            run.reportWithoutIcon |= w.iconWidth == 0;
            screen.close(w);
            run.sinceClose.start();
        }
    }
    return up;
}

void stop(QProcess& p)
{
    p.kill();
    p.waitForFinished();
}

} // namespace

class tst_BadFiles : public QObject
{
    Q_OBJECT
private slots:
    void everyFileEveryWay();
};

// Every case runs on a display of the test's own, a few at a time. A case
// is settled as soon as its outcome is certain: the process ended (after
// the test has seen its error report on screen and closed it), or its
// splash screen or main window is up, so it started normally. Each failing
// case is named as soon as it is found, and all of them at the end.
void tst_BadFiles::everyFileEveryWay()
{
    VirtualDisplay screen;
    const QString noDisplay = screen.start();
    QVERIFY2(noDisplay.isEmpty(), qPrintable(noDisplay));

    const QList<Case> all = cases();
    QStringList failures;
    int tried = 0;
    constexpr int kParallel = 6;
    constexpr qint64 kBoundMs = 30000;   // no run may take longer
    constexpr qint64 kMatrixMs = 240000; // within Qt Test's watchdog, cases still untried fail
    QElapsedTimer matrix;
    matrix.start();

    std::vector<std::unique_ptr<Run>> running;
    auto fail = [&failures](const Case& c, const QString& what) {
        failures << c.name + ": " + what;
        qWarning("%s", qPrintable(failures.last()));
    };
    for (int next = 0; next < all.size() || !running.empty();) {
        while (int(running.size()) < kParallel && next < all.size()) {
            if (matrix.elapsed() > kMatrixMs)
                fail(all[next++], "not tried: the matrix took too long");
            else
                running.push_back(startRun(all[next++], screen));
        }
        QTest::qWait(15); // lets each process report its end and its output
        const QList<ScreenWindow> windows = screen.windows();
        for (auto it = running.begin(); it != running.end();) {
            Run& run = **it;
            QProcess& p = *run.process;
            bool settled = true;
            if (p.state() == QProcess::NotRunning) {
                const QString wrong = verdictOnEnd(run);
                if (!wrong.isEmpty())
                    fail(run.c, wrong);
            } else if (programIsUp(screen, windows, run)) {
                if (run.c.error != 0)
                    fail(run.c, QStringLiteral("started normally (its splash screen or main window "
                                               "was up after %1 ms) instead of reporting error %2")
                                    .arg(run.clock.elapsed())
                                    .arg(run.c.error));
                stop(p);
            } else if (run.clock.elapsed() > kBoundMs) {
                fail(run.c, "neither started nor ended in time");
                stop(p);
            } else {
                settled = false;
            }
            if (settled) {
                ++tried;
                it = running.erase(it);
            } else {
                ++it;
            }
        }
    }
    qInfo("bad-file cases tried on the executable: %d, in %lld ms", tried, matrix.elapsed());
    // Qt Test cuts a long failure message short: the warnings above name
    // every failing case in full.
    QVERIFY2(failures.isEmpty(),
             qPrintable(QStringLiteral("%1 of %2 cases failed, each named above; the first: %3")
                            .arg(failures.size())
                            .arg(all.size())
                            .arg(failures.value(0))));
}

QTEST_GUILESS_MAIN(tst_BadFiles)
#include "tst_badfiles.moc"
