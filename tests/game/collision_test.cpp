// Ball collision against small hand-made rectangle lists: face and corner
// pushes, centres inside a rectangle, the strict boundaries, and the order
// in which overlapping rectangles push.
#include "game/collision.h"

#include "game/world.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double R = 22;       // the match frame's first contact radius
constexpr double TINY = 1e-12; // the sideways error of a face push through the angle

// One rectangle used by most cases:
//
//        100        125        150
//   100   +----------+----------+      top 100, bottom 120
//         |          .(cx,cy)   |      cx 125, cy 110
//   120   +----------+----------+
void addBar() {
    addCollisionRect(100, 100, 50, 20);
}

struct Centre {
    double x, y;
};

Centre collide(double x, double y, double radius = R) {
    collideBallWithRects(x, y, radius);
    return {x, y};
}

double distance(Centre c, double px, double py) {
    return std::hypot(c.x - px, c.y - py);
}

} // namespace

TEST(Collision, NoRectangles_leaveTheCentreWhereItIs) {
    Centre c = collide(125, 110);
    EXPECT_EQ(c.x, 125);
    EXPECT_EQ(c.y, 110);
}

TEST(Collision, CentreAboveTopFace_isPushedStraightUp) {
    addBar();
    Centre c = collide(120, 90);
    EXPECT_EQ(c.y, 78);
    EXPECT_NEAR(c.x, 120, TINY);
}

TEST(Collision, CentreBelowBottomFace_isPushedStraightDown) {
    addBar();
    Centre c = collide(130, 125);
    EXPECT_EQ(c.y, 142);
    EXPECT_NEAR(c.x, 130, TINY);
}

TEST(Collision, CentresBesideSideFaces_arePushedStraightOut) {
    addBar();
    Centre left = collide(90, 112);
    EXPECT_EQ(left.x, 78);
    EXPECT_NEAR(left.y, 112, TINY);

    Centre right = collide(165, 105);
    EXPECT_EQ(right.x, 172);
    EXPECT_NEAR(right.y, 105, TINY);
}

TEST(Collision, CentreNearTopLeftCorner_isPushedAlongTheLineFromTheCorner) {
    addBar();
    // From the corner (100, 100) the centre lies 8 left and 6 up: d = 10.
    Centre c = collide(92, 94);
    EXPECT_NEAR(distance(c, 100, 100), R, 1e-9);
    EXPECT_NEAR((c.x - 100) / (c.y - 100), 8.0 / 6.0, 1e-9); // same line
    EXPECT_LT(c.x, 92);
    EXPECT_LT(c.y, 94);
}

TEST(Collision, CentresNearTheOtherCorners_arePushedAwayFromThatCorner) {
    struct Case {
        double x, y, cornerX, cornerY;
    } cases[] = {
        {156, 128, 150, 120}, // bottom-right
        {94, 128, 100, 120},  // bottom-left
        {156, 92, 150, 100},  // top-right
    };
    addBar();
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "corner " << k.cornerX << "," << k.cornerY);
        Centre c = collide(k.x, k.y);
        EXPECT_NEAR(distance(c, k.cornerX, k.cornerY), R, 1e-9);
        // Moved outward on both axes, away from the corner.
        EXPECT_GT(std::fabs(c.x - k.cornerX), std::fabs(k.x - k.cornerX));
        EXPECT_GT(std::fabs(c.y - k.cornerY), std::fabs(k.y - k.cornerY));
    }
}

TEST(Collision, CentreInsideCloseToTheBottom_isPushedFurtherIn) {
    addCollisionRect(100, 100, 50, 100); // bottom 200
    Centre c = collide(125, 190);
    EXPECT_EQ(c.y, 178); // bottom - radius, still inside
    EXPECT_NEAR(c.x, 125, TINY);
}

TEST(Collision, CentreInsideAtLeastRadiusAboveTheBottom_isLeftAlone) {
    addCollisionRect(100, 100, 50, 100);
    Centre exactly = collide(125, 178);
    EXPECT_EQ(exactly.x, 125);
    EXPECT_EQ(exactly.y, 178);
    Centre deeper = collide(125, 150);
    EXPECT_EQ(deeper.x, 125);
    EXPECT_EQ(deeper.y, 150);
}

