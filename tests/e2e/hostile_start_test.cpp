// The real game where the machine is unkind: its display dies under it, there
// is none, its standard descriptors are closed, or saving a screenshot fails.
#include "harness.h"

#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <regex>

namespace {

// Writes an executable shell script `name` into the working folder, for
// starts that need more than the harness's launch: its last line exec's the game.
std::string launcher(const std::string& name, const std::string& body) {
    std::ofstream(name) << "#!/bin/sh\n" << body << "\n";
    std::filesystem::permissions(name, std::filesystem::perms::owner_all);
    return "./" + name;
}

// A private Xvfb that this test may kill; its display name ("" if none came up).
pid_t startXvfb(std::string& display) {
    int ready[2];
    if (pipe(ready) != 0)
        return -1;
    const pid_t server = fork();
    if (server == 0) {
        dup2(ready[1], 3);
        dup2(open("/dev/null", O_WRONLY), 2);
        execlp("Xvfb", "Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               "-noreset", nullptr);
        _exit(127);
    }
    close(ready[1]);
    pollfd wait{ready[0], POLLIN, 0};
    char number[16] = {};
    if (poll(&wait, 1, 20000) == 1 && read(ready[0], number, sizeof number - 1) > 0)
        display = ":" + std::string(number, std::strcspn(number, "\n"));
    close(ready[0]);
    return server;
}

} // namespace

// The X server goes away under a running game: it ends at once with status 1
// (on sdl12-compat it used to spin for ever, deaf to every signal but SIGKILL).
TEST_F(E2EGame, DisplayDyingUnderTheGameEndsItWithStatus1) {
    std::string name;
    const pid_t server = startXvfb(name);
    ASSERT_FALSE(name.empty()) << "no private Xvfb";
    const std::string shared = std::getenv("DISPLAY");
    setenv("DISPLAY", name.c_str(), 1); // for the game and for xdotool
    launchGame();
    titleScreen();
    stopWatchingFrames();
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    setenv("DISPLAY", shared.c_str(), 1);
    EXPECT_EQ(waitForExit(1000), 1) << "the game outlived its display";
}

// Without a display, and without SDL_VIDEODRIVER naming a driver, the game
// says so in one line and ends with status 1, instead of an ASCII-art game in
// the terminal or a game in no window. Under sdl12-compat a Wayland display
// counts; here its compositor is missing, so SDL cannot start either.
TEST_F(E2EGame, WithoutADisplayOneLineAndStatus1) {
    for (const char* wayland : {"", "WAYLAND_DISPLAY=wayland-absent"}) {
        const std::string said = output(
            "env -u DISPLAY -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY XDG_RUNTIME_DIR=\"$PWD\" " +
            std::string(wayland) +
            " ASAN_OPTIONS=detect_leaks=0 timeout 10 '" RORED_BINARY
            "' 2>&1 >/dev/null </dev/null; echo status $?");
        EXPECT_TRUE(std::regex_match(said, std::regex("rored: [^\n]*\nstatus 1\n")))
            << wayland << ": " << said;
    }
}

// Started with standard input, output and error closed, as some launchers do,
// with a picture the game refuses with a line on standard error: the line goes
// to /dev/null, not into the X connection, and the game plays and closes.
TEST_F(E2EGame, ClosedStandardDescriptorsGetDevNull) {
    launchGame(false, launcher("closed", // with a 16383 x 16383 ball
                               "mkdir -p Media/Game && cd Media && ln -s '" RORED_SOURCE_DIR
                               "/Media/Plinth' . && ln -s '" RORED_SOURCE_DIR "'/Media/Game/* Game"
                               " && printf '\\211PNG\\r\\n\\032\\n\\0\\0\\0\\rIHDR\\0\\0\\77\\377"
                               "\\0\\0\\77\\377\\10\\6\\0\\0\\0' >ball && mv -f ball Game/ball.png"
                               " && cd ..\nexec '" RORED_BINARY "' <&- >&- 2>&-"));
    titleScreen();
    for (int fd = 0; fd <= 2; ++fd)
        EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(gamePid) + "/fd/" +
                                                std::to_string(fd)),
                  "/dev/null");
    requestClose();
    EXPECT_EQ(waitForExit(1000), 0);
}

// In a read-only folder, "Save BMP screenshot" writes nothing, and the bottom
// bar says why in place of its credit line (a long message, where "Saved
// screenshot1.bmp" would be short) for three seconds; then the credit is back.
TEST_F(E2EGame, SaveInAReadOnlyFolderSaysSoForThreeSeconds) {
    if (output("unshare -rm true 2>&1 && echo ok") != "ok\n")
        GTEST_SKIP() << "no user namespaces here to mount a read-only folder in";
    constexpr Box CREDIT{0, 436, W, 470}; // the bottom bar's text
    std::filesystem::create_directory("view");
    launchGame(true,
               launcher("read-only", "exec unshare -rm sh -c 'mount --bind . view && "
                                     "mount -o remount,bind,ro view && cd view && exec \"$0\"' "
                                     "'" RORED_BINARY "'"));
    titleScreen();
    xdo("key Escape");
    const Frame bar = picture("-size 640x480 xc:cyan Plinth/TopBottomBorder.png -geometry "
                              "+0+419 -composite"); // the bottom bar in place, cyan elsewhere
    Frame last = grab(); // the menu is clicked once it stands still, but for the clock
    const Frame credit = awaitFrame(
        [&](const Frame& f) {
            return compare(std::exchange(last, f), f, WHOLE, 0, {{0, 0, W, 70}}).count +
                       compare(f, bar, {300, 419, W, H}).count ==
                   0;
        },
        "the overlay did not open", false, 200);
    movePointer(320, 215);
    const auto pressed = std::chrono::steady_clock::now();
    xdo("click 1");
    park();
    awaitFrame(
        [&](const Frame& f) { return compare(f, credit, CREDIT, 0, {PARKED}).bounds.x1 > 400; },
        "no long message in the bottom bar");
    awaitFrame([&](const Frame& f) { return compare(f, credit, CREDIT, 0, {PARKED}).count == 0; },
               "the credit line did not come back", 8000);
    EXPECT_GE(std::chrono::steady_clock::now() - pressed, std::chrono::milliseconds(3000));
    EXPECT_EQ(output("ls -A"), "Media\ngame.log\nread-only\nview\n") << "something was written";
}
