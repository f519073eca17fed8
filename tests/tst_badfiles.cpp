// Every file the program reads at start, broken every way we can think of,
// tried on the real executable: each run ends with the run-time error report
// naming the file (and the line, for lesson files), a failure status, no
// signal and in bounded time; the cases that are valid start normally.
#include "testsupport.h"

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
          << "select_a_category.jpg" << "newblue.ico";
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

struct Run
{
    Case c;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QTemporaryDir> elsewhere;
    std::unique_ptr<QProcess> process;
    QElapsedTimer clock;
};

} // namespace

class tst_BadFiles : public QObject
{
    Q_OBJECT
private slots:
    void everyFileEveryWay();
};

void tst_BadFiles::everyFileEveryWay()
{
    const QList<Case> all = cases();
    QStringList failures;
    int tried = 0;
    constexpr int kParallel = 6;
    constexpr int kStartMs = 1200;   // set-up takes a fraction of this
    constexpr int kBoundMs = 30000;  // no failing run may take longer

    for (int first = 0; first < all.size(); first += kParallel) {
        std::vector<Run> batch;
        for (int i = first; i < std::min<int>(first + kParallel, all.size()); ++i) {
            Run run{all[i], std::make_unique<QTemporaryDir>(), std::make_unique<QTemporaryDir>(),
                    std::make_unique<QProcess>(), {}};
            // The file under test is a copy; the others are links to the
            // build's, and the executable a hard link (or a copy), so that
            // its own directory is this one.
            QDirIterator it(QStringLiteral(FRETQUILL_PROGRAM_DIR), QDir::Files);
            while (it.hasNext()) {
                const QFileInfo info(it.next());
                if (info.fileName() == run.c.file)
                    QFile::copy(info.filePath(), run.dir->filePath(info.fileName()));
                else if (info.fileName() != QLatin1String("fretquill"))
                    QFile::link(info.filePath(), run.dir->filePath(info.fileName()));
            }
            const QByteArray exe = run.dir->filePath("fretquill").toLocal8Bit();
            if (::link(FRETQUILL_EXECUTABLE, exe.constData()) != 0)
                QFile::copy(QStringLiteral(FRETQUILL_EXECUTABLE), run.dir->filePath("fretquill"));
            run.c.breakIt(run.dir->filePath(run.c.file));
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("QT_QPA_PLATFORM", "offscreen");
            env.insert("XDG_RUNTIME_DIR", run.elsewhere->path());
            QFile::setPermissions(run.elsewhere->path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            run.process->setProcessEnvironment(env);
            run.process->setWorkingDirectory(run.elsewhere->path());
            run.clock.start();
            run.process->start(run.dir->filePath("fretquill"), {});
            batch.push_back(std::move(run));
        }
        for (Run& run : batch) {
            ++tried;
            QProcess& p = *run.process;
            const QString path = run.dir->filePath(run.c.file);
            if (run.c.error == 0) {
                const bool ended = p.waitForFinished(std::max<qint64>(1, kStartMs - run.clock.elapsed()));
                if (ended)
                    failures << run.c.name + ": should start, but ended: " +
                                    QString::fromLocal8Bit(p.readAllStandardError());
                p.kill();
                p.waitForFinished();
                continue;
            }
            if (!p.waitForFinished(kBoundMs)) {
                failures << run.c.name + ": did not end in time";
                p.kill();
                p.waitForFinished();
                continue;
            }
            const QString err = QString::fromLocal8Bit(p.readAllStandardError());
            if (p.exitStatus() != QProcess::NormalExit)
                failures << run.c.name + ": ended by a signal";
            else if (p.exitCode() != 1)
                failures << run.c.name + QStringLiteral(": exit status %1").arg(p.exitCode());
            else if (!err.contains(QStringLiteral("Run-time error '%1'").arg(run.c.error)))
                failures << run.c.name + ": wrong report: " + err;
            else if (!err.contains(run.c.file == "newblue.ico" ? QStringLiteral("newblue.ico") : path))
                failures << run.c.name + ": the report does not name the file: " + err;
            else if (run.c.namesLine && !err.contains(QStringLiteral(", line ")) &&
                     !err.contains(QStringLiteral("record ")))
                failures << run.c.name + ": the report names no line: " + err;
        }
    }
    qInfo("bad-file cases tried on the executable: %d", tried);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
}

QTEST_GUILESS_MAIN(tst_BadFiles)
#include "tst_badfiles.moc"
