// The converter's in-memory picture: what the CRX decoder produces, what the
// scaler takes and gives, and what the picture encoder turns into a file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/picture_view.h"

namespace marlit {

// Which scaler variant a decoded picture needs: only pictures that carry
// their own alpha channel are alpha pictures.
enum class PixelKind { Opaque, Alpha };

struct Bitmap {
    int width = 0;
    int height = 0;
    // 3: blue, green, red. 4: blue, green, red, alpha (255 opaque).
    int bytesPerPixel = 3;
    // The size of the picture this one was made from (for the handheld
    // picture header); equal to width and height for a decoded picture.
    int sourceWidth = 0;
    int sourceHeight = 0;
    // Rows top to bottom, each exactly width * bytesPerPixel bytes.
    std::vector<uint8_t> pixels;

    size_t stride() const { return static_cast<size_t>(width) * bytesPerPixel; }
    uint8_t* row(int y) { return pixels.data() + stride() * y; }
    const uint8_t* row(int y) const { return pixels.data() + stride() * y; }
    // The picture as the encoders take it (EncodeRbp).
    PictureView view() const {
        return {width, height, bytesPerPixel, pixels, sourceWidth, sourceHeight};
    }
};

// A zeroed bitmap of the size; its source size is its own size.
Bitmap makeBitmap(int width, int height, int bytesPerPixel);

inline PixelKind pixelKindOf(const Bitmap& decoded) {
    return decoded.bytesPerPixel == 4 ? PixelKind::Alpha : PixelKind::Opaque;
}

}  // namespace marlit
