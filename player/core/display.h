// The Display: the device's properties and the 24-bit back buffer that all
// of the game's drawing goes into, in landscape.
//
// Back buffer pixel (x, y) is 3 bytes at y * pitch() + x * 3, in the order
// blue, green, red; rows top to bottom, pitch() = width * 3 (no padding).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/display_device.h"
#include "player/core/movie_in_play.h"

namespace marlit {

// Blue, green and red.
inline constexpr int kBackBufferBytesPerPixel = 3;

class Display {
  public:
    static constexpr int kDeviceBitsPerPixel = 16;
    static constexpr int kBackBufferBitsPerPixel = 24;

    // A black back buffer of the screen size.
    Display(int width, int height);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    uint8_t* backBuffer() { return pixels_.data(); }
    const uint8_t* backBuffer() const { return pixels_.data(); }
    int width() const { return width_; }
    int height() const { return height_; }
    int pitch() const { return width_ * kBackBufferBytesPerPixel; }

    // The device's frame buffer layout, filled at start-up.
    DisplayProperties properties;
    // The movie in play, or none.
    std::unique_ptr<MovieInPlay> movie;

  private:
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

}  // namespace marlit
