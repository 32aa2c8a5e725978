// Turns SIGHUP into a flag the main loop reads: the handler only stores it,
// since nothing else is safe inside a signal handler.
#include "input/hang_up.h"

volatile std::sig_atomic_t hangUpReceived;

namespace {

void noteHangUp(int) {
    hangUpReceived = 1;
}

} // namespace

void catchHangUp() {
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
        return;
    struct sigaction action {};
    action.sa_handler = noteHangUp;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART; // a write in progress goes on instead of failing
    sigaction(SIGHUP, &action, nullptr);
    // A mask blocking SIGHUP, left by whatever started the game, would hold
    // every hang-up back for ever; the threads SDL starts inherit this one.
    sigset_t hangUp;
    sigemptyset(&hangUp);
    sigaddset(&hangUp, SIGHUP);
    sigprocmask(SIG_UNBLOCK, &hangUp, nullptr);
}
