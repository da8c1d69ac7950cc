// What the framing screens (logo, title, map, day change, endings) are
// given: the drawing and sound services, the input of the frame, the random
// numbers, the local clock, the global brightness and the mode words of the
// scenario state. They never see the GameContext.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/local_time.h"
#include "player/core/input_state.h"
#include "player/core/random.h"
#include "player/core/settings.h"
#include "player/graphics/graphics_ops.h"
#include "player/scenario/scenario_state.h"
#include "player/sound/game_sound.h"

namespace marlit {

struct ScreenServices {
    GraphicsOps& graphics;
    GameSound& sound;
    const Settings& settings;
    InputState& input;
    GameRandom& random;
    LocalTime& localTime;
    // The global brightness the compositor draws with (256 full).
    int32_t& brightness;
    // The mode and sub-state words the frame tick switches on.
    ScenarioState& state;
    // One line for the user (stderr, started by the program's name).
    std::function<void(const std::string&)> report;
    // Sets the frame interval in ms.
    std::function<void(uint32_t)> setFrameInterval;
};

// Timer 1 of a screen: a restart and the milliseconds since.
class ScreenTimer {
  public:
    explicit ScreenTimer(GraphicsOps& graphics) : graphics_(graphics) {}
    void restart() { start_ = graphics_.now(); }
    uint32_t elapsed() const { return graphics_.now() - start_; }

  private:
    GraphicsOps& graphics_;
    uint32_t start_ = 0;
};

// The input of the frame as the screens read it.
struct ScreenInput {
    // A stylus tap in this frame.
    static bool tapped(const InputState& in) { return in.tap == 1; }
    // A key of the decide kind (the third button or right) pressed in this
    // frame; taken, so that a key held down acts once.
    static bool decided(InputState& in) { return take(in, kPressC) || take(in, kPressRight); }
    // A key pressed in this frame, taken: its counter moves past 1 and the
    // key does not act again until it is pressed again.
    static bool take(InputState& in, PressKey key) {
        if (in.press[key] != 1)
            return false;
        in.press[key] = 2;
        return true;
    }
    // The stylus position in the design space.
    static DesignPoint stylus(const InputState& in, const GraphicsOps& graphics) {
        const int width = graphics.screen().width;
        return {in.stylusX * 800 / width, in.stylusY * 800 / width};
    }
    static bool inside(DesignPoint p, const DesignRect& r) {
        return p.x >= r.x && p.x < r.x + r.width && p.y >= r.y && p.y < r.y + r.height;
    }
};

}  // namespace marlit
