#include "player/scenario/read_log.h"

#include <algorithm>

#include "base/sjis.h"

namespace marlit {

const ReadLog::Entry* ReadLog::find(std::string_view script) const {
    for (const Entry& e : entries_) {
        if (sameText(e.script, script))
            return &e;
    }
    return nullptr;
}

bool ReadLog::markRead(std::string_view script, int message) {
    if (message < 0 || message >= kMessages)
        return false;
    Entry* entry = const_cast<Entry*>(find(script));
    if (!entry)
        entry = &entries_.emplace_back(Entry{std::string(script), {}});
    entry->read.set(static_cast<size_t>(message));
    return true;
}

bool ReadLog::isRead(std::string_view script, int message) const {
    if (message < 0 || message >= kMessages)
        return false;
    const Entry* entry = find(script);
    return entry && entry->read.test(static_cast<size_t>(message));
}

bool SeenLists::addScript(std::string_view name) {
    if (seen(name))
        return false;
    scripts_.emplace_back(name);
    return true;
}

bool SeenLists::seen(std::string_view name) const {
    return std::any_of(scripts_.begin(), scripts_.end(),
                       [&](const std::string& s) { return sameText(s, name); });
}

}  // namespace marlit
