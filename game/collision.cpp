// Ball-to-rectangle collision: pushes a ball's centre out to exactly one radius
// from the nearest point of every rectangle it reaches into, in list order.
// Only the position changes; the match frame turns the velocity.
#include "game/collision.h"

#include "game/world.h"

#include <cmath>

namespace {

struct Point {
    double x, y;
};

// A centre strictly inside a rectangle (a paddle pressed it in against a wall)
// leaves through the side that faces the field's centre, the side beyond
// which that centre lies farthest: the top wall's bottom, the bottom wall's
// top, the side walls' inner faces, a paddle's face. Returns false for a
// centre that is not inside.
bool exitToField(const CollisionRect& rect, double& x, double& y, double radius) {
    const double left = rect.x, right = rect.x + rect.w, top = rect.y, bottom = rect.y + rect.h;
    if (!(left < x && x < right && top < y && y < bottom))
        return false;
    const double beyond[4] = {FIELD_CENTRE_X - right, left - FIELD_CENTRE_X,
                              FIELD_CENTRE_Y - bottom, top - FIELD_CENTRE_Y};
    int side = 0;
    for (int i = 1; i < 4; i++)
        if (beyond[i] > beyond[side])
            side = i;
    if (side == 0)
        x = right + radius;
    else if (side == 1)
        x = left - radius;
    else if (side == 2)
        y = bottom + radius;
    else
        y = top - radius;
    return true;
}

// The point of the rectangle the centre is measured against. First matching
// rule wins; every comparison is strict (l/r/t/b = edges, (cx,cy) = middle):
//
//   1  y < t,  l < x < r     -> (x, t)    above the top face
//   2  y > t,  l < x < r     -> (x, b)    below the bottom face (a centre
//                                          inside has left by exitToField)
//   3  x < l,  t < y < b     -> (l, y)    left of the left face
//   4  x > l,  t < y < b     -> (r, y)    right face (x >= r by now)
//   5  x > cx, y > cy        -> (r, b)    corners, by quadrant around the
//   6  x < cx, y > cy        -> (l, b)    middle; reached off both face
//   7  x > cx, y < cy        -> (r, t)    bands or exactly on an edge line
//   8  x < cx, y < cy        -> (l, t)
//   9  otherwise (x = cx or y = cy) -> (cx, cy)
Point nearestPoint(const CollisionRect& rect, double x, double y) {
    double left = rect.x;
    double right = rect.x + rect.w;
    double top = rect.y;
    double bottom = rect.y + rect.h;
    double cx = rect.x + rect.w * 0.5;
    double cy = rect.y + rect.h * 0.5;

    if (y < top && left < x && x < right)
        return {x, top};
    if (y > top && left < x && x < right)
        return {x, bottom};
    if (x < left && top < y && y < bottom)
        return {left, y};
    if (x > left && top < y && y < bottom)
        return {right, y};
    if (x > cx && y > cy)
        return {right, bottom};
    if (x < cx && y > cy)
        return {left, bottom};
    if (x > cx && y < cy)
        return {right, top};
    if (x < cx && y < cy)
        return {left, top};
    return {cx, cy};
}

} // namespace

const CollisionRect* collideBallWithRects(double& ballX, double& ballY, double radius) {
    const CollisionRect* pushedBy = nullptr;
    const int32_t count = collisionRectCount;
    for (int32_t i = 0; i < count; i++) {
        const CollisionRect& rect = *collisionRects[i];

        // Broad test: the box grown by the radius, edges excluded.
        if (!(rect.x - radius < ballX && ballX < rect.x + rect.w + radius))
            continue;
        if (!(rect.y - radius < ballY && ballY < rect.y + rect.h + radius))
            continue;
        if (exitToField(rect, ballX, ballY, radius)) {
            pushedBy = &rect;
            continue;
        }

        Point p = nearestPoint(rect, ballX, ballY);
        double dx = ballX - p.x;
        double dy = ballY - p.y;
        double d = std::sqrt(dx * dx + dy * dy);
        if (!(d < radius))
            continue;

        // Face pushes go through the angle too, so the coordinate along the
        // face may pick up a rounding error of about 1e-15.
        double angle = std::atan2(ballY - p.y, ballX - p.x);
        ballX = p.x + radius * std::cos(angle);
        ballY = p.y + radius * std::sin(angle);
        pushedBy = &rect;
    }
    return pushedBy;
}
