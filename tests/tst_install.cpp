// Installation and the Debian package: the installed program directory, the
// desktop files, the install manifest, the lesson checker's command line,
// the package's contents and review, the installed program started from
// elsewhere, and `make run` stopping at once without a display.
#include "testsupport.h"

#include <QDirIterator>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <csignal>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
struct Result
{
    int code = 0;
    QString out;
    QString err;
};

Result run(const QString& program, const QStringList& args, const QString& workingDir = {},
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(program, args);
    if (!p.waitForFinished(300000))
        qFatal("%s did not finish", qPrintable(program));
    Result r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

bool available(const char* tool)
{
    return !QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty();
}

QString projectVersion()
{
    QFile f(QStringLiteral(FRETQUILL_SOURCE_DIR "/CMakeLists.txt"));
    f.open(QIODevice::ReadOnly);
    return QRegularExpression(QStringLiteral("project\\(Fretquill VERSION ([0-9.]+)"))
        .match(QString::fromUtf8(f.readAll()))
        .captured(1);
}

// Every file and link below a directory, as paths relative to it.
QSet<QString> filesBelow(const QString& root)
{
    QSet<QString> files;
    QDirIterator it(root, QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.insert(QDir(root).relativeFilePath(it.next()));
    return files;
}

// What one set of files has that the other lacks, for a failure message.
QString difference(const QSet<QString>& found, const QSet<QString>& listed)
{
    QStringList extra = (found - listed).values(), missing = (listed - found).values();
    extra.sort();
    missing.sort();
    return QStringLiteral("not listed: %1; listed, not there: %2")
        .arg(extra.join(QLatin1Char(' ')), missing.join(QLatin1Char(' ')));
}

// A listening local socket: a stand-in for a display server. As an X server
// it answers a well-formed connection set-up request with a refusal, as a
// real server does a client without authorisation.
class FakeDisplayServer
{
public:
    explicit FakeDisplayServer(const QString& path) : path_(path)
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray p = QFile::encodeName(path);
        if (p.size() >= static_cast<int>(sizeof address.sun_path))
            return;
        std::memcpy(address.sun_path, p.constData(), p.size());
        fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(fd_, 4) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~FakeDisplayServer()
    {
        if (fd_ >= 0) {
            ::close(fd_);
            ::unlink(QFile::encodeName(path_).constData());
        }
    }
    bool listening() const { return fd_ >= 0; }

    // Takes one client within the time given and answers its request.
    void answerXClient(int ms)
    {
        pollfd wait{fd_, POLLIN, 0};
        if (::poll(&wait, 1, ms) != 1)
            return;
        const int client = ::accept(fd_, nullptr, nullptr);
        const timeval limit{ms / 1000, 0};
        ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        unsigned char request[12] = {};
        const bool whole = ::recv(client, request, sizeof request, MSG_WAITALL) == sizeof request;
        const bool bigEndian = request[0] == 'B' && request[2] == 0 && request[3] == 11;
        const bool littleEndian = request[0] == 'l' && request[2] == 11 && request[3] == 0;
        const unsigned char refusal[8] = {0, 0, 0, 11, 0, 0, 0, 0};
        if (whole && (bigEndian || littleEndian) &&
            ::send(client, refusal, sizeof refusal, 0) != sizeof refusal)
            qWarning("the stand-in X server could not answer");
        ::close(client);
    }

private:
    QString path_;
    int fd_ = -1;
};

// A display number with no server, no lock and no socket.
int freeDisplayNumber()
{
    for (int n = 150 + ::getpid() % 50; n < 250; ++n)
        if (!QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) &&
            !QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
            return n;
    return -1;
}
} // namespace

class tst_Install : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installsACompleteProgram();
    void checkerCommandLine_data();
    void checkerCommandLine();
    void debianPackage();
    void displayCheck_data();
    void displayCheck();

private:
    static void startsFromElsewhere(const QString& executable);
    QTemporaryDir prefix_;
    QSet<QString> manifest_; // relative to the prefix
};

// Started offscreen from a directory that holds none of its files, the
// program must get past its set-up and splash screen and keep running.
void tst_Install::startsFromElsewhere(const QString& executable)
{
    QTemporaryDir elsewhere;
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(elsewhere.path());
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(executable, {});
    QVERIFY(p.waitForStarted());
    const bool ended = p.waitForFinished(4500);
    QVERIFY2(!ended, qPrintable(QString::fromLocal8Bit(p.readAll())));
    p.kill();
    p.waitForFinished();
}

