// The game's icon for desktop menus and launchers: a silver ball in flight
// between the amber and the teal paddle on a tile of the night-blue field.
// Every shape is a distance field on a 64-unit grid, so each size is drawn
// sharp rather than scaled down from a large one.
#include <cmath>

#include "look.h"
#include "media_pictures.h"

static const float GRID = 64.0f; // design units across the icon
static const float TILE_MARGIN = 2.0f, TILE_ROUNDING = 12.0f;
static const float PADDLE_X = 14.0f, PADDLE_HALF_W = 3.5f, PADDLE_HALF_H = 15.0f;
static const float BALL_X = 35.0f, BALL_Y = 25.0f, BALL_R = 7.5f;

Canvas makeIcon(int size) {
    Canvas icon = makeCanvas(size, size);
    const float unit = size / GRID, mid = size / 2.0f;
    const Color silver = rgb(226, 232, 242);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float px = x + 0.5f, py = y + 0.5f, down = py / size;
            // The tile: the field's blue darkening downward, a pale rim.
            const float half = mid - TILE_MARGIN * unit;
            const float tile = sdRoundBox(px, py, mid, mid, half, half, TILE_ROUNDING * unit);
            if (coverage(tile) <= 0.0f)
                continue;
            paint(icon, x, y, mix(NAVY_FIELD, NAVY_DEEP, down), coverage(tile));
            paint(icon, x, y, STEEL_LIGHT,
                  0.7f * coverage(std::fabs(tile + 1.2f * unit) - 0.5f * unit));
            // The paddles, lit from above.
            for (int side = 0; side < 2; ++side) {
                const float cx = (side == 0 ? PADDLE_X : GRID - PADDLE_X) * unit;
                const float paddle = sdRoundBox(px, py, cx, mid, PADDLE_HALF_W * unit,
                                                PADDLE_HALF_H * unit, PADDLE_HALF_W * unit);
                const Color base = side == 0 ? AMBER : TEAL;
                const Color light = side == 0 ? AMBER_LIGHT : TEAL_LIGHT;
                paint(icon, x, y, mix(light, base, down), coverage(paddle));
            }
            // The ball: an ice glow around it, then the shaded sphere.
            const float bx = BALL_X * unit, by = BALL_Y * unit, br = BALL_R * unit;
            const float ball = sdCircle(px, py, bx, by, br);
            paint(icon, x, y, ICE_GLOW, 0.4f * std::exp(-std::fmax(ball, 0.0f) / (2.5f * unit)));
            if (coverage(ball) <= 0.0f)
                continue;
            const float dx = (px - bx) / br, dy = (py - by) / br;
            const Vec3 n = {dx, dy, std::sqrt(std::fmax(0.0f, 1.0f - dx * dx - dy * dy))};
            const Color shaded = add(scale(silver, 0.3f + 0.8f * diffuseLight(n)),
                                     scale({1, 1, 1}, 0.9f * specularLight(n, 50.0f)));
            paint(icon, x, y, shaded, coverage(ball));
        }
    }
    return icon;
}
