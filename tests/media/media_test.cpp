// The committed pictures of Media/ against the layouts the game cuts them by:
// sizes, the font and tile sheets, the colour key of the bars, and the alpha
// of the pieces whose shapes must match their collision boxes.
#include "ui/pixel_access.h"

#include <SDL.h>
#include <SDL_image.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

namespace {

using Rgba = std::tuple<int, int, int, int>;

// A picture as IMG_Load gives it, read in its own format.
struct Picture {
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> s;
    explicit Picture(const char* path) : s(IMG_Load(path), SDL_FreeSurface) {
        if (!s)
            ADD_FAILURE() << path << " does not load";
    }
    Rgba at(int x, int y) const {
        Uint8 r, g, b, a;
        SDL_GetRGBA(readRawPixel(s.get(), x, y), s->format, &r, &g, &b, &a);
        return {r, g, b, a};
    }
    int alpha(int x, int y) const { return std::get<3>(at(x, y)); }
    bool isKey(int x, int y) const { return at(x, y) == Rgba{0, 255, 255, 255}; }
};

// Counts the pixels of a w x h area whose alpha is above `threshold`.
int ink(const Picture& p, int left, int w, int h, int threshold = 0) {
    int n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = left; x < left + w; ++x)
            n += p.alpha(x, y) > threshold;
    return n;
}

} // namespace

TEST(MediaPictures, EveryPictureHasTheSizeItsLayoutNeeds) {
    const std::tuple<const char*, int, int> sizes[] = {
        {"Media/Plinth/Font.png", 1425, 21},      {"Media/Plinth/Button.png", 189, 42},
        {"Media/Plinth/Cursor.png", 1536, 96},    {"Media/Plinth/TopBottomBorder.png", 640, 131},
        {"Media/Game/background.png", 640, 480},  {"Media/Game/border.png", 640, 480},
        {"Media/Game/ball.png", 44, 44},          {"Media/Game/paddle1.png", 22, 72},
        {"Media/Game/paddle2.png", 22, 72},       {"Media/Game/textbacking1.png", 200, 28},
        {"Media/Game/textbacking2.png", 200, 28},
    };
    for (const auto& [path, w, h] : sizes) {
        Picture p(path);
        ASSERT_TRUE(p.s);
        EXPECT_EQ(p.s->w, w) << path;
        EXPECT_EQ(p.s->h, h) << path;
    }
}

TEST(MediaSheets, PrintableGlyphsHaveInkClearOfTheOverlapAndTheSpaceNone) {
    Picture font("Media/Plinth/Font.png");
    EXPECT_EQ(ink(font, 0, 15, 21), 0);
    for (int cell = 1; cell < 95; ++cell) {
        EXPECT_GT(ink(font, 15 * cell, 15, 21), 0) << char(32 + cell);
        // The pen moves 11 pixels, so the outer columns meet the neighbour's.
        EXPECT_EQ(ink(font, 15 * cell, 1, 21, 31) + ink(font, 15 * cell + 14, 1, 21, 31), 0)
            << char(32 + cell);
    }
}

// Tile columns: 0-3 corners, 4 bottom, 5 right, 6 top, 7 left, 8 fill.
TEST(MediaSheets, PanelEdgesAndFillRepeatWithoutSeams) {
    Picture sheet("Media/Plinth/Button.png");
    auto tile = [&](int row, int column, int x, int y) {
        return sheet.at(21 * column + x, 21 * row + y);
    };
    for (int row = 0; row < 2; ++row) {
        EXPECT_GT(std::get<3>(tile(row, 8, 0, 0)), 0);
        for (int i = 0; i < 21; ++i)
            for (int j = 0; j < 21; ++j) {
                ASSERT_EQ(tile(row, 4, i, j), tile(row, 4, 0, j));
                ASSERT_EQ(tile(row, 6, i, j), tile(row, 6, 0, j));
                ASSERT_EQ(tile(row, 5, j, i), tile(row, 5, j, 0));
                ASSERT_EQ(tile(row, 7, j, i), tile(row, 7, j, 0));
                ASSERT_EQ(tile(row, 8, i, j), tile(row, 8, 0, 0));
            }
    }
    EXPECT_NE(tile(0, 6, 0, 10), tile(1, 6, 0, 10)) << "the highlighted row must look different";
}

