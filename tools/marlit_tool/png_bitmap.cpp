#include "tools/marlit_tool/png_bitmap.h"

#include <utility>

#include "base/png.h"

namespace marlit::tool {

namespace {

// Swaps the first and third byte of every pixel: RGB(A) <-> BGR(A).
void swapRedBlue(std::vector<uint8_t>& pixels, int channels) {
    for (size_t i = 0; i + 2 < pixels.size(); i += channels)
        std::swap(pixels[i], pixels[i + 2]);
}

}  // namespace

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
