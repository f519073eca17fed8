#include "xdisplay.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0; // windows come and go while the test looks at them
}

// The first number of a window's CARDINAL property, or 0.
qint64 firstCardinal(Display* d, Window w, Atom atom)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    qint64 value = 0;
    if (XGetWindowProperty(d, w, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 1)
        value = static_cast<qint64>(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return value;
}

} // namespace

VirtualDisplay::~VirtualDisplay()
{
    if (d_)
        XCloseDisplay(d_);
    if (xvfb_.state() != QProcess::NotRunning) {
        xvfb_.terminate();
        if (!xvfb_.waitForFinished(5000)) {
            xvfb_.kill();
            xvfb_.waitForFinished();
        }
    }
}

QString VirtualDisplay::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return QStringLiteral("Xvfb is not installed");
    // Xvfb picks a free display number itself and writes it once it
    // accepts connections, so tests started side by side never share one.
    xvfb_.setProcessChannelMode(QProcess::SeparateChannels);
    xvfb_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    QByteArray number;
    QElapsedTimer clock;
    clock.start();
    while (!number.endsWith('\n')) {
        if (!xvfb_.waitForReadyRead(int(std::max<qint64>(1, 20000 - clock.elapsed()))))
            return QStringLiteral("Xvfb did not start: ") +
                   QString::fromLocal8Bit(xvfb_.readAllStandardError());
        number += xvfb_.readAllStandardOutput();
    }
    name_ = QStringLiteral(":") + QString::fromLatin1(number.trimmed());
    d_ = XOpenDisplay(name_.toLocal8Bit().constData());
    if (!d_)
        return QStringLiteral("cannot connect to Xvfb on ") + name_;
    XSetErrorHandler(ignoreErrors);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d_, &event, &error, &major, &minor))
        return QStringLiteral("Xvfb has no XTEST extension");
    return {};
}

QProcessEnvironment VirtualDisplay::environment(const QString& runtimeDirectory) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("DISPLAY"), name_);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDirectory);
    return env;
}

QList<ScreenWindow> VirtualDisplay::windows() const
{
    QList<ScreenWindow> list;
    Window root = DefaultRootWindow(d_), parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d_, root, &root, &parent, &children, &n))
        return list;
    const Atom pid = XInternAtom(d_, "_NET_WM_PID", False);
    const Atom icon = XInternAtom(d_, "_NET_WM_ICON", False);
    for (unsigned int i = 0; i < n; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(d_, children[i], &a) && a.map_state == IsViewable)
            list << ScreenWindow{children[i], QRect(a.x, a.y, a.width, a.height),
                                 firstCardinal(d_, children[i], pid),
                                 int(firstCardinal(d_, children[i], icon))};
    }
    if (children)
        XFree(children);
    return list;
}

ScreenWindow VirtualDisplay::find(QSize size) const
{
    for (const ScreenWindow& w : windows())
        if (w.geometry.size() == size)
            return w;
    return {};
}

ScreenWindow VirtualDisplay::waitFor(QSize size, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    ScreenWindow w = find(size);
    for (; !w && clock.elapsed() < timeoutMs; w = find(size))
        settle(20);
    return w;
}

QImage VirtualDisplay::grab(const ScreenWindow& window, const QRect& area) const
{
    XImage* image = XGetImage(d_, window.id, area.x(), area.y(),
                              static_cast<unsigned int>(area.width()),
                              static_cast<unsigned int>(area.height()), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage pixels(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            pixels.setPixel(x, y, 0xff000000u | (XGetPixel(image, x, y) & 0xffffffu));
    XDestroyImage(image);
    return pixels;
}

void VirtualDisplay::moveTo(QPoint screen) const
{
    XTestFakeMotionEvent(d_, -1, screen.x(), screen.y(), CurrentTime);
    XSync(d_, False);
}

void VirtualDisplay::button(int number, bool down) const
{
    XTestFakeButtonEvent(d_, static_cast<unsigned int>(number), down ? True : False, CurrentTime);
    XSync(d_, False);
}

void VirtualDisplay::click(QPoint screen, int number) const
{
    moveTo(screen);
    button(number, true);
    button(number, false);
}

void VirtualDisplay::key(unsigned long keysym, unsigned long modifier) const
{
    const KeyCode code = XKeysymToKeycode(d_, keysym);
    const KeyCode held = modifier ? XKeysymToKeycode(d_, modifier) : 0;
    if (held)
        XTestFakeKeyEvent(d_, held, True, CurrentTime);
    XTestFakeKeyEvent(d_, code, True, CurrentTime);
    XTestFakeKeyEvent(d_, code, False, CurrentTime);
    if (held)
        XTestFakeKeyEvent(d_, held, False, CurrentTime);
    XSync(d_, False);
}

void VirtualDisplay::close(const ScreenWindow& window) const
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window.id;
    event.xclient.message_type = XInternAtom(d_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d_, window.id, False, NoEventMask, &event);
    XSync(d_, False);
}

void settle(int ms)
{
    QThread::msleep(static_cast<unsigned long>(ms));
}
