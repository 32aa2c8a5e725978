// The frozen frame and its backdrop: blur, wash-out and cross-fade, checked
// through the backdrop surface and the pixels left on screens of every layout.
#include "overlay/transition.h"

#include "overlay/driver.h"
#include "support/headless_display.h"
#include "ui/display.h"
#include "ui/pixel_kernels.h"
#include "ui/theme.h"

#include <algorithm>
#include <vector>

const Rgb GREY{100, 100, 100}, WHITE{255, 255, 255};

class TrueColour : public HeadlessDisplayTest {};

// A colour-keyed RLE surface keeps an encoded copy that only a lock/unlock
// pair refreshes: pixels written into it without the lock are never blitted.
// sdl12-compat (which reports version 1.2.50 or later) keeps no such copy and
// never asks for the lock; there the wash-out alone is checked.
TEST_F(TrueColour, FlatPicturesWashOutIntoABackdropThatMustBeLocked) {
    loadTheme();
    fillSurface(backdropSurface, Rgb{255, 0, 0});
    SDL_SetColorKey(backdropSurface, SDL_SRCCOLORKEY | SDL_RLEACCEL,
                    SDL_MapRGB(backdropSurface->format, 0, 255, 0));
    SDL_BlitSurface(backdropSurface, nullptr, screen, nullptr); // encodes it
    if (classicSdl()) {
        ASSERT_TRUE(SDL_MUSTLOCK(backdropSurface));
    }
    overlayAmount = OVERLAY_FULL;
    for (auto [picture, washed] : {std::pair{Rgb{0, 0, 0}, GREY}, std::pair{WHITE, WHITE}}) {
        fillSurface(screen, picture);
        captureSnapshot();
        drawBackdrop(); // the backdrop surface itself
        EXPECT_EQ(pixelAt(screen, 320, 240), washed);
    }
}

// Every pixel layout a screen may have, the usual one in every build of the
// pixel loops: the backdrop of a noisy frame is the six passes and the
// wash-out as they are defined, worked here on plain grids (each pass averages
// the four pixels at its distance, the second adding 1 first, inside its range
// and leaves the rest of the grid it writes as that grid was, so the outermost
// frame is never blurred), and a fade frame mixes the two pictures channel by
// channel; both as near as the layout shows, on palettes through SDL_MapRGB's
// own choice of entry.
enum Palette { NONE, LEVELS_332, SHUFFLED_LEVELS, RANDOM_ENTRIES };
struct Layout {
    const char* name;
    int depth;
    Uint32 r, g, b;
    Palette palette;
};
const Layout LAYOUTS[] = {{"XRGB", 32, 0xff0000, 0xff00, 0xff, NONE},
                          {"XBGR", 32, 0xff, 0xff00, 0xff0000, NONE},
                          {"RGBX", 32, 0xff000000, 0xff0000, 0xff00, NONE},
                          {"RGB24", 24, 0xff0000, 0xff00, 0xff, NONE},
                          {"BGR24", 24, 0xff, 0xff00, 0xff0000, NONE},
                          {"RGB565", 16, 0xf800, 0x7e0, 0x1f, NONE},
                          {"RGB555", 15, 0x7c00, 0x3e0, 0x1f, NONE},
                          {"Levels332", 8, 0, 0, 0, LEVELS_332},
                          {"ShuffledLevels233", 8, 0, 0, 0, SHUFFLED_LEVELS},
                          {"RandomPalette", 8, 0, 0, 0, RANDOM_ENTRIES}};
