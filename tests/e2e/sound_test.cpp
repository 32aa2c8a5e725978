// The installed game's sound on a machine without a sound card or a sound
// server: it chooses SDL's silent driver itself and never says a word, while
// m, pressed as a player presses it, shows and hides the mute mark.
#include "harness.h"

constexpr Box MUTE_MARK{304, 439, 336, 471}; // centred on the bottom rail, (320, 455)

TEST_F(E2EGame, InstalledGameWithoutSoundCardOrServerSaysNothing_mShowsAndHidesTheMuteMark) {
    if (!output("ls /dev/snd 2>/dev/null | grep '^pcmC.*p$'").empty())
        GTEST_SKIP() << "this machine has a sound card";
    std::filesystem::create_directory("run"); // a session with no sound server's socket
    setenv("XDG_RUNTIME_DIR", (std::filesystem::current_path() / "run").c_str(), 1);
    const std::string installed = output("'" CMAKE_COMMAND "' --install '" RORED_BUILD_DIR
                                         "' --prefix prefix >/dev/null 2>&1 && "
                                         "find prefix -type f -name rored -perm -u+x");
    ASSERT_FALSE(installed.empty()) << "not installed";
    launchGame(false, installed.substr(0, installed.find('\n')));
    titleScreen();
    click(320, 195); // "single player": a click, then hits and goals
    park();

    xdo("key m");
    awaitFrame([&](const Frame& f) { return compare(f, field, MUTE_MARK, BLEND).count > 200; },
               "m shows no mute mark");
    grab("muted");
    xdo("key m");
    awaitFrame([&](const Frame& f) { return compare(f, field, MUTE_MARK, BLEND).count == 0; },
               "a second m leaves the mute mark");
    requestClose();
    EXPECT_EQ(waitForExit(1000), 0);
    EXPECT_EQ(std::filesystem::file_size("game.log"), 0u) << std::ifstream("game.log").rdbuf();
}
