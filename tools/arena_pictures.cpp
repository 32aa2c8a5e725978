// The arena: the night-blue field with its markings (drawn under the match)
// and the steel walls around it (drawn over the match, the field left clear).
#include <algorithm>
#include <cmath>

#include "look.h"
#include "media_pictures.h"

static const int SCREEN_W = 640, SCREEN_H = 480;
// The field between the walls; the walls' collision boxes end exactly here.
static const int FIELD_LEFT = 15, FIELD_RIGHT = 625, FIELD_TOP = 50, FIELD_BOTTOM = 430;
static const float CENTRE_X = 320.0f, CENTRE_Y = 240.0f;

// --- Field ---------------------------------------------------------------------
static const int GRID_STEP = 32;
static const float CIRCLE_RADIUS = 56.0f;
static const float CREASE_RADIUS = 84.0f;                  // arcs before each side wall
static const float GOAL_LEFT = 40.0f, GOAL_RIGHT = 600.0f; // where a ball scores

// A line of width w at distance d: anti-aliased coverage.
static float lineCover(float d, float w) {
    return coverage(std::fabs(d) - w / 2.0f);
}

Canvas makeBackground() {
    Canvas field = makeCanvas(SCREEN_W, SCREEN_H);
    const Color marking = rgb(120, 160, 215);
    for (int y = 0; y < SCREEN_H; ++y) {
        for (int x = 0; x < SCREEN_W; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            // Deep navy, lit in the middle and falling off to the corners.
            float r = std::hypot((px - CENTRE_X) / 380.0f, (py - CENTRE_Y) / 300.0f);
            Color c = mix(NAVY_FIELD, NAVY_DEEP, smoothstep(0.0f, 1.15f, r));
            c = add(c, scale(rgb(6, 10, 20), valueNoise(px / 70.0f, py / 70.0f, 3) - 0.5f));
            paint(field, x, y, c, 1.0f);
            // Faint grid, centred on the middle of the field.
            bool gridX = (x - 320) % GRID_STEP == 0, gridY = (y - 240) % GRID_STEP == 0;
            paint(field, x, y, marking, (gridX || gridY) ? 0.045f : 0.0f);
            paint(field, x, y, marking, (gridX && gridY) ? 0.06f : 0.0f);
            // Centre line, centre circle and spot.
            float fade = 1.0f - 0.5f * smoothstep(100.0f, 190.0f, std::fabs(py - CENTRE_Y));
            float fromCentre = std::hypot(px - CENTRE_X, py - CENTRE_Y);
            paint(field, x, y, marking, 0.30f * fade * lineCover(px - CENTRE_X, 2.0f));
            paint(field, x, y, marking, 0.30f * lineCover(fromCentre - CIRCLE_RADIUS, 2.0f));
            paint(field, x, y, marking, 0.10f * lineCover(fromCentre - CIRCLE_RADIUS, 7.0f));
            paint(field, x, y, marking, 0.45f * coverage(fromCentre - 4.0f));
            // Creases and dashed goal lines in each player's colour.
            float leftArc = std::hypot(px - FIELD_LEFT, py - CENTRE_Y) - CREASE_RADIUS;
            float rightArc = std::hypot(px - FIELD_RIGHT, py - CENTRE_Y) - CREASE_RADIUS;
            paint(field, x, y, AMBER, 0.22f * lineCover(leftArc, 2.0f));
            paint(field, x, y, AMBER, 0.035f * coverage(leftArc));
            paint(field, x, y, TEAL, 0.22f * lineCover(rightArc, 2.0f));
            paint(field, x, y, TEAL, 0.035f * coverage(rightArc));
            bool dash = (y / 8) % 2 == 0;
            paint(field, x, y, AMBER, dash * 0.16f * lineCover(px - GOAL_LEFT, 1.0f));
            paint(field, x, y, TEAL, dash * 0.16f * lineCover(px - GOAL_RIGHT, 1.0f));
            // The walls cast a soft shadow inward, deeper under the top wall.
            float inside = std::min({px - FIELD_LEFT, FIELD_RIGHT - px, py - FIELD_TOP + 3.0f,
                                     FIELD_BOTTOM - py + 3.0f});
            paint(field, x, y, INK_DARK, 0.55f * std::exp(-std::max(inside, 0.0f) / 7.0f));
            // A whisper of dither so the gradients do not band.
            paint(field, x, y, (hash01(x, y, 7) > 0.5f) ? rgb(40, 60, 100) : INK_DARK, 0.012f);
        }
    }
    return field;
}

