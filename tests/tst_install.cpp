// Installation and the Debian package: the installed program directory, the
// desktop files, and the installed program started from elsewhere.
#include "testsupport.h"

#include <QProcess>
#include <QStandardPaths>

class tst_Install : public QObject
{
    Q_OBJECT
private slots:
    void installsACompleteProgram();
    void debianPackage();

private:
    static QString run(const QString& program, const QStringList& args, int* exitCode,
                       const QString& workingDir = {});
    static void startsFromElsewhere(const QString& executable);
};

QString tst_Install::run(const QString& program, const QStringList& args, int* exitCode,
                         const QString& workingDir)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(program, args);
    if (!p.waitForFinished(300000))
        qFatal("%s did not finish", qPrintable(program));
    *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromLocal8Bit(p.readAll());
}

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

void tst_Install::installsACompleteProgram()
{
    QTemporaryDir prefix;
    int code = 0;
    const QString out = run(QStringLiteral("cmake"),
                            {"--install", QStringLiteral(FRETQUILL_BUILD_DIR), "--prefix",
                             prefix.path()},
                            &code);
    QVERIFY2(code == 0, qPrintable(out));

    const QDir root(prefix.path());
    const QFileInfo link(root.filePath("bin/fretquill"));
    QVERIFY(link.isSymLink());
    QCOMPARE(link.canonicalFilePath(), QFileInfo(root.filePath("lib/fretquill/fretquill")).canonicalFilePath());
    QVERIFY(QFileInfo(root.filePath("bin/fretquill-check")).isExecutable());
    for (const char* f : {"arpeggios.txt", "chords.txt", "scales.txt", "0.gif", "22.gif",
                          "fret16.gif", "check1.jpg", "key12.jpg", "position5.jpg", "newblue.ico"})
        QVERIFY2(QFile::exists(root.filePath(QStringLiteral("lib/fretquill/") + QLatin1String(f))), f);
    QVERIFY(QFile::exists(root.filePath("share/icons/hicolor/48x48/apps/fretquill.png")));
    QVERIFY(QFile::exists(root.filePath("share/icons/hicolor/256x256/apps/fretquill.png")));

    const QString desktop = root.filePath("share/applications/io.github.fretquill.Fretquill.desktop");
    const QString metainfo =
        root.filePath("share/metainfo/io.github.fretquill.Fretquill.metainfo.xml");
    QVERIFY(QFile::exists(desktop));
    QVERIFY(QFile::exists(metainfo));
    if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
        const QString v = run(QStringLiteral("desktop-file-validate"), {desktop}, &code);
        QVERIFY2(code == 0, qPrintable(v));
    }
    if (!QStandardPaths::findExecutable("appstreamcli").isEmpty()) {
        const QString v = run(QStringLiteral("appstreamcli"), {"validate", "--no-net", metainfo}, &code);
        QVERIFY2(code == 0, qPrintable(v));
    }

    const QString check = run(root.filePath("bin/fretquill-check"),
                              {root.filePath("lib/fretquill")}, &code);
    QVERIFY2(code == 0, qPrintable(check));
    startsFromElsewhere(root.filePath("bin/fretquill"));
}

void tst_Install::debianPackage()
{
    if (QStandardPaths::findExecutable("dpkg-deb").isEmpty())
        QSKIP("dpkg-deb is not available");
    QTemporaryDir out;
    int code = 0;
    const QString log = run(QStringLiteral("cpack"),
                            {"--config", QStringLiteral(FRETQUILL_BUILD_DIR "/CPackConfig.cmake"),
                             "-B", out.path()},
                            &code, QStringLiteral(FRETQUILL_BUILD_DIR));
    QVERIFY2(code == 0, qPrintable(log));
    const QStringList debs = QDir(out.path()).entryList({"*.deb"});
    QCOMPARE(debs.size(), 1);
    const QString deb = QDir(out.path()).filePath(debs.first());

    const QString info = run(QStringLiteral("dpkg-deb"), {"--field", deb, "Depends"}, &code);
    QCOMPARE(code, 0);
    QVERIFY2(info.contains("libqt6widgets6") && info.contains("qt6-qpa-plugins"), qPrintable(info));
    const QString contents = run(QStringLiteral("dpkg-deb"), {"--contents", deb}, &code);
    for (const char* f : {"./usr/lib/fretquill/fretquill", "./usr/lib/fretquill/chords.txt",
                          "./usr/bin/fretquill -> ../lib/fretquill/fretquill",
                          "./usr/bin/fretquill-check",
                          "./usr/share/applications/io.github.fretquill.Fretquill.desktop"})
        QVERIFY2(contents.contains(QLatin1String(f)), f);

    QTemporaryDir scratch;
    run(QStringLiteral("dpkg"), {"-x", deb, scratch.path()}, &code);
    QCOMPARE(code, 0);
    startsFromElsewhere(QDir(scratch.path()).filePath("usr/bin/fretquill"));
}

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