void tst_Install::initTestCase()
{
    const Result r = run(QStringLiteral("cmake"), {"--install", QStringLiteral(FRETQUILL_BUILD_DIR),
                                                   "--prefix", prefix_.path()});
    QVERIFY2(r.code == 0, qPrintable(r.out + r.err));
    QFile manifest(QStringLiteral(FRETQUILL_BUILD_DIR "/install_manifest.txt"));
    QVERIFY(manifest.open(QIODevice::ReadOnly));
    const QDir root(prefix_.path());
    for (const QByteArray& line : manifest.readAll().split('\n'))
        if (!line.isEmpty())
            manifest_.insert(root.relativeFilePath(QString::fromLocal8Bit(line)));
}

void tst_Install::installsACompleteProgram()
{
    const QDir root(prefix_.path());
    // The manifest names every file and link installed, and nothing else:
    // removing what it lists removes the whole installation.
    const QSet<QString> installed = filesBelow(root.path());
    QVERIFY2(installed == manifest_, qPrintable(difference(installed, manifest_)));

    const QFileInfo link(root.filePath("bin/fretquill"));
    QVERIFY(link.isSymLink());
    QCOMPARE(link.canonicalFilePath(),
             QFileInfo(root.filePath("lib/fretquill/fretquill")).canonicalFilePath());
    QVERIFY(QFileInfo(root.filePath("bin/fretquill-check")).isExecutable());
    for (const char* f : {"arpeggios.txt", "chords.txt", "scales.txt", "0.gif", "22.gif",
                          "fret16.gif", "check1.jpg", "key12.jpg", "position5.jpg", "newblue.ico",
                          "play_dimmed.jpg", "fretquill-sound.so"})
        QVERIFY2(QFile::exists(root.filePath(QStringLiteral("lib/fretquill/") + QLatin1String(f))),
                 f);

    const QString desktop =
        root.filePath("share/applications/io.github.fretquill.Fretquill.desktop");
    const QString metainfo =
        root.filePath("share/metainfo/io.github.fretquill.Fretquill.metainfo.xml");
    QFile desktopFile(desktop);
    QVERIFY(desktopFile.open(QIODevice::ReadOnly));
    const QString icon = QRegularExpression(QStringLiteral("\nIcon=([^\n]*)\n"))
                             .match(QString::fromUtf8(desktopFile.readAll()))
                             .captured(1);
    // The icon the desktop entry names, in every hicolor size, each its size.
    for (int size : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString path = root.filePath(
            QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(icon));
        QCOMPARE(QImage(path).size(), QSize(size, size));
    }
    if (available("desktop-file-validate")) {
        const Result v = run(QStringLiteral("desktop-file-validate"), {desktop});
        QVERIFY2(v.code == 0 && v.out.isEmpty(), qPrintable(v.out + v.err));
    }
    if (available("appstreamcli")) {
        // Pedantic hints are allowed (the id has capitals); nothing else.
        const Result v =
            run(QStringLiteral("appstreamcli"), {"validate", "--pedantic", "--no-net", metainfo});
        QVERIFY2(v.code == 0 &&
                     !v.out.contains(QRegularExpression(QStringLiteral("(^|\n)[EWI]: "))),
                 qPrintable(v.out + v.err));
    }

    const Result check =
        run(root.filePath("bin/fretquill-check"), {root.filePath("lib/fretquill")});
    QVERIFY2(check.code == 0, qPrintable(check.out));
    startsFromElsewhere(root.filePath("bin/fretquill"));
}

void tst_Install::checkerCommandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // what standard output starts with
    QTest::addColumn<QString>("err"); // what standard error holds

    const QString usage = QStringLiteral("usage: fretquill-check [--] DIRECTORY\n");
    QTest::newRow("help") << QStringList{"--help"} << 0 << usage << "";
    QTest::newRow("-h") << QStringList{"-h"} << 0 << usage << "";
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QStringLiteral("fretquill-check %1\n").arg(projectVersion()) << "";
    QTest::newRow("no directory") << QStringList{} << 2 << ""
                                  << "no directory given\n" + usage;
    QTest::newRow("two directories") << QStringList{"lessons", "lessons"} << 2 << ""
                                     << "more than one directory given";
    QTest::newRow("unknown option") << QStringList{"--verbose", "lessons"} << 2 << ""
                                    << "unknown option --verbose";
    QTest::newRow("a directory") << QStringList{"lessons"} << 0 << "fretquill-check: arpeggios.txt"
                                 << "";
    QTest::newRow("a directory named like an option")
        << QStringList{"--", "--help"} << 0 << "fretquill-check: arpeggios.txt"
        << "";
    QTest::newRow("a missing directory") << QStringList{"nowhere"} << 1 << "arpeggios.txt: "
                                         << "";
}

