// The memory behind an emulated device screen: portrait RGB565 pixels laid
// out by a chosen pair of byte pitches, as the handheld's display reported
// them. Both back ends hold one; the player reaches it only through the
// DisplayDevice interface.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/display_device.h"

namespace marlit {

class DeviceFrameBuffer {
  public:
    // width x height portrait pixels. The pitches may be negative or carry
    // padding; by default pixels are packed along x and rows follow each
    // other. Each |pitch| must be at least 2 and the two must not overlap
    // pixels (checked: an unusable layout aborts, it is a programming error).
    DeviceFrameBuffer(int width, int height);
    DeviceFrameBuffer(int width, int height, int32_t xPitch, int32_t yPitch);

    int width() const { return width_; }
    int height() const { return height_; }
    int32_t xPitch() const { return xPitch_; }
    int32_t yPitch() const { return yPitch_; }

    // Pixel (0, 0); every pixel is base + x * xPitch + y * yPitch.
    uint8_t* base() { return memory_.data() + origin_; }
    const uint8_t* base() const { return memory_.data() + origin_; }

    uint16_t pixel(int x, int y) const;
    void setPixel(int x, int y, uint16_t value);
    void fill(uint16_t value);

    DisplayProperties properties() const;
    RawFrameBufferInfo rawInfo();

    // The picture as 8-bit RGB, rows top to bottom, each channel widened
    // from RGB565 by repeating its top bits (so >> 3 and >> 2 give the exact
    // RGB565 fields back).
    std::vector<uint8_t> toRgb() const;
    // The picture turned a quarter back to landscape (device y runs along
    // landscape x from its far end), packed RGB565.
    void toLandscape565(uint16_t* out) const;

  private:
    int width_;
    int height_;
    int32_t xPitch_;
    int32_t yPitch_;
    size_t origin_ = 0;
    std::vector<uint8_t> memory_;
};

// RGB565 widened to 8 bits per channel.
inline void rgb565ToRgb(uint16_t v, uint8_t* rgb) {
    uint8_t r = static_cast<uint8_t>(v >> 11);
    uint8_t g = static_cast<uint8_t>((v >> 5) & 0x3F);
    uint8_t b = static_cast<uint8_t>(v & 0x1F);
    rgb[0] = static_cast<uint8_t>(r << 3 | r >> 2);
    rgb[1] = static_cast<uint8_t>(g << 2 | g >> 4);
    rgb[2] = static_cast<uint8_t>(b << 3 | b >> 2);
}

}  // namespace marlit
