// The title menu: what each button's click sets, and re-centring the paddles.
#include "game/title_menu.h"

#include "game_test_support.h"

constexpr int SINGLE_PLAYER_Y = 195, TWO_PLAYER_Y = 260;

class TitleMenuTest : public GameWorldTest {};

// Moves both paddles and their parts by (dx, dy), as play would have done.
static void shiftPaddles(double dx, double dy) {
    paddle1X += dx, paddle2X += dx, paddle1Y += dy, paddle2Y += dy;
    for (int k = 4; k < 28; k++)
        collisionRects[k]->x += dx, collisionRects[k]->y += dy;
}

// Single player; back to the title by hand; two player. (The button tests
// check which press clicks and where.) The second click finds both paddles already at y 204: their
// parts stay.
TEST_F(TitleMenuTest, EachButton_startsAMatchWithOneServeAndBothPaddlesRecentred) {
    CollisionRect start[28]; // paddle 1 at (65, 204), paddle 2 at (553, 204)
    for (int k = 0; k < 28; k++)
        start[k] = *collisionRects[k];
    shiftPaddles(-50, 96);
    player1Score = 5;
    player2Score = 3;
    for (int twoPlayer = 0; twoPlayer < 2; twoPlayer++) {
        SCOPED_TRACE(twoPlayer ? "two player" : "single player");
        pointAt(320, twoPlayer ? TWO_PLAYER_Y : SINGLE_PLAYER_Y, KEY_PRESSED);
        runTitleMenu();
        ASSERT_EQ(ballCount, 1);
        const Ball& b = *balls[0];
        expectNear(Values({b.x, b.y, b.speed, std::hypot(b.vx, b.vy)}), Values({320, 240, 5, 4}));
        EXPECT_EQ(Ints({player1IsHuman, player2IsHuman, player1Score, player2Score, screenState}),
                  Ints({1, twoPlayer, 0, 0, SCREEN_MATCH}));
        EXPECT_EQ(Values({paddle1X, paddle1Y, paddle2X, paddle2Y}), Values({15, 204, 503, 204}));
        for (int k = 4; k < 28; k++) // every part moved with its paddle, x kept
            EXPECT_EQ(Values({collisionRects[k]->x, collisionRects[k]->y}),
                      Values({start[k].x - 50, start[k].y}))
                << "rectangle " << k;
        removeAllBalls();
        screenState = SCREEN_TITLE;
    }
}
