// The pieces of the handheld's system that the player uses, as one bundle
// handed to it by the program that chose a back end.
#pragma once

#include "platform/clock.h"
#include "platform/display_device.h"
#include "platform/events.h"
#include "platform/glyph_painter.h"
#include "platform/local_time.h"
#include "platform/message_box.h"
#include "platform/power_status.h"
#include "platform/wave_out.h"

namespace marlit {

struct Platform {
    DisplayDevice& display;
    EventSource& events;
    Clock& clock;
    LocalTime& localTime;
    PowerStatus& power;
    MessageBox& messageBox;
    // The sound device; it may fail to open, and the player then runs silent.
    WaveOut& waveOut;
    // The font renderer that all text is painted with.
    GlyphPainter& glyphs;
};

}  // namespace marlit
