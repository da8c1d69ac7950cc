#include "platform/device_frame_buffer.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace marlit {

DeviceFrameBuffer::DeviceFrameBuffer(int width, int height)
    : DeviceFrameBuffer(width, height, 2, width * 2) {}

DeviceFrameBuffer::DeviceFrameBuffer(int width, int height, int32_t xPitch, int32_t yPitch)
    : width_(width), height_(height), xPitch_(xPitch), yPitch_(yPitch) {
    int64_t ax = std::abs(static_cast<int64_t>(xPitch));
    int64_t ay = std::abs(static_cast<int64_t>(yPitch));
    // One axis must step over a whole line of the other, or pixels overlap.
    bool separate = (ay >= ax * width) || (ax >= ay * height);
    if (width <= 0 || height <= 0 || ax < 2 || ay < 2 || !separate)
        std::abort();
    int64_t lowX = xPitch < 0 ? static_cast<int64_t>(xPitch) * (width - 1) : 0;
    int64_t lowY = yPitch < 0 ? static_cast<int64_t>(yPitch) * (height - 1) : 0;
    int64_t span = ax * (width - 1) + ay * (height - 1) + 2;
    origin_ = static_cast<size_t>(-(lowX + lowY));
    memory_.assign(static_cast<size_t>(span), 0);
}

uint16_t DeviceFrameBuffer::pixel(int x, int y) const {
    uint16_t v;
    std::memcpy(
        &v, base() + static_cast<ptrdiff_t>(x) * xPitch_ + static_cast<ptrdiff_t>(y) * yPitch_, 2);
    return v;
}

void DeviceFrameBuffer::setPixel(int x, int y, uint16_t value) {
    std::memcpy(base() + static_cast<ptrdiff_t>(x) * xPitch_ + static_cast<ptrdiff_t>(y) * yPitch_,
                &value, 2);
}

void DeviceFrameBuffer::fill(uint16_t value) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x)
            setPixel(x, y, value);
    }
}

DisplayProperties DeviceFrameBuffer::properties() const {
    DisplayProperties p;
    p.cxWidth = static_cast<uint32_t>(width_);
    p.cyHeight = static_cast<uint32_t>(height_);
    p.cbxPitch = xPitch_;
    p.cbyPitch = yPitch_;
    p.cBPP = 16;
    p.ffFormat = kFormatDirect | kFormatDirect565;
    return p;
}

RawFrameBufferInfo DeviceFrameBuffer::rawInfo() {
    RawFrameBufferInfo r;
    r.wFormat = kRawFormat565;
    r.wBPP = 16;
    r.pFramePointer = base();
    r.cxStride = xPitch_;
    r.cyStride = yPitch_;
    r.cxPixels = width_;
    r.cyPixels = height_;
    return r;
}

std::vector<uint8_t> DeviceFrameBuffer::toRgb() const {
    std::vector<uint8_t> rgb(static_cast<size_t>(width_) * height_ * 3);
    uint8_t* out = rgb.data();
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x, out += 3)
            rgb565ToRgb(pixel(x, y), out);
    }
    return rgb;
}

void DeviceFrameBuffer::toLandscape565(uint16_t* out) const {
    // Landscape is height_ wide and width_ tall: landscape (lx, ly) shows
    // device (ly, height_ - 1 - lx).
    for (int ly = 0; ly < width_; ++ly) {
        for (int lx = 0; lx < height_; ++lx)
            *out++ = pixel(ly, height_ - 1 - lx);
    }
}

}  // namespace marlit