TEST(Collision, CentreExactlyOneRadiusFromACorner_isNotMoved) {
    addBar();
    // 12 left and 16 up of the top-left corner: d = 20 exactly.
    Centre c = collide(88, 84, 20);
    EXPECT_EQ(c.x, 88);
    EXPECT_EQ(c.y, 84);
}

TEST(Collision, CentreExactlyOneRadiusAboveTheTop_isNotMoved) {
    addBar();
    Centre c = collide(120, 78);
    EXPECT_EQ(c.x, 120);
    EXPECT_EQ(c.y, 78);
}

TEST(Collision, CentreExactlyOnTheGrownBox_isNotMeasured) {
    // 100.1 - 22.1 rounds so that the measured distance to the left face
    // would come out just under 22.1; only the strict box test keeps the
    // centre from a push (which would nudge y by the angle's rounding).
    addCollisionRect(100.1, 0, 50, 20);
    const double x = 100.1 - 22.1;
    Centre c = collide(x, 0.5, 22.1);
    EXPECT_EQ(c.x, x);
    EXPECT_EQ(c.y, 0.5);
}

TEST(Collision, CentreExactlyOnItsNearestPoint_isMovedRightByTheRadius) {
    addBar();
    // On the bottom edge: rule "below the top line" gives (x, bottom), d = 0,
    // and atan2(0, 0) = 0 points along +x.
    Centre c = collide(120, 120);
    EXPECT_EQ(c.x, 142);
    EXPECT_EQ(c.y, 120);
}

TEST(Collision, CentreOnAZeroWidthRectangleMiddle_isMovedRightByTheRadius) {
    addCollisionRect(100, 100, 0, 20); // left = right = cx: only the last rule fits
    Centre c = collide(100, 110);
    EXPECT_EQ(c.x, 122);
    EXPECT_EQ(c.y, 110);
}

TEST(Collision, CentreLevelWithTheTopLeftOfMiddle_isMeasuredFromTheTopLeftCorner) {
    addBar();
    Centre c = collide(110, 100); // 10 right of (100, 100)
    EXPECT_EQ(c.x, 122);
    EXPECT_EQ(c.y, 100);
}

TEST(Collision, CentreLevelWithTheTopRightOfMiddle_isMeasuredFromTheTopRightCorner) {
    addBar();
    Centre c = collide(140, 100); // 10 left of (150, 100)
    EXPECT_EQ(c.x, 128);
    EXPECT_NEAR(c.y, 100, TINY);
}

TEST(Collision, CentreLevelWithTheTopAtTheMiddle_isMeasuredFromTheRectangleCentre) {
    addBar();
    Centre c = collide(125, 100); // 10 above (125, 110)
    EXPECT_EQ(c.y, 88);
    EXPECT_NEAR(c.x, 125, TINY);
}

// Two bars one above the other, 10 px apart:
//    70 +------+  B (bottom 90)
//    90 +------+
//   100 +------+  A (bottom 120)
TEST(Collision, OverlappingReach_theLaterRectanglePushesLast) {
    addBar();                          // A
    addCollisionRect(100, 70, 50, 20); // B
    // A pushes up to 78, into B, which measures against its bottom and
    // pushes on up to 90 - 22.
    Centre c = collide(125, 95);
    EXPECT_EQ(c.y, 68);
}

TEST(Collision, OverlappingReach_reversedOrderGivesTheOtherResult) {
    addCollisionRect(100, 70, 50, 20); // B first
    addBar();                          // A
    // B pushes down to 112, inside A, which pushes to 120 - 22.
    Centre c = collide(125, 95);
    EXPECT_EQ(c.y, 98);
}

TEST(Collision, RectanglesOutOfReach_areSkipped) {
    addBar();
    addCollisionRect(400, 400, 10, 10);
    Centre c = collide(300, 300);
    EXPECT_EQ(c.x, 300);
    EXPECT_EQ(c.y, 300);
}
