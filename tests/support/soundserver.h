#pragma once

// A PulseAudio server of the caller's own, in a private directory, with
// only the native protocol on its own socket and one null sink, whose
// monitor records what is played. It never touches a
// user's server, and it stops with this object.

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

class PrivateSoundServer
{
public:
    static constexpr int kRate = 48000;

    ~PrivateSoundServer() { server_.kill(), server_.waitForFinished(); }

    // Starts the server: an empty string, or why there is none.
    QString start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", dir_.path());
        env.insert("XDG_RUNTIME_DIR", dir_.path());
        server_.setProcessEnvironment(env);
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                     "--log-target=stderr",
                                     "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + socket(),
                                     "-L", QStringLiteral("module-null-sink sink_name=fretquill rate=%1").arg(kRate)});
        QElapsedTimer clock;
        for (clock.start(); !QFileInfo::exists(socket()); QThread::msleep(20))
            if (clock.elapsed() > 10000 || server_.state() == QProcess::NotRunning)
                return "no sound server: " + server_.errorString() + server_.readAll();
        return {};
    }

    // What a program is given to play on this server, or on none at all.
    QProcessEnvironment client(bool none = false) const
    {
        QProcessEnvironment env;
        env.insert("PULSE_SERVER", "unix:" + (none ? dir_.filePath("none") : socket()));
        return env;
    }

    // Records the null sink's monitor: mono 32-bit float samples at kRate.
    void record(QProcess& parec) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(client());
        parec.setProcessEnvironment(env);
        parec.start("parec", {"-d", "fretquill.monitor", "--format=float32le", "--channels=1",
                              QStringLiteral("--rate=%1").arg(kRate), "--raw", "--latency-msec=10"});
    }

private:
    QString socket() const { return dir_.filePath("native"); }
    QTemporaryDir dir_;
    QProcess server_;
};
