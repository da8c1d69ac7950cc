// Deterministic photograph-like pictures (smooth shading, soft-edged
// shapes, fine texture and noise) for the picture codec's tests and
// benchmarks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace marlit::test {

// width * height pixels of blue, green, red (and alpha when channels is 4:
// a soft disc, 0 outside and 255 inside).
inline std::vector<uint8_t> syntheticPicture(int width, int height, int channels = 3,
                                             uint32_t seed = 1) {
    std::vector<uint8_t> px(static_cast<size_t>(width) * height * channels);
    uint32_t state = seed * 2654435761u + 1;
    auto noise = [&]() {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 24) % 9) - 4;
    };
    const double cx = width * 0.6, cy = height * 0.45, radius = std::min(width, height) * 0.3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            double d = std::hypot(x - cx, y - cy);
            double disc = std::clamp((radius - d) / 3.0, 0.0, 1.0);
            double texture = 18 * std::sin(x * 0.31 + std::sin(y * 0.07) * 3) * std::cos(y * 0.23);
            double r = 60 + 140 * u + texture + 50 * disc;
            double g = 90 + 100 * v * (1 - u) + 0.6 * texture - 40 * disc;
            double b = 160 - 110 * v + 25 * std::sin(u * 9 + v * 4) + 60 * disc;
            uint8_t* p = &px[(static_cast<size_t>(y) * width + x) * channels];
            p[0] = static_cast<uint8_t>(std::clamp(static_cast<int>(b) + noise(), 0, 255));
            p[1] = static_cast<uint8_t>(std::clamp(static_cast<int>(g) + noise(), 0, 255));
            p[2] = static_cast<uint8_t>(std::clamp(static_cast<int>(r) + noise(), 0, 255));
            if (channels == 4)
                p[3] = static_cast<uint8_t>(std::lround(255 * disc));
        }
    }
    return px;
}

}  // namespace marlit::test
