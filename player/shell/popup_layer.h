// The popup menu as the shell sees it (the menu plugs in here): opened by
// the keys, served alone by the frame tick while open, and the handler of
// the commands it posts to the window.
#pragma once

#include <cstdint>

namespace marlit {

class GameContext;

class PopupLayer {
  public:
    virtual ~PopupLayer() = default;
    virtual bool isOpen() const = 0;
    virtual void open(GameContext& context) = 0;
    // One tick while open: act on the latched input and redraw.
    virtual void handleInput(GameContext& context) = 0;
    // A command posted to the window, run on a later loop turn.
    virtual void runCommand(GameContext& context, int id) = 0;
    // A key event before the player's keys see it: true when the menu took
    // it (its own menu key, or a key being learned).
    virtual bool takeKey(GameContext& /*context*/, int32_t /*code*/, bool /*down*/) {
        return false;
    }
    // The window must be drawn again while the menu is open.
    virtual void repaint(GameContext& /*context*/) {}
};

}  // namespace marlit
