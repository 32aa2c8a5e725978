// Screen pictures for the end-to-end tests: an RGB frame, the rectangles the
// tests look at, comparisons with tolerance and exclusions, and the PNG and
// BMP readers and writers used to load the artwork and to keep screenshots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// --- Frames -----------------------------------------------------------------
struct Frame {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // three bytes per pixel, rows top to bottom

    bool empty() const { return rgb.empty(); }
    const uint8_t* at(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
    uint8_t* at(int x, int y) { return &rgb[(size_t(y) * width + x) * 3]; }
};

// Half-open pixel rectangle: x0 <= x < x1, y0 <= y < y1.
struct Box {
    int x0, y0, x1, y1;
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

// The 96x96 square the themed pointer covers around the mouse, with a margin.
Box pointerBox(int mouseX, int mouseY);

// Called by the checks: how many pixels of area (clipped to both frames) differ
// by more than tolerance in some channel, skipping pixels inside any excluded box.
int countDifferences(const Frame& a, const Frame& b, Box area, int tolerance,
                     const std::vector<Box>& excluded = {});

// Called by the checks: the smallest box holding every differing pixel of area,
// or an empty box {0,0,0,0} when there is none.
Box differenceBounds(const Frame& a, const Frame& b, Box area, int tolerance,
                     const std::vector<Box>& excluded = {});

// --- Files ------------------------------------------------------------------
// Called to load a picture of Media/: the RGBA bytes and size, empty on failure.
bool readPngRgba(const std::string& path, int& width, int& height, std::vector<uint8_t>& rgba);

// Called after every grab a person may want to look at.
bool writePng(const std::string& path, const Frame& frame);

// Called on a screenshot the game wrote; empty frame when it is not a BMP.
Frame readBmp(const std::string& path);

// A picture of Media/Game drawn at a place between the background and the border.
struct Layer {
    std::string picture; // file name inside Media/Game
    int x, y;
};

// Called by the scenarios: background.png, then the layers, then border.png,
// as the game composes its field; empty frame when a picture is missing.
Frame composeField(const std::string& mediaFolder, const std::vector<Layer>& layers = {});
