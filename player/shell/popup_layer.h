// The popup menu as the shell sees it (the menu plugs in here): opened by
// the keys, served alone by the frame tick while open, and the handler of
// the commands it posts to the window.
#pragma once

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
};

}  // namespace marlit
