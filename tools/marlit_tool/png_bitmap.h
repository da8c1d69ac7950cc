// PNG pictures as the converter's bitmaps and back: RGB(A) in the file,
// blue, green, red (alpha) in the bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "converter/bitmap.h"

namespace marlit::tool {

// None, with `error` set, when the file is no readable PNG.
std::optional<Bitmap> readPngBitmap(std::string_view path, std::string* error);
// A 3-byte bitmap of the top-left width x height of RGB565 rows that lie
// `stride` words apart, each field widened by shifting (low bits 0).
Bitmap bitmapOf565(const uint16_t* pixels, int width, int height, size_t stride);
// An RGB PNG for 3 bytes per pixel, RGBA for 4.
bool writePngBitmap(std::string_view path, const Bitmap& bitmap, std::string* error);

}  // namespace marlit::tool
