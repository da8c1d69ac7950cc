// The SDL back end as one bundle: SDL is started with it and shut down
// after everything of it is gone.
#pragma once

#include "platform/font/freetype_glyph_painter.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_events.h"
#include "platform/sdl/sdl_system.h"
#include "platform/sdl/sdl_wave_out.h"

namespace marlit {

class SdlPlatform {
  public:
    // Text is painted with `fontFile`, or with the default gothic font when
    // none.
    explicit SdlPlatform(const SdlDisplayOptions& options, std::string fontFile = {});
    ~SdlPlatform();
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    Platform& platform() { return platform_; }
    SdlDisplay& display() { return display_; }
    FreeTypeGlyphPainter& glyphs() { return glyphs_; }

  private:
    // First member: SDL is up before the others are made and down after.
    struct Session {
        Session();
        ~Session();
    } session_;
    SdlDisplay display_;
    SdlEvents events_;
    SteadyClock clock_;
    SystemLocalTime localTime_;
    SdlPowerStatus power_;
    SdlMessageBox messageBox_;
    SdlWaveOut waveOut_;
    FreeTypeGlyphPainter glyphs_;
    Platform platform_;
};

}  // namespace marlit
