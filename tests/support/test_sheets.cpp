// Test sheets with a flat colour per cell.
#include "support/test_sheets.h"

Rgb sheetCellColour(int column, int row) {
    return Rgb{static_cast<uint8_t>(40 + column * 3 % 200), static_cast<uint8_t>(20 + row * 200),
               static_cast<uint8_t>(255 - column)};
}

SDL_Surface* makeCellSheet(int columns, int rows, int cellW, int cellH) {
    SDL_Surface* sheet = makeSolidSurface(columns * cellW, rows * cellH, Rgb{0, 0, 0});
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            SDL_Rect area;
            area.x = static_cast<Sint16>(c * cellW);
            area.y = static_cast<Sint16>(r * cellH);
            area.w = static_cast<Uint16>(cellW);
            area.h = static_cast<Uint16>(cellH);
            const Rgb colour = sheetCellColour(c, r);
            SDL_FillRect(sheet, &area, SDL_MapRGB(sheet->format, colour.r, colour.g, colour.b));
        }
    return sheet;
}

void replaceSurface(SDL_Surface*& handle, SDL_Surface* replacement) {
    SDL_FreeSurface(handle);
    handle = replacement;
}
