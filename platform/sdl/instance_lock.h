// One running copy per program folder for windowed runs. The first copy
// listens on a local socket named after its folder and window title; a
// second copy that finds the listener asks it to come forward and ends.
// The name lives in the abstract socket namespace, so nothing is left
// behind when a copy dies.
#pragma once

#include <string>

namespace marlit {

class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Asks a copy holding `key` to come forward; true when one answered.
    static bool signalRunning(const std::string& key);
    // Starts listening under `key`; false when another copy holds it.
    bool claim(const std::string& key);
    // True when a second copy has asked since the last call.
    bool raiseRequested();

  private:
    int fd_ = -1;
};

}  // namespace marlit