void tst_Install::checkerCommandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir work;
    for (const char* dir : {"lessons", "--help"}) {
        QDir(work.path()).mkdir(QLatin1String(dir));
        for (const char* f : {"arpeggios.txt", "chords.txt", "scales.txt"})
            QFile::copy(QStringLiteral(FRETQUILL_SOURCE_DIR "/data/") + QLatin1String(f),
                        work.path() + QLatin1Char('/') + QLatin1String(dir) + QLatin1Char('/') +
                            QLatin1String(f));
    }
    const Result r = run(QDir(prefix_.path()).filePath("bin/fretquill-check"), args, work.path());
    QVERIFY2(r.code == status, qPrintable(r.out + r.err));
    QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.startsWith(out), qPrintable(r.out));
    QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err), qPrintable(r.err));
}

void tst_Install::debianPackage()
{
    if (!available("dpkg-deb"))
        QSKIP("dpkg-deb is not available");
    QTemporaryDir out;
    const Result made = run(
        QStringLiteral("cpack"),
        {"--config", QStringLiteral(FRETQUILL_BUILD_DIR "/CPackConfig.cmake"), "-B", out.path()},
        QStringLiteral(FRETQUILL_BUILD_DIR));
    QVERIFY2(made.code == 0, qPrintable(made.out + made.err));
    const QStringList debs = QDir(out.path()).entryList({"*.deb"});
    QCOMPARE(debs.size(), 1);
    const QString deb = QDir(out.path()).filePath(debs.first());
    auto field = [&](const char* name) {
        return run(QStringLiteral("dpkg-deb"), {"--field", deb, QLatin1String(name)}).out.trimmed();
    };

    // The libraries it links, and nothing it does not need.
    const QString depends = field("Depends");
    QVERIFY2(depends.contains("libqt6widgets6") && depends.contains("librtaudio6") &&
                 depends.contains("libgif7") &&
                 !depends.contains("qt6-qpa-plugins"),
             qPrintable(depends));
    QCOMPARE(field("Recommends"), QStringLiteral("qt6-wayland"));
    const QString version = field("Version");
    QCOMPARE(version, projectVersion());

    // The package holds exactly what `cmake --install` installs.
    QTemporaryDir scratch;
    QCOMPARE(run(QStringLiteral("dpkg"), {"-x", deb, scratch.path()}).code, 0);
    const QString usr = QDir(scratch.path()).filePath("usr");
    const QSet<QString> packaged = filesBelow(usr);
    QVERIFY2(packaged == manifest_, qPrintable(difference(packaged, manifest_)));

    // Installed-Size counts each file and link by its own size, each
    // directory as 1 KiB; the control files add a few KiB.
    qint64 kib = 0;
    QDirIterator it(scratch.path(),
                    QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        struct stat s = {};
        ::lstat(QFile::encodeName(it.next()).constData(), &s);
        kib += S_ISDIR(s.st_mode) ? 1 : (s.st_size + 1023) / 1024;
    }
    const qint64 installedSize = field("Installed-Size").toLongLong();
    QVERIFY2(
        installedSize >= kib && installedSize <= kib + 16,
        qPrintable(QStringLiteral("Installed-Size %1, files %2 KiB").arg(installedSize).arg(kib)));

    // No run-time search path (lintian takes $ORIGIN for a sound one).
    const QStringList binaries = {QDir(usr).filePath("lib/fretquill/fretquill"),
                                  QDir(usr).filePath("lib/fretquill/fretquill-sound.so"),
                                  QDir(usr).filePath("bin/fretquill-check")};
    if (available("readelf")) {
        for (const QString& binary : binaries) {
            const Result dynamic = run(QStringLiteral("readelf"), {"--dynamic", binary});
            QVERIFY2(dynamic.code == 0 && !dynamic.out.contains("RUNPATH") &&
                         !dynamic.out.contains("RPATH"),
                     qPrintable(binary + dynamic.out));
        }
    }

    // The release is the same in the changelog, the metainfo and the checker.
    const Result changelog = run(QStringLiteral("gzip"),
                                 {"-dc", QDir(usr).filePath("share/doc/fretquill/changelog.gz")});
    QVERIFY2(changelog.out.startsWith(QStringLiteral("fretquill (%1) ").arg(version)),
             qPrintable(changelog.out));
    QFile metainfo(QDir(usr).filePath("share/metainfo/io.github.fretquill.Fretquill.metainfo.xml"));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    QVERIFY(metainfo.readAll().contains(
        QStringLiteral("<release version=\"%1\"").arg(version).toUtf8()));
    QCOMPARE(run(binaries.last(), {"--version"}).out,
             QStringLiteral("fretquill-check %1\n").arg(version));

    // A distribution's review: no error or warning, bar the default
    // maintainer's undeliverable address, and, from a hardened build, every
    // hardening feature used.
    if (available("lintian")) {
        const Result review = run(QStringLiteral("lintian"), {"--fail-on", "none", "--display-info",
                                                              "--tag-display-limit", "0", deb});
        QVERIFY2(review.code == 0, qPrintable(review.out + review.err));
        const bool defaultAddress = field("Maintainer").endsWith("@localhost>");
        const QRegularExpression tag(QStringLiteral("^([EWI]): fretquill[^:]*: (\\S+)"),
                                     QRegularExpression::MultilineOption);
        for (auto m = tag.globalMatch(review.out); m.hasNext();) {
            const auto t = m.next();
            const bool serious = t.captured(1) != QLatin1String("I");
            const bool allowed = defaultAddress && t.captured(2).startsWith("bogus-mail-host");
            const bool unhardened = FRETQUILL_HARDENED && t.captured(2).startsWith("hardening-");
            QVERIFY2(allowed || (!serious && !unhardened), qPrintable(review.out));
        }
    }

    startsFromElsewhere(QDir(usr).filePath("bin/fretquill"));
}

