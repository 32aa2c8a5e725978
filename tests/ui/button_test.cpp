// The immediate-mode button: hover bounds, press versus hold, drawing.
#include "ui/button.h"

#include "input/input.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

namespace {

const Rgb BLACK{0, 0, 0};
constexpr int FILL = 8;

void pointAt(int x, int y, uint32_t leftButton = KEY_UP) {
    mouseX = x;
    mouseY = y;
    mouseButtonStates[SDL_BUTTON_LEFT] = leftButton;
}

class ButtonTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        replaceSurface(buttonImage,
                       makeCellSheet(BUTTON_COLUMNS, BUTTON_ROWS, BUTTON_TILE, BUTTON_TILE));
        replaceSurface(fontImage, makeCellSheet(GLYPH_COUNT, 1, GLYPH_WIDTH, GLYPH_HEIGHT));
        fillSurface(screen, BLACK);
    }
};

} // namespace

// Interior (100, 100) 50 x 20: hovered from x 87 to 162 and y 87 to 132.
TEST(ButtonBehavior, HoverReachesThirteenPixelsPastTheInteriorOnEachSide) {
    const int left = 100, top = 100, w = 50, h = 20;
    struct Case {
        int x, y;
        bool hovered;
    } cases[] = {
        {87, 110, true},  {86, 110, false},  // left
        {162, 110, true}, {163, 110, false}, // right
        {120, 87, true},  {120, 86, false},  // top
        {120, 132, true}, {120, 133, false}, // bottom
        {87, 87, true},   {162, 132, true},  // corners of the hot area
    };
    for (const Case& c : cases) {
        pointAt(c.x, c.y);
        EXPECT_EQ(buttonBehavior(left, top, w, h).hovered, c.hovered) << c.x << ", " << c.y;
    }
}

TEST(ButtonBehavior, OnlyThePressFrameClicksNotHoldOrRelease) {
    pointAt(120, 110, KEY_PRESSED);
    EXPECT_TRUE(buttonBehavior(100, 100, 50, 20).clicked);
    pointAt(120, 110, KEY_HELD);
    EXPECT_FALSE(buttonBehavior(100, 100, 50, 20).clicked);
    EXPECT_TRUE(buttonBehavior(100, 100, 50, 20).hovered);
    pointAt(120, 110, KEY_UP);
    EXPECT_FALSE(buttonBehavior(100, 100, 50, 20).clicked);
    pointAt(300, 300, KEY_PRESSED); // pressed elsewhere
    EXPECT_FALSE(buttonBehavior(100, 100, 50, 20).clicked);
}

TEST(ButtonBehavior, OtherMouseButtonsDoNotClick) {
    pointAt(120, 110);
    mouseButtonStates[SDL_BUTTON_RIGHT] = KEY_PRESSED;
    EXPECT_FALSE(buttonBehavior(100, 100, 50, 20).clicked);
}

TEST_F(ButtonTest, OverlappingHotAreasBothReportTheSameClick) {
    pointAt(200, 200, KEY_PRESSED);
    EXPECT_TRUE(button(200, 200, 100, 20, "one"));
    EXPECT_TRUE(button(210, 205, 100, 20, "two"));
}

TEST_F(ButtonTest, DrawsHighlightedOnlyWhileHovered) {
    pointAt(0, 0);
    EXPECT_FALSE(button(320, 195, 300, 30, ""));
    EXPECT_EQ(pixelAt(screen, 320, 195), sheetCellColour(FILL, 0));

    pointAt(320, 195, KEY_HELD);
    EXPECT_FALSE(button(320, 195, 300, 30, ""));
    EXPECT_EQ(pixelAt(screen, 320, 195), sheetCellColour(FILL, 1));
}

TEST_F(ButtonTest, LabelIsCentredOnTheButtonAndMayRunOverTheFrame) {
    pointAt(0, 0);
    button(320, 260, 300, 30, "two player"); // 110 wide: from 265 to 375, top 250
    EXPECT_EQ(pixelAt(screen, 265, 250), sheetCellColour('t' - 32));
    EXPECT_EQ(pixelAt(screen, 264, 250), sheetCellColour(FILL, 0));
    EXPECT_EQ(pixelAt(screen, 364, 270), sheetCellColour('r' - 32));
    EXPECT_EQ(pixelAt(screen, 320, 249), sheetCellColour(FILL, 0));

    button(100, 400, 10, 5, "a long label");
    EXPECT_EQ(pixelAt(screen, 100 - 66, 395), sheetCellColour('a' - 32));
}
