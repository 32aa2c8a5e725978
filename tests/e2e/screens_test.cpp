// The game on today's screens, each scenario on a private X screen of the
// size it names, under openbox (open-screen): the window at the whole scale
// that fits the desktop, fullscreen, resizing, the pause while hidden, and
// storms of resizes and toggles.
#include "harness.h"

namespace {

constexpr Box BUTTONS{130, 140, 510, 310}; // the title's two buttons

// A picture read back from the X server, any size.
struct Picture {
    int w = 0, h = 0;
    std::string rgb;
    int litOutside(Box inside) const { // pixels outside `inside` that are not black
        int lit = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                lit += (x < inside.x0 || x >= inside.x1 || y < inside.y0 || y >= inside.y1) &&
                       rgb.compare((y * w + x) * 3, 3, "\0\0\0", 3) != 0;
        return lit;
    }
};

// `import` of a window id (or "root"), then ImageMagick's `options` on it.
Picture shoot(const std::string& window, const std::string& options = "") {
    const std::string ppm = output("timeout 10 import -window " + window +
                                   " ppm:- | convert ppm:- " + options + " -depth 8 ppm:-");
    Picture p;
    int header = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d 255%n", &p.w, &p.h, &header) == 2 &&
        ppm.size() == size_t(header + 1 + p.w * p.h * 3))
        p.rgb = ppm.substr(header + 1);
    return p;
}

// The game's frame as `window` shows it at scale k from (left, top): every k-th pixel.
Frame gameIn(const std::string& window, int left, int top, int k) {
    std::ostringstream options;
    options << "-crop " << W * k << "x" << H * k << "+" << left << "+" << top << " +repage -sample "
            << 100 / k << "%";
    return shoot(window, options.str()).rgb;
}

// Polls ready(), which reads the screen back, until it holds.
template <typename Ready> void await(Ready ready, const char* message) {
    EXPECT_TRUE(pollUntil(ready, DEADLINE_MS, 50)) << message;
}

} // namespace

class E2EScreens : public E2EGame {
  protected:
    std::string id() const { return std::to_string(window); }
    // Waits for the title screen at scale k from (left, top) of `where`, but
    // for the box of the pointer; returns it.
    Frame awaitTitle(const std::string& where, int left, int top, int k, Box pointer = {}) {
        Frame f;
        const auto title = [&] { return compare(f, field, WHOLE, BLEND, {BUTTONS, pointer}); };
        await([&] { return (f = gameIn(where, left, top, k), title().count == 0); },
              "no title screen where expected");
        return f;
    }
    // The whole screen black but the game at 2x in its middle.
    bool fullscreenShown(const Frame& title) {
        output("xdotool mousemove 1900 1070"); // into the margin
        return shoot("root").litOutside({320, 60, 1600, 1020}) == 0 &&
               compare(gameIn("root", 320, 60, 2), title, WHOLE, 0, {BUTTONS}).count == 0;
    }
    // A w x h window, black but the title screen at the largest scale that fits, centred.
    bool windowShown(int w, int h, const Frame& title) {
        output("xdotool mousemove 1900 1070"); // off the window (SDL keeps its last place in it)
        const Picture p = shoot(id());
        const int k = std::max(1, std::min(w / W, h / H)), x = (w - W * k) / 2, y = (h - H * k) / 2;
        return p.w == w && p.h == h && p.litOutside({x, y, x + W * k, y + H * k}) == 0 &&
               compare(gameIn(id(), x, y, k), title, WHOLE, 0, {BUTTONS}).count == 0;
    }
};

