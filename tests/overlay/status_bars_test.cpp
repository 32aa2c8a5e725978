// The status bars: date and 12-hour clock texts, and where the bars and texts
// land on the screen as the overlay slides, drawn from sheets made here.
#include "overlay/status_bars.h"

#include "overlay/driver.h"
#include "support/test_sheets.h"
#include "ui/display.h"
#include "ui/text.h"
#include "ui/theme.h"

#include <cstring>
#include <string>

namespace {

tm makeTime(int year, int month, int day, int weekday, int hour = 0, int minute = 0,
            int second = 0) {
    tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_wday = weekday;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

std::string dateText(const tm& t) {
    char out[64];
    std::memset(out, 'x', sizeof out);
    formatDateText(t, out, sizeof out);
    return out;
}

std::string timeText(int hour, int minute, int second) {
    tm t = makeTime(2026, 1, 1, 4, hour, minute, second);
    char out[64];
    std::memset(out, 'x', sizeof out);
    formatTimeText(t, out, sizeof out);
    return out;
}

const Rgb BACKGROUND{0, 0, 0};
const Rgb BAR_BOTTOM_ROWS{0, 128, 0}; // picture rows 0..60, shown by the bottom bar
const Rgb BAR_MIDDLE_ROWS{0, 64, 64}; // rows 61..69, shown by neither bar when open
const Rgb BAR_TOP_ROWS{0, 0, 128};    // rows 70..130, shown by the top bar

Rgb glyphColour(char c) {
    return sheetCellColour(c - 32);
}

class StatusBarsTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadTheme();
        SDL_FreeSurface(fontImage);
        SDL_FreeSurface(topBottomBorderImage);
        fontImage = makeCellSheet(GLYPH_COUNT, 1, GLYPH_WIDTH, GLYPH_HEIGHT);
        topBottomBorderImage = makeSolidSurface(SCREEN_WIDTH, 131, BAR_BOTTOM_ROWS);
        fillRows(topBottomBorderImage, 61, 9, BAR_MIDDLE_ROWS);
        fillRows(topBottomBorderImage, 70, 61, BAR_TOP_ROWS);
        fillSurface(screen, BACKGROUND);
        overlayLocalTime = makeTime(2026, 12, 5, 6, 9, 5, 0); // "9:05:00 AM"
        overlayTimeKnown = true;
    }
    static void fillRows(SDL_Surface* s, int top, int count, Rgb c) {
        SDL_Rect rows = {0, Sint16(top), Uint16(s->w), Uint16(count)};
        SDL_FillRect(s, &rows, SDL_MapRGB(s->format, c.r, c.g, c.b));
    }
};

} // namespace

TEST(StatusBarsText, DateReadsWeekdayMonthOrdinalAndYear) {
    EXPECT_EQ(dateText(makeTime(2026, 12, 5, 6)), "Saturday December 5th 2026");
    EXPECT_EQ(dateText(makeTime(2027, 1, 1, 5)), "Friday January 1st 2027");
    EXPECT_EQ(dateText(makeTime(2026, 5, 3, 0)), "Sunday May 3rd 2026");
}

TEST(StatusBarsText, LongestDateIs29Characters) {
    const std::string longest = dateText(makeTime(2026, 9, 30, 3));
    EXPECT_EQ(longest, "Wednesday September 30th 2026");
    EXPECT_EQ(longest.size(), 29u);
}

