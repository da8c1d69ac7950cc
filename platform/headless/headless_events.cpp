#include "platform/headless/headless_events.h"

namespace marlit {

HeadlessEvents::HeadlessEvents(VirtualClock& clock, std::vector<ScriptedEvent> script)
    : clock_(clock), script_(std::move(script)) {
    wait_ = waitFrom(0);
}

size_t HeadlessEvents::waitFrom(size_t at) const {
    while (at < script_.size() && !script_[at].wait)
        ++at;
    return at;
}

void HeadlessEvents::endPartOnWait(uint64_t now) {
    if (wait_ >= script_.size())
        return;
    const ScriptedEvent& w = script_[wait_];
    if (partStart_ + w.time > now || !reached_ || !reached_(*w.wait))
        return;
    // What the part still had to come is dropped; nothing stays held.
    for (size_t i = next_; i < wait_; ++i) {
        const EventType type = script_[i].event.type;
        if (type == EventType::KeyUp || type == EventType::StylusUp)
            letGo_.push_back(script_[i].event);
    }
    next_ = wait_ + 1;
    wait_ = waitFrom(next_);
    partStart_ = now;
}

std::optional<Event> HeadlessEvents::poll() {
    if (!posted_.empty()) {
        Event e = posted_.front();
        posted_.pop_front();
        return e;
    }
    const uint64_t now = clock_.elapsed();
    endPartOnWait(now);
    if (!letGo_.empty()) {
        Event e = letGo_.front();
        letGo_.pop_front();
        return e;
    }
    if (next_ < wait_ && partStart_ + script_[next_].time <= now)
        return script_[next_++].event;
    return std::nullopt;
}

}  // namespace marlit
