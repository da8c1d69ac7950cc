// The mode table: the screen of each top-level mode. The game registers a
// screen for every mode it knows; a mode without one, or an unknown mode,
// does nothing.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include "player/core/mode_screen.h"

namespace marlit {

// A mode whose step is one function (small modes and tests).
class FunctionScreen : public ModeScreen {
  public:
    explicit FunctionScreen(std::function<void()> step) : step_(std::move(step)) {}
    void step() override {
        if (step_)
            step_();
    }

  private:
    std::function<void()> step_;
};

class ModeTable {
  public:
    static constexpr int kModeCount = 100;

    // Registers the screen of `mode`, replacing what was there; returns it.
    // A mode outside 0..99 keeps nothing and gives null.
    ModeScreen* set(int mode, std::unique_ptr<ModeScreen> screen);
    ModeScreen* set(int mode, std::function<void()> step) {
        return set(mode, std::make_unique<FunctionScreen>(std::move(step)));
    }
    ModeScreen* get(int mode) const;
    // Runs the step of `mode`; false when there is none.
    bool run(int mode) const;

  private:
    std::array<std::unique_ptr<ModeScreen>, kModeCount> screens_;
};

}  // namespace marlit
