// The SDL window as the handheld's display: an emulated portrait RGB565
// frame buffer (240 x 320, or 480 x 640 for the 640 build) that the player
// writes with its own quarter turn, shown turned back to landscape, scaled
// by a whole factor with nearest (or linear) filtering.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/device_frame_buffer.h"
#include "platform/display_device.h"
#include "platform/sdl/instance_lock.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace marlit {

struct SdlDisplayOptions {
    int screenWidth = 320;  // the landscape picture
    int screenHeight = 240;
    // Whole-number scale of the window; 0 picks the largest that fits.
    int scale = 0;
    bool fullscreen = false;
    bool linearFilter = false;
    // The 640 build: the player reaches the raw frame buffer, so the window
    // is refreshed by itself as a device scans its memory; the window reports
    // half-size stylus coordinates, which the player doubles.
    bool vga = false;
    // Tells copies apart: one window per program folder.
    std::string programFolder;
};

class SdlDisplay : public DisplayDevice {
  public:
    explicit SdlDisplay(const SdlDisplayOptions& options);
    ~SdlDisplay() override;
    SdlDisplay(const SdlDisplay&) = delete;
    SdlDisplay& operator=(const SdlDisplay&) = delete;

    bool raiseRunningCopy(std::string_view caption) override;
    bool createWindow(std::string_view title) override;
    void setTitle(std::string_view caption) override;
    bool setFullScreen() override;
    void showWindow() override;
    void destroyWindow() override;

    bool openDisplay() override;
    void closeDisplay() override;
    bool openInput() override;
    void closeInput() override {}
    DisplayProperties displayProperties() override { return frameBuffer_.properties(); }
    RawFrameBufferInfo rawFrameBuffer() override { return frameBuffer_.rawInfo(); }
    uint8_t* beginDraw() override;
    void endDraw() override { changed_ = true; }
    KeyList defaultKeys() override;

    // Shows the frame buffer when it changed and answers a second copy;
    // called on every poll of the events.
    void service();
    void markChanged() { changed_ = true; }
    // A landscape position in the picture (logical window coordinates) on
    // the portrait device, in the coordinates the window reports.
    void toDevice(int x, int y, int32_t& deviceX, int32_t& deviceY) const;
    bool insidePicture(int x, int y) const;

    DeviceFrameBuffer& frameBuffer() { return frameBuffer_; }
    int scale() const { return scale_; }

    // Empty when a window can be opened; else why not (no display server,
    // or only a video driver that shows nothing).
    static std::string whyNoWindow();
    // The first thing that went wrong with the window or its drawing, empty
    // if nothing did. The player goes on without it; the program reports it.
    const std::string& problem() const { return problem_; }

  private:
    void refresh();
    void report(const char* what);
    std::string instanceKey(std::string_view caption) const;

    SdlDisplayOptions options_;
    DeviceFrameBuffer frameBuffer_;
    std::vector<uint16_t> landscape_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    InstanceLock lock_;
    int scale_ = 1;
    bool changed_ = false;
    uint32_t lastRefresh_ = 0;
    std::string problem_;
};

}  // namespace marlit
