// Checks the committed pictures of Media/ against the layouts the game cuts
// them by: sizes, the font and tile sheets, the colour key of the bars, and
// the alpha of the pieces whose shapes must match their collision boxes.
#include <SDL.h>
#include <SDL_image.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

namespace {

struct Pixel {
    int r, g, b, a;
    bool operator==(const Pixel& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

void PrintTo(const Pixel& p, std::ostream* os) {
    *os << "(" << p.r << "," << p.g << "," << p.b << "," << p.a << ")";
}

// A picture as IMG_Load gives it, read pixel by pixel in its own format.
class Picture {
  public:
    explicit Picture(const std::string& path) : surface(IMG_Load(path.c_str()), SDL_FreeSurface) {}
    bool loaded() const { return surface != nullptr; }
    int width() const { return surface->w; }
    int height() const { return surface->h; }
    Pixel at(int x, int y) const {
        const SDL_PixelFormat* f = surface->format;
        const Uint8* p =
            static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * f->BytesPerPixel;
        Uint32 value = 0;
        switch (f->BytesPerPixel) {
        case 1:
            value = *p;
            break;
        case 2:
            value = *reinterpret_cast<const Uint16*>(p);
            break;
        case 3:
            value = SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16
                                                    : p[0] << 16 | p[1] << 8 | p[2];
            break;
        default:
            value = *reinterpret_cast<const Uint32*>(p);
            break;
        }
        Uint8 r, g, b, a;
        SDL_GetRGBA(value, surface->format, &r, &g, &b, &a);
        return {r, g, b, a};
    }
    int alpha(int x, int y) const { return at(x, y).a; }
    bool isKey(int x, int y) const {
        Pixel p = at(x, y);
        return p.r == 0 && p.g == 255 && p.b == 255;
    }

  private:
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface;
};

const int TILE = 21;
const int FONT_CELL_W = 15, FONT_CELL_H = 21;
const int SHOWN_CURSOR_FRAME = 3;

} // namespace

// --- Sizes -------------------------------------------------------------------
TEST(MediaPictures, EveryPictureLoadsWithTheSizeItsLayoutNeeds) {
    struct Expected {
        const char* path;
        int w, h;
    } pictures[] = {
        {"Media/Plinth/Font.png", 1425, 21},      {"Media/Plinth/Button.png", 189, 42},
        {"Media/Plinth/Cursor.png", 1536, 96},    {"Media/Game/background.png", 640, 480},
        {"Media/Game/border.png", 640, 480},      {"Media/Game/ball.png", 44, 44},
        {"Media/Game/paddle1.png", 22, 72},       {"Media/Game/paddle2.png", 22, 72},
        {"Media/Game/textbacking1.png", 200, 28}, {"Media/Game/textbacking2.png", 200, 28},
    };
    for (const Expected& e : pictures) {
        Picture picture(e.path);
        ASSERT_TRUE(picture.loaded()) << e.path;
        EXPECT_EQ(picture.width(), e.w) << e.path;
        EXPECT_EQ(picture.height(), e.h) << e.path;
    }
    Picture bars("Media/Plinth/TopBottomBorder.png");
    ASSERT_TRUE(bars.loaded());
    EXPECT_EQ(bars.width(), 640);
    EXPECT_GE(bars.height(), 131); // the top bar ends on row 130
}

// --- Font ----------------------------------------------------------------------
TEST(FontSheet, EveryPrintableCellHasInkAndTheSpaceCellNone) {
    Picture font("Media/Plinth/Font.png");
    ASSERT_TRUE(font.loaded());
    for (int cell = 0; cell < 95; ++cell) {
        int ink = 0;
        for (int y = 0; y < FONT_CELL_H; ++y)
            for (int x = 0; x < FONT_CELL_W; ++x)
                ink += font.alpha(cell * FONT_CELL_W + x, y) > 0;
        if (cell == 0) {
            EXPECT_EQ(ink, 0) << "the space must draw nothing";
        } else {
            EXPECT_GT(ink, 0) << "character " << static_cast<char>(32 + cell);
        }
    }
}

TEST(FontSheet, InkKeepsClearOfTheOverlappingCellEdges) {
    // The pen moves 11 pixels per character, so cells overlap by 4; ink in
    // the outer columns would be covered by, or cover, the neighbour.
    Picture font("Media/Plinth/Font.png");
    ASSERT_TRUE(font.loaded());
    for (int cell = 1; cell < 95; ++cell)
        for (int y = 0; y < FONT_CELL_H; ++y)
            for (int x : {0, FONT_CELL_W - 1})
                EXPECT_LT(font.alpha(cell * FONT_CELL_W + x, y), 32)
                    << "character " << static_cast<char>(32 + cell) << " column " << x;
}

// --- Panel tiles -------------------------------------------------------------------
// Tile columns: 0 top-left, 1 bottom-left, 2 top-right, 3 bottom-right,
// 4 bottom edge, 5 right edge, 6 top edge, 7 left edge, 8 fill.
static Pixel tilePixel(const Picture& sheet, int row, int column, int x, int y) {
    return sheet.at(column * TILE + x, row * TILE + y);
}

TEST(ButtonSheet, EdgeTilesAreUniformAlongTheirRepeatDirection) {
    Picture sheet("Media/Plinth/Button.png");
    ASSERT_TRUE(sheet.loaded());
    for (int row = 0; row < 2; ++row) {
        for (int i = 1; i < TILE; ++i) {
            for (int j = 0; j < TILE; ++j) {
                EXPECT_EQ(tilePixel(sheet, row, 4, i, j), tilePixel(sheet, row, 4, 0, j));
                EXPECT_EQ(tilePixel(sheet, row, 6, i, j), tilePixel(sheet, row, 6, 0, j));
                EXPECT_EQ(tilePixel(sheet, row, 5, j, i), tilePixel(sheet, row, 5, j, 0));
                EXPECT_EQ(tilePixel(sheet, row, 7, j, i), tilePixel(sheet, row, 7, j, 0));
            }
        }
    }
}

TEST(ButtonSheet, FillTileIsOneFlatColourSoItTilesAndCutsSeamlessly) {
    Picture sheet("Media/Plinth/Button.png");
    ASSERT_TRUE(sheet.loaded());
    for (int row = 0; row < 2; ++row) {
        Pixel first = tilePixel(sheet, row, 8, 0, 0);
        EXPECT_GT(first.a, 0) << "the fill must show";
        for (int y = 0; y < TILE; ++y)
            for (int x = 0; x < TILE; ++x)
                EXPECT_EQ(tilePixel(sheet, row, 8, x, y), first);
    }
}

TEST(ButtonSheet, CornersJoinTheEdgesBesideThemWithoutASeam) {
    // Each pair: a tile's border line and the neighbouring tile's border
    // line as they meet in a drawn panel (column, x or y of the line).
    Picture sheet("Media/Plinth/Button.png");
    ASSERT_TRUE(sheet.loaded());
    auto close = [](Pixel a, Pixel b) {
        return std::abs(a.r - b.r) <= 12 && std::abs(a.g - b.g) <= 12 &&
               std::abs(a.b - b.b) <= 12 && std::abs(a.a - b.a) <= 12;
    };
    for (int row = 0; row < 2; ++row) {
        for (int k = 0; k < TILE; ++k) {
            // top-left | top edge, top edge | top-right
            EXPECT_TRUE(close(tilePixel(sheet, row, 0, 20, k), tilePixel(sheet, row, 6, 0, k)));
            EXPECT_TRUE(close(tilePixel(sheet, row, 6, 20, k), tilePixel(sheet, row, 2, 0, k)));
            // bottom-left | bottom edge | bottom-right
            EXPECT_TRUE(close(tilePixel(sheet, row, 1, 20, k), tilePixel(sheet, row, 4, 0, k)));
            EXPECT_TRUE(close(tilePixel(sheet, row, 4, 20, k), tilePixel(sheet, row, 3, 0, k)));
            // top-left over left edge over bottom-left; the same on the right
            EXPECT_TRUE(close(tilePixel(sheet, row, 0, k, 20), tilePixel(sheet, row, 7, k, 0)));
            EXPECT_TRUE(close(tilePixel(sheet, row, 7, k, 20), tilePixel(sheet, row, 1, k, 0)));
            EXPECT_TRUE(close(tilePixel(sheet, row, 2, k, 20), tilePixel(sheet, row, 5, k, 0)));
            EXPECT_TRUE(close(tilePixel(sheet, row, 5, k, 20), tilePixel(sheet, row, 3, k, 0)));
        }
    }
}

TEST(ButtonSheet, HighlightedRowLooksDifferentFromTheNormalRow) {
    Picture sheet("Media/Plinth/Button.png");
    ASSERT_TRUE(sheet.loaded());
    int differing = 0;
    for (int y = 0; y < TILE; ++y)
        for (int x = 0; x < 9 * TILE; ++x)
            differing += !(sheet.at(x, y) == sheet.at(x, y + TILE));
    EXPECT_GT(differing, 9 * TILE * TILE / 4);
}

// --- Pointer -----------------------------------------------------------------------
TEST(CursorSheet, ShownFrameIsVisibleAtItsCentreAndCentredOnIt) {
    Picture cursor("Media/Plinth/Cursor.png");
    ASSERT_TRUE(cursor.loaded());
    const int left = 96 * SHOWN_CURSOR_FRAME;
    EXPECT_GT(cursor.alpha(left + 48, 48), 200) << "the aim point itself must show";
    // The pointer is drawn 48 pixels up and left of the mouse: its ink must
    // reach equally far on each side of pixel (48, 48).
    int minX = 96, maxX = -1, minY = 96, maxY = -1;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            if (cursor.alpha(left + x, y) < 128)
                continue;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    }
    ASSERT_GE(maxX, 0);
    EXPECT_LE(std::abs((48 - minX) - (maxX - 48)), 1);
    EXPECT_LE(std::abs((48 - minY) - (maxY - 48)), 1);
}

TEST(CursorSheet, EveryFrameHoldsAReticle) {
    Picture cursor("Media/Plinth/Cursor.png");
    ASSERT_TRUE(cursor.loaded());
    for (int frame = 0; frame < 16; ++frame) {
        int ink = 0;
        for (int y = 0; y < 96; ++y)
            for (int x = 0; x < 96; ++x)
                ink += cursor.alpha(frame * 96 + x, y) > 128;
        EXPECT_GT(ink, 100) << "frame " << frame;
    }
}

// --- Arena ---------------------------------------------------------------------------
TEST(Background, IsOpaqueEverywhereAndNeverUsesTheKeyColour) {
    Picture field("Media/Game/background.png");
    ASSERT_TRUE(field.loaded());
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            ASSERT_EQ(field.alpha(x, y), 255) << x << "," << y;
            ASSERT_FALSE(field.isKey(x, y)) << x << "," << y;
        }
    }
}

