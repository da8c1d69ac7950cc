// The top-level modes. Each frame runs the step of the current mode's
// screen; the mode number lives in the scenario state, and only the screens
// themselves (and the return to the title) change it.
#pragma once

namespace marlit {

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

// The screen of one mode: an object with its own state, given what it needs
// when it is made, and stepped once per frame while its mode is current.
class ModeScreen {
  public:
    virtual ~ModeScreen() = default;
    virtual void step() = 0;
};

}  // namespace marlit
