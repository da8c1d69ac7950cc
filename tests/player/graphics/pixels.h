// Small pictures and surfaces for the graphics tests, filled pixel by pixel.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "player/graphics/pixel_views.h"

namespace marlit::test {

using Bgr = std::array<int, 3>;

struct TestPicture {
    int width, height;
    std::vector<uint8_t> pixels;

    TestPicture(int w, int h, Bgr colour = {0, 0, 0}, int alpha = 255)
        : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, colour, alpha);
    }
    void set(int x, int y, Bgr c, int alpha) {
        uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
        p[0] = static_cast<uint8_t>(c[0]);
        p[1] = static_cast<uint8_t>(c[1]);
        p[2] = static_cast<uint8_t>(c[2]);
        p[3] = static_cast<uint8_t>(alpha);
    }
    PictureRef view() const { return {pixels.data(), width, height}; }
    Rect whole() const { return {0, 0, width, height}; }
};

struct TestSurface {
    int width, height;
    std::vector<uint8_t> pixels;

    TestSurface(int w, int h, Bgr colour = {0, 0, 0})
        : width(w), height(h), pixels(static_cast<size_t>(w) * h * 3) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, colour);
    }
    void set(int x, int y, Bgr c) {
        uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        for (int i = 0; i < 3; ++i)
            p[i] = static_cast<uint8_t>(c[i]);
    }
    Bgr at(int x, int y) const {
        const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
    Surface view() { return {pixels.data(), width, height, width * 3}; }
};

inline Bgr grey(int v) {
    return {v, v, v};
}

}  // namespace marlit::test
