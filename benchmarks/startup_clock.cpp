// rored_startup_clock: how long a window program takes from its start to a
// mapped window. Starts PROGRAM [ARGS...] on the X server of DISPLAY, prints
// the milliseconds until the first top-level window is mapped, then ends the
// program with SIGTERM. Prints nothing and fails if none is mapped in 20 s.
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    Display* x = argc > 1 ? XOpenDisplay(nullptr) : nullptr;
    if (!x)
        return 2;
    XSelectInput(x, DefaultRootWindow(x), SubstructureNotifyMask);
    XSync(x, False);
    const auto start = std::chrono::steady_clock::now();
    const pid_t program = fork();
    if (program == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 1;
    pollfd events{ConnectionNumber(x), POLLIN, 0};
    while (status != 0 && (XPending(x) || poll(&events, 1, 20000) == 1)) {
        XEvent e;
        XNextEvent(x, &e);
        if (e.type == MapNotify && !e.xmap.override_redirect) {
            const std::chrono::duration<double, std::milli> took =
                std::chrono::steady_clock::now() - start;
            std::printf("%.1f\n", took.count());
            status = 0;
        }
    }
    kill(program, SIGTERM);
    waitpid(program, nullptr, 0);
    return status;
}