// On 1920x1080 the window is 1280x960, the game at 2x: the window sampled at
// every other pixel is the game's own screenshot of that frame, and "single
// player" answers at twice its place. F11 shows it at 2x in the middle of
// the black screen, where "back" answers at its mapped place; F11 again
// gives the window back. Resized to 1000x700 it shows the game at 1x in its
// middle. Then the X server goes away under it: it ends at once with status
// 1 (on sdl12-compat it used to spin for ever, deaf to all but SIGKILL).
TEST_F(E2EScreens, FullHdWindowAtTwice_fullscreenCentred_resizedToOnce_displayDies) {
    openScreen(1920, 1080);
    launchGame(true, RORED_BINARY, "1280x960");
    xdo("mousemove 1900 1070"); // off the window: no themed pointer
    const Frame title = awaitTitle(id(), 0, 0, 2);
    xdo("key Escape");
    await([&] { return barsShown(gameIn(id(), 0, 0, 2)); }, "the overlay did not open");
    click(640, 430); // "Save BMP screenshot"
    Frame saved;
    await([&] { return (saved = output("convert screenshot1.bmp rgb:-")).size() == title.size(); },
          "no screenshot1.bmp");
    EXPECT_EQ(compare(saved, title, WHOLE).count, 0) << "the window at 2x is not the frozen frame";
    xdo("key Escape");
    awaitTitle(id(), 0, 0, 2, {272, 167, 368, 263}); // the pointer over "Save ..."
    click(640, 390);                                 // "single player"
    await([&] { return matchShown(gameIn(id(), 0, 0, 2)); }, "the match did not start");

    const auto game = [] { return gameIn("root", 320, 60, 2); };
    xdo("key F11");
    await(
        [&] {
            return shoot("root").litOutside({320, 60, 1600, 1020}) == 0 && matchShown(game());
        },
        "F11 did not show the game at 2x in the middle of a black screen");
    output("import -window root '" E2E_SCREENSHOT_DIR "/screens-fullscreen.png'");
    xdo("mousemove 1420 960 click 1"); // "back", (550, 450) in the game
    awaitTitle("root", 320, 60, 2, {502, 402, 598, 498});
    xdo("key F11");
    await([&] { return windowShown(1280, 960, title); }, "F11 again did not give the window back");
    xdo("windowsize " + id() + " 1000 700");
    await([&] { return windowShown(1000, 700, title); }, "not the game at 1x in the middle");
    stopWatchingFrames();
    kill(serverPid, SIGTERM);
    EXPECT_EQ(waitForExit(EXIT_MS), 1) << "the game outlived its display";
}

// At 2x on 1920x1080: another client's window taking the focus during a
// match opens the overlay, and Escape, once the game has the focus back,
// resumes. Unmapped, the game draws nothing and all but rests for 5 s; mapped
// again it shows the overlay; unmapped, a close request still ends it at once.
TEST_F(E2EScreens, LookingAwayPausesTheMatch_hiddenTheGameRestsYetCloses) {
    openScreen(1920, 1080);
    launchGame(true, RORED_BINARY, "1280x960");
    const auto game = [&] { return gameIn(id(), 0, 0, 2); };
    click(640, 390);
    await([&] { return matchShown(game()); }, "the match did not start");
    Display* other = XOpenDisplay(nullptr); // the window manager gives its new window the focus
    ASSERT_NE(other, nullptr);
    XMapWindow(other, XCreateSimpleWindow(other, DefaultRootWindow(other), 0, 0, 99, 99, 0, 0, 0));
    XSync(other, False);
    await([&] { return barsShown(game()); }, "losing the focus did not open the overlay");
    XCloseDisplay(other);
    // Asked again while the window manager still moves the focus about.
    await([&] { return output("timeout 5 xdotool windowactivate --sync " + id() + " 2>&1") == ""; },
          "the game's window did not get the focus back");
    xdo("key Escape");
    await([&] { return matchShown(game()); }, "Escape did not resume the match");
    xdo("windowunmap --sync " + id());
    const std::string threads = "/proc/" + std::to_string(gamePid) + "/task/*/schedstat";
    const auto cpuNs = [&] {
        return std::atof(output("awk '{ s += $1 } END { print s }' " + threads).c_str());
    };
    const double before = cpuNs();
    sleep(5); // the span measured, not a wait for the game
    EXPECT_LT((cpuNs() - before) / 5e9, 0.02) << "hidden, the game used over 2% of a core";
    xdo("windowmap --sync " + id());
    await([&] { return barsShown(game()); }, "mapped again, the overlay does not show");
    xdo("windowunmap --sync " + id());
    requestClose();
    EXPECT_EQ(waitForExit(EXIT_MS), 0) << "a close request did not end the hidden game at once";
}

