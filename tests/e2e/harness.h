// The end-to-end harness: the real rored binary in a temporary working folder
// on the private X server with-xvfb gives each test, driven with xdotool, read
// back with ImageMagick's import and compared with pictures its convert
// composes from Media/. Xlib counts the frames the game draws and sends the
// close request. Nothing waits a fixed time: every wait polls for what it
// needs until a deadline.
#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

constexpr int W = 640, H = 480;
// How long a wait may take before it fails: long enough for a busy machine,
// and no cost to a wait that succeeds, which returns at once.
constexpr int DEADLINE_MS = 30000;
// How soon a game told to end has ended; in the sanitizer build the leak
// check at exit alone can take most of a second.
#ifdef RORED_SANITIZED
constexpr int EXIT_MS = 5000;
#else
constexpr int EXIT_MS = 1000;
#endif
constexpr int BLEND = 3;   // ImageMagick's alpha blend and the game's round apart
using Frame = std::string; // R, G, B bytes, rows top to bottom; unreadable if not W * H * 3
struct Box {               // half-open: x0 <= x < x1, y0 <= y < y1
    int x0, y0, x1, y1;
};
constexpr Box WHOLE{0, 0, W, H};
constexpr Box PARKED{124, 431, 176, 483}; // the pointer at (150, 457), clear of every check
struct Diff {
    int count = 0;            // pixels that differ by more than the tolerance
    Box bounds{W, H, -1, -1}; // the smallest box holding them all
};

// The game's environment: SDL 1.2 may pick a text-mode driver unless told x11,
// the game picks its silent audio driver itself; in sanitizer builds the leaks
// inside the system's X library are not the game's, and fatal signals are left
// to the game (the start-up scenario checks that SIGQUIT ends it).
#define GAME_ENV                                                                                   \
    "env -u SDL_AUDIODRIVER SDL_VIDEODRIVER=x11 LSAN_OPTIONS=suppressions=" RORED_SOURCE_DIR       \
    "/tests/e2e/lsan.supp:print_suppressions=0 "                                                   \
    "ASAN_OPTIONS=handle_segv=0:handle_sigbus=0:handle_sigfpe=0 "

// Polls done() every pauseMs until it holds or ms have passed; returns its
// last answer.
template <typename Done> bool pollUntil(Done done, int ms, int pauseMs = 2) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;; usleep(pauseMs * 1000)) {
        if (done())
            return true;
        if (std::chrono::steady_clock::now() > end)
            return done();
    }
}

// What a shell command, run in the working folder, prints on its standard output.
inline std::string output(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    for (int c; pipe && (c = std::fgetc(pipe)) != EOF;)
        text += char(c);
    if (pipe)
        pclose(pipe);
    return text;
}
// Pictures of Media/ laid over each other by ImageMagick, e.g. "a.png b.png -composite".
inline Frame picture(const std::string& layers) {
    return output("cd '" RORED_SOURCE_DIR "/Media' && convert " + layers + " -depth 8 rgb:-");
}

// Called by the checks: compares a and b inside area, outside the skip boxes.
// Cyan in b, the colour key of opaque pictures, matches anything.
inline Diff compare(const Frame& a, const Frame& b, Box area, int tolerance = 0,
                    const std::vector<Box>& skip = {}) {
    if (a.size() != size_t(W * H * 3) || b.size() != a.size())
        return {W * H, WHOLE}; // an unreadable picture matches nothing
    Diff diff;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0, i = (y * W + x) * 3; x < area.x1; ++x, i += 3) {
            bool differs = false;
            for (int c = i; c < i + 3; ++c)
                differs |= std::abs(uint8_t(a[c]) - uint8_t(b[c])) > tolerance;
            for (const Box& s : skip)
                differs &= x < s.x0 || x >= s.x1 || y < s.y0 || y >= s.y1;
            if (differs && b.compare(i, 3, "\0\xff\xff", 3) != 0)
                diff = {diff.count + 1,
                        {std::min(diff.bounds.x0, x), std::min(diff.bounds.y0, y),
                         std::max(diff.bounds.x1, x + 1), std::max(diff.bounds.y1, y + 1)}};
        }
    return diff;
}

