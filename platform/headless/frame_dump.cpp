#include "platform/headless/frame_dump.h"

#include <cstddef>
#include <cstdio>
#include <memory>

#include "base/files.h"
#include "base/png.h"

namespace marlit {

namespace {

bool writeFile(const std::string& path, const PngImage& image, std::string* error) {
    auto bytes = encodePng(image);
    if (!bytes) {
        if (error)
            *error = path + ": cannot encode the picture";
        return false;
    }
    // Written beside and renamed, so a reader never sees half a picture.
    std::string temp = path + ".part";
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(temp.c_str(), "wb"), std::fclose);
    bool ok = f && std::fwrite(bytes->data(), 1, bytes->size(), f.get()) == bytes->size();
    ok = f && std::fclose(f.release()) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        const std::string why = lastSystemError();
        std::remove(temp.c_str());
        if (error)
            *error = path + ": cannot write the file: " + why;
        return false;
    }
    return true;
}

}  // namespace

bool dumpBackBuffer(const std::string& path, const uint8_t* bgr, int width, int height, int pitch,
                    std::string* error) {
    PngImage image;
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.pixels.resize(static_cast<size_t>(width) * height * 3);
    uint8_t* out = image.pixels.data();
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = bgr + static_cast<ptrdiff_t>(y) * pitch;
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return writeFile(path, image, error);
}

bool dumpFrameBuffer(const std::string& path, const DeviceFrameBuffer& frameBuffer,
                     std::string* error) {
    PngImage image;
    image.width = frameBuffer.width();
    image.height = frameBuffer.height();
    image.channels = 3;
    image.pixels = frameBuffer.toRgb();
    return writeFile(path, image, error);
}

}  // namespace marlit
