// One frame of the match: slide, balls, paddles, then drawing.
#pragma once

// --- Contacts ------------------------------------------------------------------
// A ball touches what its centre comes within FIRST_CONTACT_RADIUS of; a
// contact then carries it out to SECOND_CONTACT_RADIUS, 2 px clear, and adds
// BALL_SPEED_GAIN to its speed once per frame with contact.
constexpr double FIRST_CONTACT_RADIUS = 22;
constexpr double SECOND_CONTACT_RADIUS = 24;
constexpr double BALL_SPEED_GAIN = 0.1;

// The longest step a ball moves between two contact tests, pixels. A centre
// clear of every rectangle by the first contact radius (or the second after a
// contact) stays at least 2 px outside whatever it moves toward, even with a
// mid-frame speed gain, so it is always measured against the face it
// approaches, never from inside or beyond. Every pace up to it (ordinary
// play) moves in one step.
constexpr double BALL_STEP_LENGTH = 20;

// Advances and draws the match. Called once per pass by the main loop, between
// the background and the border, only while the overlay is fully closed.
void runMatchFrame();
