// The interface theme pictures besides the font: the panel tile sheet (dark
// glass with a steel rim, amber when highlighted), the two status bars in
// one colour-keyed strip, and the reticle pointer with its animation frames.
#include <cmath>

#include "glyph_raster.h"
#include "look.h"
#include "media_pictures.h"

// --- Panel tiles -------------------------------------------------------------
static const int TILE = 21;
static const int PANEL_SIZE = 3 * TILE; // one interior tile framed by one tile
static const float PANEL_INSET = 6.0f;  // the glass edge lies this far inside the frame
static const float PANEL_CORNER = 12.0f;

// Every effect below depends only on the distance to the nearest straight
// edge in the edge tiles and ends 13 pixels inside the glass, so edge tiles
// repeat without seams and the fill tile is one flat colour.
static Canvas drawPanelPicture(bool highlighted) {
    Canvas panel = makeCanvas(PANEL_SIZE, PANEL_SIZE);
    const float centre = PANEL_SIZE / 2.0f, half = centre - PANEL_INSET;
    auto sdf = [&](float x, float y) {
        return sdRoundBox(x, y, centre, centre, half, half, PANEL_CORNER);
    };
    Color rimColour = highlighted ? AMBER_LIGHT : STEEL_LIGHT;
    Color glass = highlighted ? rgb(28, 30, 48) : GLASS;
    for (int y = 0; y < PANEL_SIZE; ++y) {
        for (int x = 0; x < PANEL_SIZE; ++x) {
            float px = x + 0.5f, py = y + 0.5f;
            float sd = sdf(px, py);
            float ny = (sdf(px, py + 0.5f) - sdf(px, py - 0.5f)); // -1 at the top edge
            // Shadow (amber halo when lit) a little lower than the glass; it also
            // lies under the glass, deepening its tint.
            float below = sdf(px, py - 1.5f);
            if (highlighted)
                paint(panel, x, y, AMBER, 0.45f * std::pow(clamp01(1.0f - below / 6.0f), 2.0f));
            else
                paint(panel, x, y, INK_DARK, 0.5f * std::pow(clamp01(1.0f - below / 5.0f), 2.0f));
            // Glass body.
            paint(panel, x, y, glass, coverage(sd) * 0.86f);
            float depth = -sd;
            // Sheen along the upper inner edge.
            paint(panel, x, y, STEEL_LIGHT,
                  coverage(sd) * clamp01(-ny) * 0.16f * (1.0f - smoothstep(1.0f, 7.0f, depth)));
            // Amber glow inside a highlighted panel.
            if (highlighted)
                paint(panel, x, y, AMBER,
                      coverage(sd) * 0.42f * std::pow(clamp01(1.0f - depth / 13.0f), 2.0f));
            // Dark line just inside the rim, then the rim itself, brighter on top.
            paint(panel, x, y, INK_DARK, coverage(std::fabs(sd + 2.7f) - 0.5f) * 0.55f);
            float rimLight = 0.75f - 0.25f * ny;
            paint(panel, x, y, scale(rimColour, rimLight), coverage(std::fabs(sd + 1.0f) - 0.8f));
        }
    }
    return panel;
}

// Where each sheet column is cut from the 3x3 panel (in tiles).
static const int TILE_SOURCE[9][2] = {
    {0, 0}, {0, 2}, {2, 0}, {2, 2}, // corners: top-left, bottom-left, top-right, bottom-right
    {1, 2}, {2, 1}, {1, 0}, {0, 1}, // edges: bottom, right, top, left
    {1, 1},                         // fill
};

Canvas makeButtonSheet() {
    Canvas sheet = makeCanvas(9 * TILE, 2 * TILE);
    for (int row = 0; row < 2; ++row) {
        Canvas panel = drawPanelPicture(row == 1);
        for (int column = 0; column < 9; ++column) {
            for (int y = 0; y < TILE; ++y) {
                for (int x = 0; x < TILE; ++x) {
                    int sx = TILE_SOURCE[column][0] * TILE + x;
                    int sy = TILE_SOURCE[column][1] * TILE + y;
                    const float* p = &panel.rgba[(static_cast<size_t>(sy) * PANEL_SIZE + sx) * 4];
                    float* q = &sheet.rgba[(static_cast<size_t>(row * TILE + y) * sheet.width +
                                            column * TILE + x) *
                                           4];
                    for (int c = 0; c < 4; ++c)
                        q[c] = p[c];
                }
            }
        }
    }
    return sheet;
}

// --- Status bars -------------------------------------------------------------
static const int BAR_WIDTH = 640;
static const int BAR_ROWS = 61;
static const int BOTTOM_BAR_TOP = 0; // its row 0 faces the field
static const int TOP_BAR_TOP = 70;   // its last row (130) faces the field
static const int STRIP_HEIGHT = 131;

// One bar: an opaque dark glass strip with a glowing accent line on the side
// that faces the field. Everything blends toward the bar, never toward the key.
static void drawBar(Canvas& strip, int top, bool edgeAtTop) {
    for (int r = 0; r < BAR_ROWS; ++r) {
        int y = top + r;
        float e = static_cast<float>(edgeAtTop ? r : BAR_ROWS - 1 - r); // rows from the field edge
        Color body = mix(rgb(17, 29, 54), rgb(7, 12, 27), smoothstep(2.0f, 60.0f, e));
        for (int x = 0; x < BAR_WIDTH; ++x) {
            float grain = (valueNoise(x / 90.0f, y * 1.7f, 11) - 0.5f) * 0.018f;
            Color c = add(body, {grain, grain, grain * 1.3f});
            c = mix(c, ICE_GLOW, 0.22f * std::exp(-(e - 1.0f) / 3.0f) * (e >= 2.0f));
            if (e < 1.0f)
                c = mix(STEEL_LIGHT, ICE_GLOW, 0.45f);
            else if (e < 2.0f)
                c = mix(c, ICE_GLOW, 0.45f);
            else if (e < 3.0f)
                c = mix(c, INK_DARK, 0.7f);
            paint(strip, x, y, c, 1.0f);
        }
    }
}