TEST(StatusBarsText, OrdinalsFollowEnglishUsage) {
    const struct {
        int day;
        const char* text;
    } cases[] = {{1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {11, "11th"},
                 {12, "12th"}, {13, "13th"}, {21, "21st"}, {22, "22nd"}, {23, "23rd"},
                 {24, "24th"}, {30, "30th"}, {31, "31st"}};
    for (const auto& c : cases) {
        EXPECT_STREQ(DAY_ORDINALS[c.day], c.text);
        EXPECT_EQ(dateText(makeTime(2026, 1, c.day, 1)),
                  std::string("Monday January ") + c.text + " 2026");
    }
}

TEST(StatusBarsText, FieldsOutsideTheTablesGiveAnEmptyDate) {
    EXPECT_EQ(dateText(makeTime(2026, 1, 1, 7)), "");
    EXPECT_EQ(dateText(makeTime(2026, 1, 1, -1)), "");
    EXPECT_EQ(dateText(makeTime(2026, 13, 1, 1)), "");
    EXPECT_EQ(dateText(makeTime(2026, 0, 1, 1)), "");
    EXPECT_EQ(dateText(makeTime(2026, 1, 0, 1)), "");
    EXPECT_EQ(dateText(makeTime(2026, 1, 32, 1)), "");
}

TEST(StatusBarsText, ClockShowsTwelveHoursWithoutLeadingZero) {
    EXPECT_EQ(timeText(0, 0, 0), "12:00:00 AM");
    EXPECT_EQ(timeText(9, 5, 0), "9:05:00 AM");
    EXPECT_EQ(timeText(11, 59, 59), "11:59:59 AM");
    EXPECT_EQ(timeText(12, 30, 0), "12:30:00 PM");
    EXPECT_EQ(timeText(13, 0, 7), "1:00:07 PM");
    EXPECT_EQ(timeText(23, 59, 59), "11:59:59 PM");
    EXPECT_EQ(timeText(10, 10, 10), "10:10:10 AM");
}

TEST(StatusBarsText, FieldsOutOfRangeGiveAnEmptyClock) {
    EXPECT_EQ(timeText(24, 0, 0), "");
    EXPECT_EQ(timeText(-1, 0, 0), "");
    EXPECT_EQ(timeText(10, 60, 0), "");
    EXPECT_EQ(timeText(10, -1, 0), "");
    EXPECT_EQ(timeText(10, 0, 61), "");
}

TEST(StatusBarsText, ShortBuffersStayTerminated) {
    char out[8];
    std::memset(out, 'x', sizeof out);
    formatDateText(makeTime(2026, 12, 5, 6), out, 5);
    EXPECT_STREQ(out, "Satu");
    EXPECT_EQ(out[5], 'x');
    formatTimeText(makeTime(2026, 1, 1, 1, 23, 0, 0), out, 3);
    EXPECT_STREQ(out, "11");
    formatTimeText(makeTime(2026, 1, 1, 1, 23, 0, 0), out, 0); // writes nothing at all
    EXPECT_STREQ(out, "11");
}

TEST(StatusBarsText, CreditFitsTheFont) {
    ASSERT_GT(std::strlen(creditLine), 0u);
    for (const char* c = creditLine; *c; ++c)
        EXPECT_TRUE(*c >= 32 && *c <= 126) << int(*c);
}

//  Fully open (x 620 is where both texts end):
//   row  0..60   top bar (picture rows 70..130)
//   row 18       date cells begin      "Saturday December 5th 2026" from x 334
//   row 38       time cells begin                       "9:05:00 AM" from x 510
//   row 419..479 bottom bar (picture rows 0..60), credit cells from (20, 442)
TEST_F(StatusBarsTest, FullyOpenBarsAndTextsSitInTheirPlaces) {
    overlayAmount = OVERLAY_FULL;
    drawStatusBars();
    EXPECT_EQ(barOffset, 0);
    EXPECT_EQ(pixelAt(screen, 5, 0), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 5, 60), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 5, 61), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 5, 418), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 5, 419), BAR_BOTTOM_ROWS);
    EXPECT_EQ(pixelAt(screen, 5, 479), BAR_BOTTOM_ROWS);

    // Date
    EXPECT_EQ(pixelAt(screen, 334, 18), glyphColour('S'));
    EXPECT_EQ(pixelAt(screen, 334, 17), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 333, 20), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 623, 20), glyphColour('6'));
    EXPECT_EQ(pixelAt(screen, 624, 20), BAR_TOP_ROWS);
    // Time, drawn after the date, so it covers the date's last row
    EXPECT_EQ(pixelAt(screen, 510, 38), glyphColour('9'));
    EXPECT_EQ(pixelAt(screen, 510, 58), glyphColour('9'));
    EXPECT_EQ(pixelAt(screen, 510, 59), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 509, 50), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 623, 50), glyphColour('M'));
    // Credit
    EXPECT_EQ(pixelAt(screen, 20, 442), glyphColour(creditLine[0]));
    EXPECT_EQ(pixelAt(screen, 19, 450), BAR_BOTTOM_ROWS);
    EXPECT_EQ(pixelAt(screen, 20, 441), BAR_BOTTOM_ROWS);
    const int creditEnd = 20 + 11 * int(std::strlen(creditLine)) + 3; // last cell's right edge
    EXPECT_EQ(pixelAt(screen, creditEnd, 450),
              glyphColour(creditLine[std::strlen(creditLine) - 1]));
    EXPECT_EQ(pixelAt(screen, creditEnd + 1, 450), BAR_BOTTOM_ROWS);
}

