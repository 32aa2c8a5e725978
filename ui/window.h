// The window the game is shown in. Every Part draws into `screen`, 640x480 in
// the display's format. Where the window is exactly that size, `screen` is
// the window itself, as it always was. Otherwise `screen` is a surface of its
// own that presentFrame shows at a whole scale k: each game pixel a k x k
// block, centred, with black around it (and cropped, at k = 1, in a window
// smaller than the game).
#pragma once

#include <SDL.h>

#include <cstdint>

// --- Window and layout --------------------------------------------------------------
extern SDL_Surface* windowSurface;        // SDL's video surface; == screen when k = 1 fills it
extern int gameScale;                     // k: each game pixel shows as a k x k block
extern int gameLeft, gameTop;             // the game's top-left in the window; negative if cropped
extern bool windowFullscreen;             // fullscreen at the desktop's size
extern int windowedWidth, windowedHeight; // the window's size when not fullscreen
extern int desktopWidth, desktopHeight;   // 0 when SDL could not tell
extern bool windowHidden;                 // iconified or unmapped: nothing is drawn or shown

// --- Limits ---------------------------------------------------------------------------
// SDL 1.2 keeps a surface's row length in 16 bits: 16383 pixels of 4 bytes.
constexpr int MAX_WINDOW_SIDE = 16383;
// Where mouseX and mouseY stand while the pointer is over the margin: far
// enough out that no button's hot area and no part of the 96-pixel pointer reach.
constexpr int32_t POINTER_OUTSIDE = -10000;

// SDL_SetVideoMode unless a test puts another in its place.
extern SDL_Surface* (*setVideoMode)(int width, int height, int bitsPerPixel, Uint32 flags);

// The largest k for which a 640k x 480k window fits within 90% of a desktop
// of this size, at least 1 (also for an unknown size, 0 x 0).
int startScale(int desktopW, int desktopH);

// The largest k for which the game fits a window of this size, at least 1.
int fittingScale(int windowW, int windowH);

// Reads the desktop's size, sets the game's icon and opens the window at the
// start scale. False when SDL gives no window. Called once by start-up,
// before any picture is loaded.
bool openWindow();

// Opens a resizable window of this size and depth (0: the display's) and
// lays the game out in it. Called by openWindow, and by tools and tests that
// want a window of their own size.
bool openWindowSized(int width, int height, int bitsPerPixel);

// Shows the window at this size (kept within 1..MAX_WINDOW_SIDE), or at the
// desktop's size fullscreen, and lays the game out in it. A mode SDL refuses
// leaves the window as it was; false then. Called for resize requests and the
// fullscreen toggle, once per frame at most.
bool showWindow(int width, int height, bool fullscreen);

// Turns fullscreen on or off; back in a window, it has its last size.
bool toggleFullscreen();

// Turns the pointer's window position into game pixels, or POINTER_OUTSIDE
// over the margin. Called by the frame pass right after updateInput.
void mapPointerToGame();