// Fixture for one scenario in a working folder of its own; TearDown ends the
// game, also after a failure.
class E2EGame : public ::testing::Test {
  protected:
    void SetUp() override {
        char folder[] = "/tmp/rored-e2e-XXXXXX";
        ASSERT_TRUE(mkdtemp(folder) && chdir(folder) == 0);
    }
    void TearDown() override {
        if (HasFailure()) {
            const int status = waitForExit(0);
            std::cerr << "--- game " << (status < 0 ? "still running" : "ended") << ", status "
                      << status << ", output ---\n"
                      << std::ifstream("game.log").rdbuf() << "\n";
        }
        if (gamePid > 0 && kill(gamePid, SIGKILL) == 0)
            waitpid(gamePid, nullptr, 0);
        if (display)
            XCloseDisplay(display);
        for (pid_t pid : {managerPid, serverPid})
            if (pid > 0)
                kill(pid, SIGTERM);
        std::filesystem::remove_all(std::filesystem::current_path());
    }

    // Called by a test to start the game (the built one unless told), with or
    // without a Media folder; fails unless a window named "Rored" of `size` shows.
    void launchGame(bool withMedia = true, const std::string& binary = RORED_BINARY,
                    const std::string& size = "640x480") {
        std::filesystem::remove("Media");
        if (withMedia)
            std::filesystem::create_directory_symlink(RORED_SOURCE_DIR "/Media", "Media");
        const std::string command = "exec " GAME_ENV "'" + binary + "' >game.log 2>&1";
        if ((gamePid = fork()) == 0) // the shell exec's the game: the id is the game's own
            _exit(execl("/bin/sh", "sh", "-c", command.c_str(), nullptr));
        // Searched again until found: a search fails outright on a window
        // that goes away under it, as a window manager's or SDL's may.
        const std::string found =
            output("timeout 20 sh -c \"until xdotool search --onlyvisible --name '^Rored$' "
                   "getwindowgeometry 2>/dev/null; do sleep 0.05; done\"");
        ASSERT_EQ(std::sscanf(found.c_str(), "Window %lu", &window), 1) << "no Rored window";
        EXPECT_NE(found.find("Geometry: " + size), std::string::npos) << found;
        watchFrames();
        park(); // the pointer shows from the second frame on
    }
    // The game's exit status once it ends within ms, 128 + the signal if one
    // ended it, -1 while it still runs.
    int waitForExit(int ms) {
        int status = 0;
        const bool ended = pollUntil(
            [&] { return gamePid <= 0 || waitpid(gamePid, &status, WNOHANG) == gamePid; }, ms);
        if (!ended || gamePid <= 0)
            return -1;
        gamePid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    // Waits until the game has drawn `frames` more frames: two are enough for
    // it to have read all input sent before the call, since it waits for the
    // server to take each frame before it reads input again.
    void awaitFrames(int frames = 2) {
        for (int drawn = 0; drawn < frames; ++drawn) {
            const unsigned long emptied = NextRequest(display);
            XDamageSubtract(display, damage, None, None); // the next drawing sends a notice
            XEvent event;
            const auto drew = [&] { // notices of drawings before the subtraction are dropped
                while (XCheckTypedEvent(display, damageEvent + XDamageNotify, &event))
                    if (event.xany.serial >= emptied)
                        return true;
                return false;
            };
            if (!pollUntil(drew, DEADLINE_MS)) {
                ADD_FAILURE() << "the game drew no frame";
                return;
            }
        }
    }

    // Plain xdotool input; the game acts on it at its next frame.
    void xdo(const std::string& actions) { // e.g. "keydown w"
        EXPECT_EQ(output("timeout 10 xdotool " + actions + " 2>&1"), "") << actions;
    }
    void movePointer(int x, int y) { // in the window
        xdo("mousemove --window " + std::to_string(window) + " " + std::to_string(x) + " " +
            std::to_string(y));
    }
    // A click that the game has seen before anything else moves the pointer
    // (a click that ends the game is a movePointer and an xdo "click 1").
    void click(int x, int y) {
        movePointer(x, y);
        xdo("click 1");
        awaitFrames();
    }
    void park() { movePointer(150, 457); } // into PARKED

    // The window now; with a name, kept as name.png in e2e-screenshots/ too.
    // Empty once the window is gone (import would then wait for a click).
    Frame grab(const std::string& keepAs = "") {
        const std::string import = "timeout 10 import -window " + std::to_string(window) + " ";
        if (!keepAs.empty())
            output(import + "'" E2E_SCREENSHOT_DIR "/" + keepAs + ".png'");
        return output(import + "-depth 8 rgb:-");
    }
    // Stops (SIGSTOP) or continues the game. A stopped game's window keeps
    // its last frame, and input sent meanwhile waits for it.
    void hold(bool stopped) {
        if (kill(gamePid, stopped ? SIGSTOP : SIGCONT) == 0 && stopped)
            waitpid(gamePid, nullptr, WUNTRACED);
    }
    // Grabs pauseMs apart until ready(frame) holds (a failure with message
    // after ms); returns the last grab. With held the game is stopped from
    // each grab until ready has answered, left stopped when it holds, and
    // otherwise let draw two frames before the next grab: at most three
    // frames pass from one grab to the next, however busy the machine.
    template <typename Ready>
    Frame awaitFrame(Ready ready, const char* message, bool held = false, int pauseMs = 50,
                     int ms = DEADLINE_MS) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        for (Frame frame;;) {
            if (held)
                hold(true);
            if (ready(frame = grab()))
                return frame;
            if (held)
                hold(false), awaitFrames();
            else
                usleep(pauseMs * 1000);
            if (std::chrono::steady_clock::now() > end) {
                ADD_FAILURE() << message;
                return frame;
            }
        }
    }
    // Waits for the title screen: the bare field around the buttons.
    Frame titleScreen() {
        return awaitFrame(
            [&](const Frame& f) {
                return compare(f, field, WHOLE, BLEND, {{130, 140, 510, 310}, PARKED}).count == 0;
            },
            "the title screen is not background.png under border.png");
    }

