// Events from SDL: the keyboard and a game controller as the hardware keys,
// the mouse (or a touch screen) as the stylus, window closing and exposure.
//
// Keys: arrows for the direction keys, Enter and Space for the centre key,
// Z for button A, X and Escape for button B, C for the third button.
// Controller: the D-pad, A, B, X (the third button) and Start.
#pragma once

#include <deque>
#include <vector>

#include "platform/events.h"
#include "platform/sdl/sdl_display.h"

union SDL_Event;
struct _SDL_GameController;

namespace marlit {

class SdlEvents : public EventSource {
  public:
    explicit SdlEvents(SdlDisplay& display) : display_(display) {}
    ~SdlEvents() override;
    SdlEvents(const SdlEvents&) = delete;
    SdlEvents& operator=(const SdlEvents&) = delete;

    std::optional<Event> poll() override;
    void post(const Event& event) override { posted_.push_back(event); }

  private:
    std::optional<Event> translate(const SDL_Event& e);
    Event stylusEvent(EventType type, int x, int y) const;

    SdlDisplay& display_;
    std::deque<Event> posted_;
    std::vector<_SDL_GameController*> controllers_;
    bool stylusDown_ = false;
};

}  // namespace marlit
