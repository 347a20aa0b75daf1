// Starts a program and reports how long it took until its first window was
// mapped and until that window first showed a painted frame (more than one
// colour in it), as the X server holds it. Used to compare start-up times of
// this program and others under one X server.
//
//   first_frame [-t timeout_ms] program [args...]
//   prints: "mapped MS painted MS"  (-1 for what did not happen in time)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

long pidOf(Display* display, Window window, Atom pidAtom) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return pid;
}

// A viewable window of the process among the root's children and
// grandchildren (a window manager puts the program's window in a frame).
Window findWindow(Display* display, Window parent, pid_t pid, Atom pidAtom, int depth) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, children[i], &attributes)) continue;
        if (attributes.map_state == IsViewable && pidOf(display, children[i], pidAtom) == pid)
            found = children[i];
        else if (depth > 0)
            found = findWindow(display, children[i], pid, pidAtom, depth - 1);
    }
    if (children) XFree(children);
    return found;
}

// Whether the window shows more than one colour.
bool painted(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.width < 1 ||
        attributes.height < 1)
        return false;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image) return false;
    const unsigned long first = XGetPixel(image, 0, 0);
    bool more = false;
    for (int y = 0; y < attributes.height && !more; y += 2)
        for (int x = 0; x < attributes.width && !more; x += 2)
            more = XGetPixel(image, x, y) != first;
    XDestroyImage(image);
    return more;
}

int ignoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    double timeoutMs = 10000;
    if (argc > 2 && std::strcmp(argv[1], "-t") == 0) {
        timeoutMs = std::atof(argv[2]);
        first = 3;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: first_frame [-t timeout_ms] program [args...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSetErrorHandler(ignoreErrors);  // windows come and go while they are looked at
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[first], argv + first);
        _exit(127);
    }
    double mapped = -1, frame = -1;
    Window window = 0;
    while (nowMs() - start < timeoutMs) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) break;
        if (!window) {
            window = findWindow(display, DefaultRootWindow(display), child, pidAtom, 2);
            if (window) mapped = nowMs() - start;
        }
        if (window && painted(display, window)) {
            frame = nowMs() - start;
            break;
        }
        usleep(1000);
    }
    std::printf("mapped %.1f painted %.1f\n", mapped, frame);
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    return frame >= 0 ? 0 : 1;
}
