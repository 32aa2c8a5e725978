// The status bars: the date and 12-hour clock texts, and where the bars and
// texts land when the overlay is fully open, drawn from sheets made here.
#include "overlay/status_bars.h"

#include "overlay/driver.h"
#include "overlay/menu.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/theme.h"

#include <string>
#include <tuple>

// A day of 2026 with the given fields.
static tm makeTime(int month, int day, int weekday, int hour = 0, int min = 0, int sec = 0) {
    tm t{};
    t.tm_year = 126, t.tm_mon = month - 1, t.tm_mday = day, t.tm_wday = weekday;
    t.tm_hour = hour, t.tm_min = min, t.tm_sec = sec;
    return t;
}

static std::string text(void (*format)(const tm&, char*, size_t), const tm& t) {
    char out[64] = "junk";
    format(t, out, sizeof out);
    return out;
}

TEST(StatusBarsText, TwelveHourClock_dateReadsWeekdayMonthOrdinalAndYear) {
    const char* want[] = {"12:05:09 AM", "11:05:09 AM", "12:05:09 PM", "1:05:09 PM", "11:05:09 PM"};
    int i = 0;
    for (int hour : {0, 11, 12, 13, 23})
        EXPECT_EQ(text(formatTimeText, makeTime(1, 1, 4, hour, 5, 9)), want[i++]) << hour;

    for (const char* ordinal : {"1st", "2nd", "3rd", "11th", "12th", "13th", "21st", "22nd", "23rd",
                                "31st"}) // each names its own day
        EXPECT_EQ(text(formatDateText, makeTime(1, std::stoi(ordinal), 1)),
                  std::string("Monday January ") + ordinal + " 2026");
    EXPECT_EQ(text(formatDateText, makeTime(9, 30, 3)), "Wednesday September 30th 2026"); // longest
}

class StatusBarsTest : public HeadlessDisplayTest {};

//  Fully open; both texts' pens end at x 620, so the last 15-pixel cell at 623:
//   rows   0..60   top bar
//   row   18       "Saturday December 5th 2026" cells begin, from x 334
//   row   38       "9:05:00 AM" cells begin, from x 510
//   rows 419..479  bottom bar, credit cells from (20, 442)
TEST_F(StatusBarsTest, FullyOpenTextsSitInTheirPlaces) {
    const Rgb bar{0, 0, 128}, none{0, 0, 0};
    const auto glyph = [](char c) { return sheetCellColour(c - 32); };
    loadTheme(); // for the sheets' cell tables
    replaceSurface(fontImage, makeCellSheet(GLYPH_COUNT, 1, GLYPH_WIDTH, GLYPH_HEIGHT));
    replaceSurface(topBottomBorderImage, makeSolidSurface(SCREEN_WIDTH, 131, bar));
    overlayLocalTime = makeTime(12, 5, 6, 9, 5, 0);
    overlayTimeKnown = true;
    overlayAmount = OVERLAY_FULL;
    drawStatusBars();
    const Rgb S = glyph('S'), six = glyph('6'), nine = glyph('9'), M = glyph('M'),
              R = glyph(creditLine[0]);
    const std::tuple<int, int, Rgb> probes[] = {
        {5, 60, bar},   {5, 61, none},  {5, 418, none}, {5, 419, bar},   {334, 18, S},
        {334, 17, bar}, {623, 20, six}, {624, 20, bar}, {510, 58, nine}, {510, 59, bar},
        {623, 50, M},   {624, 50, bar}, {20, 442, R},   {20, 441, bar}};
    for (auto [x, y, colour] : probes)
        EXPECT_EQ(pixelAt(screen, x, y), colour) << x << "," << y;
}

// Halfway, the driver's frame draws both bars pushed out by barOffset (top up,
// bottom down) and over the menu: the bottom bar crosses the frame of "Save
// BMP screenshot". The backdrop under them is black (nothing was captured).
TEST_F(StatusBarsTest, HalfwayBothBarsSlideOutFromTheirEdgesAndLieOverTheMenu) {
    const Rgb bar{0, 0, 128}, none{0, 0, 0};
    loadTheme();
    replaceSurface(buttonImage,
                   makeCellSheet(BUTTON_COLUMNS, BUTTON_ROWS, BUTTON_TILE, BUTTON_TILE));
    replaceSurface(topBottomBorderImage, makeSolidSurface(SCREEN_WIDTH, 131, bar));
    overlayOpen = true;
    overlayAmount = 50.0;
    updateOverlay();
    ASSERT_TRUE(barOffset > 20 && barOffset < 40) << barOffset;
    const int bottomBar = 419 + barOffset, saveButtonFrameEnd = menuTop + 100 + 8 + 21;
    ASSERT_LT(bottomBar + 2, saveButtonFrameEnd);
    EXPECT_EQ(pixelAt(screen, 5, 60 - barOffset), bar);
    EXPECT_EQ(pixelAt(screen, 5, 61 - barOffset), none);
    EXPECT_EQ(pixelAt(screen, 5, bottomBar - 1), none);
    EXPECT_EQ(pixelAt(screen, 5, bottomBar), bar);
    EXPECT_EQ(pixelAt(screen, 200, bottomBar + 2), bar) << "the menu lies over the bar";
    EXPECT_NE(pixelAt(screen, 200, bottomBar - 2), none) << "no menu button there to cover";
}
