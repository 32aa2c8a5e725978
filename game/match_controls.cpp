// In-match controls: goals scored by balls past either goal line, their
// replacement served toward the scorer's side, and the "back" button that
// ends the match.
#include "game/match_controls.h"

#include "audio/sound.h"
#include "game/world.h"
#include "ui/button.h"

// Each test looks at whatever ball stands at the index when it runs: after a
// removal the next ball has moved into that place, so the left test (and the
// next index) sees it. The replacement is appended, so the count stays.
static void countGoals() {
    for (int32_t i = 0; i < ballCount; i++) {
        if (balls[i]->x > RIGHT_GOAL_X) {
            playSound(SOUND_GOAL, panForX(balls[i]->x)); // heard on the side that conceded
            removeBall(i);
            serveBall(ServeDirection::Leftward);
            player1Score++;
        }
        if (balls[i]->x < LEFT_GOAL_X) {
            playSound(SOUND_GOAL, panForX(balls[i]->x));
            removeBall(i);
            serveBall(ServeDirection::Rightward);
            player2Score++;
        }
    }
}

void runMatchControls() {
    countGoals();

    // Scores are kept: they are cleared only when the next match starts.
    constexpr int BACK_X = 550;
    constexpr int BACK_Y = 450;
    constexpr int BACK_WIDTH = 80;
    constexpr int BACK_HEIGHT = 5;
    if (button(BACK_X, BACK_Y, BACK_WIDTH, BACK_HEIGHT, "back")) {
        removeAllBalls();
        screenState = SCREEN_TITLE;
    }
}
