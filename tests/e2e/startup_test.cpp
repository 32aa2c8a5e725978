// Start-up and closing of the real program: the window, the empty field it
// shows on the title screen, a run without any pictures, and the close button.
#include "harness.h"

#include <sys/wait.h>

namespace {

// A window manager's close request must end the program at once.
constexpr int CLOSE_MS = 1000;
// Alpha blending in the game rounds differently from the reference composite.
constexpr int BLEND_TOLERANCE = 3;

// The title buttons' panels, frames included, with a margin: everything else
// on the title screen is the bare field.
constexpr Box TITLE_BUTTONS{130, 140, 510, 310};

} // namespace

class E2EStartup : public GameSession {
  protected:
    void closeAndExpectStatusZero() {
        requestClose();
        int status = -1;
        ASSERT_TRUE(waitForExit(CLOSE_MS, status)) << "still running 1 s after the close request";
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
};

TEST_F(E2EStartup, TitleScreenShowsBackgroundUnderBorder_andCloseButtonEndsWithStatusZero) {
    const Frame field = composeField(std::string(RORED_SOURCE_DIR) + "/Media");
    if (field.empty())
        GTEST_SKIP() << "Media/Game pictures are not there yet";
    launchGame();
    movePointer(600, 420);
    // Wait until the pointer stands where it was sent, then compare everything
    // but the buttons and the pointer with the composed field.
    const std::vector<Box> busy{TITLE_BUTTONS, pointer()};
    const Frame title = grabUntil([&](const Frame& f) {
        return countDifferences(f, field, {0, 0, 640, 480}, BLEND_TOLERANCE, busy) == 0;
    });
    keep(title, "startup-title");
    EXPECT_EQ(countDifferences(title, field, {0, 0, 640, 480}, BLEND_TOLERANCE, busy), 0);
    // The buttons and the pointer are drawn over the field.
    EXPECT_GT(countDifferences(title, field, TITLE_BUTTONS, BLEND_TOLERANCE), 1000);
    EXPECT_GT(countDifferences(title, field, pointer(), BLEND_TOLERANCE), 100);
    closeAndExpectStatusZero();
}

TEST_F(E2EStartup, WithoutMediaFolderRunsBlackAndStartsAMatch_andClosesWithStatusZero) {
    launchGame(false);
    movePointer(320, 240);
    const Frame blank = grab();
    keep(blank, "no-media");
    // Every picture is missing, so nothing at all is drawn.
    Frame black = blank;
    std::fill(black.rgb.begin(), black.rgb.end(), 0);
    EXPECT_EQ(countDifferences(blank, black, {0, 0, 640, 480}, 0), 0);
    // Buttons still answer where they would be drawn: a match starts with a
    // ball whose picture is missing, and the game runs on.
    click(320, 195);
    sleepMs(500);
    ASSERT_TRUE(gameRunning()) << "the game died after a click on \"single player\"";
    closeAndExpectStatusZero();
}
