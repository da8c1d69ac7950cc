// A rectangle of screen pixels; right and bottom are exclusive.
#pragma once

#include <algorithm>
#include <cstdint>

namespace marlit {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // Taken in 64 bits and saturated: a rectangle read from a file may span
    // more than 32 bits can count.
    int32_t width() const { return saturate(int64_t{right} - left); }
    int32_t height() const { return saturate(int64_t{bottom} - top); }
    bool operator==(const Rect&) const = default;

    static int32_t saturate(int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    }
};

}  // namespace marlit
