// The real program on a real X display (Xvfb), used as a person would with
// the mouse: the splash screen for three seconds, then the main window; a
// category box opens its panel; the window follows a drag of its
// background; the exit picture ends the process with status 0.
#include "testsupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <unistd.h>

namespace {

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0; // windows come and go while the test looks at them
}

struct TopLevel
{
    Window id = 0;
    QRect geometry;
};

// The viewable top-level window of the given size, if there is one.
TopLevel findWindow(Display* d, QSize size)
{
    Window root = DefaultRootWindow(d), parent, *children = nullptr;
    unsigned int n = 0;
    TopLevel found;
    if (!XQueryTree(d, root, &root, &parent, &children, &n))
        return found;
    for (unsigned int i = 0; i < n; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable &&
            a.width == size.width() && a.height == size.height())
            found = {children[i], QRect(a.x, a.y, a.width, a.height)};
    }
    if (children)
        XFree(children);
    return found;
}

QColor pixel(Display* d, const TopLevel& w, QPoint at)
{
    XImage* image = XGetImage(d, w.id, at.x(), at.y(), 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return {};
    const unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return QColor(int((p >> 16) & 0xff), int((p >> 8) & 0xff), int(p & 0xff));
}

void moveTo(Display* d, QPoint screen)
{
    XTestFakeMotionEvent(d, -1, screen.x(), screen.y(), CurrentTime);
    XSync(d, False);
}

void button(Display* d, unsigned int b, bool down)
{
    XTestFakeButtonEvent(d, b, down ? True : False, CurrentTime);
    XSync(d, False);
}

void settle(int ms = 150)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace

class tst_Desktop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void asAPersonUsesIt();

private:
    QProcess xvfb_;
    QString display_;
    Display* d_ = nullptr;
};

void tst_Desktop::initTestCase()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        QSKIP("Xvfb is not installed");
    int extension = 0, error = 0, major = 0, minor = 0;
    for (int n = 40 + ::getpid() % 50; n < 140 && !d_; ++n) {
        display_ = QStringLiteral(":%1").arg(n);
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        xvfb_.start(xvfb, {display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        for (int i = 0; i < 50 && !d_; ++i) {
            settle(100);
            d_ = XOpenDisplay(display_.toLocal8Bit().constData());
        }
        if (!d_) {
            xvfb_.kill();
            xvfb_.waitForFinished();
        }
    }
    QVERIFY2(d_, "no Xvfb display could be started");
    XSetErrorHandler(ignoreErrors);
    QVERIFY(XTestQueryExtension(d_, &extension, &error, &major, &minor));
}

void tst_Desktop::cleanupTestCase()
{
    if (d_)
        XCloseDisplay(d_);
    xvfb_.kill();
    xvfb_.waitForFinished();
}

void tst_Desktop::asAPersonUsesIt()
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("DISPLAY"), display_);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(runtime.path());
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(FRETQUILL_EXECUTABLE), {});
    QVERIFY(program.waitForStarted());

    // The splash screen, and no main window for three seconds.
    QElapsedTimer clock;
    TopLevel splash;
    for (clock.start(); !splash.id && clock.elapsed() < 20000; settle(20))
        splash = findWindow(d_, QSize(495, 156));
    QVERIFY2(splash.id, qPrintable(QString::fromLocal8Bit(program.readAll())));
    clock.restart();
    TopLevel main;
    for (; !main.id && clock.elapsed() < 10000; settle(20))
        main = findWindow(d_, QSize(681, 545));
    QVERIFY(main.id);
    QVERIFY2(clock.elapsed() >= 2800, qPrintable(QString::number(clock.elapsed())));
    settle(300);
    QVERIFY(!findWindow(d_, QSize(495, 156)).id); // the splash screen is gone
    main = findWindow(d_, QSize(681, 545));

    // The arpeggio box opens its panel: its first bullet shows.
    const QPoint bullet(379, 236);
    QVERIFY(pixel(d_, main, bullet) != QColor(30, 80, 170));
    moveTo(d_, main.geometry.topLeft() + QPoint(384, 124));
    button(d_, 1, true);
    button(d_, 1, false);
    settle(400);
    QCOMPARE(pixel(d_, main, bullet), QColor(30, 80, 170));

    // A drag of the background with the right button moves the window by
    // the pointer's displacement.
    const QPoint before = main.geometry.topLeft();
    const QPoint grab = before + QPoint(450, 470);
    moveTo(d_, grab);
    button(d_, 3, true);
    for (int step = 1; step <= 4; ++step) {
        moveTo(d_, grab + QPoint(10 * step, 7 * step));
        settle(50);
    }
    button(d_, 3, false);
    settle(300);
    main = findWindow(d_, QSize(681, 545));
    QCOMPARE(main.geometry.topLeft(), before + QPoint(40, 28));

    // The exit picture ends the program, with status 0.
    moveTo(d_, main.geometry.topLeft() + QPoint(600, 516));
    button(d_, 1, true);
    button(d_, 1, false);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!findWindow(d_, QSize(681, 545)).id);
}

QTEST_GUILESS_MAIN(tst_Desktop)
#include "tst_desktop.moc"
