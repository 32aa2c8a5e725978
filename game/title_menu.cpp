// The title menu: two buttons that start a one- or two-player match.
#include "game/title_menu.h"

#include "game/world.h"
#include "ui/button.h"

static void startMatch(bool player2Human) {
    serveBall(ServeDirection::Free);
    player1IsHuman = true;
    player2IsHuman = player2Human;
    player1Score = 0;
    player2Score = 0;
    screenState = SCREEN_MATCH;
}

void runTitleMenu() {
    constexpr int MENU_X = 320;
    constexpr int MENU_WIDTH = 300;
    constexpr int MENU_HEIGHT = 30;

    // Both buttons are drawn every frame; their hot areas do not overlap, so
    // at most one reports a click.
    constexpr int SINGLE_PLAYER_Y = 195;
    if (button(MENU_X, SINGLE_PLAYER_Y, MENU_WIDTH, MENU_HEIGHT, "single player"))
        startMatch(false); // the computer steers paddle 2
    constexpr int TWO_PLAYER_Y = 260;
    if (button(MENU_X, TWO_PLAYER_Y, MENU_WIDTH, MENU_HEIGHT, "two player"))
        startMatch(true);

    if (screenState != SCREEN_MATCH)
        return;
    recentrePaddles();
}
