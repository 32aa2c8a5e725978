// In-match controls: goals and the way back to the title menu.
#pragma once

// Counts goals, re-serves lost balls toward the scorer's side and handles the
// "back" button. Called once per frame by the main loop while screenState is
// SCREEN_MATCH and the overlay is closed.
void runMatchControls();
