#pragma once

#include "platform/runtimeerror.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

class Program;
class SelectorBox;
class QWidget;
class frmMain;

// A temporary program directory made from the build's own artwork and
// lesson files, which a test may then break file by file. It has no sound
// plugin, so its programs find no sound device.
class ProgramDirectoryFixture
{
public:
    ProgramDirectoryFixture();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const;
    void write(const QString& name, const QByteArray& bytes) const;
    void remove(const QString& name) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};

// A whole program on a fixture directory, started and past its splash
// screen, with its main window hidden or shown as the test needs.
class RunningProgram
{
public:
    explicit RunningProgram(bool showMainWindow = true);
    ~RunningProgram();
    ProgramDirectoryFixture& directory() { return dir_; }
    Program& program() { return *program_; }
    frmMain& form();

private:
    ProgramDirectoryFixture dir_;
    QTemporaryDir lockDir_;
    std::unique_ptr<Program> program_;
};

// The error number a call raises, or 0 when it raises none.
int errorNumberOf(const std::function<void()>& call, QString* where = nullptr);

// The picture of a file in a directory, as the program would load it.
QImage imageOf(const QString& path);

// Picks an item as a user does in the opened list: the list opens, the item
// becomes current in it, Return.
void pickFromList(SelectorBox* box, int item);

// One notch of the mouse wheel over a widget: 120 away from the user, -120
// towards.
void turnWheel(QWidget* over, int delta);

// The file the program reads for a picture on this screen: its @2x twin on
// a high-density screen where there is one, else the file itself.
QString fileOnThisScreen(const QString& path);

// True when two pictures have the same size and pixels.
bool samePixels(const QImage& a, const QImage& b);

#define QVERIFY_ERROR(call, number)                                                          \
    QCOMPARE(errorNumberOf([&] { call; }), static_cast<int>(number))
