// Framed panels, checked on the pixels of a 32-bit test screen with a tile
// sheet whose 18 tiles each have their own colour.
#include "ui/panel.h"

#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

namespace {

const Rgb BLACK{0, 0, 0};
enum { TL, BL, TR, BR, BOTTOM, RIGHT, TOP, LEFT, FILL };

Rgb tile(int column, bool highlighted = false) {
    return sheetCellColour(column, highlighted);
}

class PanelTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        replaceSurface(buttonImage,
                       makeCellSheet(BUTTON_COLUMNS, BUTTON_ROWS, BUTTON_TILE, BUTTON_TILE));
        fillSurface(screen, BLACK);
    }
};

} // namespace

//   x-21   x         x+w    x+w+21
//    +-----+---------+------+
//    | TL  |  TOP    |  TR  |  y-21
//    | LEFT|  FILL   | RIGHT|  y
//    | BL  |  BOTTOM |  BR  |  y+h
TEST_F(PanelTest, MultiplesOfTheTileSizeHaveNoCutPieces) {
    drawPanel(100, 100, 42, 21, false);
    EXPECT_EQ(pixelAt(screen, 79, 79), tile(TL));
    EXPECT_EQ(pixelAt(screen, 78, 79), BLACK);
    EXPECT_EQ(pixelAt(screen, 79, 78), BLACK);
    EXPECT_EQ(pixelAt(screen, 100, 99), tile(TOP));
    EXPECT_EQ(pixelAt(screen, 141, 99), tile(TOP));
    EXPECT_EQ(pixelAt(screen, 142, 99), tile(TR));
    EXPECT_EQ(pixelAt(screen, 162, 79), tile(TR));
    EXPECT_EQ(pixelAt(screen, 163, 79), BLACK);
    EXPECT_EQ(pixelAt(screen, 99, 110), tile(LEFT));
    EXPECT_EQ(pixelAt(screen, 100, 100), tile(FILL));
    EXPECT_EQ(pixelAt(screen, 141, 120), tile(FILL));
    EXPECT_EQ(pixelAt(screen, 142, 120), tile(RIGHT));
    EXPECT_EQ(pixelAt(screen, 120, 121), tile(BOTTOM));
    EXPECT_EQ(pixelAt(screen, 79, 141), tile(BL));
    EXPECT_EQ(pixelAt(screen, 162, 141), tile(BR));
    EXPECT_EQ(pixelAt(screen, 162, 142), BLACK);
}

TEST_F(PanelTest, HighlightedPanelDrawsFromTheSecondRow) {
    drawPanel(100, 100, 21, 21, true);
    EXPECT_EQ(pixelAt(screen, 79, 79), tile(TL, true));
    EXPECT_EQ(pixelAt(screen, 110, 110), tile(FILL, true));
    EXPECT_EQ(pixelAt(screen, 130, 130), tile(BR, true));
}

// The "back" button's panel: interior 80 x 5 at (510, 448).
TEST_F(PanelTest, RemaindersAreCutFromTheTopLeftOfTheirTiles) {
    drawPanel(510, 448, 80, 5, false);
    // Vertically: 21 frame + 5 interior + 21 frame = 47 rows, from 427 to 473.
    EXPECT_EQ(pixelAt(screen, 520, 426), BLACK);
    EXPECT_EQ(pixelAt(screen, 520, 427), tile(TOP));
    EXPECT_EQ(pixelAt(screen, 520, 448), tile(FILL));
    EXPECT_EQ(pixelAt(screen, 520, 452), tile(FILL));
    EXPECT_EQ(pixelAt(screen, 520, 453), tile(BOTTOM));
    EXPECT_EQ(pixelAt(screen, 520, 473), tile(BOTTOM));
    EXPECT_EQ(pixelAt(screen, 520, 474), BLACK);
    // Horizontally: three whole tiles and a 17-pixel piece, then the right edge.
    EXPECT_EQ(pixelAt(screen, 489, 450), tile(LEFT));
    EXPECT_EQ(pixelAt(screen, 488, 450), BLACK);
    EXPECT_EQ(pixelAt(screen, 589, 450), tile(FILL));
    EXPECT_EQ(pixelAt(screen, 589, 427), tile(TOP));
    EXPECT_EQ(pixelAt(screen, 590, 427), tile(TR));
    EXPECT_EQ(pixelAt(screen, 590, 450), tile(RIGHT));
    EXPECT_EQ(pixelAt(screen, 610, 452), tile(RIGHT));
    EXPECT_EQ(pixelAt(screen, 610, 453), tile(BR));
    EXPECT_EQ(pixelAt(screen, 611, 450), BLACK);
}

TEST_F(PanelTest, EmptyInteriorLeavesOnlyTheFourCorners) {
    drawPanel(200, 200, 0, 0, false);
    EXPECT_EQ(pixelAt(screen, 179, 179), tile(TL));
    EXPECT_EQ(pixelAt(screen, 200, 179), tile(TR));
    EXPECT_EQ(pixelAt(screen, 179, 200), tile(BL));
    EXPECT_EQ(pixelAt(screen, 220, 220), tile(BR));
    EXPECT_EQ(pixelAt(screen, 221, 221), BLACK);
}

TEST_F(PanelTest, PanelsPastTheScreenEdgesAreClippedAndMissingSheetDrawsNothing) {
    drawPanel(-30, 470, 100, 40, false);
    EXPECT_EQ(pixelAt(screen, 0, 470), tile(FILL));
    EXPECT_EQ(pixelAt(screen, 0, 449), tile(TOP));
    replaceSurface(buttonImage, nullptr);
    fillSurface(screen, BLACK);
    drawPanel(100, 100, 50, 50, true);
    EXPECT_EQ(pixelAt(screen, 110, 110), BLACK);
}