TEST(Border, WallsAreOpaqueAndTheFieldBetweenThemIsClear) {
    Picture border("Media/Game/border.png");
    ASSERT_TRUE(border.loaded());
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            bool field = x >= 15 && x <= 624 && y >= 50 && y <= 429;
            ASSERT_EQ(border.alpha(x, y), field ? 0 : 255) << x << "," << y;
        }
    }
}

TEST(StatusBars, OnlyTheGapBetweenTheBarsIsKeyColour) {
    Picture bars("Media/Plinth/TopBottomBorder.png");
    ASSERT_TRUE(bars.loaded());
    for (int y = 0; y < bars.height(); ++y) {
        bool bar = y <= 60 || (y >= 70 && y <= 130);
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(bars.isKey(x, y), !bar) << x << "," << y;
    }
}

// --- Pieces --------------------------------------------------------------------------
TEST(Ball, EdgeSitsAtRadius22AroundThePictureCentre) {
    Picture ball("Media/Game/ball.png");
    ASSERT_TRUE(ball.loaded());
    int partialEdge = 0;
    for (int y = 0; y < 44; ++y) {
        for (int x = 0; x < 44; ++x) {
            float d = std::hypot(x + 0.5f - 22.0f, y + 0.5f - 22.0f);
            int a = ball.alpha(x, y);
            if (d < 21.0f) {
                EXPECT_EQ(a, 255) << x << "," << y;
            } else if (d > 23.0f) {
                EXPECT_EQ(a, 0) << x << "," << y;
            } else {
                partialEdge += a > 0 && a < 255;
            }
        }
    }
    EXPECT_GT(partialEdge, 20) << "the rim must be anti-aliased";
}

