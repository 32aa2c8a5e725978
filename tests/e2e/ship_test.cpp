// The game as people end it: signals end it as they should.
#include "harness.h"

#include <cstring>

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
