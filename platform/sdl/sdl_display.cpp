#include "platform/sdl/sdl_display.h"

#include <SDL.h>

#include <algorithm>

#include "base/clock.h"
#include "platform/key_codes.h"

namespace marlit {

namespace {

constexpr uint32_t kRefreshInterval = 16;

}  // namespace

void SdlDisplay::report(const char* what) {
    if (problem_.empty())
        problem_ = std::string(what) + ": " + SDL_GetError();
}

std::string SdlDisplay::whyNoWindow() {
    if (!SDL_WasInit(SDL_INIT_VIDEO) && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return std::string("no display to open a window on (") + SDL_GetError() + ")";
    // SDL falls back to drivers that draw nowhere; a window nobody can see
    // is no use unless asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    std::string name = driver ? driver : "";
    if ((name == "offscreen" || name == "dummy" || name == "evdev") &&
        !SDL_getenv("SDL_VIDEODRIVER")) {
        return "no display to open a window on (only the video driver '" + name + "')";
    }
    return {};
}

SdlDisplay::SdlDisplay(const SdlDisplayOptions& options)
    : options_(options),
      frameBuffer_(options.screenHeight, options.screenWidth),
      landscape_(static_cast<size_t>(options.screenWidth) * options.screenHeight) {}

SdlDisplay::~SdlDisplay() {
    closeDisplay();
    destroyWindow();
}

std::string SdlDisplay::instanceKey(std::string_view caption) const {
    return std::string(caption) + "|" + options_.programFolder;
}

bool SdlDisplay::raiseRunningCopy(std::string_view caption) {
    return InstanceLock::signalRunning(instanceKey(caption));
}

bool SdlDisplay::createWindow(std::string_view title) {
    if (std::string why = whyNoWindow(); !why.empty()) {
        if (problem_.empty())
            problem_ = why;
        return false;
    }
    const int w = options_.screenWidth;
    const int h = options_.screenHeight;
    scale_ = options_.scale;
    if (scale_ <= 0) {
        SDL_Rect bounds;
        scale_ = 1;
        if (SDL_GetDisplayUsableBounds(0, &bounds) == 0) {
            scale_ = std::max(1, std::min(bounds.w / w, bounds.h / h));
        }
    }
    std::string titleText(title);
    // A full screen window is made so from the start: switching later needs
    // a window manager's help, which a bare X server does not give.
    uint32_t flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    if (options_.fullscreen)
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    window_ = SDL_CreateWindow(titleText.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               w * scale_, h * scale_, flags);
    if (!window_) {
        report("cannot open a window");
        return false;
    }
    return true;
}

void SdlDisplay::setTitle(std::string_view caption) {
    if (!window_)
        return;
    std::string name(caption);
    SDL_SetWindowTitle(window_, name.c_str());
    // From now on a second copy finds this one; when the name is taken (two
    // copies starting at once) this copy simply runs unlisted.
    lock_.claim(instanceKey(caption));
}

bool SdlDisplay::setFullScreen() {
    if (!options_.fullscreen)
        return true;
    return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void SdlDisplay::showWindow() {
    if (!window_)
        return;
    SDL_ShowWindow(window_);
    SDL_RaiseWindow(window_);
    changed_ = true;
}

void SdlDisplay::destroyWindow() {
    closeDisplay();
    if (window_)
        SDL_DestroyWindow(window_);
    window_ = nullptr;
}

bool SdlDisplay::openDisplay() {
    if (!window_)
        return false;
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) {
        report("cannot draw into the window");
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, options_.linearFilter ? "linear" : "nearest");
    SDL_RenderSetLogicalSize(renderer_, options_.screenWidth, options_.screenHeight);
    SDL_RenderSetIntegerScale(renderer_, options_.linearFilter ? SDL_FALSE : SDL_TRUE);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                                 options_.screenWidth, options_.screenHeight);
    if (!texture_) {
        report("cannot make the screen texture");
        closeDisplay();
        return false;
    }
    return true;
}

void SdlDisplay::closeDisplay() {
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
}

bool SdlDisplay::openInput() {
    // The keys are buttons, not text: no input method for this window.
    SDL_StopTextInput();
    return true;
}

uint8_t* SdlDisplay::beginDraw() {
    return renderer_ ? frameBuffer_.base() : nullptr;
}

KeyList SdlDisplay::defaultKeys() {
    return standardKeyList();
}

void SdlDisplay::service() {
    if (lock_.raiseRequested() && window_) {
        SDL_RestoreWindow(window_);
        SDL_ShowWindow(window_);
        SDL_RaiseWindow(window_);
    }
    uint32_t t = systemTicks();
    bool due = t - lastRefresh_ >= kRefreshInterval;
    if (due && (changed_ || options_.vga)) {
        lastRefresh_ = t;
        changed_ = false;
        refresh();
    }
}

void SdlDisplay::refresh() {
    if (!texture_)
        return;
    frameBuffer_.toLandscape565(landscape_.data());
    SDL_UpdateTexture(texture_, nullptr, landscape_.data(),
                      options_.screenWidth * static_cast<int>(sizeof(uint16_t)));
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

bool SdlDisplay::insidePicture(int x, int y) const {
    return x >= 0 && y >= 0 && x < options_.screenWidth && y < options_.screenHeight;
}

void SdlDisplay::toDevice(int x, int y, int32_t& deviceX, int32_t& deviceY) const {
    x = std::clamp(x, 0, options_.screenWidth - 1);
    y = std::clamp(y, 0, options_.screenHeight - 1);
    deviceX = y;
    deviceY = options_.screenWidth - 1 - x;
    // The 640 build's window reports half-size coordinates; the player
    // doubles them.
    if (options_.vga) {
        deviceX /= 2;
        deviceY /= 2;
    }
}

}  // namespace marlit
