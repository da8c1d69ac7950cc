#include "player/graphics/sprite.h"

#include "player/graphics/transform.h"

namespace marlit {

namespace {

int narrow(int64_t v) {
    return Rect::saturate(v);
}

// Where a command draws: its transformed box, or its source size at its
// destination.
Rect commandRect(const DrawCommand& c) {
    if (c.transformed()) {
        auto t = setUpTransform(c);
        return t ? t->box : Rect{c.x, c.y, c.x, c.y};
    }
    return {c.x, c.y, narrow(int64_t{c.x} + c.source.width()),
            narrow(int64_t{c.y} + c.source.height())};
}

void placeInto(const Sprite& s, DrawCommand& c) {
    c.x = narrow(int64_t{s.x} / 1000 - s.pivotX + s.frameOffsetX);
    c.y = narrow(int64_t{s.y} / 1000 - s.pivotY + s.frameOffsetY);
    c.pivotX = s.pivotX;
    c.pivotY = s.pivotY;
    c.scaleX = s.scaleX;
    c.scaleY = s.scaleY;
    c.angle = s.angle;
}

}  // namespace

void placeCommand(Sprite& s) {
    placeInto(s, s.command);
}

Rect Sprite::rect() const {
    if (!chain.empty()) {
        Rect r = commandRect(chain.front());
        for (const DrawCommand& c : chain)
            r = unite(r, commandRect(c));
        return r;
    }
    // A sprite without a picture draws its command as it stands.
    if (command.picture < 0)
        return commandRect(command);
    if (angle != 0) {
        DrawCommand placed = command;
        placeInto(*this, placed);
        placed.source = {0, 0, width, height};
        return commandRect(placed);
    }
    const int64_t left = x / 1000 - int64_t{scaleX} * pivotX / 1000 + frameOffsetX;
    const int64_t top = y / 1000 - int64_t{scaleY} * pivotY / 1000 + frameOffsetY;
    return {narrow(left), narrow(top), narrow(left + int64_t{scaleX} * width / 1000),
            narrow(top + int64_t{scaleY} * height / 1000)};
}

void Sprite::recordMove() {
    const Rect now = rect();
    previous = current == kNoRect || current == now ? now : unite(current, now);
    moved = true;
}

}  // namespace marlit