TEST(MediaSheets, PointerFrameIsCentredOnItsHotSpot) {
    Picture cursor("Media/Plinth/Cursor.png");
    for (int frame = 0; frame < 16; ++frame)
        EXPECT_GT(ink(cursor, 96 * frame, 96, 96, 128), 100) << "frame " << frame;
    const int left = 96 * 3;
    EXPECT_GT(cursor.alpha(left + 48, 48), 200);
    int minX = 96, maxX = -1;
    for (int x = 0; x < 96; ++x)
        for (int y = 0; y < 96; ++y)
            if (cursor.alpha(left + x, y) > 128)
                minX = std::min(minX, x), maxX = std::max(maxX, x);
    EXPECT_LE(std::abs((48 - minX) - (maxX - 48)), 1);
}

TEST(MediaArena, BackgroundIsOpaqueWithoutKeyColourAndOnlyTheFieldIsClear) {
    Picture field("Media/Game/background.png"), border("Media/Game/border.png");
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            ASSERT_EQ(field.alpha(x, y), 255) << x << "," << y;
            ASSERT_FALSE(field.isKey(x, y)) << x << "," << y;
            const bool inField = x >= 15 && x <= 624 && y >= 50 && y <= 429;
            ASSERT_EQ(border.alpha(x, y), inField ? 0 : 255) << x << "," << y;
        }
}

TEST(MediaArena, OnlyTheRowsBetweenTheTwoBarsAreKeyColour) {
    Picture bars("Media/Plinth/TopBottomBorder.png");
    for (int y = 0; y < bars.s->h; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(bars.isKey(x, y), !(y <= 60 || (y >= 70 && y <= 130))) << x << "," << y;
}

TEST(MediaPieces, BallEdgeSitsAtTheContactRadius) {
    Picture ball("Media/Game/ball.png");
    int rim = 0;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 44; ++x) {
            const double d = std::hypot(x + 0.5 - 22, y + 0.5 - 22);
            const int a = ball.alpha(x, y);
            if (d < 21 || d > 23) {
                ASSERT_EQ(a, d < 21 ? 255 : 0) << x << "," << y;
            }
            rim += a > 0 && a < 255;
        }
    EXPECT_GT(rim, 20) << "the rim must be anti-aliased";
}

// Body: 11 columns from bodyLeft, full height. Face slice i: column
// face(i), rows 2i .. 71 - 2i. Nothing shows outside; every column's middle does.
TEST(MediaPieces, PaddlesStayInsideTheirCollisionParts) {
    const struct {
        const char* path;
        int bodyLeft, faceStart, faceStep;
    } paddles[] = {{"Media/Game/paddle1.png", 0, 11, 1}, {"Media/Game/paddle2.png", 11, 11, -1}};
    for (const auto& p : paddles) {
        Picture paddle(p.path);
        for (int x = 0; x < 22; ++x) {
            int top = x >= p.bodyLeft && x <= p.bodyLeft + 10 ? 0 : 72;
            for (int i = 0; i <= 10; ++i)
                if (p.faceStart + p.faceStep * i == x)
                    top = std::min(top, 2 * i);
            for (int y = 0; y < 72; ++y)
                if (y < top || y > 71 - top) {
                    ASSERT_EQ(paddle.alpha(x, y), 0) << p.path << " " << x << "," << y;
                }
            if (top < 72) {
                EXPECT_EQ(paddle.alpha(x, 36), 255) << p.path << " column " << x;
            }
        }
    }
}

TEST(MediaPieces, ScoreBackingsReachTheirScreenEdgeAndBackThreeDigits) {
    Picture left("Media/Game/textbacking1.png"), right("Media/Game/textbacking2.png");
    EXPECT_EQ(left.alpha(199, 13) + right.alpha(0, 13), 0);
    for (int x = 0; x < 73; ++x)
        EXPECT_GT(left.alpha(x, 13), 200) << x; // flush left, score from x 40
    for (int x = 143; x < 200; ++x)
        EXPECT_GT(right.alpha(x, 13), 200) << x; // flush right, score centred on 160
}
