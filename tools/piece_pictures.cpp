// The moving pieces of the match: the silver ball, the two paddles in the
// players' colours (their outlines follow the collision slices exactly), and
// the glass score backings that slide in from the sides.
#include <cmath>
#include <vector>

#include "look.h"
#include "media_pictures.h"

// --- Ball ------------------------------------------------------------------------
static const int BALL_SIZE = 44;
static const float BALL_RADIUS = 22.0f; // the game centres the picture on the ball
static const int BALL_SAMPLES = 4;      // per axis, for the edge coverage

Canvas makeBall() {
    Canvas ball = makeCanvas(BALL_SIZE, BALL_SIZE);
    const float c = BALL_SIZE / 2.0f;
    const Color silver = rgb(226, 232, 242), sky = rgb(205, 220, 245), floor = rgb(38, 52, 88);
    for (int y = 0; y < BALL_SIZE; ++y) {
        for (int x = 0; x < BALL_SIZE; ++x) {
            int inside = 0;
            for (int sy = 0; sy < BALL_SAMPLES; ++sy)
                for (int sx = 0; sx < BALL_SAMPLES; ++sx)
                    inside += std::hypot(x + (sx + 0.5f) / BALL_SAMPLES - c,
                                         y + (sy + 0.5f) / BALL_SAMPLES - c) < BALL_RADIUS;
            if (inside == 0)
                continue;
            float dx = (x + 0.5f - c) / BALL_RADIUS, dy = (y + 0.5f - c) / BALL_RADIUS;
            float rr = std::fmin(dx * dx + dy * dy, 0.995f);
            float scaleToEdge = std::sqrt(std::fmin(1.0f, 0.995f / (dx * dx + dy * dy + 1e-6f)));
            if (dx * dx + dy * dy > 0.995f) {
                dx *= scaleToEdge;
                dy *= scaleToEdge;
            }
            Vec3 n = {dx, dy, std::sqrt(1.0f - rr)};
            // Diffuse silver, then the surroundings mirrored at grazing angles:
            // pale sky above, the navy field below.
            Color col = scale(silver, 0.30f + 0.78f * diffuseLight(n));
            float fresnel = std::pow(1.0f - n.z, 2.0f);
            col = mix(col, mix(sky, floor, 0.5f + 0.5f * n.y), 0.65f * fresnel);
            // Cool bounce light from the lower right, then the highlights.
            col = add(col, scale(ICE_GLOW, 0.25f * std::pow(1.0f - n.z, 3.0f) *
                                               std::fmax(0.0f, 0.6f * n.x + 0.8f * n.y)));
            col = add(col, scale({1, 1, 1},
                                 0.9f * specularLight(n, 70.0f) + 0.18f * specularLight(n, 8.0f)));
            // A thin darker edge keeps the ball crisp on the pale markings.
            float r = std::sqrt(dx * dx + dy * dy);
            col = mix(col, INK_DARK, 0.35f * smoothstep(0.90f, 1.0f, r));
            paint(ball, x, y, col, static_cast<float>(inside) / (BALL_SAMPLES * BALL_SAMPLES));
        }
    }
    return ball;
}

// --- Paddles -----------------------------------------------------------------------
static const int PADDLE_W = 22, PADDLE_H = 72;
static const float PADDLE_ROUNDING = 2.5f;
static const float PADDLE_BEVEL = 6.0f;

// Outlines through the inner corners of the collision staircase, so the
// drawn face never sticks out past a slice. Left paddle: body x 0-11, slice
// 11+i covers rows 2i..71-2i. Right paddle: body x 11-22, slice 11-i likewise.
static const std::vector<Point> PADDLE1_OUTLINE = {{0, 0},   {11, 0},  {22, 22},
                                                   {22, 50}, {11, 72}, {0, 72}};
static const std::vector<Point> PADDLE2_OUTLINE = {{22, 0}, {12, 0},  {1, 22},
                                                   {1, 50}, {12, 72}, {22, 72}};

