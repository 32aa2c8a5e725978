// Loads the interface theme and cuts its sheets into cells.
#include "ui/theme.h"

#include "ui/display.h"
#include "ui/image_loaders.h"
#include "ui/mute_mark.h"

SDL_Surface* fontImage;
SDL_Surface* buttonImage;
SDL_Surface* topBottomBorderImage;
SDL_Surface* cursorImage;

SDL_Surface* snapshotSurface;
SDL_Surface* backdropSurface;

SDL_Rect glyphRects[GLYPH_COUNT];
SDL_Rect buttonCells[BUTTON_ROWS][BUTTON_COLUMNS];
SDL_Rect cursorFrames[CURSOR_FRAME_COUNT];

namespace {

SDL_Rect cell(int x, int y, int w, int h) {
    SDL_Rect r;
    r.x = static_cast<Sint16>(x);
    r.y = static_cast<Sint16>(y);
    r.w = static_cast<Uint16>(w);
    r.h = static_cast<Uint16>(h);
    return r;
}

} // namespace

void loadTheme() {
    // Work surfaces first: display-format copies of the 640x480 screen.
    snapshotSurface = screen ? SDL_DisplayFormat(screen) : nullptr;
    backdropSurface = screen ? SDL_DisplayFormat(screen) : nullptr;

    fontImage = loadAlphaImage("Media/Plinth/Font.png");
    buttonImage = loadAlphaImage("Media/Plinth/Button.png");
    topBottomBorderImage = loadColorKeyedImage("Media/Plinth/TopBottomBorder.png");
    cursorImage = loadAlphaImage("Media/Plinth/Cursor.png");
    muteMarkImage = loadAlphaImage("Media/Plinth/Mute.png");

    // Tables are filled whatever the sheets hold; SDL clips a cell that
    // reaches past a smaller sheet to the part that exists.
    for (int i = 0; i < GLYPH_COUNT; ++i)
        glyphRects[i] = cell(GLYPH_WIDTH * i, 0, GLYPH_WIDTH, GLYPH_HEIGHT);
    for (int r = 0; r < BUTTON_ROWS; ++r)
        for (int c = 0; c < BUTTON_COLUMNS; ++c)
            buttonCells[r][c] = cell(BUTTON_TILE * c, BUTTON_TILE * r, BUTTON_TILE, BUTTON_TILE);
    for (int i = 0; i < CURSOR_FRAME_COUNT; ++i)
        cursorFrames[i] = cell(CURSOR_FRAME_SIZE * i, 0, CURSOR_FRAME_SIZE, CURSOR_FRAME_SIZE);
}
