// A hang-up in the starting conditions the game may inherit: ignored, as
// under nohup, it stays ignored; blocked by the program that started the
// game, it is unblocked, so a hang-up still ends the game; and a call in
// progress when it comes goes on rather than failing.
#include "input/hang_up.h"

#include <gtest/gtest.h>

#include <csignal>

TEST(HangUp, IgnoredItStaysIgnored_blockedItIsUnblocked_andACallInProgressGoesOn) {
    std::signal(SIGHUP, SIG_IGN); // as under nohup
    catchHangUp();
    std::raise(SIGHUP);
    EXPECT_EQ(hangUpReceived, 0);

    std::signal(SIGHUP, SIG_DFL);
    sigset_t hangUp;
    sigemptyset(&hangUp);
    sigaddset(&hangUp, SIGHUP);
    ASSERT_EQ(sigprocmask(SIG_BLOCK, &hangUp, nullptr), 0);
    catchHangUp();
    std::raise(SIGHUP);
    EXPECT_EQ(hangUpReceived, 1);
    struct sigaction action {};
    sigaction(SIGHUP, nullptr, &action);
    EXPECT_TRUE(action.sa_flags & SA_RESTART);
}
