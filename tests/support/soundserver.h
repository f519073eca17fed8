#pragma once

// A PulseAudio server of the caller's own, in a private runtime directory
// with a configuration of its own: the native protocol on its own socket
// and one null sink, whose monitor records what is played. It never touches
// a user's server, and it stops with this object.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

class PrivateSoundServer
{
public:
    static constexpr int kRate = 48000;

    ~PrivateSoundServer();
    // Starts the server: an empty string, or why there is none.
    QString start();
    // What a program is given to play on this server, or on none at all.
    QProcessEnvironment client() const;
    QProcessEnvironment noServer() const;
    // Records the null sink's monitor: mono 32-bit float samples at kRate
    // on the process's standard output.
    void record(QProcess& parec) const;

private:
    QString socket() const { return dir_.filePath(QStringLiteral("native")); }
    QTemporaryDir dir_;
    QProcess server_;
};
