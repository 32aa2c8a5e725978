// Process and X plumbing of the end-to-end fixture. Every process is started
// here with fork/exec and ended here by its own id; nothing else is touched.
#include "harness.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Display numbers tried for the private server; high enough to miss a desktop.
constexpr int FIRST_DISPLAY = 91;
constexpr int LAST_DISPLAY = 190;
constexpr int SERVER_START_MS = 10000;
constexpr int WINDOW_SEARCH_MS = 15000;
constexpr int TOOL_TIMEOUT_MS = 5000;
// A press and its release must fall into different frames, or the game's
// input snapshot never sees the key down.
constexpr int PRESS_MS = 6 * FRAME_MS;
// Lets the game read the new pointer position in a frame of its own.
constexpr int SETTLE_MS = 6 * FRAME_MS;

int xErrors = 0;
int countXError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// Starts program argv[0] (searched on PATH) in folder with DISPLAY set and its
// output sent to logPath (or to outFd when it is not -1).
pid_t spawn(const std::vector<std::string>& argv, const std::string& folder, int displayNumber,
            const std::string& logPath, int outFd = -1) {
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    const std::string displayName = ":" + std::to_string(displayNumber);
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    // Child
    if (!folder.empty() && chdir(folder.c_str()) != 0)
        _exit(126);
    setenv("DISPLAY", displayName.c_str(), 1);
    // Without a display SDL 1.2 falls back to a text-mode driver: insist on X11.
    setenv("SDL_VIDEODRIVER", "x11", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    const int out = outFd != -1 ? outFd : log;
    if (out >= 0)
        dup2(out, STDOUT_FILENO);
    if (log >= 0)
        dup2(log, STDERR_FILENO);
    execvp(args[0], args.data());
    _exit(127);
}

bool waitWithDeadline(pid_t pid, int timeoutMs, int& status) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return true;
        if (done < 0 || std::chrono::steady_clock::now() >= end)
            return false;
        sleepMs(5);
    }
}

