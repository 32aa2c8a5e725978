// Drawing primitives of the picture generator: a premultiplied float canvas,
// signed distance shapes turned into anti-aliased coverage, deterministic noise
// and the PNG writers. Everything here is pure and repeatable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// --- Colours and canvas ---------------------------------------------------
struct Color {
    float r, g, b;
};

struct Canvas {
    int width = 0, height = 0;
    std::vector<float> rgba; // premultiplied, four floats per pixel, 0..1
};

struct Point {
    float x, y;
};

// Called by every picture maker to start an empty (fully transparent) picture.
Canvas makeCanvas(int width, int height);

// Called by the picture makers to lay colour c with opacity alpha over one pixel.
void paint(Canvas& canvas, int x, int y, Color c, float alpha);

// Called by the picture makers that copy one finished picture into another.
void paintCanvas(Canvas& target, const Canvas& source, int left, int top);

// Called by the makers that read back a pixel: straight alpha of (x, y).
float alphaAt(const Canvas& canvas, int x, int y);

// --- Numbers ----------------------------------------------------------------
float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);
float mixf(float a, float b, float t);
Color mix(Color a, Color b, float t);
Color scale(Color c, float k);
Color add(Color a, Color b);
Color rgb(int r, int g, int b);

// Hash noise in [0, 1) for integer coordinates; same seed, same value, always.
float hash01(int x, int y, uint32_t seed);
// Smooth value noise in [0, 1) for real coordinates (bilinear over hash01).
float valueNoise(float x, float y, uint32_t seed);

// --- Shapes (signed distance: negative inside, in pixels) --------------------
// Coverage of a pixel whose centre lies sd pixels outside an edge.
float coverage(float sd);
float sdCircle(float px, float py, float cx, float cy, float radius);
// Box centred on (cx, cy) with half sizes hw, hh and rounded corners.
float sdRoundBox(float px, float py, float cx, float cy, float hw, float hh, float radius);
// Segment from (ax, ay) to (bx, by) with round ends, `half` its half width.
float sdCapsule(float px, float py, float ax, float ay, float bx, float by, float half);
// Convex polygon (any winding) with every corner rounded by radius.
float sdRoundedPolygon(float px, float py, const std::vector<Point>& corners, float radius);

// --- Files ------------------------------------------------------------------
// Called by make_media for pictures loaded with per-pixel alpha.
bool saveRgbaPng(const Canvas& canvas, const std::string& path);
// Called by make_media for colour-keyed pictures: pixels under half opacity
// become the key cyan, all others are opaque and kept off the key colour.
bool saveKeyedRgbPng(const Canvas& canvas, const std::string& path);
