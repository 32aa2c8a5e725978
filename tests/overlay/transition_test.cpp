// The frozen frame and its backdrop: capture, blur, wash-out and cross-fade,
// checked through the grids and the pixels left on a headless screen.
#include "overlay/transition.h"

#include "overlay/driver.h"
#include "support/headless_display.h"
#include "ui/display.h"
#include "ui/theme.h"

namespace {

const Rgb BLACK{0, 0, 0};
const Rgb GREY{100, 100, 100};
const Rgb WHITE{255, 255, 255};

Rgb gridAt(const uint8_t* grid, int x, int y) {
    return Rgb{grid[gridIndex(x, y, 0)], grid[gridIndex(x, y, 1)], grid[gridIndex(x, y, 2)]};
}

void fillArea(SDL_Surface* surface, int x, int y, int w, int h, Rgb c) {
    SDL_Rect area = {Sint16(x), Sint16(y), Uint16(w), Uint16(h)};
    SDL_FillRect(surface, &area, SDL_MapRGB(surface->format, c.r, c.g, c.b));
}

// A picture in which every pixel tells its own place.
Rgb patternAt(int x, int y) {
    return Rgb{uint8_t(x), uint8_t(y), uint8_t(x / 3 + y / 2)};
}

void drawPattern() {
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            fillArea(screen, x, y, 1, 1, patternAt(x, y));
}

class TransitionTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        ASSERT_NE(snapshotSurface, nullptr);
        ASSERT_NE(backdropSurface, nullptr);
    }
    void captureFlat(Rgb colour) {
        fillSurface(screen, colour);
        captureSnapshot();
    }
};

} // namespace

TEST_F(TransitionTest, FlatBlackBecomesGreyAndFlatWhiteStaysWhite) {
    captureFlat(BLACK);
    for (int x : {0, 1, 2, 3, 320, 636, 639})
        for (int y : {0, 2, 240, 477, 479}) {
            EXPECT_EQ(gridAt(backdropPixels, x, y), GREY) << x << "," << y;
            EXPECT_EQ(gridAt(snapshotPixels, x, y), BLACK) << x << "," << y;
        }
    EXPECT_EQ(pixelAt(backdropSurface, 320, 240), GREY);
    EXPECT_EQ(pixelAt(snapshotSurface, 320, 240), BLACK);

    captureFlat(WHITE);
    EXPECT_EQ(gridAt(backdropPixels, 320, 240), WHITE);
    EXPECT_EQ(gridAt(backdropPixels, 639, 479), WHITE);
    EXPECT_EQ(pixelAt(backdropSurface, 0, 0), WHITE);
}

TEST_F(TransitionTest, WashOutLiftsByFiftyWithAFloorOfHundredAndACeilingOf255) {
    captureFlat(Rgb{49, 51, 205});
    EXPECT_EQ(gridAt(backdropPixels, 320, 240), (Rgb{100, 101, 255}));
    EXPECT_EQ(pixelAt(backdropSurface, 10, 10), (Rgb{100, 101, 255}));

    captureFlat(Rgb{50, 204, 206});
    EXPECT_EQ(gridAt(backdropPixels, 320, 240), (Rgb{100, 254, 255}));
}

// A full-height red line at x 520 on grey 100. Worked through the passes, the
// red channel of row 240 at offset o from the line:
//   o          0    1    2    3    4    5    6    7    8
//   pass 2   157  100  100  138  100  100  109  100  100
//   pass 3   128  114  109  119  109  102  104  102  100
//   pass 4   121  116  112  114  109  104  103  102  100
//   pass 5   118  116  113  112  109  105  103  101  100
//   pass 6   117  115  113  111  108  105  103  101  100
//   washed   167  165  163  161  158  155  153  151  150
TEST_F(TransitionTest, LineSpreadsSidewaysAsTheSixPassesDefine) {
    fillSurface(screen, GREY);
    fillArea(screen, 520, 0, 1, SCREEN_HEIGHT, Rgb{255, 100, 100});
    captureSnapshot();
    const int washed[] = {167, 165, 163, 161, 158, 155, 153, 151, 150};
    for (int o = 0; o <= 8; ++o) {
        EXPECT_EQ(gridAt(backdropPixels, 520 + o, 240), (Rgb{uint8_t(washed[o]), 150, 150})) << o;
        EXPECT_EQ(gridAt(backdropPixels, 520 - o, 240), (Rgb{uint8_t(washed[o]), 150, 150})) << o;
    }
    EXPECT_EQ(gridAt(backdropPixels, 530, 240), (Rgb{150, 150, 150}));
    // The outermost row is never blurred: the line's own pixel only washes out.
    EXPECT_EQ(gridAt(backdropPixels, 520, 0), (Rgb{255, 150, 150}));
    EXPECT_EQ(gridAt(backdropPixels, 521, 0), (Rgb{150, 150, 150}));
}

