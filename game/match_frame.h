// One frame of the match: slide, balls, paddles, then drawing.
#pragma once

// Advances and draws the match. Called once per pass by the main loop, between
// the background and the border, only while the overlay is fully closed.
void runMatchFrame();
