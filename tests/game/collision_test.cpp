// Ball collision against small hand-made rectangle lists: face and corner
// pushes, centres inside a rectangle, the strict boundaries, and the order in
// which overlapping rectangles push.
#include "game/collision.h"

#include "game_test_support.h"

// Most cases use BAR; the inside cases use TALL and the top and bottom walls:
//
//        100        125        150
//   100   +----------+----------+   BAR: bottom 120, middle (125, 110)
//         |                     |   TALL: bottom 200
//   120   +---------------------+   ABOVE: x 100..150, y 70..90
//
// A centre inside leaves through the side beyond which the field's centre
// (320, 240) lies farthest: TALL's right side, the walls' inner faces.
TEST(Collision, CentresArePushedToOneRadiusFromEachRectangleInListOrder) {
    const CollisionRect BAR{100, 100, 50, 20}, TALL{100, 100, 50, 100}, ABOVE{100, 70, 50, 20};
    const CollisionRect TOP_WALL{0, 0, 640, 50}, BOTTOM_WALL{0, 430, 640, 50};
    // Measured from EDGE, a centre exactly on its grown box would come out
    // just under the radius; only the strict box test keeps it from a push.
    const CollisionRect EDGE{100.1, 0, 50, 20};
    // Near the origin a push's rounding shows in the coordinates.
    const CollisionRect AT_ORIGIN{0, 0, 50, 20};
    // Face pushes may round the coordinate along the face; corners are irrational.
    const double NEAR = 1e-9;
    const struct {
        std::vector<CollisionRect> rects;
        double x, y, radius, wantX, wantY, tolerance;
    } cases[] = {
        {{BAR}, 120, 90, 22, 120, 78, NEAR},       // 0 above the top face
        {{BAR}, 130, 125, 22, 130, 142, NEAR},     // 1 below the bottom face
        {{BAR}, 90, 112, 22, 78, 112, NEAR},       // 2 left of the left face
        {{BAR}, 165, 105, 22, 172, 105, NEAR},     // 3 right of the right face
        {{BAR}, 92, 94, 22, 82.4, 86.8, NEAR},     // 4 corner (100,100), d 10 along (-8,-6)
        {{BAR}, 156, 128, 22, 163.2, 137.6, NEAR}, // 5 corner (150,120) along (6,8)
        {{BAR}, 94, 128, 22, 86.8, 137.6, NEAR},   // 6 corner (100,120) along (-6,8)
        {{BAR}, 156, 92, 22, 163.2, 82.4, NEAR},   // 7 corner (150,100) along (6,-8)
        {{TALL}, 125, 190, 22, 172, 190, 0},       // 8 inside: out of the right side
        {{TOP_WALL, BOTTOM_WALL}, 320, 30, 22, 320, 72, 0},   // 9 in the top wall: down
        {{TOP_WALL, BOTTOM_WALL}, 100, 479, 22, 100, 408, 0}, // 10 in the bottom wall: up
        {{AT_ORIGIN}, -6, -8, 10, -6, -8, 0}, // 11 d = radius from a corner: a push would move it
        {{EDGE}, 100.1 - 22.1, 0.5, 22.1, 100.1 - 22.1, 0.5, 0}, // 12 on the grown box
        {{BAR}, 120, 120, 22, 142, 120, 0},                      // 13 d = 0 on the bottom edge: +x
        {{BAR}, 110, 100, 22, 122, 100, 0},          // 14 level with the top, left of middle
        {{BAR}, 140, 100, 22, 128, 100, NEAR},       // 15 level with the top, right of middle
        {{BAR}, 125, 100, 22, 125, 88, NEAR},        // 16 level with the top at the middle
        {{BAR, ABOVE}, 125, 95, 22, 172, 78, NEAR},  // 17 BAR pushes it into ABOVE: out its side
        {{ABOVE, BAR}, 125, 95, 22, 172, 112, NEAR}, // 18 the other order, the other result
        {{}, 125, 110, 22, 125, 110, 0},             // 19 no rectangles
    };
    for (size_t i = 0; i < std::size(cases); i++) {
        std::vector<CollisionRect> rects = cases[i].rects;
        collisionRectCount = static_cast<int32_t>(rects.size());
        for (int32_t k = 0; k < collisionRectCount; k++)
            collisionRects[k] = &rects[k];
        double x = cases[i].x, y = cases[i].y;
        collideBallWithRects(x, y, cases[i].radius);
        EXPECT_NEAR(x, cases[i].wantX, cases[i].tolerance) << "case " << i;
        EXPECT_NEAR(y, cases[i].wantY, cases[i].tolerance) << "case " << i;
    }
}
