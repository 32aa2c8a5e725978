// The window: the scale chosen for a desktop and a window, the present step
// (blocks, margins, cropping, every pixel size), the pointer mapped back
// into the game, and fullscreen there and back, refused too.
#include "ui/window.h"

#include "input/input.h"
#include "support/headless_display.h"
#include "ui/display.h"
#include "ui/present.h"

#include <cstring>
#include <vector>

TEST(WindowScale, FitsNinetyPercentOfTheDesktop_andTheWholeWindowAfterAResize) {
    const struct {
        int w, h, start;
    } desktops[] = {{1280, 1024, 1}, {1366, 768, 1}, {1920, 1080, 2}, {2560, 1440, 2},
                    {3840, 2160, 4}, {0, 0, 1},      {1423, 1067, 2}, {1422, 1067, 1},
                    {1423, 1066, 1}, {7680, 4320, 8}};
    for (const auto& d : desktops)
        EXPECT_EQ(startScale(d.w, d.h), d.start) << d.w << "x" << d.h;
    EXPECT_EQ(fittingScale(1280, 960), 2);
    EXPECT_EQ(fittingScale(1279, 2000), 1);
    EXPECT_EQ(fittingScale(1, 1), 1);
}

// Every window pixel is the game pixel whose k x k block covers it, byte for
// byte, or black outside the game; at 1x a smaller window crops it.
TEST(Present, EveryGamePixelIsAKByKBlockWithBlackAround_forEveryPixelSize) {
    const struct {
        int k, w, h;
    } layouts[] = {{2, 1290, 966},  {3, 1920, 1440}, {4, 2562, 1921},
                   {5, 3200, 2400}, {1, 1000, 700},  {1, 600, 401}};
    for (int bits : {8, 16, 24, 32})
        for (const auto& l : layouts) {
            SDL_Surface* game = SDL_CreateRGBSurface(0, 640, 480, bits, 0, 0, 0, 0);
            SDL_Surface* window = SDL_CreateRGBSurface(0, l.w, l.h, bits, 0, 0, 0, 0);
            const int bytes = game->format->BytesPerPixel;
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640 * bytes; ++x) // every byte distinct along a row
                    static_cast<Uint8*>(game->pixels)[y * game->pitch + x] =
                        Uint8(x * 7 + y * 3 + 1);
            const int left = (l.w - 640 * l.k) / 2, top = (l.h - 480 * l.k) / 2;
            scaleIntoWindow(game, window, l.k, left, top);
            int wrong = 0;
            for (int y = 0; y < l.h; ++y)
                for (int x = 0; x < l.w; ++x) {
                    const int gx = (x - left + 640 * l.k) / l.k - 640,
                              gy = (y - top + 480 * l.k) / l.k - 480;
                    const Uint8* shown =
                        static_cast<Uint8*>(window->pixels) + y * window->pitch + x * bytes;
                    static const Uint8 black[4] = {};
                    const bool inGame = gx >= 0 && gx < 640 && gy >= 0 && gy < 480;
                    wrong += std::memcmp(shown,
                                         inGame ? static_cast<Uint8*>(game->pixels) +
                                                      gy * game->pitch + gx * bytes
                                                : black,
                                         bytes) != 0;
                }
            EXPECT_EQ(wrong, 0) << bits << " bits, k " << l.k << ", " << l.w << "x" << l.h;
            SDL_FreeSurface(game);
            SDL_FreeSurface(window);
        }
}

namespace {

struct WindowTest : ::testing::Test {
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_TRUE(openWindowSized(1000, 700, 32));
        desktopWidth = 1920;
        desktopHeight = 1080;
    }
};

// Maps a window position and returns where the game sees it.
std::pair<int, int> mapped(int x, int y) {
    mouseX = x;
    mouseY = y;
    mapPointerToGame();
    return {mouseX, mouseY};
}

int refusals; // fullscreen modes refused by refuseFullscreen
SDL_Surface* refuseFullscreen(int w, int h, int bits, Uint32 flags) {
    if (flags & SDL_FULLSCREEN)
        return ++refusals, nullptr;
    return SDL_SetVideoMode(w, h, bits, flags);
}

} // namespace

// Fullscreen at the desktop's size puts the game at 2x in its middle, where
// the pointer maps back into game pixels and over the margin stands outside;
// the game's picture comes through.
TEST_F(WindowTest, FullscreenCentresTheGameAndMapsThePointerIntoIt) {
    fillSurface(screen, Rgb{10, 200, 30});
    ASSERT_TRUE(toggleFullscreen());
    EXPECT_EQ(windowSurface->w, 1920);
    EXPECT_EQ(windowSurface->h, 1080);
    EXPECT_EQ(gameScale, 2);
    EXPECT_EQ(std::make_pair(gameLeft, gameTop), std::make_pair(320, 60));
    EXPECT_EQ(pixelAt(screen, 639, 479), (Rgb{10, 200, 30}));
    EXPECT_EQ(mapped(320, 60), std::make_pair(0, 0));
    EXPECT_EQ(mapped(1599, 1019), std::make_pair(639, 479));
    for (auto [x, y] : {std::pair{319, 500}, {1600, 500}, {900, 59}, {900, 1020}})
        EXPECT_EQ(mapped(x, y), std::make_pair(POINTER_OUTSIDE, POINTER_OUTSIDE)) << x << "," << y;
}

// A refused fullscreen mode sets the window's mode again and changes nothing
// else; a window of exactly 640x480 is the game's screen itself, picture and all.
TEST_F(WindowTest, RefusedFullscreenLeavesTheWindow_aWindowOfTheGamesSizeIsItsScreen) {
    fillSurface(screen, Rgb{10, 200, 30});
    setVideoMode = refuseFullscreen;
    EXPECT_FALSE(toggleFullscreen());
    EXPECT_EQ(refusals, 1);
    EXPECT_FALSE(windowFullscreen);
    EXPECT_EQ(std::make_pair(windowSurface->w, windowSurface->h), std::make_pair(1000, 700));
    EXPECT_EQ(pixelAt(screen, 5, 5), (Rgb{10, 200, 30}));

    ASSERT_TRUE(showWindow(640, 480, false));
    EXPECT_EQ(screen, windowSurface);
    EXPECT_EQ(pixelAt(screen, 639, 479), (Rgb{10, 200, 30}));
    EXPECT_EQ(mapped(639, 479), std::make_pair(639, 479));
}
