// The headless back end as one bundle: virtual clock, windowless display,
// scripted input, a fixed calendar and a full battery.
#pragma once

#include <string>
#include <vector>

#include "platform/font/freetype_glyph_painter.h"
#include "platform/headless/headless_display.h"
#include "platform/headless/headless_events.h"
#include "platform/headless/headless_wave_out.h"
#include "platform/headless/virtual_clock.h"
#include "platform/platform.h"

namespace marlit {

class HeadlessPlatform {
  public:
    // A landscape screen of this size; the script's events are delivered on
    // the virtual clock, and the sound device plays in step with it,
    // recording to `audioOut` (a host path) when one is given. Text is
    // painted with `fontFile`, or with the default gothic font when none.
    HeadlessPlatform(int screenWidth, int screenHeight, std::vector<ScriptedEvent> script = {},
                     std::string audioOut = {}, std::string fontFile = {});

    Platform& platform() { return platform_; }
    VirtualClock& clock() { return clock_; }
    HeadlessDisplay& display() { return display_; }
    HeadlessEvents& events() { return events_; }
    HeadlessWaveOut& waveOut() { return waveOut_; }
    FreeTypeGlyphPainter& glyphs() { return glyphs_; }

  private:
    VirtualClock clock_;
    HeadlessDisplay display_;
    HeadlessEvents events_;
    VirtualLocalTime localTime_;
    FullBattery battery_;
    StderrMessageBox messageBox_;
    HeadlessWaveOut waveOut_;
    FreeTypeGlyphPainter glyphs_;
    Platform platform_;
};

}  // namespace marlit
