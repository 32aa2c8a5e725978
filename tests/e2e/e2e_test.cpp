// The real game in a private X server, one scenario per way people meet it:
// start-up and closing, a single-player match and its pause overlay, and the
// game as installed and as a Debian package.
#include "harness.h"

constexpr Box MIDDLE_FIELD{104, 50, 536, 430};      // wall to wall, clear of paddles and backings
constexpr Box RIGHT_PADDLE_LANE{545, 50, 585, 430}; // wherever the computer paddle goes

// The box grown by margin on every side.
static Box around(Box box, int margin) {
    return {box.x0 - margin, box.y0 - margin, box.x1 + margin, box.y1 + margin};
}

// Scenarios that play a single-player match.
class E2EMatch : public E2EGame {
  protected:
    // Clicks "single player" and waits until both score backings stand in
    // place. They come to rest last, 104 frames after the click (the paddles
    // and scores after 88), and their sharp inner edges show a shift of one pixel.
    void startSinglePlayer() {
        click(320, 195);
        park();
        awaitFrame([&](const Frame& f) { return matchShown(f); }, "the backings did not slide in");
    }
    // The bounds of what differs from the field mid-field, and whether that
    // is one whole 44x44 ball with its glow, clear of x0 and x1.
    Box ballBox(const Frame& frame) const {
        return compare(frame, field, MIDDLE_FIELD, BLEND).bounds;
    }
    bool wholeBall(const Frame& frame, int x0 = 104, int x1 = 536) const {
        const Box b = ballBox(frame);
        const int w = b.x1 - b.x0, h = b.y1 - b.y0;
        return w >= 30 && w <= 60 && h >= 30 && h <= 60 && b.x0 > x0 && b.x1 < x1;
    }
};

// Start-up and closing. The game shows the bare field around the title
// buttons and ends at once with status 0 when the window is closed. Without
// Media/ it draws nothing, yet "single player" answers, SIGTERM and a hang-up
// end it with status 0 and SIGQUIT by that signal (SDL's crash handler, which
// calls back into Xlib and can hang a dying game, must not catch it).
TEST_F(E2EGame, StartupAndClosing_withAndWithoutMedia) {
    launchGame();
    titleScreen();
    grab("title");
    requestClose();
    EXPECT_EQ(waitForExit(3000), 0) << "a close request must end the game at once";

    for (const auto& [signal, status] :
         {std::pair{SIGTERM, 0}, {SIGHUP, 0}, {SIGQUIT, 128 + SIGQUIT}}) {
        launchGame(false);
        EXPECT_EQ(compare(grab(), Frame(W * H * 3, 0), WHOLE).count, 0) << "a missing picture drew";
        click(320, 195);
        kill(gamePid, signal);
        EXPECT_EQ(waitForExit(5000), status) << strsignal(signal) << " after \"single player\"";
    }
}

// A single-player match and its pause overlay: the computer's paddle comes
// in and holding w lifts the left paddle to the top wall; Escape freezes the
// match under the menu and the bars, "Save BMP screenshot" writes the frozen
// frame to screenshot1.bmp, "Resume game" lets the match run on, "Exit" ends
// the program with status 0.
TEST_F(E2EMatch, WLiftsThePaddle_escapeFreezesUnderTheMenu_saveWritesTheFrozenFrame_resumeAndExit) {
    launchGame();
    startSinglePlayer();
    EXPECT_GT(compare(grab(), backings, RIGHT_PADDLE_LANE, BLEND).count, 500)
        << "no computer paddle";
    xdo("keydown w"); // clamped at the top, the paddle stays there once w is up
    awaitFrame(       // the top rows of its body under the wall's edge differ from the field
        [&](const Frame& f) {
            return compare(f, field, {66, 50, 76, 56}, BLEND).count >= 48;
        },
        "holding w did not lift the left paddle to the top");
    xdo("keyup w");
    // Escape is pressed on a frame with the ball well inside the field, the
    // game held from that frame's grab to the press as if a person reacted at
    // once: the frame Escape freezes is at most two frames later.
    const Frame live = awaitFrame([&](const Frame& f) { return wholeBall(f, 200, 440); },
                                  "no ball mid-field", true);
    grab("match");
    xdo("key Escape");
    hold(false);
    awaitOverlayOpen("the match did not freeze under bars at the screen edges");
    grab("overlay-open");

    // The screenshot is the frozen frame: one whole ball, and all else as in
    // the grab before the press but for the pointer and the computer's paddle.
    // The ball moved two frames at most; its glow reaches past its bounds.
    click(320, 215);
    Frame saved;
    pollUntil([&] { return (saved = output("convert screenshot1.bmp -depth 8 rgb:-")).size() > 0; },
              DEADLINE_MS);
    EXPECT_FALSE(std::filesystem::exists("screenshot2.bmp"));
    EXPECT_TRUE(wholeBall(saved)) << "no 640x480 screenshot1.bmp with one ball";
    const Box way = around(ballBox(live), 32);
    const Diff stray = compare(saved, live, WHOLE, 0, {PARKED, RIGHT_PADDLE_LANE, way});
    EXPECT_EQ(stray.count, 0) << "within x " << stray.bounds.x0 << ".." << stray.bounds.x1 << ", y "
                              << stray.bounds.y0 << ".." << stray.bounds.y1;

    // "Resume game" (clicked with the game held, so that all the game does
    // after it is seen): once the overlay has faded out the match runs on
    // from the frame it froze, only the ball and the computer's paddle moved,
    // for at most the 3 frames between two grabs. Then open the overlay again and
    // leave through "Exit".
    constexpr Box POINTER{294, 89, 346, 141}; // over "Resume game"
    movePointer(320, 115);
    hold(true);
    xdo("click 1");
    hold(false);
    const Frame resumed = awaitFrame(
        [&](const Frame& f) {
            return compare(f, saved, WHOLE, 0, {MIDDLE_FIELD, RIGHT_PADDLE_LANE}).count == 0 &&
                   compare(f, saved, MIDDLE_FIELD, 0, {POINTER}).count > 0;
        },
        "the match did not resume", true);
    hold(false);
    const Box wayOn = around(ballBox(saved), 48);
    EXPECT_EQ(compare(resumed, saved, WHOLE, 0, {POINTER, RIGHT_PADDLE_LANE, wayOn}).count, 0)
        << "the match did not resume where it froze";
    xdo("key Escape");
    awaitOverlayOpen("the overlay did not open again");
    movePointer(320, 165);
    xdo("click 1");
    EXPECT_EQ(waitForExit(5000), 0) << "\"Exit\" did not end the program cleanly";
}

