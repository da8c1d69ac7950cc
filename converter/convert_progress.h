// What a conversion reports while it runs: the front end polls it from its
// own thread.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <string_view>

namespace marlit {

struct ConvertProgress {
    std::atomic<int> done{0};
    std::atomic<int> total{0};

    // The file name (without folder) of the item being converted, Shift-JIS.
    void setCurrentName(std::string_view name) {
        std::lock_guard lock(mutex_);
        currentName_ = name;
    }
    std::string currentName() const {
        std::lock_guard lock(mutex_);
        return currentName_;
    }

private:
    mutable std::mutex mutex_;
    std::string currentName_;
};

// A source item that could not be converted, and why.
struct ConvertFailure {
    std::string name;  // Shift-JIS
    std::string reason;
};

}  // namespace marlit
