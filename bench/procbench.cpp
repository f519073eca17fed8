// Measures a program from outside, on an X display: the time from exec to
// the first paint of its first window, the processor time the program had
// used by then, and its peak resident memory once a window of the given
// size has been painted.
//
//   fretquill-procbench PROGRAM WIDTHxHEIGHT
//
// Prints "first-paint-ms N", "first-paint-cpu-ms N" and "peak-rss-kib N".
// On a machine that other work keeps busy the elapsed time includes the
// time the program waited for a processor; the processor time does not, so
// it compares two programs more steadily. The program runs from its own
// directory and is killed at the end.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A top-level window whose content is no longer the black of a window
// nobody has painted.
bool painted(Display* d, Window w, int width, int height)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable)
        return false;
    if (width && (a.width != width || a.height != height))
        return false;
    const int points[][2] = {{a.width / 2, a.height / 2}, {20, 20}, {a.width - 20, a.height - 20}};
    for (const auto& p : points) {
        XImage* image = XGetImage(d, w, p[0], p[1], 1, 1, AllPlanes, ZPixmap);
        if (!image)
            continue;
        const unsigned long pixel = XGetPixel(image, 0, 0);
        XDestroyImage(image);
        if (pixel != 0)
            return true;
    }
    return false;
}

bool anyPainted(Display* d, int width, int height)
{
    Window root = DefaultRootWindow(d), parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, root, &root, &parent, &children, &n))
        return false;
    bool found = false;
    for (unsigned int i = 0; i < n && !found; ++i)
        found = painted(d, children[i], width, height);
    if (children)
        XFree(children);
    return found;
}

long peakRssKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// The processor time all threads of a process have run so far, from the
// scheduler's own account in nanoseconds (-1 where the kernel keeps none).
double cpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return -1;
    double ns = 0;
    bool any = false;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        std::ifstream stat(tasks + "/" + entry->d_name + "/schedstat");
        double run = 0;
        if (stat >> run) {
            ns += run;
            any = true;
        }
    }
    closedir(dir);
    return any ? ns / 1e6 : -1;
}

int ignoreErrors(Display*, XErrorEvent*)
{
    return 0; // windows come and go while we look at them
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fretquill-procbench PROGRAM WIDTHxHEIGHT\n");
        return 2;
    }
    int width = 0, height = 0;
    std::sscanf(argv[2], "%dx%d", &width, &height);
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "fretquill-procbench: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);

    const std::string program = argv[1];
    const std::string dir = program.substr(0, program.rfind('/'));
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    double firstPaintMs = -1, firstPaintCpuMs = -1;
    long rss = -1;
    const auto deadline = start + std::chrono::seconds(30);
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "fretquill-procbench: the program ended\n");
            return 1;
        }
        if (firstPaintMs < 0 && anyPainted(d, 0, 0)) {
            firstPaintMs =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            firstPaintCpuMs = cpuMs(pid);
        }
        if (firstPaintMs >= 0 && anyPainted(d, width, height)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300)); // let it settle
            rss = peakRssKib(pid);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(d);
    if (firstPaintMs < 0 || rss < 0) {
        std::fprintf(stderr, "fretquill-procbench: no window of %dx%d was painted\n", width, height);
        return 1;
    }
    std::printf("first-paint-ms %.1f\nfirst-paint-cpu-ms %.1f\npeak-rss-kib %ld\n", firstPaintMs,
                firstPaintCpuMs, rss);
    return 0;
}