TEST_F(StatusBarsTest, LongerDateStartsFurtherLeftAndEndsAtTheSameEdge) {
    overlayLocalTime = makeTime(2026, 9, 30, 3, 23, 59, 59); // 29 and 11 characters
    overlayAmount = OVERLAY_FULL;
    drawStatusBars();
    EXPECT_EQ(pixelAt(screen, 301, 20), glyphColour('W'));
    EXPECT_EQ(pixelAt(screen, 300, 20), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 623, 20), glyphColour('6'));
    EXPECT_EQ(pixelAt(screen, 499, 50), glyphColour('1'));
    EXPECT_EQ(pixelAt(screen, 498, 50), BAR_TOP_ROWS);
}

TEST_F(StatusBarsTest, FirstOpeningFrameShowsOnlyTheBarsOuterFiveRows) {
    overlayAmount = 7.166666666666667;
    drawStatusBars();
    EXPECT_EQ(barOffset, 56);
    EXPECT_EQ(pixelAt(screen, 5, 4), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 5, 5), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 334, 0), BAR_TOP_ROWS); // the date is still above the screen
    EXPECT_EQ(pixelAt(screen, 5, 474), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 5, 475), BAR_BOTTOM_ROWS);
    EXPECT_EQ(pixelAt(screen, 20, 479), BAR_BOTTOM_ROWS); // the credit is still below
}

TEST_F(StatusBarsTest, HalfwayBothBarsAndTextsAreThirtyPixelsOut) {
    overlayAmount = 50.0;
    drawStatusBars();
    EXPECT_EQ(barOffset, 30); // 30.5
    EXPECT_EQ(pixelAt(screen, 5, 30), BAR_TOP_ROWS);
    EXPECT_EQ(pixelAt(screen, 5, 31), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 334, 0), glyphColour('S')); // date cells from row -12
    EXPECT_EQ(pixelAt(screen, 510, 8), glyphColour('9')); // time cells from row 8
    EXPECT_NE(pixelAt(screen, 510, 7), glyphColour('9'));
    EXPECT_EQ(pixelAt(screen, 5, 448), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 5, 449), BAR_BOTTOM_ROWS);
    EXPECT_EQ(pixelAt(screen, 20, 472), glyphColour(creditLine[0]));
    EXPECT_EQ(pixelAt(screen, 20, 471), BAR_BOTTOM_ROWS);
}

TEST_F(StatusBarsTest, LastClosingFrameShowsOneRowOfTheBottomBar) {
    overlayAmount = 0.31278684902408826;
    drawStatusBars();
    EXPECT_EQ(barOffset, 60);
    EXPECT_EQ(pixelAt(screen, 5, 478), BACKGROUND);
    EXPECT_EQ(pixelAt(screen, 5, 479), BAR_BOTTOM_ROWS);
    EXPECT_EQ(pixelAt(screen, 5, 0), BAR_TOP_ROWS); // top bar at -130: its last row
    EXPECT_EQ(pixelAt(screen, 5, 1), BACKGROUND);
}

TEST_F(StatusBarsTest, UnknownTimeLeavesTheBarsWithoutDateAndClock) {
    overlayTimeKnown = false;
    overlayAmount = OVERLAY_FULL;
    drawStatusBars();
    for (int x = 0; x < SCREEN_WIDTH; x += 7) {
        ASSERT_EQ(pixelAt(screen, x, 25), BAR_TOP_ROWS) << x;
        ASSERT_EQ(pixelAt(screen, x, 45), BAR_TOP_ROWS) << x;
    }
    EXPECT_EQ(pixelAt(screen, 20, 442), glyphColour(creditLine[0])); // the credit stays
}