void endProcess(pid_t& pid, int gentleMs) {
    if (pid <= 0)
        return;
    int status = 0;
    kill(pid, SIGTERM);
    if (!waitWithDeadline(pid, gentleMs, status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = -1;
}

} // namespace

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

long long GameSession::nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void GameSession::SetUp() {
    char pattern[] = "/tmp/rored-e2e-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    workFolder = pattern;
    fs::create_directories(E2E_SCREENSHOT_DIR);
    XSetErrorHandler(countXError);
    startServer();
}

void GameSession::startServer() {
    for (int n = FIRST_DISPLAY; n <= LAST_DISPLAY; ++n) {
        const std::string number = std::to_string(n);
        if (fs::exists("/tmp/.X11-unix/X" + number) || fs::exists("/tmp/.X" + number + "-lock"))
            continue;
        serverPid = spawn({"Xvfb", ":" + number, "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                          "", n, workFolder + "/xvfb.log");
        const long long end = nowMs() + SERVER_START_MS;
        int status = 0;
        while (nowMs() < end) {
            if (waitpid(serverPid, &status, WNOHANG) == serverPid) {
                serverPid = -1; // lost the race for this number: try the next
                break;
            }
            display = XOpenDisplay((":" + number).c_str());
            if (display) {
                displayNumber = n;
                return;
            }
            sleepMs(50);
        }
        endProcess(serverPid, 1000);
    }
    FAIL() << "could not start Xvfb on any display from :" << FIRST_DISPLAY;
}

void GameSession::TearDown() {
    if (HasFailure())
        std::cerr << "--- game output ---\n" << gameLog() << "-------------------\n";
    endProcess(gamePid, 500);
    if (display)
        XCloseDisplay(display);
    display = nullptr;
    endProcess(serverPid, 2000);
    std::error_code ignored;
    fs::remove_all(workFolder, ignored);
}

void GameSession::launchGame(bool withMedia) {
    ASSERT_NE(display, nullptr);
    if (withMedia)
        fs::copy(fs::path(RORED_SOURCE_DIR) / "Media", fs::path(workFolder) / "Media",
                 fs::copy_options::recursive);
    // In sanitizer builds, leaks inside the system's X library (its locale
    // strings) are not the game's and must not turn the exit status non-zero.
    const std::string suppressions = workFolder + "/lsan.supp";
    std::ofstream(suppressions) << "leak:libX11.so\n";
    setenv("LSAN_OPTIONS", ("suppressions=" + suppressions + ":print_suppressions=0").c_str(), 1);
    gamePid = spawn({RORED_BINARY}, workFolder, displayNumber, workFolder + "/game.log");
    unsetenv("LSAN_OPTIONS");
    ASSERT_GT(gamePid, 0);

    // The window carries the caption as its name once SDL has set it.
    const long long end = nowMs() + WINDOW_SEARCH_MS;
    while (window == 0 && nowMs() < end) {
        std::string found;
        runXdotool({"search", "--name", "^Rored$"}, &found);
        std::istringstream lines(found);
        lines >> window;
        if (window == 0) {
            ASSERT_TRUE(gameRunning()) << "the game ended before its window showed";
            sleepMs(50);
        }
    }
    ASSERT_NE(window, 0ul) << "no window named Rored appeared";

    XWindowAttributes attributes{};
    while (nowMs() < end) {
        XGetWindowAttributes(display, window, &attributes);
        if (attributes.map_state == IsViewable)
            break;
        sleepMs(20);
    }
    ASSERT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(attributes.width, GAME_WIDTH);
    EXPECT_EQ(attributes.height, GAME_HEIGHT);
    sleepMs(10 * FRAME_MS); // the first frames: the pointer shows from the second on
}

void GameSession::runXdotool(const std::vector<std::string>& args, std::string* output) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t pid = spawn(argv, "", displayNumber, workFolder + "/xdotool.log", fds[1]);
    close(fds[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, size_t(n));
    close(fds[0]);
    int status = 0;
    if (!waitWithDeadline(pid, TOOL_TIMEOUT_MS, status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        FAIL() << "xdotool hung";
    }
    if (output)
        *output = text;
}

void GameSession::movePointer(int x, int y) {
    pointerX = x;
    pointerY = y;
    runXdotool(
        {"mousemove", "--window", std::to_string(window), std::to_string(x), std::to_string(y)});
    sleepMs(SETTLE_MS);
}

void GameSession::click(int x, int y) {
    movePointer(x, y);
    runXdotool({"mousedown", "1"});
    sleepMs(PRESS_MS);
    runXdotool({"mouseup", "1"});
    sleepMs(SETTLE_MS);
}

void GameSession::tapKey(const std::string& key) {
    holdKey(key);
    sleepMs(PRESS_MS);
    releaseKey(key);
}

void GameSession::holdKey(const std::string& key) {
    runXdotool({"keydown", key});
}

void GameSession::releaseKey(const std::string& key) {
    runXdotool({"keyup", key});
}

Frame GameSession::grab() {
    Frame frame;
    const int before = xErrors;
    XImage* image = XGetImage(display, window, 0, 0, GAME_WIDTH, GAME_HEIGHT, AllPlanes, ZPixmap);
    XSync(display, False);
    if (!image || xErrors != before) {
        ADD_FAILURE() << "could not read the window's pixels";
        if (image)
            XDestroyImage(image);
        return frame;
    }
    frame.width = GAME_WIDTH;
    frame.height = GAME_HEIGHT;
    frame.rgb.resize(size_t(GAME_WIDTH) * GAME_HEIGHT * 3);
    // The visual's masks say where each channel sits; shift each to 8 bits.
    auto channel = [](unsigned long pixel, unsigned long mask) {
        int shift = 0;
        while (mask && !(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        const unsigned long value = (pixel >> shift) & mask;
        return uint8_t(mask ? value * 255 / mask : 0);
    };
    for (int y = 0; y < GAME_HEIGHT; ++y)
        for (int x = 0; x < GAME_WIDTH; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            uint8_t* out = frame.at(x, y);
            out[0] = channel(pixel, image->red_mask);
            out[1] = channel(pixel, image->green_mask);
            out[2] = channel(pixel, image->blue_mask);
        }
    XDestroyImage(image);
    return frame;
}

void GameSession::keep(const Frame& frame, const std::string& name) {
    EXPECT_TRUE(writePng(std::string(E2E_SCREENSHOT_DIR) + "/" + name + ".png", frame)) << name;
}

void GameSession::requestClose() {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

bool GameSession::waitForExit(int timeoutMs, int& status) {
    if (gamePid <= 0) {
        status = endedStatus;
        return endedStatus != -1;
    }
    if (!waitWithDeadline(gamePid, timeoutMs, status))
        return false;
    gamePid = -1;
    return true;
}

bool GameSession::gameRunning() {
    int status = 0;
    if (gamePid <= 0)
        return false;
    if (waitpid(gamePid, &status, WNOHANG) == gamePid) {
        gamePid = -1;
        endedStatus = status;
        return false;
    }
    return true;
}

std::string GameSession::gameLog() const {
    std::ifstream in(workFolder + "/game.log");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
