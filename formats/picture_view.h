// A borrowed 24-bit or 32-bit picture as the encoders take it.
#pragma once

#include <cstdint>
#include <span>

namespace marlit {

struct PictureView {
    int width = 0;
    int height = 0;
    // 3: blue, green, red; 4: blue, green, red, alpha (255 opaque).
    int bytesPerPixel = 3;
    // Rows top to bottom, width * bytesPerPixel bytes each, no padding.
    std::span<const uint8_t> pixels;
    // The size before scaling, kept for the picture header.
    int sourceWidth = 0;
    int sourceHeight = 0;

    // True when the sizes are positive and the pixels cover them.
    bool valid() const {
        return width > 0 && height > 0 && (bytesPerPixel == 3 || bytesPerPixel == 4) &&
               pixels.size() / static_cast<uint64_t>(bytesPerPixel) /
                       static_cast<uint64_t>(width) >=
                   static_cast<uint64_t>(height);
    }
};

}  // namespace marlit
