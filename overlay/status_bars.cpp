// The overlay's two bars: the top one with the long date and a 12-hour clock
// right-aligned at x 620, the bottom one with the credit line. Both slide in
// from the screen edges together by barOffset.
#include "overlay/status_bars.h"

#include "overlay/save_message.h"
#include "overlay/state.h"
#include "ui/display.h"
#include "ui/text.h"
#include "ui/theme.h"

#include <cstdio>

const char* const WEEKDAY_NAMES[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                      "Thursday", "Friday", "Saturday"};
const char* const MONTH_NAMES[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};
const char* const DAY_ORDINALS[32] = {
    "",     "1st",  "2nd",  "3rd",  "4th",  "5th",  "6th",  "7th",  "8th",  "9th",  "10th",
    "11th", "12th", "13th", "14th", "15th", "16th", "17th", "18th", "19th", "20th", "21st",
    "22nd", "23rd", "24th", "25th", "26th", "27th", "28th", "29th", "30th", "31st"};
const char* const creditLine = "Rored by the Rored team";

int barOffset = 0;

namespace {
constexpr int TEXT_RIGHT = 620;  // where the date and time end
constexpr int DATE_TOP = 18;     // fully open
constexpr int TIME_TOP = 38;     // fully open
constexpr int TOP_BAR_TOP = -70; // the picture's rows from 70 down show at the top
constexpr int BOTTOM_BAR_TOP = 419;
constexpr int CREDIT_LEFT = 20;
constexpr int CREDIT_TOP = 442;
constexpr int TEXT_BUFFER = 64; // the longest date is 29 characters

bool within(int value, int low, int high) {
    return value >= low && value <= high;
}
} // namespace

void formatDateText(const tm& time, char* out, size_t size) {
    // A field outside its table means the time is not really known.
    if (!within(time.tm_wday, 0, 6) || !within(time.tm_mon, 0, 11) || !within(time.tm_mday, 1, 31))
        std::snprintf(out, size, "%s", "");
    else
        std::snprintf(out, size, "%s %s %s %lld", WEEKDAY_NAMES[time.tm_wday],
                      MONTH_NAMES[time.tm_mon], DAY_ORDINALS[time.tm_mday],
                      static_cast<long long>(time.tm_year) + 1900);
}

// 12-hour clock: hour 0 shows as 12 AM, 12 as 12 PM, 13 as 1 PM; minutes and
// seconds always have two digits, the hour never has a leading zero.
void formatTimeText(const tm& time, char* out, size_t size) {
    // Second 60 is a leap second, which the conversion may report.
    const int h = time.tm_hour;
    if (!within(h, 0, 23) || !within(time.tm_min, 0, 59) || !within(time.tm_sec, 0, 60))
        std::snprintf(out, size, "%s", "");
    else
        std::snprintf(out, size, "%d:%02d:%02d %s", h > 12 ? h - 12 : (h == 0 ? 12 : h),
                      time.tm_min, time.tm_sec, h <= 11 ? "AM" : "PM");
}

void drawStatusBars() {
    barOffset = overlaySlide(61, 0);
    // Top bar with the date and the clock
    blitAt(topBottomBorderImage, nullptr, 0, TOP_BAR_TOP - barOffset);
    if (overlayTimeKnown) {
        char text[TEXT_BUFFER];
        formatDateText(overlayLocalTime, text, sizeof text);
        drawText(TEXT_RIGHT, DATE_TOP - barOffset, text, TEXT_ALIGN_RIGHT);
        formatTimeText(overlayLocalTime, text, sizeof text);
        drawText(TEXT_RIGHT, TIME_TOP - barOffset, text, TEXT_ALIGN_RIGHT);
    }
    // Bottom bar with the credit, or for a few seconds what a save came to
    blitAt(topBottomBorderImage, nullptr, 0, BOTTOM_BAR_TOP + barOffset);
    drawText(CREDIT_LEFT, CREDIT_TOP + barOffset, bottomBarText(), TEXT_ALIGN_LEFT);
}