    void requestClose() { // as a window manager's close button does
        const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
        XClientMessageEvent close{ClientMessage, 0, True, display, window, protocols, 32, {}};
        close.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, window, False, NoEventMask, reinterpret_cast<XEvent*>(&close));
        XSync(display, False);
    }
    // Whether both score backings stand in place (compared clear of the scores).
    bool matchShown(const Frame& f) const {
        return compare(f, backings, {60, 75, 585, 103}, BLEND).count == 0;
    }
    // Whether the overlay's bars stand at the screen edges, clear of their text.
    bool barsShown(const Frame& f) const {
        return compare(f, bars, {0, 0, 300, 61}).count + compare(f, bars, {300, 419, W, H}).count ==
               0;
    }
    // Waits until the overlay stands open: its bars in place, and nothing but
    // the clock changed since the grab half a second before.
    Frame awaitOverlayOpen(const char* message) {
        Frame last = grab();
        return awaitFrame(
            [&](const Frame& f) {
                return compare(std::exchange(last, f), f, WHOLE, 0, {{0, 0, W, 70}}).count == 0 &&
                       barsShown(f);
            },
            message, false, 500);
    }
    // Starts a private X server of width x height under openbox (open-screen)
    // for the game and xdotool; TearDown ends both.
    void openScreen(int width, int height) {
        std::istringstream opened(output(RORED_SOURCE_DIR "/tests/e2e/open-screen " +
                                         std::to_string(width) + " " + std::to_string(height)));
        std::string name;
        ASSERT_TRUE(opened >> name >> serverPid >> managerPid) << "no screen of that size";
        setenv("DISPLAY", name.c_str(), 1);
    }

    const Frame field = picture("Game/background.png Game/border.png -composite");
    // The match's score backings in place; the overlay's bars at the screen
    // edges, cyan elsewhere.
    const Frame backings = picture("Game/background.png Game/textbacking1.png -geometry +0+75 "
                                   "-composite Game/textbacking2.png -geometry +440+75 "
                                   "-composite Game/border.png -composite");
    const Frame bars = picture("-size 640x480 xc:cyan Plinth/TopBottomBorder.png -geometry +0-70 "
                               "-composite Plinth/TopBottomBorder.png -geometry +0+419 -composite");
    pid_t serverPid = -1, managerPid = -1; // of openScreen
    unsigned long window = 0;
    pid_t gamePid = -1;
    // Lets go of the server before it goes away, which Xlib would answer by
    // ending the test; awaitFrames cannot be used after.
    void stopWatchingFrames() {
        if (display)
            XCloseDisplay(std::exchange(display, nullptr));
    }

  private:
    // Reports each frame the game draws into its window, for awaitFrames.
    void watchFrames() {
        int damageError = 0, major = 1, minor = 1;
        // A window that is gone by the time a request reaches the server (the
        // game ended) is no failure of the harness's own: the checks say what
        // went wrong.
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        if (!display)
            display = XOpenDisplay(nullptr);
        ASSERT_TRUE(display && XDamageQueryExtension(display, &damageEvent, &damageError) &&
                    XDamageQueryVersion(display, &major, &minor)); // before any other request
        damage = XDamageCreate(display, window, XDamageReportNonEmpty);
        XSync(display, False);
    }
    Display* display = nullptr;
    Damage damage = 0;
    int damageEvent = 0;
};
