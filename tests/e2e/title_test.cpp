// The title menu in the real window: a button lights up while the pointer is
// over it and only that button changes.
#include "match_session.h"

namespace {

// The panels of the two title buttons, frames included.
constexpr Box SINGLE_PLAYER_PANEL{150, 160, 490, 226};
constexpr Box TWO_PLAYER_PANEL{150, 232, 490, 296}; // below the first one's glow
// A highlighted panel changes far more than a few stray pixels.
constexpr int HIGHLIGHT_MIN_PIXELS = 2000;

} // namespace

class E2ETitleMenu : public MatchSession {};

TEST_F(E2ETitleMenu, PointerOverSinglePlayerHighlightsOnlyThatButton_andLeavingRestoresIt) {
    if (!haveMedia())
        GTEST_SKIP() << "Media/Game pictures are not there yet";
    launchGame();
    movePointer(600, 420);
    const Box away = pointer();
    const Frame plain = grabUntil([&](const Frame& f) {
        return countDifferences(f, field, away, BLEND_TOLERANCE) > 100; // pointer drawn there
    });
    keep(plain, "title");

    movePointer(320, 195);
    const std::vector<Box> pointers{away, pointer()};
    const Frame hover = grabUntil([&](const Frame& f) {
        return countDifferences(f, plain, SINGLE_PLAYER_PANEL, 0, pointers) > HIGHLIGHT_MIN_PIXELS;
    });
    keep(hover, "title-hover");
    EXPECT_GT(countDifferences(hover, plain, SINGLE_PLAYER_PANEL, 0, pointers),
              HIGHLIGHT_MIN_PIXELS);
    EXPECT_EQ(countDifferences(hover, plain, TWO_PLAYER_PANEL, 0, pointers), 0);

    // Back away: the button returns to its plain look.
    movePointer(600, 420);
    const Frame again = grabUntil([&](const Frame& f) {
        return countDifferences(f, plain, {0, 0, 640, 480}, 0) == 0;
    });
    EXPECT_EQ(countDifferences(again, plain, {0, 0, 640, 480}, 0), 0);
}
