#include "soundserver.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

PrivateSoundServer::~PrivateSoundServer()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(3000))
            server_.kill();
        server_.waitForFinished();
    }
}

QString PrivateSoundServer::start()
{
    for (const char* tool : {"pulseaudio", "parec"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
    const QString config = dir_.filePath(QStringLiteral("server.pa"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write %1").arg(config);
    file.write(QStringLiteral("load-module module-native-protocol-unix auth-anonymous=1 socket=%1\n"
                              "load-module module-null-sink sink_name=fretquill rate=%2\n"
                              "set-default-sink fretquill\n")
                   .arg(socket())
                   .arg(kRate)
                   .toLocal8Bit());
    file.close();
    // Its home, runtime and state directories are all the private one.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH",
                             "PULSE_STATE_PATH"})
        env.insert(QLatin1String(name), dir_.path());
    for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "PULSE_SERVER"})
        env.remove(QLatin1String(name));
    server_.setProcessEnvironment(env);
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.start(QStringLiteral("pulseaudio"), {"-n", "--daemonize=no", "--exit-idle-time=-1",
                                                 "--use-pid-file=no", "--log-target=stderr",
                                                 "-F", config});
    QElapsedTimer clock;
    for (clock.start(); !QFileInfo::exists(socket()); QThread::msleep(20))
        if (clock.elapsed() > 10000 || server_.state() == QProcess::NotRunning)
            return QStringLiteral("the sound server did not start: ") +
                   QString::fromLocal8Bit(server_.readAll());
    return {};
}

QProcessEnvironment PrivateSoundServer::client() const
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket());
    return env;
}

QProcessEnvironment PrivateSoundServer::noServer() const
{
    QProcessEnvironment env;
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + dir_.filePath("none"));
    return env;
}

void PrivateSoundServer::record(QProcess& parec) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(client());
    parec.setProcessEnvironment(env);
    parec.start(QStringLiteral("parec"),
                {"-d", "fretquill.monitor", "--format=float32le", "--channels=1",
                 QStringLiteral("--rate=%1").arg(kRate), "--raw", "--latency-msec=10"});
}