// Alpha of a paddle against its collision slices: body columns bodyFrom to
// bodyFrom + 10 full height, then slice i in column faceColumn(i), rows
// 2i .. 71 - 2i. Nothing may show outside; the middle of every slice shows.
template <class FaceColumn>
static void expectPaddleFollowsSlices(const char* path, int bodyFrom, FaceColumn faceColumn) {
    Picture paddle(path);
    ASSERT_TRUE(paddle.loaded());
    for (int x = 0; x < 22; ++x) {
        int top = 72, bottom = -1; // rows the slices or the body cover in this column
        if (x >= bodyFrom && x <= bodyFrom + 10)
            top = 0, bottom = 71;
        for (int i = 0; i <= 10; ++i)
            if (faceColumn(i) == x)
                top = std::min(top, 2 * i), bottom = std::max(bottom, 71 - 2 * i);
        for (int y = 0; y < 72; ++y) {
            if (y < top || y > bottom) {
                EXPECT_EQ(paddle.alpha(x, y), 0) << path << " " << x << "," << y;
            }
        }
        if (bottom >= 0) {
            EXPECT_EQ(paddle.alpha(x, 36), 255) << path << " column " << x;
        }
    }
}

TEST(Paddles, LeftPaddleStaysInsideItsBodyAndRightHandSlices) {
    expectPaddleFollowsSlices("Media/Game/paddle1.png", 0, [](int i) { return 11 + i; });
    Picture paddle("Media/Game/paddle1.png");
    ASSERT_TRUE(paddle.loaded());
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(paddle.alpha(21, y), 0) << "row " << y;
}

