// Text in the fixed-cell bitmap font: one 15x21 cell per printable ASCII
// character, the pen moving 11 pixels so that neighbouring cells overlap.
#pragma once

#include <cstdint>

constexpr int GLYPH_ADVANCE = 11;

// Anchors: where x lies on the string's width.
constexpr int TEXT_ALIGN_LEFT = 1;
constexpr int TEXT_ALIGN_CENTER = 2;
constexpr int TEXT_ALIGN_RIGHT = 3;

// Cell index 0..94 of a byte; bytes outside 32..126 draw as a space.
int glyphIndex(unsigned char c);

// Draws a zero-terminated string onto `screen` with the cells' top edge at y,
// anchored at x. Used by buttons, the overlay bars and the match scores.
void drawText(int x, int y, const char* text, int align);
