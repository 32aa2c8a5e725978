// The title menu in the real window: a button lights up while the pointer is
// over it and only that button changes.
#include "harness.h"

using E2ETitleMenu = GameSession;

TEST_F(E2ETitleMenu, PointerOverSinglePlayerHighlightsThatButtonOnly) {
    constexpr Box SINGLE_PLAYER{150, 160, 490, 226}, TWO_PLAYER{150, 232, 490, 296};
    launchGame();
    const Frame plain = titleScreen();
    keep(plain, "title");
    const Box away = pointer();
    movePointer(320, 195);
    const std::vector<Box> pointers{away, pointer()};
    const Frame hover = awaitFrame(
        [&](const Frame& f) { return compare(f, plain, SINGLE_PLAYER, 0, pointers).count > 2000; },
        "\"single player\" did not light up");
    keep(hover, "title-hover");
    EXPECT_EQ(compare(hover, plain, TWO_PLAYER, 0, pointers).count, 0);
}
