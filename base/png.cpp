#include "base/png.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "base/files.h"

namespace marlit {

namespace {

void setError(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
}

constexpr uint64_t kMaxDeflateRatio = 1032;

struct MemoryInput {
    const uint8_t* data;
    size_t size;
    size_t at;
};

void readFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* in = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (count > in->size - in->at)
        png_error(png, "file cut short");
    std::memcpy(out, in->data + in->at, count);
    in->at += count;
}

[[noreturn]] void onPngError(png_structp png, png_const_charp message) {
    *static_cast<std::string*>(png_get_error_ptr(png)) = message;
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// The file's samples as 8-bit RGB or RGBA. No gamma or colour-space chunk
// is applied: tools compare pictures sample for sample, and a 16-bit file
// or one marked with gamma 1.0 must not come out brightened.
bool decodeInto(std::span<const uint8_t> bytes, PngImage& out, std::string& why) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        why = "no PNG signature";
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &why, onPngError, onPngWarning);
    if (!png) {
        why = "out of memory";
        return false;
    }
    png_infop info = png_create_info_struct(png);
    MemoryInput input{bytes.data(), bytes.size(), 0};
    std::vector<png_bytep> rows;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    if (!info)
        png_error(png, "out of memory");
    png_set_read_fn(png, &input, readFromMemory);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (width > 32768 || height > 32768)
        png_error(png, "a side is longer than 32768 pixels");
    // The rows as the file packs them, each with its filter byte.
    const uint64_t packedBytes = (uint64_t{png_get_rowbytes(png, info)} + 1) * height;
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int channels = png_get_channels(png, info);
    if (channels != 3 && channels != 4)
        png_error(png, "unexpected pixel layout");
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.channels = channels;
    const size_t stride = size_t{width} * static_cast<size_t>(channels);
    if (uint64_t{stride} * height > kMaxPngPixelBytes) {
        // A buffer on the stack: the error jumps past every destructor.
        char text[96];
        std::snprintf(text, sizeof text, "a picture of %u x %u is larger than the %u MiB allowed",
                      width, height, static_cast<unsigned>(kMaxPngPixelBytes >> 20));
        png_error(png, text);
    }
    // Deflate packs at most 1032 bytes into one: a short file cannot hold a
    // large picture, and nothing is allocated for one that claims to.
    if (packedBytes > kMaxDeflateRatio * bytes.size())
        png_error(png, "the file is too short for the size it declares");
    bool allocated = true;
    try {
        out.pixels.assign(stride * height, 0);
    } catch (const std::bad_alloc&) {
        allocated = false;
    }
    if (!allocated)
        png_error(png, "out of memory");
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        rows[y] = out.pixels.data() + stride * y;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

std::optional<PngImage> readPng(std::string_view path, std::string* error) {
    std::string why;
    auto bytes = readHostFile(std::string(path), 0, &why);
    if (!bytes) {
        setError(error, "cannot read " + std::string(path) + ": " + why);
        return std::nullopt;
    }
    PngImage out;
    if (!decodeInto(*bytes, out, why)) {
        setError(error, std::string(path) + ": not a readable PNG (" + why + ")");
        return std::nullopt;
    }
    return out;
}

std::optional<PngImage> decodePng(std::span<const uint8_t> bytes, std::string* error) {
    PngImage out;
    std::string why;
    if (!decodeInto(bytes, out, why)) {
        setError(error, "not a readable PNG (" + why + ")");
        return std::nullopt;
    }
    return out;
}

std::optional<std::vector<uint8_t>> encodePng(const PngImage& image) {
    if ((image.channels != 3 && image.channels != 4) || image.width <= 0 || image.height <= 0 ||
        image.pixels.size() < static_cast<size_t>(image.width) * image.height * image.channels) {
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
        setError(error, "cannot write " + std::string(path) + ": a picture of " +
                            std::to_string(image.width) + " x " + std::to_string(image.height) +
                            " pixels and " + std::to_string(image.channels) +
                            " channels cannot be stored as PNG");
        return false;
    }
    std::string why;
    if (!writeHostFileAtomic(std::string(path), *bytes, &why)) {
        setError(error, "cannot write " + std::string(path) + ": " + why);
        return false;
    }
    return true;
}

}  // namespace marlit
