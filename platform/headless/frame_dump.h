// PNG dumps of what the player shows: the landscape back buffer (24-bit,
// blue, green, red) and the portrait device frame buffer (RGB565, widened
// to 8 bits per channel so that the RGB565 values can be read back).
#pragma once

#include <cstdint>
#include <string>

#include "platform/device_frame_buffer.h"

namespace marlit {

// `path` is a host path. False with `error` set when it cannot be written.
bool dumpBackBuffer(const std::string& path, const uint8_t* bgr, int width, int height, int pitch,
                    std::string* error);
bool dumpFrameBuffer(const std::string& path, const DeviceFrameBuffer& frameBuffer,
                     std::string* error);

}  // namespace marlit
