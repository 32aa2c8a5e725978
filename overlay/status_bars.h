// The overlay's top bar (long date and 12-hour clock) and bottom bar (credit).
#pragma once

#include <cstddef>
#include <ctime>

// --- Name tables ------------------------------------------------------------------
extern const char* const WEEKDAY_NAMES[7]; // 0 = Sunday
extern const char* const MONTH_NAMES[12];  // 0 = January
extern const char* const DAY_ORDINALS[32]; // entry 0 unused
extern const char* const creditLine;       // the bottom bar's text

extern int barOffset; // pixels both bars are pushed out of the screen, 61..0

// "Saturday December 5th 2026" into `out` (always terminated).
void formatDateText(const tm& time, char* out, size_t size);
// "9:05:00 AM" into `out` (always terminated).
void formatTimeText(const tm& time, char* out, size_t size);

// Draws both bars at the current slide. Called by updateOverlay while the
// overlay shows, after the menu, with overlayLocalTime refreshed.
void drawStatusBars();