// Installed into a prefix of its own and started from a working folder
// without Media/, in a session without a sound server, the game draws the
// pictures installed beside it, says nothing (it picks SDL's silent driver
// itself on a machine without a sound card), shows the mute mark while m is
// on, and ends with status 0 when closed. Its Debian package holds the game
// in /usr/games, its thirteen pictures (the window's icon among them) and
// seven sounds, the menu entry, the icon in seven sizes, the manual page, the
// software centres' metadata, copyright and changelog; it depends on SDL 1.2
// by the name both runtimes answer to, and lintian finds nothing to warn about.
TEST_F(E2EGame, InstalledGameFindsItsPicturesMutesAndPrintsNothing_packageHoldsEveryFile) {
    constexpr Box MUTE_MARK{304, 439, 336, 471}; // centred on the bottom rail, (320, 455)
    std::filesystem::create_directory("run");    // no sound server's socket in it
    setenv("XDG_RUNTIME_DIR", (std::filesystem::current_path() / "run").c_str(), 1);
    const std::string installed = output("'" CMAKE_COMMAND "' --install '" RORED_BUILD_DIR
                                         "' --prefix prefix 2>&1 && echo installed");
    ASSERT_NE(installed.find("\ninstalled\n"), std::string::npos) << installed;
    launchGame(false, "prefix/games/rored");
    titleScreen();
    click(320, 195); // "single player": a click, then hits and goals
    park();
    for (bool muted : {true, false}) {
        xdo("key m");
        awaitFrame(
            [&](const Frame& f) {
                return (compare(f, field, MUTE_MARK, BLEND).count > 200) == muted;
            },
            muted ? "m shows no mute mark" : "a second m leaves the mute mark");
        if (muted)
            grab("muted");
    }
    requestClose();
    EXPECT_EQ(waitForExit(3000), 0);
    EXPECT_EQ(std::filesystem::file_size("game.log"), 0u) << std::ifstream("game.log").rdbuf();
    const std::string metadata =
        output("appstreamcli validate --no-net --pedantic "
               "prefix/share/metainfo/*.metainfo.xml 2>&1; echo status $?");
    EXPECT_NE(metadata.find("\nstatus 0\n"), std::string::npos) << metadata;

    const std::string made = output("'" CPACK_COMMAND "' --config '" RORED_BUILD_DIR
                                    "/CPackConfig.cmake' -G DEB -B . 2>&1");
    const std::string files = output("dpkg-deb -c rored_*.deb | awk '{ print $6 }' | tee files");
    ASSERT_FALSE(files.empty()) << made;
    for (const auto& [pattern, count] : {std::pair{"^./usr/games/rored$", 1},
                                         {"^./usr/share/applications/rored.desktop$", 1},
                                         {"^./usr/share/man/man6/rored.6.gz$", 1},
                                         {"^./usr/share/games/rored/Media/Game/", 9}, // + folder
                                         {"^./usr/share/games/rored/Media/Plinth/", 6},
                                         {"^./usr/share/metainfo/.*.metainfo.xml$", 1},
                                         {"^./usr/share/doc/rored/c", 2}, // changelog, copyright
                                         {"^./usr/share/games/rored/Media/Sound/", 8},
                                         {"/apps/rored.png$", 7}})
        EXPECT_EQ(output("grep -c '" + std::string(pattern) + "' files"),
                  std::to_string(count) + "\n")
            << pattern << "\n"
            << files;
    const std::string depends = output("dpkg-deb -f rored_*.deb Depends");
    EXPECT_NE(depends.find("libsdl1.2debian"), std::string::npos) << depends;
    EXPECT_NE(depends.find("libsdl-image1.2"), std::string::npos) << depends;
    EXPECT_EQ(output("lintian --fail-on error,warning rored_*.deb 2>&1 | grep -v '^running with "
                     "root'; echo status $?"),
              "status 1\n"); // grep found no line
}
