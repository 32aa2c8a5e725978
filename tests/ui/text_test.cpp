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

using TextTest = SheetScreenTest;

} // namespace

// Each case draws one string and names the first and last pixel columns it
// must cover (cells are 15 wide, the pen moves 11, so later cells overlap).
TEST_F(TextTest, AnchorsPlaceTheFirstCellAndTheHalfWidthIsTakenTowardZero) {
    const struct {
        int x;
        const char* text;
        int align, firstX, lastX;
        char first, last;
    } cases[] = {
        {100, "AB", TEXT_ALIGN_LEFT, 100, 125, 'A', 'B'},
        {320, "ABC", TEXT_ALIGN_CENTER, 304, 340, 'A', 'C'}, // half of 33 is 16
        {620, "AB", TEXT_ALIGN_RIGHT, 598, 623, 'A', 'B'},
        {0, "A", TEXT_ALIGN_CENTER, 0, 9, 'A', 'A'}, // starts at -5, clipped
    };
    int y = 0;
    for (const auto& c : cases) {
        drawText(c.x, y, c.text, c.align);
        EXPECT_EQ(pixelAt(screen, c.firstX, y), cellOf(c.first)) << c.text;
        EXPECT_EQ(pixelAt(screen, c.lastX, y + 20), cellOf(c.last)) << c.text;
        if (c.firstX > 0) {
            EXPECT_EQ(pixelAt(screen, c.firstX - 1, y), BLACK) << c.text;
        }
        EXPECT_EQ(pixelAt(screen, c.lastX + 1, y), BLACK) << c.text;
        EXPECT_EQ(pixelAt(screen, c.firstX, y + 21), BLACK) << c.text;
        y += 30;
    }
    // The later cell is blended over the earlier one where they overlap.
    EXPECT_EQ(pixelAt(screen, 111, 0), cellOf('B'));
    EXPECT_EQ(pixelAt(screen, 110, 0), cellOf('A'));
}

TEST_F(TextTest, ControlAndHighBytesDrawTheSpaceCellAndStillAdvance) {
    drawText(0, 300, "\t\n\xe9Z", TEXT_ALIGN_LEFT);
    for (int x : {0, 11, 22})
        EXPECT_EQ(pixelAt(screen, x, 300), cellOf(' ')) << x;
    EXPECT_EQ(pixelAt(screen, 33, 300), cellOf('Z'));
}

TEST_F(TextTest, MissingFontAndShortSheetDrawOnlyWhatExists) {
    replaceSurface(fontImage, makeCellSheet(34, 1, GLYPH_WIDTH, GLYPH_HEIGHT - 6)); // to 'A'
    drawText(10, 10, "A~", TEXT_ALIGN_LEFT);
    EXPECT_EQ(pixelAt(screen, 10, 24), cellOf('A'));
    EXPECT_EQ(pixelAt(screen, 10, 25), BLACK); // below the short sheet
    EXPECT_EQ(pixelAt(screen, 26, 10), BLACK); // '~' lies past the sheet's end
    replaceSurface(fontImage, nullptr);
    drawText(200, 200, "Hello", TEXT_ALIGN_LEFT);
    EXPECT_EQ(pixelAt(screen, 205, 205), BLACK);
}
