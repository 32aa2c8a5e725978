// FreeType access for the picture generator: one face opened once, strings
// rendered into coverage masks at fractional pen positions.
#pragma once

#include <string>
#include <vector>

// A grey coverage picture: 0 (no ink) to 1 (full ink) per pixel.
struct CoverageMask {
    int width = 0, height = 0;
    std::vector<float> cover;
    float at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0.0f;
        return cover[static_cast<size_t>(y) * width + x];
    }
};

// Coverage of a rim about one pixel wide around the ink (grey dilation);
// called by the makers that outline text so it reads on any background.
inline float rimCoverage(const CoverageMask& mask, int x, int y) {
    float rim = 0.0f;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            float weight = (dx != 0 && dy != 0) ? 0.7f : 1.0f;
            float v = mask.at(x + dx, y + dy) * weight;
            rim = v > rim ? v : rim;
        }
    }
    return rim;
}

// Called once by make_media before any text is rendered; false if the face
// cannot be opened.
bool openGlyphFace(const std::string& fontPath);

// Called by make_media when every picture is written.
void closeGlyphFace();

// Horizontal advance of one character at pixelSize, in pixels (unhinted).
float glyphAdvance(char c, float pixelSize);

// Called by the font sheet and the status bars: renders text into a new mask
// of the given size, starting the pen at penX with the baseline on row
// baseline; extraSpacing widens every advance. Overlapping ink adds up.
CoverageMask renderTextMask(const std::string& text, float pixelSize, float penX, int baseline,
                            int width, int height, float extraSpacing = 0.0f);
