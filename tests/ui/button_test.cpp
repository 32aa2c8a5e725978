// Framed panels and the button, checked on the pixels of a 32-bit test
// screen with a tile sheet and a font whose cells each have their own colour.
#include "ui/button.h"
#include "ui/panel.h"

#include "input/input.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

namespace {

const Rgb BLACK{0, 0, 0};
enum { TL, BL, TR, BR, BOTTOM, RIGHT, TOP, LEFT, FILL };
Rgb tile(int column, bool highlighted = false) {
    return sheetCellColour(column, highlighted);
}

class WidgetTest : public SheetScreenTest {
  protected:
    void expectPixels(std::initializer_list<std::tuple<int, int, Rgb>> expected) {
        for (const auto& [x, y, colour] : expected)
            EXPECT_EQ(pixelAt(screen, x, y), colour) << "at " << x << ", " << y;
    }
};

} // namespace

//   x-21   x         x+w    x+w+21
//    +-----+---------+------+
//    | TL  |  TOP    |  TR  |  y-21
//    | LEFT|  FILL   | RIGHT|  y
//    | BL  |  BOTTOM |  BR  |  y+h
// The "back" button: interior 80 x 5 at (510, 448), drawn 47 rows tall; then a
// title button, 300 x 30 at (100, 300): a row of whole fill tiles and one of
// 9 rows, each ending in a 6-pixel strip.
TEST_F(WidgetTest, CornersEdgesAndFillSurroundTheInteriorAndRemaindersAreCutFromTheTopLeft) {
    drawPanel(510, 448, 80, 5, false);
    // clang-format off
    expectPixels({{489, 427, tile(TL)}, {488, 427, BLACK}, {489, 426, BLACK}, {489, 473, tile(BL)},
                  {520, 426, BLACK}, {520, 427, tile(TOP)}, {520, 448, tile(FILL)},
                  {520, 452, tile(FILL)}, {520, 453, tile(BOTTOM)}, {520, 473, tile(BOTTOM)},
                  {520, 474, BLACK}, {488, 450, BLACK}, {489, 450, tile(LEFT)},
                  {589, 450, tile(FILL)}, {589, 427, tile(TOP)}, {590, 427, tile(TR)},
                  {610, 452, tile(RIGHT)}, {610, 453, tile(BR)}, {611, 450, BLACK}});
    // clang-format on
    drawPanel(100, 300, 300, 30, false);
    expectPixels({{393, 310, tile(FILL)}, // the last whole tile
                  {399, 310, tile(FILL)}, // the right strip beside the whole tiles
                  {399, 329, tile(FILL)}, // the last corner
                  {400, 310, tile(RIGHT)},
                  {399, 330, tile(BOTTOM)}});
}

TEST_F(WidgetTest, HighlightedPanelUsesTheSecondRowAndAMissingSheetDrawsNothing) {
    drawPanel(100, 100, 21, 21, true);
    expectPixels({{79, 79, tile(TL, true)}, {110, 110, tile(FILL, true)}});
    replaceSurface(buttonImage, nullptr);
    drawPanel(300, 300, 50, 50, true);
    expectPixels({{310, 310, BLACK}});
}

// Interior (100, 100) 50 x 20: hovered from x 87 to 162 and y 87 to 132.
TEST(ButtonBehavior, HoverReachesThirteenPixelsPastTheInteriorOnEachSide) {
    const struct {
        int x, y;
        bool hovered;
    } cases[] = {{87, 110, true}, {86, 110, false}, {162, 110, true}, {163, 110, false},
                 {120, 87, true}, {120, 86, false}, {120, 132, true}, {120, 133, false}};
    for (const auto& c : cases) {
        pointAt(c.x, c.y, KEY_UP);
        EXPECT_EQ(buttonBehavior(100, 100, 50, 20).hovered, c.hovered) << c.x << ", " << c.y;
    }
}

TEST(ButtonBehavior, OnlyTheFrameOfTheLeftPressClicks) {
    const struct {
        int x;
        uint32_t left, right;
        bool clicked;
    } cases[] = {{120, KEY_PRESSED, KEY_UP, true},
                 {120, KEY_HELD, KEY_UP, false},
                 {120, KEY_UP, KEY_UP, false},
                 {300, KEY_PRESSED, KEY_UP, false},
                 {120, KEY_UP, KEY_PRESSED, false}};
    for (const auto& c : cases) {
        pointAt(c.x, 110, c.left);
        mouseButtonStates[SDL_BUTTON_RIGHT] = c.right;
        EXPECT_EQ(buttonBehavior(100, 100, 50, 20).clicked, c.clicked) << c.x << " " << c.left;
    }
}

TEST_F(WidgetTest, ButtonHighlightsWhileHoveredAndCentresItsLabel) {
    pointAt(0, 0, KEY_UP);
    EXPECT_FALSE(button(320, 260, 300, 30, "two player")); // label 110 wide, from 265
    expectPixels({{265, 250, sheetCellColour('t' - 32)},
                  {264, 250, tile(FILL)},
                  {364, 270, sheetCellColour('r' - 32)},
                  {320, 249, tile(FILL)}});
    pointAt(200, 260, KEY_HELD);
    EXPECT_FALSE(button(320, 260, 300, 30, ""));
    expectPixels({{200, 260, tile(FILL, true)}});
}