// --- Walls -----------------------------------------------------------------------
static const float RIM_WIDTH = 2.0f; // glowing lip at the field edge
static const float BEVEL_END = 9.0f; // the slope down to the field ends here
static const int BOLT_Y_TOP = 25, BOLT_Y_BOTTOM = 455;

// Brushed steel: long streaks along the wall, a little grain across them.
static Color brushedSteel(float along, float across, uint32_t seed) {
    float streak = valueNoise(along / 60.0f, across * 0.9f, seed) - 0.5f;
    float grain = hash01(static_cast<int>(along), static_cast<int>(across), seed + 1) - 0.5f;
    return scale(STEEL, 1.0f + 0.16f * streak + 0.05f * grain);
}

static void drawBolt(Canvas& walls, float cx, float cy) {
    for (int y = static_cast<int>(cy) - 6; y <= cy + 6; ++y) {
        for (int x = static_cast<int>(cx) - 6; x <= cx + 6; ++x) {
            float px = x + 0.5f - cx, py = y + 0.5f - cy, d = std::hypot(px, py);
            paint(walls, x, y, INK_DARK, 0.55f * coverage(d - 4.6f)); // recess
            float r = std::min(d / 3.4f, 0.999f);
            Vec3 n = normalize({px / 3.4f, py / 3.4f, std::sqrt(1.0f - r * r)});
            Color c = scale(STEEL_LIGHT, 0.35f + 0.65f * diffuseLight(n));
            c = add(c, scale({1, 1, 1}, 0.6f * specularLight(n, 30.0f)));
            paint(walls, x, y, c, coverage(d - 3.4f));
        }
    }
}

Canvas makeBorder() {
    Canvas walls = makeCanvas(SCREEN_W, SCREEN_H);
    for (int y = 0; y < SCREEN_H; ++y) {
        for (int x = 0; x < SCREEN_W; ++x) {
            bool inField = x >= FIELD_LEFT && x < FIELD_RIGHT && y >= FIELD_TOP && y < FIELD_BOTTOM;
            if (inField)
                continue; // the field stays fully transparent
            float px = x + 0.5f, py = y + 0.5f;
            bool horizontal = y < FIELD_TOP || y >= FIELD_BOTTOM; // top and bottom own the corners
            Color c = horizontal ? brushedSteel(px, py, 21) : brushedSteel(py, px, 37);
            // Distance to the field edge (square corners) and to the screen edge.
            float d =
                std::max({FIELD_LEFT - px, px - FIELD_RIGHT, FIELD_TOP - py, py - FIELD_BOTTOM});
            float outer = std::min({px, SCREEN_W - px, py, SCREEN_H - py});
            // Which way the bevel faces: toward the field.
            Vec3 facing = {0, 0, 1};
            if (d == FIELD_TOP - py)
                facing = {0, 1, 0};
            else if (d == py - FIELD_BOTTOM)
                facing = {0, -1, 0};
            else if (d == FIELD_LEFT - px)
                facing = {1, 0, 0};
            else
                facing = {-1, 0, 0};
            // Broad light across the wall, lighter toward the top of the screen.
            c = scale(c, 1.05f - 0.25f * py / SCREEN_H);
            if (d < BEVEL_END && d >= RIM_WIDTH + 1.0f) {
                Vec3 n = normalize({facing.x * 0.8f, facing.y * 0.8f, 0.6f});
                c = scale(c, 0.55f + 0.9f * diffuseLight(n));
            }
            c = mix(c, STEEL_LIGHT,
                    0.35f * smoothstep(1.5f, 0.0f, std::fabs(d - BEVEL_END - 0.5f)));
            if (d < RIM_WIDTH + 1.0f && d >= RIM_WIDTH)
                c = mix(c, INK_DARK, 0.7f); // groove behind the lip
            if (d < RIM_WIDTH)
                c = mix(ICE_GLOW, rgb(230, 245, 255), d < 1.0f ? 0.25f : 0.0f);
            // A slim lit edge where the wall meets the screen edge.
            if (outer < 1.0f)
                c = mix(c, INK_DARK, 0.5f);
            else if (outer < 2.0f)
                c = mix(c, STEEL_LIGHT, 0.3f);
            paint(walls, x, y, c, 1.0f);
        }
    }
    for (int i = 0; i < 8; ++i) {
        drawBolt(walls, 40.0f + 80.0f * i, BOLT_Y_TOP);
        drawBolt(walls, 40.0f + 80.0f * i, BOLT_Y_BOTTOM);
    }
    return walls;
}
