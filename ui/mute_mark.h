// The mark that shows while sound is muted: a struck-out speaker on a small
// glass plate in the middle of the bottom rail, clear of every screen's buttons,
// scores and bars.
#pragma once

#include <SDL.h>

extern SDL_Surface* muteMarkImage; // Media/Plinth/Mute.png; empty when it failed to load

constexpr int MUTE_MARK_CENTRE_X = 320;
constexpr int MUTE_MARK_CENTRE_Y = 455;

// Draws the mark while soundMuted is set. Called every frame by the overlay's
// step after its frozen frame may have been taken and before the pointer, so
// the mark lies over everything but the pointer and is never saved.
void drawMuteMark();