TEST(Paddles, RightPaddleStaysInsideItsBodyAndLeftHandSlices) {
    expectPaddleFollowsSlices("Media/Game/paddle2.png", 11, [](int i) { return 11 - i; });
    Picture paddle("Media/Game/paddle2.png");
    ASSERT_TRUE(paddle.loaded());
    for (int y = 0; y < 72; ++y)
        EXPECT_EQ(paddle.alpha(0, y), 0) << "row " << y;
}

TEST(TextBackings, EachTabIsFlushWithItsScreenEdgeAndBacksTheScore) {
    Picture left("Media/Game/textbacking1.png"), right("Media/Game/textbacking2.png");
    ASSERT_TRUE(left.loaded());
    ASSERT_TRUE(right.loaded());
    const int middleRow = 13;
    EXPECT_GT(left.alpha(0, middleRow), 200) << "left tab reaches the left edge";
    EXPECT_EQ(left.alpha(199, middleRow), 0);
    EXPECT_GT(right.alpha(199, middleRow), 200) << "right tab reaches the right edge";
    EXPECT_EQ(right.alpha(0, middleRow), 0);
    // Behind three score digits: from x 40 on the left, centred on 160 (600 on screen).
    for (int x = 40; x < 73; ++x)
        EXPECT_GT(left.alpha(x, middleRow), 200) << x;
    for (int x = 160 - 17; x < 160 + 17; ++x)
        EXPECT_GT(right.alpha(x, middleRow), 200) << x;
}
