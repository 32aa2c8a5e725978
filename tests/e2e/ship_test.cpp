// The game as people install and end it: installed under a prefix of its own
// it finds its pictures from any working folder and prints nothing; its
// Debian package holds every file; signals end it as they should.
#include "harness.h"

#include <cstring>

// Runs a shell command to its end (installing and packaging may take a while
// on a busy machine) and gives what it printed on its standard output.
static std::string outputOf(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = std::fgetc(pipe)) != EOF;)
            text += char(c);
        pclose(pipe);
    }
    return text;
}

static long countOf(const std::string& text, const std::string& part) {
    long n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

// Installed into a temporary prefix and started from a working folder without
// Media/, the game draws the pictures installed beside it, says nothing on
// standard error (no audio probing on this machine without a sound card) and
// ends with status 0 when closed.
TEST_F(E2EGame, InstalledGameShowsItsPicturesFromAnEmptyFolderAndPrintsNothing) {
    const std::string prefix = workFolder + "/prefix";
    ASSERT_TRUE(
        run("'" CMAKE_COMMAND "' --install '" RORED_BUILD_DIR "' --prefix '" + prefix + "'"));
    launchGame(false, prefix + "/bin/rored");
    titleScreen();
    requestClose();
    EXPECT_EQ(waitForExit(1000), 0);
    EXPECT_EQ(std::filesystem::file_size("game.log"), 0u) << std::ifstream("game.log").rdbuf();
}

// The signals a process catches, from /proc: bit n - 1 stands for signal n.
static unsigned long long caughtSignals(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("SigCgt:", 0) == 0)
            return std::stoull(line.substr(7), nullptr, 16);
    return ~0ULL;
}

// SIGTERM and a hang-up end the game cleanly after the frame in progress.
// SIGQUIT ends it by that signal. SDL's crash handler, which calls back into
// Xlib and hangs the dying game when the signal lands inside an X call, is
// not installed: the game catches none of the fatal signals (the sanitizer
// build's own handler catches SIGSEGV, SIGBUS and SIGFPE).
TEST_F(E2EGame, TermAndHangUpEndTheGameWithStatusZero_fatalSignalsAreNotCaught) {
    const auto bit = [](int signal) { return 1ULL << (signal - 1); };
#ifdef __SANITIZE_ADDRESS__
    const unsigned long long fatal = bit(SIGQUIT);
#else
    const unsigned long long fatal = bit(SIGQUIT) | bit(SIGSEGV) | bit(SIGBUS) | bit(SIGFPE);
#endif
    for (const auto& [signal, status] :
         {std::pair{SIGTERM, 0}, {SIGHUP, 0}, {SIGQUIT, 128 + SIGQUIT}}) {
        launchGame();
        EXPECT_EQ(caughtSignals(gamePid) & fatal, 0u);
        kill(gamePid, signal);
        EXPECT_EQ(waitForExit(2000), status) << strsignal(signal);
    }
}

// The Debian package holds the game, its eleven pictures, the menu entry,
// the icon in seven sizes and the manual page, and depends on SDL 1.2 by the
// name both runtimes answer to (sdl12-compat's shim provides it).
TEST(E2EPackage, DebianPackageHoldsEveryFileAndDependsOnSdl) {
    char folder[] = "/tmp/rored-package-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string deb = std::string(folder) + "/rored_*.deb";
    const std::string made =
        outputOf("'" CPACK_COMMAND "' --config '" RORED_BUILD_DIR "/CPackConfig.cmake' -G DEB -B " +
                 std::string(folder) + " 2>&1");
    const std::string files = outputOf("dpkg-deb -c " + deb);
    ASSERT_FALSE(files.empty()) << made;
    for (const char* path : {" ./usr/bin/rored\n", " ./usr/share/applications/rored.desktop\n",
                             " ./usr/share/man/man6/rored.6.gz\n"})
        EXPECT_EQ(countOf(files, path), 1) << path << files;
    EXPECT_EQ(countOf(files, "./usr/share/rored/Media/Game/"), 8) << files; // and the folder
    EXPECT_EQ(countOf(files, "./usr/share/rored/Media/Plinth/"), 5) << files;
    EXPECT_EQ(countOf(files, "/apps/rored.png\n"), 7) << files;
    const std::string depends = outputOf("dpkg-deb -f " + deb + " Depends");
    EXPECT_NE(depends.find("libsdl1.2debian"), std::string::npos) << depends;
    EXPECT_NE(depends.find("libsdl-image1.2"), std::string::npos) << depends;
    std::filesystem::remove_all(folder);
}
