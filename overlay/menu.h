// The overlay's column of buttons: resume, exit, save a screenshot.
#pragma once

extern int menuTop; // centre y of the first button, 595 closed .. 115 open

// Handles "Resume game", "Exit" and "Save BMP screenshot" in that order.
// Called by updateOverlay while the overlay shows, before the status bars.
void runOverlayMenu();