// On 3840x2160 the window is 2560x1920, the game at 4x.
TEST_F(E2EScreens, UltraHdWindowAtFourTimes) {
    openScreen(3840, 2160);
    launchGame(true, RORED_BINARY, "2560x1920");
    xdo("mousemove 3800 2100");
    awaitTitle(id(), 0, 0, 4);
}

// 1,000 resizes in one burst, 1x1 among them, end at the last size asked
// for. After a toggle every 16 ms for 10 s the game runs on, shows whole
// either state (classic SDL 1.2 drops a few presses that come while it
// changes the mode) and F11 leads on to the window of before, holding the
// memory of before. The heap is told to map and unmap every block of a frame's
// size on its own, as it otherwise keeps freed frames as it likes, so the
// process's data size is exact; one fullscreen frame is left as slack. A leak
// of a 640x480 surface a toggle adds over a hundred megabytes, touched or not.
TEST_F(E2EScreens, ResizeBurstAndToggleStormLeaveTheLastStateAndNoGrowth) {
    setenv("GLIBC_TUNABLES", "glibc.malloc.mmap_threshold=131072", 1);
    openScreen(1920, 1080);
    launchGame(true, RORED_BINARY, "1280x960");
    xdo("mousemove 1900 1070");
    const Frame title = awaitTitle(id(), 0, 0, 2);
    Display* x = XOpenDisplay(nullptr);
    ASSERT_NE(x, nullptr);
    const int sizes[][2] = {{1, 1}, {1700, 100}, {640, 480}, {1281, 961}, {300, 900}};
    for (int i = 0; i < 999; ++i)
        XResizeWindow(x, window, sizes[i % 5][0], sizes[i % 5][1]);
    XResizeWindow(x, window, 900, 650);
    XCloseDisplay(x); // sends them all
    await([&] { return windowShown(900, 650, title); }, "the last of 1,000 resizes did not win");
    const auto dataPages = [&] { // the process's data and heap, mapped or not yet touched
        return std::atol(
            output("cut -d' ' -f6 /proc/" + std::to_string(gamePid) + "/statm").c_str());
    };
    for (bool fullscreen : {true, false}) { // once each way: both modes have been set up
        xdo("key F11");
        await([&] { return fullscreen ? fullscreenShown(title) : windowShown(900, 650, title); },
              "F11 did not switch between fullscreen and the window of before");
    }
    const long before = dataPages();

    output("timeout 60 xdotool key --delay 16 --repeat 625 F11");
    await([&] { return fullscreenShown(title) || windowShown(900, 650, title); },
          "after the toggles the game is neither fullscreen nor in its window");
    // A busy game may still be working through the last toggles, and classic
    // SDL drops some: F11 until the window of before shows, each press given
    // time to switch. (A game that ended shows neither; its status is printed.)
    for (int presses = 0; presses < 4 && !windowShown(900, 650, title); ++presses) {
        const bool fullscreen = fullscreenShown(title);
        xdo("key F11");
        pollUntil(
            [&] { return fullscreen ? windowShown(900, 650, title) : fullscreenShown(title); },
            10000, 50);
    }
    EXPECT_TRUE(windowShown(900, 650, title)) << "F11 did not lead back to the window of before";
    EXPECT_LE(dataPages(), before + 1920 * 1080 * 4 / 4096)
        << "the game's data grew from " << before << " pages";
}
