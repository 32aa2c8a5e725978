// What the last press of "Save BMP screenshot" came to, shown for a few
// seconds in the overlay's bottom bar in place of the credit line.
#pragma once

#include "overlay/screenshot.h"

#include <SDL.h>

#include <cstddef>

constexpr Uint32 SAVE_MESSAGE_MS = 3000; // how long the message shows

// --- Save message ------------------------------------------------------------------
extern char saveMessage[64];      // "Saved screenshot3.bmp"; empty before the first save
extern Uint32 saveMessageShownAt; // messageClock() when it was set
extern Uint32 (*messageClock)();  // SDL_GetTicks unless a tool or test sets another

// "Saved screenshot3.bmp", or "Screenshot not saved: " and the reason, into
// `out` (always terminated).
void formatSaveMessage(const ScreenshotResult& result, char* out, size_t size);

// Shows the message for `result` from now on. Called by saveScreenshot.
void showSaveMessage(const ScreenshotResult& result);

// The save message while it is fresh, else the credit line. Called by
// drawStatusBars for the bottom bar's text.
const char* bottomBarText();