// Two short lines in the players' colours, a quiet signature of the game.
static void drawPlayerMarks(Canvas& strip, float left, int y) {
    const float length = 40.0f, gap = 6.0f;
    for (int x = static_cast<int>(left) - 1; x < left + 2 * length + gap + 1; ++x) {
        float px = x + 0.5f;
        float amber = clamp01(std::fmin(px - left, left + length - px) + 0.5f);
        float teal =
            clamp01(std::fmin(px - left - length - gap, left + 2 * length + gap - px) + 0.5f);
        for (int dy = 0; dy < 2; ++dy) {
            paint(strip, x, y + dy, AMBER, amber * (dy == 0 ? 1.0f : 0.55f));
            paint(strip, x, y + dy, TEAL, teal * (dy == 0 ? 1.0f : 0.55f));
        }
    }
}

// The game's name at the left of the top bar, steel with a dark rim.
static void drawWordmark(Canvas& strip, int left, int baseline) {
    CoverageMask mask = renderTextMask("RORED", 26.0f, static_cast<float>(left), baseline,
                                       BAR_WIDTH, STRIP_HEIGHT, 3.0f);
    for (int y = baseline - 22; y < baseline + 3; ++y) {
        Color ink = mix(rgb(226, 236, 250), STEEL_LIGHT, smoothstep(baseline - 19.0f, baseline, y));
        for (int x = 0; x < BAR_WIDTH; ++x) {
            paint(strip, x, y, INK_DARK, rimCoverage(mask, x, y) * 0.8f);
            paint(strip, x, y, ink, mask.at(x, y));
        }
    }
}

Canvas makeStatusBars() {
    Canvas strip = makeCanvas(BAR_WIDTH, STRIP_HEIGHT);
    drawBar(strip, BOTTOM_BAR_TOP, true);
    drawBar(strip, TOP_BAR_TOP, false);
    // Top bar shows on screen rows 0-60: name left, date and time at the right.
    drawWordmark(strip, 20, TOP_BAR_TOP + 36);
    drawPlayerMarks(strip, 21.0f, TOP_BAR_TOP + 44);
    // Bottom bar: the credit line sits at the left, the marks balance it.
    drawPlayerMarks(strip, 534.0f, BOTTOM_BAR_TOP + 33);
    return strip;
}

// --- Pointer -------------------------------------------------------------------
static const int FRAME = 96;
static const int FRAME_COUNT = 16;
static const int SHOWN_FRAME = 3; // the frame the game draws
static const float AIM = 48.5f;   // centre of pixel (48, 48), the hot spot
static const float RING_RADIUS = 14.0f;
static const float RING_GAP = 4.5f; // half the opening where a tick crosses the ring
static const float TICK_INNER = 6.0f, TICK_OUTER = 22.0f;
static const float PI = 3.14159265f;

// A ring broken where a cross of ticks passes through it with room to
// spare, the ticks stopping short of the aim point, and an amber dot on it.
// The other frames turn and breathe around the shown one.
static void drawReticle(Canvas& sheet, int frame) {
    float phase = static_cast<float>(frame - SHOWN_FRAME) / FRAME_COUNT;
    float turn = phase * PI / 2.0f; // four-fold symmetry: a quarter turn loops
    float radius = RING_RADIUS + 1.0f * std::sin(phase * 2.0f * PI);
    for (int y = 0; y < FRAME; ++y) {
        for (int x = 0; x < FRAME; ++x) {
            float px = x + 0.5f - AIM, py = y + 0.5f - AIM;
            float dist = std::hypot(px, py);
            float angle = std::atan2(py, px) - turn;
            float toGap = std::fabs(std::remainder(angle, PI / 2.0f)) * dist; // arc distance
            float ring = std::fmax(std::fabs(dist - radius) - 1.1f, RING_GAP - toGap);
            float ticks = 1e9f;
            for (int k = 0; k < 4; ++k) {
                float cx = std::cos(turn + k * PI / 2.0f), cy = std::sin(turn + k * PI / 2.0f);
                ticks = std::fmin(ticks, sdCapsule(px, py, cx * TICK_INNER, cy * TICK_INNER,
                                                   cx * TICK_OUTER, cy * TICK_OUTER, 1.0f));
            }
            float dot = dist - 1.7f;
            float shape = std::fmin(std::fmin(ring, ticks), dot);
            int sx = frame * FRAME + x;
            paint(sheet, sx, y, ICE_GLOW,
                  0.22f * std::exp(-std::pow((dist - radius) / 3.0f, 2.0f)));
            paint(sheet, sx, y, INK_DARK, coverage(shape - 1.5f) * 0.8f);
            paint(sheet, sx, y, rgb(236, 246, 255), coverage(std::fmin(ring, ticks)));
            paint(sheet, sx, y, AMBER_LIGHT, coverage(dot));
        }
    }
}

Canvas makeCursorSheet() {
    Canvas sheet = makeCanvas(FRAME * FRAME_COUNT, FRAME);
    for (int i = 0; i < FRAME_COUNT; ++i)
        drawReticle(sheet, i);
    return sheet;
}
