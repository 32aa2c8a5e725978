// The shared look of every picture: the palette of the night-blue arena and
// the light that shades bevelled shapes, so all pictures agree on both.
#pragma once

#include <cmath>

#include "raster.h"

// --- Palette ----------------------------------------------------------------
inline const Color NAVY_DEEP = rgb(5, 10, 24);       // field corners, bar body
inline const Color NAVY_FIELD = rgb(17, 33, 66);     // field centre
inline const Color STEEL = rgb(62, 86, 120);         // wall metal
inline const Color STEEL_LIGHT = rgb(168, 192, 224); // rims and highlights
inline const Color ICE_GLOW = rgb(120, 196, 255);    // glowing inner rims
inline const Color GLASS = rgb(14, 24, 46);          // panel glass
inline const Color INK_DARK = rgb(4, 7, 15);         // outlines
inline const Color AMBER = rgb(255, 152, 38);        // left player
inline const Color AMBER_LIGHT = rgb(255, 214, 130);
inline const Color TEAL = rgb(24, 196, 148); // right player
inline const Color TEAL_LIGHT = rgb(150, 255, 214);

// --- Light --------------------------------------------------------------------
struct Vec3 {
    float x, y, z;
};

inline Vec3 normalize(Vec3 v) {
    float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / len, v.y / len, v.z / len};
}
inline float dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Light comes from the upper left, in front of the screen.
inline const Vec3 LIGHT = normalize({-0.45f, -0.6f, 0.66f});

// Surface normal of a shape that rises from its edge over `width` pixels in a
// quarter-round profile; sdf gives the signed distance (negative inside).
template <class Sdf> Vec3 bevelNormal(Sdf sdf, float x, float y, float width) {
    auto height = [&](float px, float py) {
        float t = std::fmin(1.0f, std::fmax(0.0f, -sdf(px, py) / width));
        return std::sin(t * 1.5707963f) * width * 0.8f;
    };
    const float h = 0.5f;
    float dx = (height(x + h, y) - height(x - h, y)) / (2 * h);
    float dy = (height(x, y + h) - height(x, y - h)) / (2 * h);
    return normalize({-dx, -dy, 1.0f});
}

// Diffuse and specular parts of LIGHT on a surface with normal n.
inline float diffuseLight(Vec3 n) {
    return std::fmax(0.0f, dot(n, LIGHT));
}
inline float specularLight(Vec3 n, float power) {
    Vec3 halfway = normalize({LIGHT.x, LIGHT.y, LIGHT.z + 1.0f});
    return std::pow(std::fmax(0.0f, dot(n, halfway)), power);
}
