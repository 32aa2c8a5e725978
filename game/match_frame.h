// One frame of the match: slide, balls, paddles, then drawing.
#pragma once

// The longest step a ball moves between two contact tests, pixels. A centre
// clear of every rectangle by the contact radius of 22 (or 24 after a contact)
// stays at least 2 px outside whatever it moves toward, even with a mid-frame
// speed gain, so it is always measured against the face it approaches, never
// from inside or beyond. Every pace up to it (ordinary play) moves in one step.
constexpr double BALL_STEP_LENGTH = 20;

// Advances and draws the match. Called once per pass by the main loop, between
// the background and the border, only while the overlay is fully closed.
void runMatchFrame();
