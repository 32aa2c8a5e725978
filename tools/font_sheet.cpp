// The bitmap font sheet: DejaVu Sans Mono Bold rendered by FreeType into 95
// cells of 15x21, light ink with a dark anti-aliased rim so text reads on the
// field, the glass panels and the bars alike.
#include <string>

#include "glyph_raster.h"
#include "look.h"
#include "media_pictures.h"

static const int CELL_WIDTH = 15;
static const int CELL_HEIGHT = 21;
static const int FIRST_CHAR = 32;
static const int CHAR_COUNT = 95;

// The game advances the pen 11 pixels per character, so the glyphs (with
// their rim) must stay about 12 pixels wide and centred in the cell.
static const float FONT_PIXEL_SIZE = 16.0f;
// Row of the baseline: capitals centre on row 10 (the button label centre)
// and descenders with their rim end on the last row.
static const int BASELINE = 16;

static const Color INK_TOP = rgb(255, 251, 243);
static const Color INK_BOTTOM = rgb(246, 228, 200);
static const float RIM_OPACITY = 0.92f;

static void drawGlyphCell(Canvas& sheet, int index) {
    char c = static_cast<char>(FIRST_CHAR + index);
    float pen = (CELL_WIDTH - glyphAdvance(c, FONT_PIXEL_SIZE)) / 2.0f;
    CoverageMask mask =
        renderTextMask(std::string(1, c), FONT_PIXEL_SIZE, pen, BASELINE, CELL_WIDTH, CELL_HEIGHT);
    for (int y = 0; y < CELL_HEIGHT; ++y) {
        Color ink = mix(INK_TOP, INK_BOTTOM, smoothstep(4.0f, 17.0f, static_cast<float>(y)));
        for (int x = 0; x < CELL_WIDTH; ++x) {
            int sx = index * CELL_WIDTH + x;
            paint(sheet, sx, y, INK_DARK, rimCoverage(mask, x, y) * RIM_OPACITY);
            paint(sheet, sx, y, ink, mask.at(x, y));
        }
    }
}

Canvas makeFontSheet() {
    Canvas sheet = makeCanvas(CELL_WIDTH * CHAR_COUNT, CELL_HEIGHT);
    for (int i = 1; i < CHAR_COUNT; ++i) // cell 0, the space, stays empty
        drawGlyphCell(sheet, i);
    return sheet;
}
