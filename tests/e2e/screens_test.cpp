// The game on today's screens, each scenario on a private X screen of the
// size it names (with a window manager that honours fullscreen requests):
// the window at a whole scale that fits the desktop, fullscreen, resizing,
// pausing when the player looks away, and a storm of resizes and toggles.
#include "harness.h"
#include "screen_server.h"

#include <memory>

namespace {

constexpr Box BUTTONS{130, 140, 510, 310};      // the title's two buttons
constexpr Box SINGLE_LABEL{230, 185, 410, 205}; // "single player" written on its button
constexpr Box SCORES{60, 75, 585, 103};         // both score backings in place, clear of the scores
constexpr Box TOP_BAR{0, 0, 300, 61}, BOTTOM_BAR{300, 419, 640, 480}; // clear of their text

// A picture read back from the X server, any size.
struct Picture {
    int w = 0, h = 0;
    std::string rgb;
    // Pixels outside `inside` that are not black.
    int litOutside(Box inside) const {
        int lit = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x < inside.x0 || x >= inside.x1 || y < inside.y0 || y >= inside.y1)
                    lit += rgb.compare((y * w + x) * 3, 3, "\0\0\0", 3) != 0;
        return lit;
    }
};

// `import` of a window id (or "root"), then ImageMagick options applied to it.
Picture shoot(const std::string& window, const std::string& options = "") {
    const std::string ppm = output("timeout 10 import -window " + window +
                                   " ppm:- | convert ppm:- " + options + " -depth 8 ppm:-");
    Picture p;
    int header = 0;
    if (std::sscanf(ppm.c_str(), "P6 %d %d 255%n", &p.w, &p.h, &header) == 2 &&
        ppm.size() == size_t(header + 1 + p.w * p.h * 3))
        p.rgb = ppm.substr(header + 1);
    else
        p = {};
    return p;
}

// The game's 640x480 frame as the window shows it at scale k with its
// top-left at (left, top): every k-th pixel.
Frame gameIn(const std::string& window, int left, int top, int k) {
    const std::string crop = std::to_string(W * k) + "x" + std::to_string(H * k) + "+" +
                             std::to_string(left) + "+" + std::to_string(top);
    return shoot(window, "-crop " + crop + " +repage -sample " + std::to_string(100 / k) + "%").rgb;
}

// Polls ready() until it holds or ms have passed (then a failure with message).
template <typename Ready> bool await(Ready ready, const char* message, int ms = 8000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!ready()) {
        if (std::chrono::steady_clock::now() > end) {
            ADD_FAILURE() << message;
            return false;
        }
        usleep(50000);
    }
    return true;
}

// Resident memory of a process in kB.
long residentKb(pid_t pid) {
    const std::string status = output("grep VmRSS /proc/" + std::to_string(pid) + "/status");
    return status.size() > 6 ? std::atol(status.c_str() + 6) : -1;
}

} // namespace

class E2EScreens : public E2EGame {
  protected:
    void openScreen(int width, int height) {
        server = std::make_unique<ScreenServer>(width, height);
        ASSERT_TRUE(server->ok()) << "no Xvfb with a window manager at " << width << "x" << height;
    }
    void TearDown() override {
        E2EGame::TearDown();
        server.reset();
    }
    std::string id() const { return std::to_string(window); }
    std::string geometry() { return output("xdotool getwindowgeometry " + id()); }
    // Waits for the game at scale k and (left, top) of `where` to be the title
    // screen, ignoring the pointer's box when given; returns that frame.
    Frame awaitTitle(const std::string& where, int left, int top, int k, Box pointer = {}) {
        Frame f;
        await(
            [&] {
                f = gameIn(where, left, top, k);
                return compare(f, field, WHOLE, BLEND, {BUTTONS, pointer}).count == 0;
            },
            "no title screen where expected");
        return f;
    }
    // Clicks "single player" at its place in the window and waits until both
    // score backings stand in place.
    void startMatch(int k, int left, int top) {
        click(left + 320 * k, top + 195 * k);
        await(
            [&] { return compare(gameIn(id(), left, top, k), backings, SCORES, BLEND).count == 0; },
            "the match did not start");
    }
    bool overlayOpen(const Frame& f) {
        return compare(f, bars, TOP_BAR).count + compare(f, bars, BOTTOM_BAR).count == 0;
    }

