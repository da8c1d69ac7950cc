#include "tools/marlit_tool/png_bitmap.h"

#include <utility>

#include "base/png.h"
#include "formats/rbp_image.h"

namespace marlit::tool {

namespace {

// Swaps the first and third byte of every pixel: RGB(A) <-> BGR(A).
void swapRedBlue(std::vector<uint8_t>& pixels, int channels) {
    for (size_t i = 0; i + 2 < pixels.size(); i += channels)
        std::swap(pixels[i], pixels[i + 2]);
}

}  // namespace

Bitmap bitmapOf565(const uint16_t* pixels, int width, int height, size_t stride) {
    Bitmap bitmap = makeBitmap(width, height, 3);
    for (int y = 0; y < height; ++y) {
        const uint16_t* row = pixels + stride * y;
        uint8_t* out = bitmap.row(y);
        for (int x = 0; x < width; ++x, out += 3) {
            out[0] = blue565(row[x]);
            out[1] = green565(row[x]);
            out[2] = red565(row[x]);
        }
    }
    return bitmap;
}

std::optional<Bitmap> readPngBitmap(std::string_view path, std::string* error) {
    auto png = readPng(path, error);
    if (!png)
        return std::nullopt;
    Bitmap b;
    b.width = png->width;
    b.height = png->height;
    b.bytesPerPixel = png->channels;
    b.sourceWidth = png->width;
    b.sourceHeight = png->height;
    b.pixels = std::move(png->pixels);
    swapRedBlue(b.pixels, b.bytesPerPixel);
    return b;
}

bool writePngBitmap(std::string_view path, const Bitmap& bitmap, std::string* error) {
    PngImage png;
    png.width = bitmap.width;
    png.height = bitmap.height;
    png.channels = bitmap.bytesPerPixel;
    png.pixels = bitmap.pixels;
    swapRedBlue(png.pixels, png.channels);
    return writePng(path, png, error);
}

}  // namespace marlit::tool
