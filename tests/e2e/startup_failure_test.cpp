// Without any display to open, the game says so in one line and ends with
// status 1 instead of running on with nothing to draw into.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

TEST(E2EStartupFailure, NoDisplayGivesOneLineOnStandardErrorAndStatusOne) {
    // Classic SDL would fall back to a text console driver without this.
    const std::string command = "env -u DISPLAY SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "
                                "ASAN_OPTIONS=detect_leaks=0 " RORED_BINARY " 2>&1 >/dev/null";
    FILE* game = popen(command.c_str(), "r");
    ASSERT_NE(game, nullptr);
    std::string errors;
    for (int c; (c = std::fgetc(game)) != EOF;)
        errors += char(c);
    const int status = pclose(game);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(errors.rfind("rored: ", 0), 0u) << errors;
    EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
}
