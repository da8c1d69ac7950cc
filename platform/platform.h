// The pieces of the handheld's system that the player uses, as one bundle
// handed to it by the program that chose a back end.
#pragma once

#include "platform/clock.h"
#include "platform/display_device.h"
#include "platform/events.h"
#include "platform/local_time.h"
#include "platform/message_box.h"
#include "platform/power_status.h"

namespace marlit {

struct Platform {
    DisplayDevice& display;
    EventSource& events;
    Clock& clock;
    LocalTime& localTime;
    PowerStatus& power;
    MessageBox& messageBox;
    // The wave output joins here with the sound back ends.
};

}  // namespace marlit
