// Events of a headless run: the scripted input, each delivered once the
// virtual clock has reached its time, after whatever the player posted.
#pragma once

#include <deque>
#include <vector>

#include "platform/events.h"
#include "platform/headless/input_script.h"
#include "platform/headless/virtual_clock.h"

namespace marlit {

class HeadlessEvents : public EventSource {
  public:
    HeadlessEvents(VirtualClock& clock, std::vector<ScriptedEvent> script);

    std::optional<Event> poll() override;
    void post(const Event& event) override { posted_.push_back(event); }

    // Scripted events not yet delivered.
    size_t pending() const { return script_.size() - next_; }

  private:
    VirtualClock& clock_;
    std::vector<ScriptedEvent> script_;
    size_t next_ = 0;
    std::deque<Event> posted_;
};

}  // namespace marlit
