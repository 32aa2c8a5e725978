// The real game where the machine is unkind: there is no display, or its
// standard descriptors are closed. (The screens scenarios kill the display.)
#include "harness.h"

#include <regex>

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
    std::ofstream("closed") // a starter with a 16383 x 16383 ball
        << "#!/bin/sh\nmkdir -p Media/Game && cd Media && ln -s '" RORED_SOURCE_DIR
           "/Media/Plinth' . && ln -s '" RORED_SOURCE_DIR "'/Media/Game/* Game"
           " && printf '\\211PNG\\r\\n\\032\\n\\0\\0\\0\\rIHDR\\0\\0\\77\\377"
           "\\0\\0\\77\\377\\10\\6\\0\\0\\0' >ball && mv -f ball Game/ball.png"
           " && cd ..\nexec '" RORED_BINARY "' <&- >&- 2>&-\n";
    std::filesystem::permissions("closed", std::filesystem::perms::owner_all);
    launchGame(false, "./closed");
    titleScreen();
    for (int fd = 0; fd <= 2; ++fd)
        EXPECT_EQ(std::filesystem::read_symlink("/proc/" + std::to_string(gamePid) + "/fd/" +
                                                std::to_string(fd)),
                  "/dev/null");
    requestClose();
    EXPECT_EQ(waitForExit(EXIT_MS), 0);
}
