// The end-to-end harness: a private Xvfb server, the real rored binary in a
// temporary working folder, input through xdotool (XTEST), window grabs through
// Xlib, and a clean close through WM_DELETE_WINDOW as a window manager sends it.
// Pictures pass through SDL surfaces, so the reference composites blend
// exactly as the game's own blits do.
#pragma once

#include <gtest/gtest.h>

#include <SDL_image.h>
#include <X11/Xlib.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

// --- Pictures and the place of things in the window ---------------------------
// BLEND: the game's and the reference's alpha blends round differently.
constexpr int W = 640, H = 480, FRAME_MS = 16, BLEND = 3;
using Frame = std::vector<uint32_t>; // 0xRRGGBB, rows top to bottom; empty if unreadable
struct Box {                         // half-open: x0 <= x < x1, y0 <= y < y1
    int x0, y0, x1, y1;
};
constexpr Box WHOLE{0, 0, W, H};
constexpr Box TITLE_BUTTONS{130, 140, 510, 310};    // both title buttons with frames and glow
constexpr Box MIDDLE_FIELD{104, 50, 536, 430};      // wall to wall, clear of paddles and backings
constexpr Box RIGHT_PADDLE_LANE{545, 50, 585, 430}; // wherever the computer paddle goes
struct Diff {
    int count = 0;            // pixels that differ by more than the tolerance
    Box bounds{W, H, -1, -1}; // the smallest box holding them all
};
using Layer = std::tuple<std::string, int, int>; // a picture of Media/ placed at x, y

inline long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
// Runs a shell command in the working folder; a hung tool is killed, never waited for.
inline bool run(const std::string& command) {
    return std::system(("timeout -s KILL 10 " + command + " >>tools.log 2>&1").c_str()) == 0;
}

// Called by the checks: compares a and b inside area, skipping the skip boxes.
inline Diff compare(const Frame& a, const Frame& b, Box area, int tolerance = 0,
                    const std::vector<Box>& skip = {}) {
    if (a.size() != size_t(W * H) || b.size() != size_t(W * H))
        return {W * H, WHOLE}; // an unreadable picture matches nothing
    Diff diff;
    for (int y = area.y0; y < area.y1; ++y)
        for (int x = area.x0; x < area.x1; ++x) {
            bool skipped = false, differs = false;
            for (const Box& box : skip)
                skipped |= x >= box.x0 && x < box.x1 && y >= box.y0 && y < box.y1;
            for (int shift = 0; shift < 24 && !skipped; shift += 8)
                differs |= std::abs(int((a[y * W + x] >> shift) & 255) -
                                    int((b[y * W + x] >> shift) & 255)) > tolerance;
            if (!differs)
                continue;
            ++diff.count;
            diff.bounds = {std::min(diff.bounds.x0, x), std::min(diff.bounds.y0, y),
                           std::max(diff.bounds.x1, x + 1), std::max(diff.bounds.y1, y + 1)};
        }
    return diff;
}

// A surface drawing straight into frame's pixels; freeing it leaves them.
inline SDL_Surface* surfaceOf(Frame& frame) {
    return SDL_CreateRGBSurfaceFrom(frame.data(), W, H, 32, W * 4, 0xff0000, 0xff00, 0xff, 0);
}

// Called to build reference pictures: lays the layers over base in order, as
// the game blits them (opaque pictures keep cyan out). Empty if one is missing.
inline Frame compose(Frame base, const std::vector<Layer>& layers) {
    SDL_Surface* canvas = surfaceOf(base);
    bool whole = true;
    for (const auto& [name, x, y] : layers) {
        const std::string path = RORED_SOURCE_DIR "/Media/" + name;
        SDL_Surface* picture = IMG_Load(path.c_str());
        if (!(whole = whole && picture))
            break;
        if (!picture->format->Amask)
            SDL_SetColorKey(picture, SDL_SRCCOLORKEY, SDL_MapRGB(picture->format, 0, 255, 255));
        SDL_Rect place{Sint16(x), Sint16(y), 0, 0};
        SDL_BlitSurface(picture, nullptr, canvas, &place);
        SDL_FreeSurface(picture);
    }
    SDL_FreeSurface(canvas);
    return whole ? base : Frame{};
}

// Called on the screenshots the game writes: empty unless a 640x480 picture.
inline Frame loadFrame(const char* path) {
    SDL_Surface* picture = IMG_Load(path);
    Frame frame(picture && picture->w == W && picture->h == H ? W * H : 0);
    if (!frame.empty()) {
        SDL_Surface* canvas = surfaceOf(frame);
        SDL_BlitSurface(picture, nullptr, canvas, nullptr);
        SDL_FreeSurface(canvas);
    }
    SDL_FreeSurface(picture);
    return frame;
}