// One bright pixel at (520, 240) on grey 100. After pass 2 the red channel is
// 138 at the centre, 119 at the four diagonals (+-3, +-3) and 109 six pixels
// straight out; the distance-1 passes then soften these to the values below.
TEST_F(TransitionTest, SinglePixelSpreadsTheSameWayAlongRowsAndColumns) {
    fillSurface(screen, GREY);
    fillArea(screen, 520, 240, 1, 1, Rgb{255, 100, 100});
    captureSnapshot();
    EXPECT_EQ(gridAt(backdropPixels, 520, 240).r, 154);
    for (int d : {-6, 6}) {
        EXPECT_EQ(gridAt(backdropPixels, 520 + d, 240).r, 151) << d;
        EXPECT_EQ(gridAt(backdropPixels, 520, 240 + d).r, 151) << d;
    }
    for (int dx : {-3, 3})
        for (int dy : {-3, 3})
            EXPECT_EQ(gridAt(backdropPixels, 520 + dx, 240 + dy).r, 152) << dx << "," << dy;
    EXPECT_EQ(gridAt(backdropPixels, 527, 240).r, 150);
    EXPECT_EQ(gridAt(backdropPixels, 520, 247).r, 150);
    EXPECT_EQ(gridAt(backdropPixels, 520, 240).g, 150);
}

TEST_F(TransitionTest, OutermostFrameKeepsItsCapturedColours) {
    const Rgb edge{60, 120, 200};
    fillSurface(screen, BLACK);
    fillArea(screen, 0, 0, SCREEN_WIDTH, 1, edge);
    fillArea(screen, 0, SCREEN_HEIGHT - 1, SCREEN_WIDTH, 1, edge);
    fillArea(screen, 0, 0, 1, SCREEN_HEIGHT, edge);
    fillArea(screen, SCREEN_WIDTH - 1, 0, 1, SCREEN_HEIGHT, edge);
    captureSnapshot();
    const Rgb washedEdge{110, 170, 250};
    for (int x = 0; x < SCREEN_WIDTH; ++x) {
        ASSERT_EQ(gridAt(backdropPixels, x, 0), washedEdge) << x;
        ASSERT_EQ(gridAt(backdropPixels, x, SCREEN_HEIGHT - 1), washedEdge) << x;
    }
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        ASSERT_EQ(gridAt(backdropPixels, 0, y), washedEdge) << y;
        ASSERT_EQ(gridAt(backdropPixels, SCREEN_WIDTH - 1, y), washedEdge) << y;
    }
    EXPECT_EQ(gridAt(backdropPixels, 320, 240), GREY);
}

TEST_F(TransitionTest, CaptureKeepsTheSharpFrameInGridAndSnapshotSurface) {
    drawPattern();
    captureSnapshot();
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            ASSERT_EQ(gridAt(snapshotPixels, x, y), patternAt(x, y)) << x << "," << y;
            ASSERT_EQ(pixelAt(snapshotSurface, x, y), patternAt(x, y)) << x << "," << y;
        }
}

TEST_F(TransitionTest, CrossFadeWeighsByTheIntegerPartOfTheAmount) {
    // Sharp (10, 200, 255); its backdrop is (100, 250, 255).
    captureFlat(Rgb{10, 200, 255});
    fillSurface(screen, BLACK); // the fade comes from the frozen frame, not the screen
    struct Case {
        double amount;
        Rgb expected;
    };
    const Case cases[] = {
        {0.9, {10, 200, 255}},    // t 0: the sharp frame exactly
        {7.1667, {16, 203, 255}}, // (100*7 + 10*93)/100 = 16.3; (250*7 + 200*93)/100 = 203.5
        {50.0, {55, 225, 255}},   // halfway
        {99.5, {99, 249, 255}},   // t 99: 99.1 and 249.5 truncate
        {99.999, {99, 249, 255}}, // still t 99
    };
    for (const Case& c : cases) {
        overlayAmount = c.amount;
        drawBackdrop();
        EXPECT_EQ(pixelAt(screen, 0, 0), c.expected) << c.amount;
        EXPECT_EQ(pixelAt(screen, 320, 240), c.expected) << c.amount;
        EXPECT_EQ(pixelAt(screen, 639, 479), c.expected) << c.amount;
    }
}

TEST_F(TransitionTest, CrossFadeAtWeightZeroRedrawsTheFrozenFramePixelForPixel) {
    drawPattern();
    captureSnapshot();
    fillSurface(screen, WHITE);
    overlayAmount = 0.313; // the last frame of a closing
    drawBackdrop();
    for (int y = 0; y < SCREEN_HEIGHT; ++y)
        for (int x = 0; x < SCREEN_WIDTH; ++x)
            ASSERT_EQ(pixelAt(screen, x, y), patternAt(x, y)) << x << "," << y;
}

