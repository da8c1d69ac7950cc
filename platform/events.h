// The events of the player's window, in the order they happened: hardware
// keys, the stylus in device coordinates, the desktop's mouse wheel, commands posted by the player
// itself, the request to close the window, and the end of the message loop.
#pragma once

#include <cstdint>
#include <optional>

namespace marlit {

enum class EventType {
    KeyDown,
    KeyUp,
    StylusDown,
    StylusMove,
    StylusUp,
    Wheel,    // the mouse wheel turned: `value` notches, up (away) positive
    Command,  // a menu command id, posted to the window
    Close,    // the window is asked to close
    Paint,    // the window must be drawn again
    Quit,     // the message loop ends; `value` is the exit code
};

struct Event {
    EventType type = EventType::Quit;
    int32_t value = 0;  // key code, command id or exit code
    int32_t x = 0;      // stylus position on the portrait device screen
    int32_t y = 0;
};

class EventSource {
  public:
    virtual ~EventSource() = default;
    // The next event, without waiting; posted events come before those of
    // the devices, as on the handheld.
    virtual std::optional<Event> poll() = 0;
    // Queues an event for a later loop turn (commands, close, quit).
    virtual void post(const Event& event) = 0;
};

}  // namespace marlit
