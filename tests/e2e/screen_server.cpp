// The private screen: Xvfb tells its display number on a pipe once it
// listens, the window manager says it is ready on another, each awaited with
// a deadline.
#include "screen_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <map>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int READY_MS = 20000;

// What the child behind `fd` wrote before the deadline, up to a newline or its end.
std::string readLine(int fd) {
    std::string line;
    pollfd watch{fd, POLLIN, 0};
    for (char c; poll(&watch, 1, READY_MS) == 1 && read(fd, &c, 1) == 1 && c != '\n';)
        line += c;
    return line;
}

void stop(pid_t& pid) {
    if (pid > 0 && kill(pid, SIGTERM) == 0)
        waitpid(pid, nullptr, 0);
    pid = -1;
}

// The window manager's loop; writes to `ready` once it manages the screen.
[[noreturn]] void manageWindows(int ready) {
    Display* x = XOpenDisplay(nullptr);
    if (!x)
        _exit(1);
    const Window root = DefaultRootWindow(x);
    XSelectInput(x, root, SubstructureRedirectMask | SubstructureNotifyMask);
    const Atom state = XInternAtom(x, "_NET_WM_STATE", False);
    const Atom full = XInternAtom(x, "_NET_WM_STATE_FULLSCREEN", False);
    const Atom check = XInternAtom(x, "_NET_SUPPORTING_WM_CHECK", False);
    // Tell clients that a manager with fullscreen support runs.
    Window self = XCreateSimpleWindow(x, root, -1, -1, 1, 1, 0, 0, 0);
    for (Window w : {root, self})
        XChangeProperty(x, w, check, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(&self), 1);
    Atom supported[] = {state, full};
    XChangeProperty(x, root, XInternAtom(x, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(supported), 2);
    XSync(x, False);
    if (write(ready, "ready\n", 6) != 6)
        _exit(1);

    std::map<Window, XWindowChanges> windowed; // fullscreen windows and their place before
    const auto setFullscreen = [&](Window w, bool on) {
        if (on == (windowed.count(w) > 0))
            return;
        if (on) {
            Window r;
            int px, py;
            unsigned pw, ph, border, depth;
            XGetGeometry(x, w, &r, &px, &py, &pw, &ph, &border, &depth);
            windowed[w] = {px, py, int(pw), int(ph), 0, 0, 0};
            XMoveResizeWindow(x, w, 0, 0, DisplayWidth(x, 0), DisplayHeight(x, 0));
            XRaiseWindow(x, w);
        } else {
            XWindowChanges& was = windowed[w];
            XMoveResizeWindow(x, w, was.x, was.y, was.width, was.height);
            windowed.erase(w);
        }
        Atom now[] = {full};
        XChangeProperty(x, w, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<unsigned char*>(now), on ? 1 : 0);
    };
    for (XEvent e;;) {
        XNextEvent(x, &e);
        if (e.type == MapRequest) {
            XMapWindow(x, e.xmaprequest.window);
            XSetInputFocus(x, e.xmaprequest.window, RevertToPointerRoot, CurrentTime);
        } else if (e.type == ConfigureRequest && !windowed.count(e.xconfigurerequest.window)) {
            const XConfigureRequestEvent& r = e.xconfigurerequest;
            XWindowChanges changes{r.x, r.y, r.width, r.height, r.border_width, r.above, r.detail};
            XConfigureWindow(x, r.window, r.value_mask, &changes);
        } else if (e.type == ClientMessage && e.xclient.message_type == state &&
                   (Atom(e.xclient.data.l[1]) == full || Atom(e.xclient.data.l[2]) == full)) {
            const long action = e.xclient.data.l[0]; // 0 remove, 1 add, 2 toggle
            const Window w = e.xclient.window;
            setFullscreen(w, action == 1 || (action == 2 && !windowed.count(w)));
        } else if (e.type == DestroyNotify) {
            windowed.erase(e.xdestroywindow.window);
        }
        XFlush(x);
    }
}

} // namespace

ScreenServer::ScreenServer(int width, int height) {
    if (const char* display = std::getenv("DISPLAY"))
        oldDisplay = display;
    int number[2], ready[2];
    if (pipe(number) != 0)
        return;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    if ((serverPid = fork()) == 0) {
        close(number[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(number[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(),
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(number[1]);
    const std::string display = readLine(number[0]);
    close(number[0]);
    if (display.empty())
        return;
    setenv("DISPLAY", (":" + display).c_str(), 1);
    if (pipe(ready) != 0)
        return;
    if ((managerPid = fork()) == 0) {
        close(ready[0]);
        manageWindows(ready[1]);
    }
    close(ready[1]);
    if (readLine(ready[0]) != "ready")
        stop(managerPid);
    close(ready[0]);
}

ScreenServer::~ScreenServer() {
    stop(managerPid);
    stop(serverPid);
    setenv("DISPLAY", oldDisplay.c_str(), 1);
}
