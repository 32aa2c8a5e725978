// Test sheets with a flat colour per cell.
#include "support/test_sheets.h"

#include "ui/display.h"
#include "ui/theme.h"

Rgb sheetCellColour(int column, int row) {
    return Rgb{static_cast<uint8_t>(40 + column * 3 % 200), static_cast<uint8_t>(20 + row * 200),
               static_cast<uint8_t>(255 - column)};
}

SDL_Surface* makeCellSheet(int columns, int rows, int cellW, int cellH) {
    SDL_Surface* sheet = makeSolidSurface(columns * cellW, rows * cellH, Rgb{0, 0, 0});
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            SDL_Rect area{Sint16(c * cellW), Sint16(r * cellH), Uint16(cellW), Uint16(cellH)};
            const Rgb colour = sheetCellColour(c, r);
            SDL_FillRect(sheet, &area, SDL_MapRGB(sheet->format, colour.r, colour.g, colour.b));
        }
    return sheet;
}

void replaceSurface(SDL_Surface*& handle, SDL_Surface* replacement) {
    SDL_FreeSurface(handle);
    handle = replacement;
}

void SheetScreenTest::SetUp() {
    HeadlessDisplayTest::SetUp();
    loadTheme(); // the cell tables
    replaceSurface(fontImage, makeCellSheet(GLYPH_COUNT, 1, GLYPH_WIDTH, GLYPH_HEIGHT));
    replaceSurface(buttonImage,
                   makeCellSheet(BUTTON_COLUMNS, BUTTON_ROWS, BUTTON_TILE, BUTTON_TILE));
    replaceSurface(cursorImage,
                   makeCellSheet(CURSOR_FRAME_COUNT, 1, CURSOR_FRAME_SIZE, CURSOR_FRAME_SIZE));
    fillSurface(screen, Rgb{0, 0, 0});
}
