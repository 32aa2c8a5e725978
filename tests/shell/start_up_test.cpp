// Start-up when SDL cannot start every subsystem. Asked for a sound driver
// that does not exist, sdl12-compat fails the whole of SDL_Init (classic SDL
// starts its sound subsystem all the same and opens no device until asked);
// either way the game opens its window, loads its pictures and keeps out
// SDL's crash handler. With no video driver that works it says why in one
// line and fails.
#include "shell/start_up.h"

#include "game/world.h"
#include "ui/display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>

TEST(StartUp, WithoutSoundTheWindowOpensWithoutACrashHandler) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const int fatal[] = {SIGSEGV, SIGBUS, SIGFPE, SIGQUIT};
    struct sigaction before[4], after[4];
    for (int i = 0; i < 4; ++i) // the sanitizers' own, or none
        sigaction(fatal[i], nullptr, &before[i]);
    ASSERT_TRUE(startUp("Rored"));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w * 1000 + screen->h, 640480);
    EXPECT_NE(backgroundImage, nullptr);
    for (int i = 0; i < 4; ++i) {
        sigaction(fatal[i], nullptr, &after[i]);
        EXPECT_EQ(after[i].sa_handler, before[i].sa_handler) << strsignal(fatal[i]);
    }
}

TEST(StartUp, WithNoVideoDriverItSaysWhyInOneLineAndFails) {
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(startUp("Rored"));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("rored: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}
