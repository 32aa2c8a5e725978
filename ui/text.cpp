// Bitmap text: one blit per byte from the font sheet, the pen moving
// GLYPH_ADVANCE pixels so each cell is blended over the previous one.
#include "ui/text.h"

#include "ui/display.h"
#include "ui/theme.h"

#include <cstring>

int glyphIndex(unsigned char c) {
    if (c >= 32 && c <= 126)
        return c - 32;
    return 0; // control characters and bytes from 127 up draw as a space
}

void drawText(int x, int y, const char* text, int align) {
    const int n = static_cast<int>(std::strlen(text));

    // Anchor: the half width is taken toward zero, so odd widths lean left.
    int pen = x;
    if (align == TEXT_ALIGN_CENTER)
        pen = x - (GLYPH_ADVANCE * n) / 2;
    else if (align == TEXT_ALIGN_RIGHT)
        pen = x - GLYPH_ADVANCE * n;

    for (int i = 0; i < n; ++i) {
        blitAt(fontImage, &glyphRects[glyphIndex(static_cast<unsigned char>(text[i]))], pen, y);
        pen += GLYPH_ADVANCE;
    }
}
