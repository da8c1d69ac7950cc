#include "tools/samplegame/canvas.h"

#include <algorithm>
#include <cmath>

namespace marlit::sample {

namespace {

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

uint8_t to8(float v) {
    return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0f));
}

}  // namespace

Colour rgb(uint32_t hex, float alpha) {
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f,
            alpha};
}

Colour mix(Colour a, Colour b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

Colour withAlpha(Colour c, float alpha) {
    c.a = alpha;
    return c;
}

Colour shade(Colour c, float t) {
    const Colour target = t >= 0 ? Colour{1, 1, 1, c.a} : Colour{0, 0, 0, c.a};
    return mix(c, target, std::fabs(t));
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * height,
              Pixel{fill.r * fill.a, fill.g * fill.a, fill.b * fill.a, fill.a}) {}

void Canvas::fill(Colour c) {
    const Pixel p{c.r * c.a, c.g * c.a, c.b * c.a, c.a};
    std::fill(pixels_.begin(), pixels_.end(), p);
}

void Canvas::blend(int x, int y, Colour c, float coverage) {
    if (!contains(x, y))
        return;
    const float a = clamp01(c.a * coverage);
    if (a <= 0)
        return;
    Pixel& d = px(x, y);
    const float keep = 1.0f - a;
    d.r = c.r * a + d.r * keep;
    d.g = c.g * a + d.g * keep;
    d.b = c.b * a + d.b * keep;
    d.a = a + d.a * keep;
}

void Canvas::addLight(int x, int y, Colour c, float amount) {
    if (!contains(x, y) || amount <= 0)
        return;
    Pixel& d = px(x, y);
    // Light shows only where something is; on a transparent pixel it
    // would have nothing to fall on.
    d.r = std::min(d.a, d.r + c.r * amount * d.a);
    d.g = std::min(d.a, d.g + c.g * amount * d.a);
    d.b = std::min(d.a, d.b + c.b * amount * d.a);
}

void Canvas::set(int x, int y, Colour c) {
    if (contains(x, y))
        px(x, y) = {c.r * c.a, c.g * c.a, c.b * c.a, c.a};
}

Colour Canvas::at(int x, int y) const {
    if (!contains(x, y))
        return {0, 0, 0, 0};
    const Pixel& p = px(x, y);
    if (p.a <= 0)
        return {0, 0, 0, 0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::draw(const Canvas& src, int dx, int dy, float opacity) {
    for (int y = 0; y < src.height_; ++y) {
        for (int x = 0; x < src.width_; ++x) {
            if (!contains(x + dx, y + dy))
                continue;
            const Pixel& s = src.px(x, y);
            Pixel& d = px(x + dx, y + dy);
            const float a = s.a * opacity;
            const float keep = 1.0f - a;
            d.r = s.r * opacity + d.r * keep;
            d.g = s.g * opacity + d.g * keep;
            d.b = s.b * opacity + d.b * keep;
            d.a = a + d.a * keep;
        }
    }
}

Canvas Canvas::crop(int x0, int y0, int width, int height) const {
    Canvas out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (contains(x0 + x, y0 + y))
                out.px(x, y) = px(x0 + x, y0 + y);
        }
    }
    return out;
}

Canvas Canvas::scaled(int width, int height) const {
    Canvas out(width, height);
    const double sx = static_cast<double>(width_) / width;
    const double sy = static_cast<double>(height_) / height;
    for (int y = 0; y < height; ++y) {
        const int y0 = static_cast<int>(y * sy);
        const int y1 = std::max(y0 + 1, static_cast<int>((y + 1) * sy));
        for (int x = 0; x < width; ++x) {
            const int x0 = static_cast<int>(x * sx);
            const int x1 = std::max(x0 + 1, static_cast<int>((x + 1) * sx));
            Pixel sum{0, 0, 0, 0};
            int n = 0;
            for (int v = y0; v < y1 && v < height_; ++v) {
                for (int u = x0; u < x1 && u < width_; ++u) {
                    const Pixel& p = px(u, v);
                    sum.r += p.r;
                    sum.g += p.g;
                    sum.b += p.b;
                    sum.a += p.a;
                    ++n;
                }
            }
            if (n > 0)
                out.px(x, y) = {sum.r / n, sum.g / n, sum.b / n, sum.a / n};
        }
    }
    return out;
}

Canvas Canvas::mirrored() const {
    Canvas out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            out.px(width_ - 1 - x, y) = px(x, y);
    }
    return out;
}

Bitmap Canvas::toBitmap24(Colour background) const {
    Bitmap b = makeBitmap(width_, height_, 3);
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = b.row(y);
        for (int x = 0; x < width_; ++x) {
            const Pixel& p = px(x, y);
            const float keep = 1.0f - p.a;
            row[3 * x] = to8(p.b + background.b * keep);
            row[3 * x + 1] = to8(p.g + background.g * keep);
            row[3 * x + 2] = to8(p.r + background.r * keep);
        }
    }
    return b;
}

Bitmap Canvas::toBitmap32() const {
    Bitmap b = makeBitmap(width_, height_, 4);
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = b.row(y);
        for (int x = 0; x < width_; ++x) {
            const Colour c = at(x, y);
            const uint8_t a = to8(c.a);
            // A fully transparent pixel stores no colour.
            row[4 * x] = a ? to8(c.b) : 0;
            row[4 * x + 1] = a ? to8(c.g) : 0;
            row[4 * x + 2] = a ? to8(c.r) : 0;
            row[4 * x + 3] = a;
        }
    }
    return b;
}

Bitmap Canvas::toKeyedBitmap() const {
    Bitmap b = makeBitmap(width_, height_, 3);
    for (int y = 0; y < height_; ++y) {
        uint8_t* row = b.row(y);
        for (int x = 0; x < width_; ++x) {
            const Colour c = at(x, y);
            const bool drawn = c.a >= 0.5f;
            uint8_t* p = row + 3 * x;
            p[0] = drawn ? to8(c.b) : 255;
            p[1] = drawn ? to8(c.g) : 0;
            p[2] = drawn ? to8(c.r) : 255;
            // A drawn pixel must never read as the key.
            if (drawn && p[0] == 255 && p[1] == 0 && p[2] == 255)
                p[1] = 1;
        }
    }
    return b;
}

}  // namespace marlit::sample
