// The game world: what loadGameWorld builds, and every serve. (The loaders'
// tests give bad pictures empty handles; the end-to-end test plays without any.)
#include "game/world.h"

#include "game_test_support.h"

class WorldTest : public GameWorldTest {};

// The fixture has called loadGameWorld.
TEST_F(WorldTest, LoadGameWorld_buildsWallsThenBothPaddles) {
    EXPECT_EQ(collisionRectCount, 28); // every one of them collides
    // {index, x, y, w, h}: walls, paddle 1 body and first/last slice, paddle 2
    // body, its first slice on the body's first column, and its last slice.
    const double expected[][5] = {
        {0, 0, 0, 640, 50},    {1, 0, 430, 640, 50}, {2, 0, 0, 15, 480},   {3, 625, 0, 15, 480},
        {4, 65, 204, 11, 72},  {5, 76, 204, 1, 72},  {15, 86, 224, 1, 32}, {16, 564, 204, 11, 72},
        {17, 564, 204, 1, 72}, {27, 554, 224, 1, 32}};
    for (const double* e : expected) {
        const CollisionRect& r = *collisionRects[static_cast<int>(e[0])];
        EXPECT_EQ(Values({r.x, r.y, r.w, r.h}), Values(e + 1, e + 5)) << "rectangle " << e[0];
    }
}

// Each of the 360 draws, reached through the first seed that gives it, serves
// at 4 px per frame with the signs of (cos n, sin n); only the draws that
// would cross slower than 0.5 px per frame are turned, to exactly that.
TEST_F(WorldTest, EveryServeDraw_fliesAtFourAndCrossesAtHalfAPixelPerFrameOrMore) {
    bool seen[360] = {};
    for (unsigned seed = 1, count = 0; count < 360; seed++) {
        std::srand(seed);
        const int n = std::rand() % 360;
        if (seen[n])
            continue;
        seen[n] = true, count++;
        std::srand(seed);
        removeAllBalls();
        serveBall(ServeDirection::Free);
        const Ball& b = *balls[0];
        const bool steep = std::fabs(4 * std::cos(n)) < 0.5;
        EXPECT_NEAR(std::hypot(b.vx, b.vy), 4, 1e-12) << "draw " << n;
        EXPECT_EQ(Values({b.vx, b.vy}), steep ? Values({std::copysign(0.5, std::cos(n)), b.vy})
                                              : Values({4 * std::cos(n), 4 * std::sin(n)}))
            << "draw " << n;
        EXPECT_EQ(std::signbit(b.vy), std::signbit(std::sin(n))) << "draw " << n;
    }
}
