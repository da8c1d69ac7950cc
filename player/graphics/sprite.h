// A screen object: its draw command and what moves it from frame to frame
// (position, pivot, scale, angle, a frame animation or a transition).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "player/graphics/draw_command.h"
#include "player/graphics/draw_lists.h"
#include "player/graphics/pixel_views.h"
#include "player/graphics/transition.h"

namespace marlit {

// Next-frame values with a meaning of their own.
constexpr int kFrameFinish = -1;  // reaching a frame with this next index finishes the sprite
constexpr int kFrameHold = -3;    // stop the animation, hold the current picture

struct AnimationFrame {
    int picture = 0;  // picture slot
    int x = 0;        // source rectangle, picture pixels
    int y = 0;
    int width = 0;
    int height = 0;
    int offsetX = 0;  // added to the position, screen pixels
    int offsetY = 0;
    int duration = 0;  // ms
    int next = kFrameHold;
};

// A rectangle not computed yet.
constexpr Rect kNoRect{-1, -1, -1, -1};

struct Sprite {
    DrawCommand command;
    bool visible = true;
    // The pivot point in thousandths of a screen pixel.
    int32_t x = 0;
    int32_t y = 0;
    // Copied into the command every frame.
    int32_t pivotX = 0;
    int32_t pivotY = 0;
    int32_t scaleX = 1000;
    int32_t scaleY = 1000;
    int32_t angle = 0;
    // The size its rectangle is computed from.
    int32_t width = 0;
    int32_t height = 0;
    int layer = 1;
    bool finished = false;

    // Drawn instead of `command` while a tile or row transition runs.
    std::vector<DrawCommand> chain;
    std::unique_ptr<Transition> transition;

    std::vector<AnimationFrame> frames;
    int frame = 0;
    uint32_t frameEnd = 0;
    int frameOffsetX = 0;
    int frameOffsetY = 0;

    // What is on screen (`current`) and what must be redrawn (`previous`,
    // while `moved` is set).
    Rect previous = kNoRect;
    Rect current = kNoRect;
    bool moved = false;

    // The screen rectangle the sprite covers as it stands.
    Rect rect() const;
    // Records a change of place or look: the old and the new rectangle are
    // both to be redrawn.
    void recordMove();
    // The commands to put into its layer this frame.
    DrawCommand* firstCommand() { return chain.empty() ? &command : &chain.front(); }
    DrawCommand* lastCommand() { return chain.empty() ? &command : &chain.back(); }
};

// Copies position, pivot, scale and angle into the command.
void placeCommand(Sprite& sprite);

}  // namespace marlit
