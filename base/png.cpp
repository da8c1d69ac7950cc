#include "base/png.h"

#include <png.h>

#include <cstring>

#include "base/files.h"

namespace marlit {

namespace {

void setError(std::string* error, std::string text) {
    if (error) *error = std::move(text);
}

}  // namespace

std::optional<PngImage> readPng(std::string_view path, std::string* error) {
    auto bytes = readHostFile(std::string(path));
    if (!bytes) {
        setError(error, "cannot read " + std::string(path));
        return std::nullopt;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes->data(), bytes->size())) {
        setError(error, std::string(path) + ": not a PNG (" + image.message + ")");
        return std::nullopt;
    }
    PngImage out;
    bool alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.channels = alpha ? 4 : 3;
    if (image.width > 32768 || image.height > 32768) {
        png_image_free(&image);
        setError(error, std::string(path) + ": picture too large");
        return std::nullopt;
    }
    out.pixels.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)) {
        setError(error, std::string(path) + ": damaged PNG (" + image.message + ")");
        png_image_free(&image);
        return std::nullopt;
    }
    return out;
}

std::optional<std::vector<uint8_t>> encodePng(const PngImage& image) {
    if ((image.channels != 3 && image.channels != 4) || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() <
            static_cast<size_t>(image.width) * image.height * image.channels) {
        return std::nullopt;
    }
    png_image info;
    std::memset(&info, 0, sizeof info);
    info.version = PNG_IMAGE_VERSION;
    info.width = static_cast<png_uint_32>(image.width);
    info.height = static_cast<png_uint_32>(image.height);
    info.format = image.channels == 4 ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&info, nullptr, &size, 0, image.pixels.data(), 0, nullptr)) {
        return std::nullopt;
    }
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&info, out.data(), &size, 0, image.pixels.data(), 0, nullptr)) {
        return std::nullopt;
    }
    out.resize(size);
    return out;
}

bool writePng(std::string_view path, const PngImage& image, std::string* error) {
    auto bytes = encodePng(image);
    if (!bytes) {
        setError(error, "cannot encode the picture as PNG");
        return false;
    }
    if (!writeHostFileAtomic(std::string(path), *bytes)) {
        setError(error, "cannot write " + std::string(path));
        return false;
    }
    return true;
}

}  // namespace marlit
