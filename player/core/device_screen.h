// Reaching the device frame buffer. The 320 x 240 build asks the display
// device for its properties and brackets every write with begin and end of
// drawing; the 640 x 480 build takes the raw frame buffer record once, draws
// through its frame pointer and has nothing to end.
#pragma once

#include <cstdint>

#include "platform/display_device.h"

namespace marlit {

class DeviceScreen {
  public:
    DeviceScreen(DisplayDevice& device, bool rawFrameBuffer)
        : device_(device), raw_(rawFrameBuffer) {}

    // The properties of the frame buffer (the raw build queries the raw
    // record again and keeps its frame pointer).
    DisplayProperties readProperties();
    // Pixel (0, 0) of the device frame buffer, or nullptr; a non-null
    // result must be followed by endDraw.
    uint8_t* beginDraw();
    void endDraw();

    bool raw() const { return raw_; }
    DisplayDevice& device() { return device_; }

  private:
    DisplayDevice& device_;
    bool raw_;
    uint8_t* framePointer_ = nullptr;
};

}  // namespace marlit
