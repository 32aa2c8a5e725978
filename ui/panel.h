// Framed panels built from the 21x21 tiles of the button sheet. The panel is
// described by its interior; the frame tiles lie outside it.
#pragma once

// Draws the framed panel around the interior (x, y, width, height) from the
// normal or highlighted row of tiles. Called by `button`.
void drawPanel(int x, int y, int width, int height, bool highlighted);
