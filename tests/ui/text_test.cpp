// Bitmap text, checked by which font cell lands on which pixel of a 32-bit
// test screen. The test font gives every cell its own flat colour.
#include "ui/text.h"

#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

namespace {

const Rgb BLACK{0, 0, 0};

Rgb cellOf(char c) {
    return sheetCellColour(c - 32);
}

class TextTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme(); // fills the cell tables
        replaceSurface(fontImage, makeCellSheet(GLYPH_COUNT, 1, GLYPH_WIDTH, GLYPH_HEIGHT));
        fillSurface(screen, BLACK);
    }
};

} // namespace

TEST(GlyphIndex, PrintableBytesMapToTheirCellOthersToTheSpace) {
    EXPECT_EQ(glyphIndex(' '), 0);
    EXPECT_EQ(glyphIndex('A'), 33);
    EXPECT_EQ(glyphIndex('~'), 94);
    for (int c : {0, 9, 10, 31, 127, 128, 0xe9, 255})
        EXPECT_EQ(glyphIndex(static_cast<unsigned char>(c)), 0) << "byte " << c;
}

TEST_F(TextTest, LeftAnchorStartsAtXAndLaterCellsOverlapEarlierOnes) {
    drawText(100, 50, "AB", TEXT_ALIGN_LEFT);
    EXPECT_EQ(pixelAt(screen, 99, 50), BLACK);
    EXPECT_EQ(pixelAt(screen, 100, 50), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 110, 70), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 111, 50), cellOf('B')); // B covers A's last 4 columns
    EXPECT_EQ(pixelAt(screen, 114, 50), cellOf('B'));
    EXPECT_EQ(pixelAt(screen, 125, 70), cellOf('B'));
    EXPECT_EQ(pixelAt(screen, 126, 50), BLACK);
    EXPECT_EQ(pixelAt(screen, 100, 49), BLACK);
    EXPECT_EQ(pixelAt(screen, 100, 71), BLACK);
}

TEST_F(TextTest, CentreAnchorTakesHalfTheWidthTowardZero) {
    drawText(320, 10, "ABC", TEXT_ALIGN_CENTER); // 33 wide: starts at 304, not 303
    EXPECT_EQ(pixelAt(screen, 303, 10), BLACK);
    EXPECT_EQ(pixelAt(screen, 304, 10), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 326, 10), cellOf('C'));

    drawText(0, 100, "A", TEXT_ALIGN_CENTER); // starts at -5, clipped by SDL
    EXPECT_EQ(pixelAt(screen, 0, 100), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 9, 100), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 10, 100), BLACK);
}

TEST_F(TextTest, RightAnchorEndsTheAdvanceAtX) {
    drawText(620, 200, "AB", TEXT_ALIGN_RIGHT);
    EXPECT_EQ(pixelAt(screen, 597, 200), BLACK);
    EXPECT_EQ(pixelAt(screen, 598, 200), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 609, 200), cellOf('B'));
    EXPECT_EQ(pixelAt(screen, 623, 200), cellOf('B')); // the last cell reaches 4 past x
}

TEST_F(TextTest, ControlAndHighBytesDrawTheSpaceCellAndStillAdvance) {
    drawText(0, 300,
             "\t\n\xe9"
             "Z",
             TEXT_ALIGN_LEFT);
    EXPECT_EQ(pixelAt(screen, 0, 300), cellOf(' '));
    EXPECT_EQ(pixelAt(screen, 11, 300), cellOf(' '));
    EXPECT_EQ(pixelAt(screen, 22, 300), cellOf(' '));
    EXPECT_EQ(pixelAt(screen, 33, 300), cellOf('Z'));
}

TEST_F(TextTest, EmptyTextAndMissingFontDrawNothing) {
    drawText(100, 100, "", TEXT_ALIGN_CENTER);
    replaceSurface(fontImage, nullptr);
    drawText(100, 100, "Hello", TEXT_ALIGN_LEFT);
    for (int x = 90; x < 160; ++x)
        ASSERT_EQ(pixelAt(screen, x, 110), BLACK) << "x " << x;
}

TEST_F(TextTest, SheetSmallerThanItsTableDrawsOnlyWhatExists) {
    replaceSurface(fontImage,
                   makeCellSheet(34, 1, GLYPH_WIDTH, GLYPH_HEIGHT - 6)); // up to 'A', 15 rows
    drawText(10, 10, "A~", TEXT_ALIGN_LEFT);
    EXPECT_EQ(pixelAt(screen, 10, 24), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 10, 25), BLACK); // below the short sheet
    EXPECT_EQ(pixelAt(screen, 26, 10), BLACK); // '~' lies past the sheet's end
}
