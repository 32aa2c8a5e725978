// Drawing primitives of the picture generator: canvas, shapes, noise and the
// PNG writers. Shapes are signed distances so every edge is anti-aliased by
// the distance of the pixel centre to it.
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include <png.h>

Canvas makeCanvas(int width, int height) {
    Canvas canvas;
    canvas.width = width;
    canvas.height = height;
    canvas.rgba.assign(static_cast<size_t>(width) * height * 4, 0.0f);
    return canvas;
}

void paint(Canvas& canvas, int x, int y, Color c, float alpha) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height || alpha <= 0.0f)
        return;
    alpha = clamp01(alpha);
    float* p = &canvas.rgba[(static_cast<size_t>(y) * canvas.width + x) * 4];
    float keep = 1.0f - alpha;
    p[0] = c.r * alpha + p[0] * keep;
    p[1] = c.g * alpha + p[1] * keep;
    p[2] = c.b * alpha + p[2] * keep;
    p[3] = alpha + p[3] * keep;
}

void paintCanvas(Canvas& target, const Canvas& source, int left, int top) {
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            const float* s = &source.rgba[(static_cast<size_t>(y) * source.width + x) * 4];
            if (s[3] <= 0.0f)
                continue;
            paint(target, left + x, top + y, {s[0] / s[3], s[1] / s[3], s[2] / s[3]}, s[3]);
        }
    }
}

float alphaAt(const Canvas& canvas, int x, int y) {
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height)
        return 0.0f;
    return canvas.rgba[(static_cast<size_t>(y) * canvas.width + x) * 4 + 3];
}