    std::unique_ptr<ScreenServer> server;
    const Frame backings = picture("Game/background.png Game/textbacking1.png -geometry +0+75 "
                                   "-composite Game/textbacking2.png -geometry +440+75 "
                                   "-composite Game/border.png -composite");
    const Frame bars = picture("-size 640x480 xc:cyan Plinth/TopBottomBorder.png -geometry +0-70 "
                               "-composite Plinth/TopBottomBorder.png -geometry +0+419 -composite");
};

// On 1920x1080 the window is 1280x960, the game at 2x: the window sampled at
// every other pixel is the game's own screenshot of that frame, and "single
// player" answers at twice its place. F11 shows it at 2x in the middle of
// the black screen, where "back" answers at its mapped place and a click in
// the margin does nothing; F11 again gives the window back. Resized to
// 1000x700 the window shows the game at 1x in its middle.
TEST_F(E2EScreens, FullHdWindowAtTwice_fullscreenCentred_resizedToOnce) {
    openScreen(1920, 1080);
    launchGame(true, RORED_BINARY, "1280x960");
    xdo("mousemove 1900 1070"); // off the window: the themed pointer is not drawn
    const Frame title = awaitTitle(id(), 0, 0, 2);
    grab("screens-title-2x");
    xdo("key Escape");
    await([&] { return overlayOpen(gameIn(id(), 0, 0, 2)); }, "the overlay did not open");
    click(640, 430); // "Save BMP screenshot"
    Frame saved;
    await(
        [&] {
            return (saved = output("convert screenshot1.bmp -depth 8 rgb:-")).size() ==
                   title.size();
        },
        "no screenshot1.bmp");
    EXPECT_EQ(compare(saved, title, WHOLE).count, 0) << "the window at 2x is not the frozen frame";
    xdo("key Escape");
    awaitTitle(id(), 0, 0, 2, {272, 167, 368, 263}); // the pointer over "Save ..."
    startMatch(2, 0, 0);

    // Fullscreen: the game at 2x at (320, 60), black around it.
    xdo("key F11");
    const Box GAME{320, 60, 1600, 1020};
    await(
        [&] {
            return shoot("root").litOutside(GAME) == 0 &&
                   compare(gameIn("root", 320, 60, 2), backings, SCORES, BLEND).count == 0;
        },
        "F11 did not show the game at 2x in the middle of a black screen");
    output("import -window root '" E2E_SCREENSHOT_DIR "/screens-fullscreen.png'");
    // Just inside the left wall the pointer shows; over the margin beside it, not.
    constexpr Box LEFT_WALL{0, 110, 48, 168}; // below the left score
    const auto pointerOnWall = [&](bool shown) {
        return (compare(gameIn("root", 320, 60, 2), backings, LEFT_WALL, BLEND).count > 0) == shown;
    };
    xdo("mousemove 330 300");
    await([&] { return pointerOnWall(true); }, "no pointer at the game's left edge");
    xdo("mousemove 300 300");
    await([&] { return pointerOnWall(false); }, "the themed pointer shows over the margin");
    // A click below "back", in the margin, with the game held until it is
    // queued; two frames later the match still runs, no title button shown.
    xdo("mousemove 1420 1050");
    hold(true);
    Frame last = gameIn("root", 320, 60, 2);
    xdo("click 1");
    hold(false);
    for (int change = 0; change < 2; ++change)
        await(
            [&] {
                const Frame now = gameIn("root", 320, 60, 2);
                return compare(std::exchange(last, now), now, WHOLE).count > 0;
            },
            "the match stands still");
    EXPECT_GT(compare(last, title, SINGLE_LABEL).count, 0)
        << "a click in the margin ended the match";
    // "back" at its mapped place, (550, 450) in the game.
    xdo("mousemove 1420 960 click 1");
    awaitTitle("root", 320, 60, 2, {502, 402, 598, 498});
    // F11 again: the window of before, 1280x960.
    xdo("key F11");
    await([&] { return geometry().find("Geometry: 1280x960") != std::string::npos; },
          "F11 again did not give the 1280x960 window back");
    xdo("mousemove 1900 1070");
    awaitTitle(id(), 0, 0, 2);

    // Resized to 1000x700: the game at 1x at (180, 110), black around it.
    xdo("windowsize " + id() + " 1000 700");
    await(
        [&] {
            const Picture p = shoot(id());
            return p.w == 1000 && p.h == 700 && p.litOutside({180, 110, 820, 590}) == 0;
        },
        "the 1000x700 window does not show the game at 1x in its middle");
    EXPECT_EQ(compare(awaitTitle(id(), 180, 110, 1), title, WHOLE).count, 0);
}