void tst_Install::displayCheck_data()
{
    QTest::addColumn<QString>("x");       // DISPLAY: "", "none" (no server), "silent", "answering"
    QTest::addColumn<QString>("wayland"); // WAYLAND_DISPLAY: "", "none", "listening"
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("message");

    const QString none;
    QTest::newRow("nothing set") << none << none << false
                                 << "neither DISPLAY nor WAYLAND_DISPLAY is set";
    QTest::newRow("no X server") << "none" << none << false
                                 << "no X server listens on /tmp/.X11-unix/X";
    QTest::newRow("an X server that does not answer")
        << "silent" << none << false << "did not answer";
    QTest::newRow("an X server that answers") << "answering" << none << true << none;
    QTest::newRow("no Wayland server") << none << "none" << false << "but nothing listens on";
    QTest::newRow("a Wayland server") << none << "listening" << true << none;
    QTest::newRow("no X server, but Wayland") << "none"
                                              << "listening" << true << none;
}

// The display check `make run` starts with; where it finds no display,
// `make run` must stop with its message before installing or building
// anything.
void tst_Install::displayCheck()
{
    QFETCH(QString, x);
    QFETCH(QString, wayland);
    QFETCH(bool, found);
    QFETCH(QString, message);
    if (!available("perl"))
        QSKIP("perl is not available");

    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "MAKEFLAGS", "MAKELEVEL", "MFLAGS"})
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    std::unique_ptr<FakeDisplayServer> xServer, waylandServer;
    const int number = freeDisplayNumber();
    QVERIFY(number > 0);
    if (!x.isEmpty())
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(number));
    if (x == "silent" || x == "answering") {
        if (!QFileInfo(QStringLiteral("/tmp/.X11-unix")).isWritable())
            QSKIP("/tmp/.X11-unix is not there to hold a stand-in X server");
        xServer =
            std::make_unique<FakeDisplayServer>(QStringLiteral("/tmp/.X11-unix/X%1").arg(number));
        QVERIFY(xServer->listening());
    }
    if (!wayland.isEmpty())
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-test"));
    if (wayland == "listening") {
        waylandServer = std::make_unique<FakeDisplayServer>(runtime.filePath("wayland-test"));
        QVERIFY(waylandServer->listening());
    }

    QProcess check;
    check.setProcessEnvironment(env);
    check.start(QStringLiteral("perl"),
                {QStringLiteral(FRETQUILL_SOURCE_DIR "/scripts/check-display")});
    QVERIFY(check.waitForStarted());
    if (x == "answering")
        xServer->answerXClient(10000);
    QVERIFY(check.waitForFinished(10000));
    const QString said = QString::fromLocal8Bit(check.readAllStandardError());
    QCOMPARE(check.exitCode() == 0, found);
    QVERIFY2(said.contains(message), qPrintable(said));
    if (found)
        return;

    QTemporaryDir work;
    const QString build = work.filePath("build");
    QProcess make;
    make.setProcessEnvironment(env);
    make.setProcessChannelMode(QProcess::MergedChannels);
    make.setChildProcessModifier([] { ::setpgid(0, 0); });
    make.start(QStringLiteral("make"), {"-C", FRETQUILL_SOURCE_DIR, "run", "BUILD=" + build});
    QVERIFY(make.waitForStarted());
    const bool stopped = make.waitForFinished(15000);
    if (!stopped)
        ::kill(-static_cast<pid_t>(make.processId()), SIGKILL);
    make.waitForFinished();
    const QString output = QString::fromLocal8Bit(make.readAll());
    QVERIFY2(stopped && make.exitCode() != 0, qPrintable(output));
    QVERIFY2(output.contains("Fretquill needs a graphical display: ") && output.contains(message),
             qPrintable(output));
    QVERIFY2(!QFileInfo::exists(build), "make run set up a build before looking for a display");
}

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