Canvas makePaddle(int player) {
    Canvas paddle = makeCanvas(PADDLE_W, PADDLE_H);
    const std::vector<Point>& outline = player == 1 ? PADDLE1_OUTLINE : PADDLE2_OUTLINE;
    Color base = player == 1 ? AMBER : TEAL;
    Color light = player == 1 ? AMBER_LIGHT : TEAL_LIGHT;
    Color dark = player == 1 ? rgb(120, 46, 6) : rgb(4, 78, 66);
    auto sdf = [&](float x, float y) { return sdRoundedPolygon(x, y, outline, PADDLE_ROUNDING); };
    // The upright part of the face, where the bright core line runs.
    float faceX = player == 1 ? 22.0f : 1.0f;
    for (int y = 0; y < PADDLE_H; ++y) {
        for (int x = 0; x < PADDLE_W; ++x) {
            float px = x + 0.5f, py = y + 0.5f, sd = sdf(px, py);
            float cover = coverage(sd);
            if (cover <= 0.0f)
                continue;
            Vec3 n = bevelNormal(sdf, px, py, PADDLE_BEVEL);
            float diffuse = diffuseLight(n);
            Color col = mix(dark, base, clamp01(0.25f + 0.9f * diffuse));
            col = mix(col, light, 0.55f * smoothstep(0.65f, 1.0f, diffuse));
            col = add(col, scale({1, 1, 1}, 0.55f * specularLight(n, 40.0f)));
            // A bright core line runs along the face, where the ball strikes.
            float toFace = std::fabs(px - faceX) - 4.0f;
            float faceBand = coverage(std::fabs(sd + 3.5f) - 0.6f) * smoothstep(7.0f, 3.0f, toFace);
            col = mix(col, light, 0.6f * faceBand);
            // Dark rim for a clean silhouette on the field.
            col = mix(col, INK_DARK, 0.45f * smoothstep(-1.4f, 0.0f, sd));
            paint(paddle, x, y, col, cover);
        }
    }
    return paddle;
}

// --- Score backings ----------------------------------------------------------------
static const int BACKING_W = 200, BACKING_H = 28;
static const float TAB_LENGTH = 100.0f; // from the screen edge, room for three digits
static const float TAB_TOP = 1.5f, TAB_BOTTOM = 25.5f;

Canvas makeTextBacking(int player) {
    Canvas backing = makeCanvas(BACKING_W, BACKING_H);
    Color accent = player == 1 ? AMBER : TEAL;
    const float half = (TAB_BOTTOM - TAB_TOP) / 2.0f, cy = (TAB_TOP + TAB_BOTTOM) / 2.0f;
    // The tab runs on past the flush edge, so only its far end is rounded.
    float farEnd = player == 1 ? TAB_LENGTH : BACKING_W - TAB_LENGTH;
    float flushEnd = player == 1 ? -40.0f : BACKING_W + 40.0f;
    float cx = (farEnd + flushEnd) / 2.0f, hw = std::fabs(farEnd - flushEnd) / 2.0f;
    auto sdf = [&](float x, float y) { return sdRoundBox(x, y, cx, cy, hw, half, half); };
    for (int y = 0; y < BACKING_H; ++y) {
        for (int x = 0; x < BACKING_W; ++x) {
            float px = x + 0.5f, py = y + 0.5f, sd = sdf(px, py);
            // Soft shadow below, then the glass.
            paint(backing, x, y, INK_DARK,
                  0.45f * std::pow(clamp01(1.0f - sdf(px, py - 2.0f) / 3.0f), 2.0f));
            float cover = coverage(sd);
            if (cover <= 0.0f)
                continue;
            // The player's colour glows from the wall side and fades out.
            float fromWall = player == 1 ? px : BACKING_W - px;
            float warmth = 0.30f * (1.0f - smoothstep(0.0f, TAB_LENGTH, fromWall));
            paint(backing, x, y, mix(GLASS, accent, warmth), cover * 0.84f);
            // Sheen on the upper half, accent line along the lower inner edge.
            paint(backing, x, y, STEEL_LIGHT, cover * 0.12f * smoothstep(cy, TAB_TOP, py));
            float lower = coverage(std::fabs(py - (TAB_BOTTOM - 3.0f)) - 0.6f) *
                          coverage(sd + 4.0f) * (1.0f - smoothstep(20.0f, TAB_LENGTH, fromWall));
            paint(backing, x, y, accent, 0.9f * lower);
            float ny = sdf(px, py + 0.5f) - sdf(px, py - 0.5f);
            paint(backing, x, y, scale(STEEL_LIGHT, 0.8f - 0.25f * ny),
                  coverage(std::fabs(sd + 0.9f) - 0.7f) * 0.85f);
        }
    }
    return backing;
}