TEST_F(TransitionTest, OnlyExactlyFullShowsTheBackdropSurfaceItself) {
    captureFlat(Rgb{10, 200, 255});
    const Rgb marker{255, 0, 255};
    fillSurface(backdropSurface, marker); // tells the blit apart from the fade

    overlayAmount = 99.99999;
    drawBackdrop();
    EXPECT_EQ(pixelAt(screen, 320, 240), (Rgb{99, 249, 255}));

    overlayAmount = OVERLAY_FULL;
    drawBackdrop();
    EXPECT_EQ(pixelAt(screen, 0, 0), marker);
    EXPECT_EQ(pixelAt(screen, 639, 479), marker);
}

// A colour-keyed, run-length accelerated surface keeps an encoded copy that
// only a lock/unlock pair refreshes; writing its pixels without the lock
// would leave the next blit showing the old picture.
TEST_F(TransitionTest, CaptureLocksABackdropSurfaceThatMustBeLocked) {
    fillSurface(backdropSurface, Rgb{255, 0, 0});
    SDL_SetColorKey(backdropSurface, SDL_SRCCOLORKEY | SDL_RLEACCEL,
                    SDL_MapRGB(backdropSurface->format, 0, 255, 0));
    SDL_BlitSurface(backdropSurface, nullptr, screen, nullptr); // encodes it
    ASSERT_TRUE(SDL_MUSTLOCK(backdropSurface));

    captureFlat(BLACK);
    overlayAmount = OVERLAY_FULL;
    drawBackdrop();
    EXPECT_EQ(pixelAt(screen, 320, 240), GREY);
}

TEST_F(TransitionTest, WithoutASnapshotSurfaceTheGridStillHoldsTheSharpFrame) {
    SDL_FreeSurface(snapshotSurface);
    snapshotSurface = nullptr;
    drawPattern();
    captureSnapshot();
    EXPECT_EQ(gridAt(snapshotPixels, 5, 7), patternAt(5, 7));
    EXPECT_EQ(gridAt(snapshotPixels, 600, 400), patternAt(600, 400));
}

// The 8-bit display of the dummy driver has a palette: the fade must choose
// palette entries by colour rather than pack channel bits.
TEST(TransitionPalette, CrossFadeOnAPalettizedScreenPicksTheNearestPaletteColour) {
    ASSERT_NE(openHeadlessDisplay(8), nullptr) << SDL_GetError();
    ASSERT_NE(screen->format->palette, nullptr);
    loadTheme();
    SDL_PixelFormat* format = screen->format;
    fillSurface(screen, BLACK);
    captureSnapshot();
    EXPECT_EQ(pixelAt(snapshotSurface, 320, 240), BLACK);
    const Uint32 nearGrey = SDL_MapRGB(backdropSurface->format, 100, 100, 100);
    Uint8 raw = static_cast<Uint8*>(backdropSurface->pixels)[240 * backdropSurface->pitch + 320];
    EXPECT_EQ(raw, nearGrey);

    overlayAmount = 50.0;
    drawBackdrop();
    const Uint32 nearHalf = SDL_MapRGB(format, 50, 50, 50);
    ASSERT_NE(nearHalf, SDL_MapRGB(format, 0, 0, 0)); // the palette tells them apart
    raw = static_cast<Uint8*>(screen->pixels)[240 * screen->pitch + 320];
    EXPECT_EQ(raw, nearHalf);
    raw = static_cast<Uint8*>(screen->pixels)[479 * screen->pitch + 639];
    EXPECT_EQ(raw, nearHalf);
}

TEST(TransitionPalette, WeightZeroOnAPalettizedScreenRedrawsTheFrozenColours) {
    ASSERT_NE(openHeadlessDisplay(8), nullptr) << SDL_GetError();
    loadTheme();
    for (int i = 0; i < 16; ++i)
        fillArea(screen, i * 40, 0, 40, SCREEN_HEIGHT,
                 Rgb{uint8_t(i * 17), uint8_t(255 - i * 17), 0});
    Rgb before[16];
    for (int i = 0; i < 16; ++i)
        before[i] = pixelAt(screen, i * 40 + 20, 100);
    captureSnapshot();
    fillSurface(screen, WHITE);
    overlayAmount = 0.5;
    drawBackdrop();
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(pixelAt(screen, i * 40 + 20, 100), before[i]) << i;
        EXPECT_EQ(pixelAt(screen, i * 40, 479), before[i]) << i;
    }
}
