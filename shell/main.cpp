// Rored: start-up, then passes of the main loop until a quit is requested.
// Each pass reads input, advances and draws the match and the current screen
// while the overlay is closed, lets the overlay step, presents the frame,
// checks for quit and paces to 16 ms.
#include "shell/frame.h"
#include "shell/standard_streams.h"
#include "shell/start_up.h"
#include "ui/display.h"

int main(int, char**) {
    openMissingStandardStreams();
    if (!startUp("Rored"))
        return 1;
    while (!quitRequested)
        runPass();
    SDL_Quit();
    return 0;
}
