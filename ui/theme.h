// The interface theme: picture sheets, their cell tables and the two
// screen-sized work surfaces of the pause overlay.
#pragma once

#include <SDL.h>

// --- Sheet layouts ------------------------------------------------------------
constexpr int GLYPH_COUNT = 95; // space (32) to tilde (126)
constexpr int GLYPH_WIDTH = 15;
constexpr int GLYPH_HEIGHT = 21;
constexpr int BUTTON_TILE = 21; // panel tiles are square
constexpr int BUTTON_ROWS = 2;  // row 0 normal, row 1 highlighted
constexpr int BUTTON_COLUMNS = 9;
constexpr int CURSOR_FRAME_COUNT = 16;
constexpr int CURSOR_FRAME_SIZE = 96;

// --- Theme pictures (empty when a file failed to load) ------------------------
extern SDL_Surface* fontImage;            // Media/Plinth/Font.png
extern SDL_Surface* buttonImage;          // Media/Plinth/Button.png
extern SDL_Surface* topBottomBorderImage; // Media/Plinth/TopBottomBorder.png, cyan keyed
extern SDL_Surface* cursorImage;          // Media/Plinth/Cursor.png

// --- Overlay work surfaces, display format, 640x480 ---------------------------
extern SDL_Surface* snapshotSurface; // the frame frozen when the overlay opens
extern SDL_Surface* backdropSurface; // its blurred, washed-out copy

// --- Cell tables ----------------------------------------------------------------
extern SDL_Rect glyphRects[GLYPH_COUNT];                  // cell i is character 32 + i
extern SDL_Rect buttonCells[BUTTON_ROWS][BUTTON_COLUMNS]; // [row][column role]
extern SDL_Rect cursorFrames[CURSOR_FRAME_COUNT];         // the pointer uses frame 3

// Creates the work surfaces, loads the theme pictures (the mute mark's too)
// and fills the cell tables. Called once by start-up, after the video mode is
// set and the game world is loaded.
void loadTheme();
