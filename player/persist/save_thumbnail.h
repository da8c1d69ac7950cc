// The small picture of the screen a save carries: a bitmap file of 80 x 60
// pixels (160 x 120 on the 640-wide build), 16 bits a pixel in 5-6-5, each
// pixel the box average of the screen pixels it covers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "player/graphics/pixel_views.h"

namespace marlit {

struct ThumbnailSize {
    int width = 80;
    int height = 60;
    static ThumbnailSize forScreen(int screenWidth) {
        return screenWidth > 639 ? ThumbnailSize{160, 120} : ThumbnailSize{80, 60};
    }
    size_t fileBytes() const { return static_cast<size_t>(width) * height * 2 + 54; }
};

// The bitmap file of a 24-bit surface (blue, green, red).
std::vector<uint8_t> makeThumbnail(const Surface& screen, ThumbnailSize size);

// A thumbnail read back: 24-bit pixels, red, green, blue, top row first.
struct ThumbnailPixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// Reads a thumbnail bitmap (as this program writes it: 16 bits a pixel,
// 5-6-5, rows bottom-up). None, with the reason in `why`, when the header
// is not one or the pixels run past the end.
std::optional<ThumbnailPixels> readThumbnail(std::span<const uint8_t> file,
                                             std::string* why = nullptr);

}  // namespace marlit
