// The top-level modes: each frame runs the step of the current mode. The
// screens and the scenario install their steps; a mode without one, or an
// unknown mode, does nothing.
#pragma once

#include <array>
#include <functional>

namespace marlit {

class GameContext;

constexpr int kModeOpening = 0;
constexpr int kModeTitle = 1;
constexpr int kModeDayChange = 10;
constexpr int kModeMap = 20;
constexpr int kModeMusicRoom = 30;
constexpr int kModeGallery = 40;
constexpr int kModeSceneGallery = 50;
constexpr int kModeEnding = 80;
constexpr int kModeStaffRoll = 85;
constexpr int kModeScenario = 99;

using ModeStep = std::function<void(GameContext&)>;

class ModeTable {
  public:
    static constexpr int kModeCount = 100;

    // Ignored for a mode outside 0..99.
    void set(int mode, ModeStep step);
    // Runs the step of `mode`; false when there is none.
    bool run(GameContext& context, int mode) const;

  private:
    std::array<ModeStep, kModeCount> steps_;
};

}  // namespace marlit
