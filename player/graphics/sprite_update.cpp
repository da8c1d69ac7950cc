#include "player/graphics/sprite_update.h"

#include <utility>

namespace marlit {

namespace {

// Time comparisons survive the tick count wrapping.
bool reached(uint32_t now, uint32_t end) {
    return static_cast<int32_t>(now - end) >= 0;
}

void showFrame(Sprite& s, const AnimationFrame& f, uint32_t now) {
    s.command.picture = f.picture;
    s.command.source = {f.x, f.y, f.x + f.width, f.y + f.height};
    s.width = f.width;
    s.height = f.height;
    s.frameOffsetX = f.offsetX;
    s.frameOffsetY = f.offsetY;
    s.frameEnd = now + static_cast<uint32_t>(f.duration);
    s.recordMove();
}

void advanceAnimation(Sprite& s, uint32_t now) {
    if (!reached(now, s.frameEnd))
        return;
    const int next = s.frames[s.frame].next;
    const int count = static_cast<int>(s.frames.size());
    if (next == kFrameFinish ||
        (next >= 0 && next < count && s.frames[next].next == kFrameFinish)) {
        s.finished = true;
    } else if (next >= 0 && next < count) {
        s.frame = next;
        showFrame(s, s.frames[next], now);
    } else {
        // Hold, or a next index that names no frame: keep the picture.
        s.frames.clear();
    }
}

}  // namespace

void startAnimation(Sprite& sprite, std::vector<AnimationFrame> frames, uint32_t now) {
    if (frames.empty())
        return;
    sprite.frames = std::move(frames);
    sprite.frame = 0;
    showFrame(sprite, sprite.frames[0], now);
}

bool updateSprite(Sprite& sprite, uint32_t now, int32_t& globalBrightness) {
    if (sprite.finished)
        return false;
    // Without a picture the command is drawn as it stands.
    if (sprite.command.picture < 0)
        return true;
    if (!sprite.frames.empty())
        advanceAnimation(sprite, now);
    placeCommand(sprite);
    if (sprite.transition)
        stepTransition(sprite, now, globalBrightness);
    return !sprite.finished;
}

}  // namespace marlit
