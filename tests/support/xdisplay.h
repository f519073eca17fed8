#pragma once

// A virtual X display (Xvfb) of the test's own, and what the tests do on it
// through Xlib and XTest: list the top-level windows, read their pixels,
// move the pointer, press buttons and keys, ask a window to close. Xlib's
// own header stays out of the tests: its macros clash with Qt's names.

#include <QImage>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>

struct _XDisplay;

// A viewable top-level window, with the process id its owner declares and
// the width of the first icon it carries (0 for none).
struct ScreenWindow
{
    unsigned long id = 0;
    QRect geometry;
    qint64 pid = 0;
    int iconWidth = 0;
    explicit operator bool() const { return id != 0; }
};

class VirtualDisplay
{
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    // Starts Xvfb on a display number it finds free and connects to it.
    // Returns an empty string, or why there is no display.
    QString start();
    QString name() const { return name_; }

    // The environment for a program shown on this display, with its own
    // runtime directory (and so its own single-instance lock).
    QProcessEnvironment environment(const QString& runtimeDirectory) const;

    // The viewable top-level windows, bottom to top; those of one size;
    // the first of that size to appear within the time given.
    QList<ScreenWindow> windows() const;
    ScreenWindow find(QSize size) const;
    ScreenWindow waitFor(QSize size, int timeoutMs) const;

    // The pixels on screen of an area of a window, in its own coordinates.
    QImage grab(const ScreenWindow& window, const QRect& area) const;

    void moveTo(QPoint screen) const;
    void button(int number, bool down) const;
    void click(QPoint screen, int number = 1) const;
    // Press and release, with a modifier key (XK_Alt_L) held or none.
    void key(unsigned long keysym, unsigned long modifier = 0) const;
    // Asks the window to close, as a window manager's close button does.
    void close(const ScreenWindow& window) const;

private:
    QProcess xvfb_;
    QString name_;
    _XDisplay* d_ = nullptr;
};

// Lets the X server and the program under test catch up.
void settle(int ms = 150);
