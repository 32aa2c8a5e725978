// The title menu and the serve that starts or restarts play.
#pragma once

#include "game/world.h"

enum class ServeDirection { Free, Leftward, Rightward };

// Appends a ball at the field's centre moving at 4 pixels per frame in a random
// direction; draws a random number even when the list is full and no ball is
// added. Used by the title menu and the match controls.
void serveBall(ServeDirection direction);

// Moves paddle 1, then paddle 2, with their parts to y 204, keeping x. Called
// by the title menu in the frame a match starts.
void recentrePaddles();

// Draws the "single player" and "two player" buttons and starts a match on a
// click. Called once per frame by the main loop while screenState is
// SCREEN_TITLE and the overlay is closed.
void runTitleMenu();
