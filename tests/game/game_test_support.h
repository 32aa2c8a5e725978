// Shared by the game tests: value-by-value comparison, balls put in play by
// hand, and a fixture with the world built and the theme loaded.
#pragma once

#include "game/title_menu.h"
#include "game/world.h"
#include "input/input.h"
#include "support/headless_display.h"
#include "ui/theme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

using Values = std::vector<double>;
using Ints = std::vector<int>;

// The index in the message names the value that differs.
inline void expectNear(const Values& got, const Values& want, double tolerance = 1e-9) {
    for (size_t i = 0; i < want.size(); i++)
        EXPECT_NEAR(got[i], want[i], tolerance) << "value " << i;
}

// A ball in play at speed 5, owned by the ball list like a served one.
inline Ball& addBall(double x, double y = 240, double vx = 0, double vy = 0) {
    serveBall(ServeDirection::Free);
    return *balls[ballCount - 1] = Ball{x, y, vx, vy, 5};
}

struct GameWorldTest : HeadlessDisplayTest {
    void SetUp() override {
        HeadlessDisplayTest::SetUp();
        loadGameWorld();
        loadTheme();
    }
};
