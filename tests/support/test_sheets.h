// Picture sheets made by tests: every cell a flat colour of its own, so that
// the pixels a drawing routine leaves on the test screen tell which cell of
// the sheet landed where.
#pragma once

#include "support/headless_display.h"

// The colour of cell (column, row); never black, distinct for every cell of
// a sheet up to 128 columns and 2 rows.
Rgb sheetCellColour(int column, int row = 0);

// An opaque sheet in the display's format of columns x rows cells of
// cellW x cellH, each filled with sheetCellColour.
SDL_Surface* makeCellSheet(int columns, int rows, int cellW, int cellH);

// Frees what `handle` holds and puts `replacement` in its place, so that tests
// swapping a loaded picture for a test sheet leak nothing.
void replaceSurface(SDL_Surface*& handle, SDL_Surface* replacement);

// Fixture: a black 32-bit screen with the theme's font, tile and cursor
// sheets replaced by cell sheets of the same layout.
class SheetScreenTest : public HeadlessDisplayTest {
  protected:
    void SetUp() override;
};
