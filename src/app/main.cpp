#include "app/commandline.h"
#include "app/frmmain.h"
#include "app/program.h"
#include "platform/instancelock.h"
#include "platform/programdirectory.h"
#include "platform/runtimeerror.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
// Without a display the toolkit would abort with a terse message of its
// own; say plainly what is missing instead.
bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    auto empty = [](const char* name) {
        const char* value = std::getenv(name);
        return !value || !*value;
    };
    return empty("QT_QPA_PLATFORM") && empty("DISPLAY") && empty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}
} // namespace

int main(int argc, char* argv[])
{
    const CommandLine commandLine = readCommandLine(argc, argv);
    if (commandLine.exitStatus >= 0)
        return commandLine.exitStatus;
    if (!commandLine.platformNamed && displayMissing()) {
        std::fprintf(stderr, "Fretquill is a desktop program and needs a graphical display, "
                             "but neither DISPLAY nor WAYLAND_DISPLAY is set.\n"
                             "Start it from a desktop session (or under xvfb-run).\n");
        return 2;
    }

    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    // The windows' identity for desktops: the application name gives X11's
    // window class ("Fretquill"), the desktop file name ties the windows to
    // the installed desktop entry (and is the Wayland application id).
    QApplication::setApplicationName(QStringLiteral("Fretquill"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.fretquill.Fretquill"));

    Program program(programDirectory(), InstanceLock::defaultDirectory());
    QObject::connect(&program, &Program::ended, &app, [] { QCoreApplication::exit(0); });
    try {
        if (program.start() == Program::Start::AnotherInstance)
            return 0;
        if (commandLine.leftHanded)
            program.mainWindow()->setLeftHanded(true);
    } catch (const RuntimeError& error) {
        reportRuntimeError(error);
        return kRuntimeErrorExitStatus;
    }
    return app.exec();
}
