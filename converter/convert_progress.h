// What a conversion group reports while it runs. The counters belong to the
// job and are polled by the front end from its own thread.
#pragma once

#include <atomic>
#include <functional>
#include <string>

namespace marlit {

struct GroupProgress {
    std::atomic<int>& done;
    std::atomic<int>& total;
    // Told the name (UTF-8, without folder) of each item as its work
    // starts, possibly from several threads at once; may be empty.
    std::function<void(const std::string&)> setCurrentName;
    // Set by the front end to ask the group to stop before its next item;
    // may be null.
    const std::atomic<bool>* cancel = nullptr;

    void started(const std::string& name) const {
        if (setCurrentName)
            setCurrentName(name);
    }
    bool cancelled() const { return cancel != nullptr && cancel->load(); }
};

// A source item that could not be converted, and why.
struct ConvertFailure {
    std::string name;  // UTF-8
    std::string reason;
};

}  // namespace marlit
