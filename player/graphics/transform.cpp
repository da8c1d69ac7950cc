#include "player/graphics/transform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace marlit {

namespace {

// The turn factors are taken from the single-precision value of pi, widened.
constexpr double kPi = 3.1415927410125732;
constexpr double kQuarterTurn = 1.5707963705062866;

int narrow(int64_t v) {
    return Rect::saturate(v);
}

Rect boxOf(int64_t left, int64_t top, int64_t width, int64_t height) {
    return {narrow(left), narrow(top), narrow(left + width), narrow(top + height)};
}

int64_t fixed(double v) {
    return static_cast<int64_t>(std::trunc(v * 1024));
}

std::optional<TransformBox> rotated(const DrawCommand& c, int64_t w, int64_t h) {
    const double r1 = (360 - c.angle) * (1.0 / 180) * kPi;
    const double r2 = c.angle * (1.0 / 180) * kPi;
    const int64_t s1 = fixed(std::sin(r1)), c1 = fixed(std::cos(r1));
    const int64_t s2 = fixed(std::sin(r2)), c2 = fixed(std::cos(r2));
    // Rotation uses one mean scale.
    const int64_t a = (int64_t{c.scaleX} + c.scaleY) / 2;
    if (a <= 0)
        return std::nullopt;

    TransformBox t;
    t.sampling.uStepX = c1 * 1000 / a;
    t.sampling.vStepX = s1 * 1000 / a;
    t.sampling.uStepY = fixed(std::cos(r1 + kQuarterTurn)) * 1000 / a;
    t.sampling.vStepY = fixed(std::sin(r1 + kQuarterTurn)) * 1000 / a;

    // The square of the longer side centred on the picture, turned about
    // the pivot.
    const int64_t side = std::max(w, h);
    int64_t squareX = c.x, squareY = c.y;
    if (h < w) {
        squareY -= (w - h) / 2;
    } else {
        squareX -= (h - w) / 2;
    }
    const int64_t px = int64_t{c.x} + c.pivotX, py = int64_t{c.y} + c.pivotY;
    // The true bounding box of the corners, wherever they lie on screen.
    int64_t minX = INT64_MAX, minY = INT64_MAX, maxX = INT64_MIN, maxY = INT64_MIN;
    for (int corner = 0; corner < 4; ++corner) {
        const int64_t dx = squareX + (corner & 1 ? side : 0) - px;
        const int64_t dy = squareY + (corner & 2 ? side : 0) - py;
        const int64_t x = px + ((dx * c2 - dy * s2 + 512) >> 10);
        const int64_t y = py + ((dy * c2 + dx * s2 + 512) >> 10);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    const int64_t boxW = maxX - minX, boxH = maxY - minY;
    t.sampling.uStart = s1 * (boxH / 2) + (w / 2) * 1024 - c1 * (boxW / 2);
    t.sampling.vStart = (h / 2) * 1024 - c1 * (boxH / 2) - s1 * (boxW / 2);

    // Scaled about the pivot by the mean scale.
    const int64_t left = px - a * (px - minX) / 1000;
    const int64_t top = py - a * (py - minY) / 1000;
    const int64_t width = a * boxW / 1000 + 1;
    const int64_t height = a * boxH / 1000 + 1;
    t.box = boxOf(left, top, width, height);
    return t;
}

std::optional<TransformBox> scaled(const DrawCommand& c, int64_t w, int64_t h) {
    if (c.scaleX <= 0 || c.scaleY <= 0)
        return std::nullopt;
    TransformBox t;
    t.sampling.uStepX = 1024000 / c.scaleX;
    t.sampling.vStepY = 1024000 / c.scaleY;
    t.sampling.vStepX = 0;
    t.sampling.uStepY = 0;
    t.sampling.uStart = 0;
    t.sampling.vStart = 0;
    const int64_t left = int64_t{c.x} + c.pivotX - int64_t{c.pivotX} * c.scaleX / 1000;
    const int64_t top = int64_t{c.y} + c.pivotY - int64_t{c.pivotY} * c.scaleY / 1000;
    const int64_t width = w * c.scaleX / 1000;
    const int64_t height = h * c.scaleY / 1000;
    t.box = boxOf(left, top, width, height);
    return t;
}

}  // namespace

std::optional<TransformBox> setUpTransform(const DrawCommand& command) {
    const int64_t w = command.source.width();
    const int64_t h = command.source.height();
    return command.angle != 0 ? rotated(command, w, h) : scaled(command, w, h);
}

}  // namespace marlit