float clamp01(float v) {
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

float smoothstep(float edge0, float edge1, float v) {
    float t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float mixf(float a, float b, float t) {
    return a + (b - a) * t;
}
Color mix(Color a, Color b, float t) {
    return {mixf(a.r, b.r, t), mixf(a.g, b.g, t), mixf(a.b, b.b, t)};
}
Color scale(Color c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}
Color add(Color a, Color b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Color rgb(int r, int g, int b) {
    return {r / 255.0f, g / 255.0f, b / 255.0f};
}

float hash01(int x, int y, uint32_t seed) {
    // A fixed integer mix (lowbias32): the same coordinates give the same
    // value on every machine and every run.
    uint32_t h = static_cast<uint32_t>(x) * 0x8da6b343u ^ static_cast<uint32_t>(y) * 0xd8163841u ^
                 seed * 0xcb1ab31fu;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<float>(h >> 8) / 16777216.0f;
}

float valueNoise(float x, float y, uint32_t seed) {
    int ix = static_cast<int>(std::floor(x));
    int iy = static_cast<int>(std::floor(y));
    float fx = smoothstep(0.0f, 1.0f, x - ix);
    float fy = smoothstep(0.0f, 1.0f, y - iy);
    float top = mixf(hash01(ix, iy, seed), hash01(ix + 1, iy, seed), fx);
    float bottom = mixf(hash01(ix, iy + 1, seed), hash01(ix + 1, iy + 1, seed), fx);
    return mixf(top, bottom, fy);
}

float coverage(float sd) {
    return clamp01(0.5f - sd);
}

float sdCircle(float px, float py, float cx, float cy, float radius) {
    return std::hypot(px - cx, py - cy) - radius;
}

float sdRoundBox(float px, float py, float cx, float cy, float hw, float hh, float radius) {
    float qx = std::fabs(px - cx) - hw + radius;
    float qy = std::fabs(py - cy) - hh + radius;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// Exact distance to a closed polygon, negative inside (even-odd rule).
static float sdPolygon(float px, float py, const std::vector<Point>& v) {
    size_t n = v.size();
    float d = (px - v[0].x) * (px - v[0].x) + (py - v[0].y) * (py - v[0].y);
    float sign = 1.0f;
    for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
        float ex = v[j].x - v[i].x, ey = v[j].y - v[i].y;
        float wx = px - v[i].x, wy = py - v[i].y;
        float t = clamp01((wx * ex + wy * ey) / (ex * ex + ey * ey));
        float bx = wx - ex * t, by = wy - ey * t;
        d = std::min(d, bx * bx + by * by);
        bool c1 = py >= v[i].y, c2 = py<v[j].y, c3 = ex * wy> ey * wx;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            sign = -sign;
    }
    return sign * std::sqrt(d);
}

// Moves every edge of a convex polygon inward by distance and returns the
// corners where the moved edges meet.
static std::vector<Point> insetConvex(const std::vector<Point>& v, float distance) {
    size_t n = v.size();
    float area = 0.0f;
    for (size_t i = 0; i < n; ++i)
        area += v[i].x * v[(i + 1) % n].y - v[(i + 1) % n].x * v[i].y;
    float inward = area > 0.0f ? 1.0f : -1.0f; // y grows downward
    std::vector<Point> lines; // per edge: a point on the moved edge and its direction
    std::vector<Point> dirs;
    for (size_t i = 0; i < n; ++i) {
        const Point& a = v[i];
        const Point& b = v[(i + 1) % n];
        float dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        float nx = -dy / len * inward, ny = dx / len * inward;
        lines.push_back({a.x + nx * distance, a.y + ny * distance});
        dirs.push_back({dx, dy});
    }
    std::vector<Point> out;
    for (size_t i = 0; i < n; ++i) {
        size_t prev = (i + n - 1) % n;
        const Point &p0 = lines[prev], &d0 = dirs[prev], &p1 = lines[i], &d1 = dirs[i];
        float denom = d0.x * d1.y - d0.y * d1.x;
        float t = ((p1.x - p0.x) * d1.y - (p1.y - p0.y) * d1.x) / denom;
        out.push_back({p0.x + d0.x * t, p0.y + d0.y * t});
    }
    return out;
}

float sdCapsule(float px, float py, float ax, float ay, float bx, float by, float half) {
    float dx = bx - ax, dy = by - ay;
    float t = clamp01(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy));
    return std::hypot(px - ax - dx * t, py - ay - dy * t) - half;
}

float sdRoundedPolygon(float px, float py, const std::vector<Point>& corners, float radius) {
    return sdPolygon(px, py, insetConvex(corners, radius)) - radius;
}

static uint8_t toByte(float v) {
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
}

static bool writePng(const std::string& path, int width, int height, bool withAlpha,
                     const std::vector<uint8_t>& bytes) {
    // Written beside the target and renamed over it, so a failed run never
    // leaves a half-written picture behind.
    std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        std::remove(temporary.c_str());
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, width, height, 8, withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    size_t stride = static_cast<size_t>(width) * (withAlpha ? 4 : 3);
    for (int y = 0; y < height; ++y)
        png_write_row(png, &bytes[stride * y]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    bool closed = std::fclose(file) == 0;
    return closed && std::rename(temporary.c_str(), path.c_str()) == 0;
}

bool saveRgbaPng(const Canvas& canvas, const std::string& path) {
    std::vector<uint8_t> bytes;
    bytes.reserve(canvas.rgba.size());
    for (size_t i = 0; i < canvas.rgba.size(); i += 4) {
        float a = clamp01(canvas.rgba[i + 3]);
        uint8_t alpha = toByte(a);
        for (int c = 0; c < 3; ++c)
            bytes.push_back(alpha == 0 ? 0 : toByte(canvas.rgba[i + c] / a));
        bytes.push_back(alpha);
    }
    return writePng(path, canvas.width, canvas.height, true, bytes);
}

bool saveKeyedRgbPng(const Canvas& canvas, const std::string& path) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < canvas.rgba.size(); i += 4) {
        float a = canvas.rgba[i + 3];
        uint8_t r = 0, g = 255, b = 255;
        if (a >= 0.5f) {
            r = toByte(canvas.rgba[i] / a);
            g = toByte(canvas.rgba[i + 1] / a);
            b = toByte(canvas.rgba[i + 2] / a);
            if (r == 0 && g == 255 && b == 255)
                g = 254; // the key colour is reserved for what must not show
        }
        bytes.push_back(r);
        bytes.push_back(g);
        bytes.push_back(b);
    }
    return writePng(path, canvas.width, canvas.height, false, bytes);
}
