// Events of a headless run: the scripted input, each delivered once the
// virtual clock has reached its time, after whatever the player posted. A
// wait of the script ends the part before it once the player reports that
// the game is where the wait waits for it (a mode, a script).
#pragma once

#include <deque>
#include <functional>
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

    // Scripted events (and waits) not yet delivered.
    size_t pending() const { return script_.size() - next_; }

    // Where the player tells whether the game has come where a wait waits
    // for; without it a wait never ends.
    void watchGame(std::function<bool(const GameWait&)> reached) { reached_ = std::move(reached); }

  private:
    size_t waitFrom(size_t at) const;
    void endPartOnWait(uint64_t now);

    VirtualClock& clock_;
    std::vector<ScriptedEvent> script_;
    size_t next_ = 0;
    size_t wait_ = 0;          // the wait that ends the current part, or the end
    uint64_t partStart_ = 0;   // virtual ms at which the last wait ended
    std::deque<Event> letGo_;  // key ups and stylus ups of a part cut short
    std::function<bool(const GameWait&)> reached_;
    std::deque<Event> posted_;
};

}  // namespace marlit
