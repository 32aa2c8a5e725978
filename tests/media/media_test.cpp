// The committed pictures of Media/ against what the game assumes of them:
// their sizes, and the paddles' alpha, whose shapes must match their
// collision parts. (The arena's test draws the field and border as they are.)
#include "ui/pixel_access.h"

#include <SDL.h>
#include <SDL_image.h>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace {

// A picture as IMG_Load gives it, read in its own format.
struct Picture {
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> s;
    explicit Picture(const char* path) : s(IMG_Load(path), SDL_FreeSurface) {
        if (!s)
            ADD_FAILURE() << path << " does not load";
    }
    int alpha(int x, int y) const {
        Uint8 r, g, b, a;
        SDL_GetRGBA(readRawPixel(s.get(), x, y), s->format, &r, &g, &b, &a);
        return a;
    }
};

} // namespace

TEST(MediaPictures, EveryPictureHasTheSizeItsLayoutNeeds) {
    const std::tuple<const char*, int, int> sizes[] = {
        {"Media/Plinth/Font.png", 1425, 21},      {"Media/Plinth/Button.png", 189, 42},
        {"Media/Plinth/Cursor.png", 1536, 96},    {"Media/Plinth/TopBottomBorder.png", 640, 131},
        {"Media/Game/background.png", 640, 480},  {"Media/Game/border.png", 640, 480},
        {"Media/Game/ball.png", 44, 44},          {"Media/Game/paddle1.png", 22, 72},
        {"Media/Game/paddle2.png", 22, 72},       {"Media/Game/textbacking1.png", 200, 28},
        {"Media/Game/textbacking2.png", 200, 28}, {"Media/Game/icon.png", 64, 64},
        {"Media/Plinth/Mute.png", 32, 32},
    };
    for (const auto& [path, w, h] : sizes) {
        Picture p(path);
        EXPECT_TRUE(p.s && p.s->w == w && p.s->h == h) << path << " is not " << w << "x" << h;
    }
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
