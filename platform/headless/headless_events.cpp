#include "platform/headless/headless_events.h"

namespace marlit {

HeadlessEvents::HeadlessEvents(VirtualClock& clock, std::vector<ScriptedEvent> script)
    : clock_(clock), script_(std::move(script)) {}

std::optional<Event> HeadlessEvents::poll() {
    if (!posted_.empty()) {
        Event e = posted_.front();
        posted_.pop_front();
        return e;
    }
    if (next_ < script_.size() && script_[next_].time <= clock_.elapsed()) {
        return script_[next_++].event;
    }
    return std::nullopt;
}

}  // namespace marlit
