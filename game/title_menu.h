// The title menu: the two buttons that start a match.
#pragma once

// Draws the "single player" and "two player" buttons and starts a match on a
// click. Called once per frame by the main loop while screenState is
// SCREEN_TITLE and the overlay is closed.
void runTitleMenu();
