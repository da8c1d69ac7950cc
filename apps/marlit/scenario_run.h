// --script LABEL, --trace FILE, --dump-state FILE and --text-log FILE: a run
// that starts a new game in a script (mode 99, past the logo and the title),
// writes one line per executed command and one per change of the top-level
// mode ("FRAME mode N"), writes the scenario's state as JSON when the run
// ends, and appends every message as it is laid out.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace marlit {
class GameContext;
}

namespace marlit::app {

class ScenarioRun {
  public:
    ScenarioRun(std::string label, std::string traceFile, std::string dumpFile,
                std::string textLogFile = {})
        : label_(std::move(label)),
          traceFile_(std::move(traceFile)),
          dumpFile_(std::move(dumpFile)),
          textLogFile_(std::move(textLogFile)) {}
    ~ScenarioRun();

    // Before the first frame: opens the trace and starts the script.
    void atStart(GameContext& context);
    // After every tick: notes a change of mode in the trace.
    void afterTick(GameContext& context);
    // After the last frame: writes the dump.
    void atEnd(GameContext& context);
    // Empty unless the trace or the dump could not be written or the
    // script could not be started.
    const std::string& error() const { return error_; }

  private:
    std::string label_;
    std::string traceFile_;
    std::string dumpFile_;
    std::string textLogFile_;
    std::FILE* trace_ = nullptr;
    std::FILE* textLog_ = nullptr;
    std::string error_;
    int tracedMode_ = -1;
};

}  // namespace marlit::app