// Entry i of a palette. The shuffled levels are out of order and repeat, so
// the first of two equal entries must win.
SDL_Color paletteEntry(Palette palette, int i) {
    const Uint8 red[4] = {200, 10, 200, 90}, green[8] = {0, 255, 36, 36, 140, 7, 255, 60};
    const Uint8 blue[8] = {255, 0, 128, 128, 30, 31, 250, 0};
    const uint32_t v = uint32_t(i + 7) * 2654435761u;
    if (palette == SHUFFLED_LEVELS)
        return {red[i >> 6], green[i >> 3 & 7], blue[i & 7], 0};
    if (palette == RANDOM_ENTRIES)
        return {Uint8(v >> 8), Uint8(v >> 16), Uint8(v >> 24), 0};
    return {Uint8((i >> 5) * 255 / 7), Uint8((i >> 2 & 7) * 255 / 7), Uint8((i & 3) * 255 / 3), 0};
}
using LayoutCase = std::pair<int64_t, int>; // pixel loops' build, index into LAYOUTS
class Layouts : public ::testing::TestWithParam<LayoutCase> {};
static std::vector<LayoutCase> layoutCases() {
    std::vector<LayoutCase> cases;
    for (int64_t target : pixelKernelTargets()) // the usual layout in every build
        cases.push_back({target, 0});
    int64_t widest = 0; // the others in the widest build that runs here
    for (int64_t target : pixelKernelTargets())
        if (!widest && pixelKernelTargetRuns(target))
            widest = target;
    for (int layout = 1; layout < int(std::size(LAYOUTS)); ++layout)
        cases.push_back({widest, layout});
    return cases;
}
INSTANTIATE_TEST_SUITE_P(Screens, Layouts, ::testing::ValuesIn(layoutCases()),
                         [](const auto& testCase) {
                             return std::string(LAYOUTS[testCase.param.second].name) + "_" +
                                    pixelKernelTargetName(testCase.param.first);
                         });

TEST_P(Layouts, BackdropIsTheSixPassesAndWashOut_andAFadeMixesChannelByChannel) {
    const int64_t target = GetParam().first;
    const Layout& layout = LAYOUTS[GetParam().second];
    ASSERT_NE(openHeadlessDisplay(32), nullptr) << SDL_GetError();
    if (!runPixelKernelsIn(target))
        GTEST_SKIP() << "this processor does not run " << pixelKernelTargetName(target);
    SDL_Color palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = paletteEntry(layout.palette, i);
    useScreenLayout(layout.depth, layout.r, layout.g, layout.b, palette);
    fillWithNoise(screen, 9);
    std::vector<int> grid[2]; // R, G, B of pixel (x, y) at 3 * (x * 480 + y)
    for (int x = 0; x < SCREEN_WIDTH; ++x)
        for (int y = 0; y < SCREEN_HEIGHT; ++y) {
            const Rgb c = pixelAt(screen, x, y);
            grid[0].insert(grid[0].end(), {c.r, c.g, c.b});
        }
    const std::vector<int> sharp = grid[1] = grid[0];
    captureSnapshot();

    const int passes[][2] = {{3, 0}, {3, 1}, {1, 0}, {1, 0}, {1, 0}, {1, 0}}; // distance, added
    for (int p = 0; p < 6; ++p) {
        const std::vector<int>& from = grid[p % 2];
        const int d = passes[p][0], across = 3 * SCREEN_HEIGHT * d, up = 3 * d;
        for (int x = d; x < SCREEN_WIDTH - d; ++x)
            for (int y = d, i = 3 * (x * SCREEN_HEIGHT + y); y < SCREEN_HEIGHT - d; ++y)
                for (int k = 0; k < 3; ++k, ++i)
                    grid[1 - p % 2][i] = (from[i - across] + from[i + across] + from[i - up] +
                                          from[i + up] + passes[p][1]) /
                                         4;
    }
    std::vector<int> washed(sharp.size());
    for (size_t i = 0; i < washed.size(); ++i)
        washed[i] = std::min(std::max(grid[0][i] + 50, 100), 255);
    // Pixels of `s` other than the layout shows for `share` percent of the
    // backdrop over the frozen frame.
    const auto wrong = [&](SDL_Surface* s, int share) {
        int count = 0;
        for (int x = 0, i = 0; x < SCREEN_WIDTH; ++x)
            for (int y = 0; y < SCREEN_HEIGHT; ++y, i += 3) {
                Uint8 mixed[3];
                for (int k = 0; k < 3; ++k)
                    mixed[k] = Uint8((washed[i + k] * share + sharp[i + k] * (100 - share)) / 100);
                Rgb want;
                SDL_GetRGB(SDL_MapRGB(screen->format, mixed[0], mixed[1], mixed[2]), screen->format,
                           &want.r, &want.g, &want.b);
                count += pixelAt(s, x, y) != want;
            }
        return count;
    };
    // The integer part of the amount is the backdrop's share: below 1 the
    // frozen frame comes back exactly.
    for (double amount : {0.9, 37.5, 99.999, 100.0}) {
        fillWithNoise(screen, 10);
        overlayAmount = amount;
        drawBackdrop();
        EXPECT_EQ(wrong(screen, int(amount)), 0) << amount;
    }
    EXPECT_EQ(wrong(backdropSurface, 100), 0);
}
