// The mute mark: a small plate of the buttons' glass and steel rim, holding a
// speaker with its two waves, struck through by an amber bar with a dark gap
// around it so the strike reads at a glance on any screen.
#include <cmath>
#include <vector>

#include "look.h"
#include "media_pictures.h"

static const int MARK_SIZE = 32;
static const float PLATE_HALF = 13.0f, PLATE_CORNER = 7.0f;

Canvas makeMuteMark() {
    Canvas mark = makeCanvas(MARK_SIZE, MARK_SIZE);
    const float c = MARK_SIZE / 2.0f;
    const std::vector<Point> cone = {{11.5f, 13.4f}, {16.5f, 8.5f}, {16.5f, 23.5f}, {11.5f, 18.6f}};
    const Color ink = rgb(226, 236, 250);
    for (int y = 0; y < MARK_SIZE; ++y) {
        for (int x = 0; x < MARK_SIZE; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            // Plate: shadow, glass, a dark line inside the rim, the rim lit from above.
            const float plate = sdRoundBox(px, py, c, c, PLATE_HALF, PLATE_HALF, PLATE_CORNER);
            const float below =
                sdRoundBox(px, py - 1.5f, c, c, PLATE_HALF, PLATE_HALF, PLATE_CORNER);
            paint(mark, x, y, INK_DARK, 0.5f * std::pow(clamp01(1.0f - below / 3.0f), 2.0f));
            paint(mark, x, y, GLASS, coverage(plate) * 0.92f);
            paint(mark, x, y, INK_DARK, coverage(std::fabs(plate + 2.4f) - 0.5f) * 0.5f);
            const float lit = 0.75f + 0.25f * clamp01((c - py) / PLATE_HALF);
            paint(mark, x, y, scale(STEEL_LIGHT, lit), coverage(std::fabs(plate + 1.0f) - 0.7f));
            // Speaker: body, cone and two arcs of sound to its right.
            float speaker = std::fmin(sdRoundBox(px, py, 9.5f, c, 2.2f, 2.6f, 0.6f),
                                      sdRoundedPolygon(px, py, cone, 0.6f));
            const float fromCone = std::hypot(px - 16.5f, py - c);
            const bool ahead = std::fabs(py - c) < 0.8f * (px - 16.5f);
            for (float radius : {4.0f, 7.5f})
                if (ahead)
                    speaker = std::fmin(speaker, std::fabs(fromCone - radius) - 0.7f);
            // Strike: an amber bar corner to corner, with a dark gap around it.
            const float strike = sdCapsule(px, py, 8.0f, 8.0f, 24.0f, 24.0f, 1.1f);
            paint(mark, x, y, ink, coverage(speaker) * coverage(-(strike - 1.0f)));
            paint(mark, x, y, INK_DARK, coverage(strike - 1.0f) * coverage(plate + 2.0f) * 0.6f);
            paint(mark, x, y, AMBER, coverage(strike));
        }
    }
    return mark;
}
