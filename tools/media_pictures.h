// The picture makers of make_media: each draws one file of Media/ (or the
// desktop icon) from code and returns it; make_media saves them. Sizes and layouts are fixed by the
// game's loaders and drawing code.
#pragma once

#include "raster.h"

// --- Interface theme (Media/Plinth) ---------------------------------------
// Called by make_media after openGlyphFace: 95 cells of 15x21, space to tilde.
Canvas makeFontSheet();
// Called by make_media: the 9x2 panel tiles of 21x21, normal and highlighted.
Canvas makeButtonSheet();
// Called by make_media after openGlyphFace: bottom bar rows 0-60, top bar
// rows 70-130, the rest transparent (saved colour-keyed).
Canvas makeStatusBars();
// Called by make_media: sixteen 96x96 pointer frames, aim point at the centre.
Canvas makeCursorSheet();
// Called by make_media: the 32x32 mark shown while sound is muted.
Canvas makeMuteMark();

// --- Game pictures (Media/Game) -------------------------------------------
// Called by make_media: the opaque 640x480 field under everything.
Canvas makeBackground();
// Called by make_media: the four walls, the field left fully transparent.
Canvas makeBorder();
// Called by make_media: the 44x44 ball, edge at radius 22 around (22, 22).
Canvas makeBall();
// Called by make_media: the 22x72 paddle of player 1 (left) or 2 (right).
Canvas makePaddle(int player);
// Called by make_media: the 200x28 score backing of player 1 or 2.
Canvas makeTextBacking(int player);

// --- Desktop icon (desktop/icons) -------------------------------------------
// The sizes desktops ask for in the hicolor theme, smallest first.
inline const int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};
constexpr int WINDOW_ICON_SIZE = 64; // big enough for a window switcher, small for old X11 hints
// Called by make_media once per size: the size x size icon of the game.
Canvas makeIcon(int size);
