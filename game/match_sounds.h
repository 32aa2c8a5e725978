// What the match sounds like: a ball's contact is a paddle hit or a wall hit.
#pragma once

#include "game/world.h"

// Pitch of a paddle hit: a semitone for every half pixel per frame the ball
// now flies above the serve speed, two octaves at most.
int paddleHitSemitones(double speed);

// Plays the paddle hit (pitched by the ball's speed) when `touched` is a part
// of either paddle, else the wall hit, panned by the ball's x. Called by the
// match frame after each contact's bounce, with the rectangle that pushed.
void soundBallContact(const Ball& ball, const CollisionRect* touched);
