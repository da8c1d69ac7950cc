// The display device of the handheld: the player's full-screen window, the
// device frame buffer it writes straight into, and the hardware key list.
//
// The device screen is portrait and RGB565; the player holds its picture in
// landscape and writes it with a quarter turn through the two pitches.
#pragma once

#include <cstdint>
#include <string_view>

namespace marlit {

// Bits of DisplayProperties::ffFormat.
constexpr uint32_t kFormatDirect = 0x20;
constexpr uint32_t kFormatDirect565 = 0x80;
// RawFrameBufferInfo::wFormat of an RGB565 frame buffer.
constexpr uint16_t kRawFormat565 = 1;

// What the device says about its frame buffer. The pitches are signed byte
// steps from one pixel to the next along device x and along device y.
struct DisplayProperties {
    uint32_t cxWidth = 0;
    uint32_t cyHeight = 0;
    int32_t cbxPitch = 0;
    int32_t cbyPitch = 0;
    int32_t cBPP = 0;
    uint32_t ffFormat = 0;
};

// The raw frame buffer record, the way the 640 x 480 build reaches the
// screen: the same facts as DisplayProperties and a frame pointer that stays
// valid for the whole run.
struct RawFrameBufferInfo {
    uint16_t wFormat = 0;
    uint16_t wBPP = 0;
    uint8_t* pFramePointer = nullptr;
    int32_t cxStride = 0;
    int32_t cyStride = 0;
    int32_t cxPixels = 0;
    int32_t cyPixels = 0;
};

// The hardware keys in landscape layout (the display is used on its side).
struct KeyList {
    int16_t vkUp = 0;
    int16_t vkDown = 0;
    int16_t vkLeft = 0;
    int16_t vkRight = 0;
    int16_t vkA = 0;
    int16_t vkB = 0;
    int16_t vkC = 0;
    int16_t vkStart = 0;
};

class DisplayDevice {
  public:
    virtual ~DisplayDevice() = default;

    // --- the window ---
    // Brings an already running copy of the player (same program folder,
    // window titled `caption`) to the front; true when there was one.
    virtual bool raiseRunningCopy(std::string_view caption) = 0;
    // Creates the full-screen window with a first title; false on failure.
    virtual bool createWindow(std::string_view title) = 0;
    // Gives the window its final title; from then on a second copy finds it.
    virtual void setTitle(std::string_view caption) = 0;
    // Hides the rest of the system's screen furniture; false on failure.
    virtual bool setFullScreen() = 0;
    virtual void showWindow() = 0;
    virtual void destroyWindow() = 0;

    // --- the screen ---
    virtual bool openDisplay() = 0;
    virtual void closeDisplay() = 0;
    virtual bool openInput() = 0;
    virtual void closeInput() = 0;
    virtual DisplayProperties displayProperties() = 0;
    virtual RawFrameBufferInfo rawFrameBuffer() = 0;
    // The frame buffer's pixel (0, 0), or nullptr; every successful
    // beginDraw is followed by endDraw.
    virtual uint8_t* beginDraw() = 0;
    virtual void endDraw() = 0;
    virtual KeyList defaultKeys() = 0;
};

}  // namespace marlit
