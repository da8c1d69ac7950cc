// PNG files for the tools, the tests and the headless frame dumps: 8-bit RGB
// or RGBA, rows top to bottom without padding. Paths are host paths (UTF-8),
// as users give them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

struct PngImage {
    int width = 0;
    int height = 0;
    int channels = 0;  // 3 (RGB) or 4 (RGBA)
    std::vector<uint8_t> pixels;
};

// The most the pixels of a picture read from PNG may take, 64 MiB, as for
// the game's own pictures.
inline constexpr uint64_t kMaxPngPixelBytes = uint64_t{64} << 20;

// Reads any PNG as 8-bit RGB (no alpha in the file) or RGBA; none with
// `error` set when the file cannot be read, is not a PNG, or declares a
// picture larger than kMaxPngPixelBytes.
std::optional<PngImage> readPng(std::string_view path, std::string* error = nullptr);
// The same for the bytes of a PNG file.
std::optional<PngImage> decodePng(std::span<const uint8_t> bytes, std::string* error = nullptr);
// Writes atomically; false with `error` set on failure.
bool writePng(std::string_view path, const PngImage& image, std::string* error = nullptr);
// The PNG file bytes of an image.
std::optional<std::vector<uint8_t>> encodePng(const PngImage& image);

}  // namespace marlit
