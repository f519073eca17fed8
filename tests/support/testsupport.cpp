#include "testsupport.h"

#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/program.h"
#include "platform/picture.h"
#include "platform/selectorbox.h"
#include "sound/soundoutput.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QWheelEvent>

ProgramDirectoryFixture::ProgramDirectoryFixture()
{
    QDirIterator it(QStringLiteral(FRETQUILL_PROGRAM_DIR), QDir::Files);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isExecutable() && !info.fileName().contains(QLatin1Char('.')))
            continue; // the executable itself
        if (info.completeBaseName() == QLatin1String(SoundOutput::kPluginName))
            continue; // the tests' programs find no sound device and make no sound
        QFile::copy(info.filePath(), file(info.fileName()));
    }
}

QString ProgramDirectoryFixture::file(const QString& name) const
{
    return QDir(dir_.path()).filePath(name);
}

void ProgramDirectoryFixture::write(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(name));
    f.write(bytes);
}

void ProgramDirectoryFixture::remove(const QString& name) const
{
    QFile::remove(file(name));
}

QByteArray ProgramDirectoryFixture::read(const QString& name) const
{
    QFile f(file(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

RunningProgram::RunningProgram(bool showMainWindow)
    : program_(std::make_unique<Program>(dir_.path(), lockDir_.path()))
{
    if (program_->start() != Program::Start::Running)
        qFatal("the test program did not start");
    if (showMainWindow)
        program_->splash()->splashTimer_Timer();
}

RunningProgram::~RunningProgram() = default;

frmMain& RunningProgram::form()
{
    return *program_->mainWindow();
}

int errorNumberOf(const std::function<void()>& call, QString* where)
{
    try {
        call();
    } catch (const RuntimeError& error) {
        if (where)
            *where = error.where();
        return error.code();
    }
    return 0;
}

QImage imageOf(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

void pickFromList(SelectorBox* box, int item)
{
    box->showPopup();
    box->view()->setCurrentIndex(box->model()->index(item, 0));
    QTest::keyClick(box->view(), Qt::Key_Return);
}

void turnWheel(QWidget* over, int delta)
{
    QWheelEvent wheel(QPointF(10, 10), QPointF(over->mapToGlobal(QPoint(10, 10))), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(over, &wheel);
}

QString fileOnThisScreen(const QString& path)
{
    const QString twin = highDensityName(path);
    return highDensityScreen() && QFileInfo::exists(twin) ? twin : path;
}

bool samePixels(const QImage& a, const QImage& b)
{
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}