// Called on a ball's bounds: true for one whole 44x44 ball, not cut by the field's edges.
inline bool wholeBall(Box box) {
    const int w = box.x1 - box.x0, h = box.y1 - box.y0;
    return w >= 30 && w <= 60 && h >= 30 && h <= 60;
}

// --- Processes: started here, ended here by their own ids ----------------------
// Runs command through the shell, which exec's it: the id is the program's own.
inline pid_t spawn(const std::string& command) {
    const std::string line = "exec " + command;
    const char* argv[] = {"sh", "-c", line.c_str(), nullptr};
    pid_t pid = -1;
    posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ);
    return pid;
}
inline bool reap(pid_t pid, int ms, int& status) {
    for (const long long end = nowMs() + ms; waitpid(pid, &status, WNOHANG) != pid; SDL_Delay(5))
        if (nowMs() >= end)
            return false;
    return true;
}
inline void endProcess(pid_t& pid, int gentleMs) {
    int status = 0;
    if (pid > 0 && kill(pid, SIGTERM) == 0 && !reap(pid, gentleMs, status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = -1;
}

// Fixture for one scenario: SetUp starts Xvfb and composes the bare field,
// TearDown ends whatever this fixture started, also after a failure.
class E2EGame : public ::testing::Test {
  protected:
    void SetUp() override {
        std::vector<Layer> layers{{"Game/background.png", 0, 0}, {"Game/border.png", 0, 0}};
        field = compose(Frame(W * H), layers);
        layers.insert(layers.begin() + 1,
                      {{"Game/textbacking1.png", 0, 75}, {"Game/textbacking2.png", 440, 75}});
        backingsField = compose(Frame(W * H), layers);
        ASSERT_FALSE(field.empty() || backingsField.empty()) << "Media/Game lacks pictures";
        char pattern[] = "/tmp/rored-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        ASSERT_EQ(chdir(pattern), 0); // the game's and the tools' working folder
        workFolder = pattern;
        std::filesystem::create_directories(E2E_SCREENSHOT_DIR);
        // In sanitizer builds the leaks inside the system's X library (its
        // locale strings) are not the game's: they must not make its status non-zero.
        std::ofstream("lsan.supp") << "leak:libX11.so\n";
        const std::string lsan = "suppressions=" + workFolder + "/lsan.supp:print_suppressions=0";
        setenv("LSAN_OPTIONS", lsan.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "x11", 1); // or SDL 1.2 may pick a text-mode driver
        unsetenv("SDL_AUDIODRIVER");         // the game picks its silent driver itself
        // Xvfb takes the first free display number and writes it once it listens.
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        serverPid = spawn("Xvfb -displayfd " + std::to_string(fds[1]) +
                          " -screen 0 1024x768x24 -nolisten tcp >xvfb.log 2>&1");
        close(fds[1]);
        FILE* reported = fdopen(fds[0], "r");
        int number = -1; // stays -1 if Xvfb ended instead
        std::fscanf(reported, "%d", &number);
        std::fclose(reported);
        setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
        ASSERT_NE(display = XOpenDisplay(nullptr), nullptr) << "could not start Xvfb";
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); // a lost window fails a grab
    }

    void TearDown() override {
        if (HasFailure())
            std::cerr << "--- game output ---\n" << std::ifstream("game.log").rdbuf() << "\n";
        endProcess(gamePid, 500);
        if (display)
            XCloseDisplay(display);
        endProcess(serverPid, 2000);
        std::filesystem::remove_all(workFolder);
    }

    // Called by a test to start the game (the built one unless told), with or
    // without a Media folder; fails unless a 640x480 window named "Rored" shows.
    void launchGame(bool withMedia = true, const std::string& binary = RORED_BINARY) {
        std::filesystem::remove_all("Media");
        if (withMedia)
            std::filesystem::copy(RORED_SOURCE_DIR "/Media", "Media",
                                  std::filesystem::copy_options::recursive);
        gamePid = spawn("'" + binary + "' >game.log 2>&1");
        FILE* found = popen("timeout 20 xdotool search --sync --onlyvisible --name ^Rored$", "r");
        const bool shown = std::fscanf(found, "%lu", &window) == 1;
        pclose(found);
        ASSERT_TRUE(shown) << "no window named Rored showed";
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        EXPECT_EQ(attributes.width, W);
        EXPECT_EQ(attributes.height, H);
        SDL_Delay(10 * FRAME_MS); // the pointer shows from the second frame on
    }

    // --- Input --------------------------------------------------------------
    // Every step waits some frames for the game to act on it. Clicks and key
    // presses are plain xdotool ones: down and up microseconds apart, as
    // automation tools, touchpad taps and remote desktops send them.
    void xdo(const std::string& action) { // e.g. "keydown w"
        EXPECT_TRUE(run("xdotool " + action)) << action;
        SDL_Delay(6 * FRAME_MS);
    }
    void movePointer(int x, int y) { // window coordinates; remembered for pointer()
        xdo("mousemove --window " + std::to_string(window) + " " + std::to_string(pointerX = x) +
            " " + std::to_string(pointerY = y));
    }
    void click(int x, int y) {
        movePointer(x, y);
        xdo("click 1");
    }

    // --- Screen ---------------------------------------------------------------
    Frame grab() {
        XImage* image = XGetImage(display, window, 0, 0, W, H, AllPlanes, ZPixmap);
        if (!image)
            return {};
        // Xvfb's 24-bit visual keeps 0xRRGGBB in 32 bits, in rows of 640.
        const auto* pixels = reinterpret_cast<const uint32_t*>(image->data);
        const Frame frame(pixels, pixels + W * H);
        image->f.destroy_image(image); // XDestroyImage without Xutil.h
        return frame;
    }
    void keep(const std::string& name) { // the window now, as name.png in e2e-screenshots/
        EXPECT_TRUE(run("import -window " + std::to_string(window) + " '" E2E_SCREENSHOT_DIR "/" +
                        name + ".png'"));
    }
    // What the 96x96 pointer may cover, with a margin for one a frame behind.
    Box pointer() const { return {pointerX - 52, pointerY - 52, pointerX + 52, pointerY + 52}; }
    // Grabs pauseMs apart until ready(frame) holds or timeoutMs has passed
    // (a failure with message); returns the last grab.
    template <typename Ready>
    Frame awaitFrame(Ready ready, const char* message, int timeoutMs = 5000, int pauseMs = 50) {
        const long long end = nowMs() + timeoutMs;
        Frame frame;
        bool done = false;
        while (!done && nowMs() < end) {
            SDL_Delay(pauseMs);
            done = ready(frame = grab());
        }
        EXPECT_TRUE(done) << message;
        return frame;
    }
    // Parks the pointer off the buttons and waits for the title screen: the
    // bare field outside the buttons and the pointer.
    Frame titleScreen() {
        movePointer(600, 420);
        return awaitFrame(
            [&](const Frame& f) {
                return compare(f, field, WHOLE, BLEND, {TITLE_BUTTONS, pointer()}).count == 0;
            },
            "the title screen is not background.png under border.png");
    }

    // --- Match ----------------------------------------------------------------
    // Clicks "single player" and waits until the left paddle and both score
    // backings (the last to come to rest) stand in place.
    void startSinglePlayer() {
        click(320, 195);
        movePointer(320, 20);
        const Box backings{60, 75, 585, 103}; // clear of the score digits
        awaitFrame(
            [&](const Frame& f) {
                return compare(f, backingsField, backings, BLEND).count == 0 &&
                       leftPaddleTop(f) >= 0;
            },
            "the left paddle and the backings did not slide in", 8000);
    }
    Box ballBox(const Frame& frame) const { // what differs from the field mid-field
        return compare(frame, field, MIDDLE_FIELD, BLEND, {pointer()}).bounds;
    }
    // The top of the longest run of rows between the walls in which 8 of 10
    // columns inside the left paddle's body differ from the field; -1 unless
    // the run is 60 rows or more, which the 72-row paddle makes and the ball never.
    int leftPaddleTop(const Frame& frame) const {
        int best = 0, top = -1;
        for (int y = 50, run = 0; y < 430; ++y) {
            run = compare(frame, field, {66, y, 76, y + 1}, BLEND).count >= 8 ? run + 1 : 0;
            if (run > best)
                top = y - (best = run) + 1;
        }
        return best >= 60 ? top : -1;
    }

    // --- Ending ---------------------------------------------------------------
    void requestClose() { // as a window manager's close button does
        XEvent event{};
        const Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient = {ClientMessage, 0, True, display, window, protocols, 32, {}};
        event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }
    // The game's exit status once it ends within timeoutMs, 128 + signal if a
    // signal ended it, -1 while it still runs.
    int waitForExit(int timeoutMs) {
        int status = 0;
        if (gamePid <= 0 || !reap(gamePid, timeoutMs, status))
            return -1;
        gamePid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    Frame field;         // background.png under border.png, as the game draws them
    Frame backingsField; // the same with both score backings in place
    std::string workFolder;
    unsigned long window = 0;
    Display* display = nullptr;
    int pointerX = 0, pointerY = 0;
    pid_t serverPid = -1, gamePid = -1;
};
