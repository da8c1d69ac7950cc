// A display device without a window: the device frame buffer lives in
// memory, portrait, 240 x 320 (480 x 640 for the 640 build), and is only
// looked at through dumps.
#pragma once

#include <cstdint>
#include <string>

#include "platform/device_frame_buffer.h"
#include "platform/display_device.h"

namespace marlit {

class HeadlessDisplay : public DisplayDevice {
  public:
    // The portrait frame buffer of a landscape screen of this size.
    HeadlessDisplay(int screenWidth, int screenHeight);

    // Headless runs have no window to find and may run side by side.
    bool raiseRunningCopy(std::string_view caption) override { return false; }
    bool createWindow(std::string_view title) override;
    void setTitle(std::string_view caption) override { title_ = caption; }
    bool setFullScreen() override { return true; }
    void showWindow() override {}
    void destroyWindow() override { windowOpen_ = false; }

    bool openDisplay() override;
    void closeDisplay() override { displayOpen_ = false; }
    bool openInput() override { return true; }
    void closeInput() override {}
    DisplayProperties displayProperties() override { return frameBuffer_.properties(); }
    RawFrameBufferInfo rawFrameBuffer() override { return frameBuffer_.rawInfo(); }
    uint8_t* beginDraw() override;
    void endDraw() override { ++endDraws_; }
    KeyList defaultKeys() override;

    DeviceFrameBuffer& frameBuffer() { return frameBuffer_; }
    const std::string& title() const { return title_; }
    bool windowOpen() const { return windowOpen_; }
    uint64_t beginDraws() const { return beginDraws_; }
    uint64_t endDraws() const { return endDraws_; }

  private:
    DeviceFrameBuffer frameBuffer_;
    std::string title_;
    bool windowOpen_ = false;
    bool displayOpen_ = false;
    uint64_t beginDraws_ = 0;
    uint64_t endDraws_ = 0;
};

}  // namespace marlit
