#include "player/graphics/transition_tiles.h"

#include <algorithm>
#include <cmath>

namespace marlit {

namespace {

// A command for one piece of the sprite's source: the sprite's kind, blend,
// brightness and pictures, drawn flat at the piece's place.
DrawCommand piece(const DrawCommand& c, const Rect& source) {
    DrawCommand p = c;
    p.next = nullptr;
    p.source = source;
    p.x = c.x + (source.left - c.source.left);
    p.y = c.y + (source.top - c.source.top);
    p.angle = 0;
    p.scaleX = p.scaleY = 1000;
    p.pivotX = p.pivotY = 0;
    return p;
}

// The tile at column, row, cut to the source rectangle.
Rect tile(const DrawCommand& c, int size, int column, int row) {
    const Rect& s = c.source;
    return intersect({s.left + column * size, s.top + row * size, s.left + (column + 1) * size,
                      s.top + (row + 1) * size},
                     s);
}

// How many steps a tile is held back: its index counted from the side the
// effect starts on, divided by the spread.
int tileDelay(int effect, const Transition& t, int column, int row) {
    const int fromLeft = column, fromRight = t.columns - 1 - column;
    const int fromTop = row, fromBottom = t.rows - 1 - row;
    int index = 0;
    switch (effect & ~kEffectDisappearing) {
        case kEffectBlindsTop:
        case kEffectSlideTop:
        case kEffectTilesTop:
            index = fromTop;
            break;
        case kEffectBlindsBottom:
        case kEffectSlideBottom:
        case kEffectTilesBottom:
            index = fromBottom;
            break;
        case kEffectBlindsLeft:
        case kEffectSlideLeft:
        case kEffectTilesLeft:
            index = fromLeft;
            break;
        case kEffectBlindsRight:
        case kEffectSlideRight:
        case kEffectTilesRight:
            index = fromRight;
            break;
        case kEffectTilesTopLeft:
            index = fromLeft + fromTop;
            break;
        case kEffectTilesTopRight:
            index = fromRight + fromTop;
            break;
        case kEffectTilesBottomLeft:
            index = fromLeft + fromBottom;
            break;
        case kEffectTilesBottomRight:
            index = fromRight + fromBottom;
            break;
    }
    return index / t.params.spread;
}

// Blinds and sliding bands: the part of one tile shown for a band of `h`.
DrawCommand band(const DrawCommand& c, int effect, Rect r, int h) {
    const int w = std::min(h, r.width()), v = std::min(h, r.height());
    Rect src = r;
    int dx = 0, dy = 0;  // where the shown part lands, from the tile's corner
    switch (effect & ~kEffectDisappearing) {
        case kEffectBlindsTop:
            src.bottom = r.top + v;
            break;
        case kEffectBlindsBottom:
            src.top = r.bottom - v;
            dy = r.height() - v;
            break;
        case kEffectBlindsLeft:
            src.right = r.left + w;
            break;
        case kEffectBlindsRight:
            src.left = r.right - w;
            dx = r.width() - w;
            break;
        // Sliding: the far end of the tile's picture comes in first.
        case kEffectSlideLeft:
            src.left = r.right - w;
            break;
        case kEffectSlideRight:
            src.right = r.left + w;
            dx = r.width() - w;
            break;
        case kEffectSlideTop:
            src.top = r.bottom - v;
            break;
        case kEffectSlideBottom:
            src.bottom = r.top + v;
            dy = r.height() - v;
            break;
    }
    DrawCommand p = piece(c, src);
    p.x = c.x + (r.left - c.source.left) + dx;
    p.y = c.y + (r.top - c.source.top) + dy;
    return p;
}

void stepGrid(Sprite& s, int64_t elapsed) {
    const Transition& t = *s.transition;
    const int effect = t.params.effect;
    const int64_t progress = elapsed * t.params.steps / t.params.duration;
    const int size = t.params.tileSize;
    const bool fade = (effect & ~kEffectDisappearing) >= kEffectTilesLeft;
    s.chain.clear();
    for (int row = 0; row < t.rows; ++row) {
        for (int column = 0; column < t.columns; ++column) {
            const int64_t grown = (progress - tileDelay(effect, t, column, row)) * t.params.speed;
            const Rect r = tile(s.command, size, column, row);
            if (fade) {
                DrawCommand p = piece(s.command, r);
                const int opacity = static_cast<int>(std::clamp<int64_t>(grown, 0, 256));
                p.opacity = t.disappearing ? 256 - opacity : opacity;
                s.chain.push_back(p);
            } else {
                const int h = static_cast<int>(std::clamp<int64_t>(grown, 0, size));
                s.chain.push_back(band(s.command, effect, r, t.disappearing ? size - h : h));
            }
        }
    }
}

// Row r swings by cos(angle) × amplitude; the amplitude decays to 0 over the
// duration.
void stepWave(Sprite& s, int64_t elapsed) {
    const Transition& t = *s.transition;
    const int64_t duration = t.params.duration;
    const int64_t amplitude = (duration - elapsed) * t.params.tileSize / duration;
    const int64_t turned = elapsed * t.params.speed * 360 / duration;
    const Rect& src = s.command.source;
    s.chain.clear();
    for (int r = 0; r < src.height(); ++r) {
        const int64_t angle = ((t.params.spread * (r + turned)) % 360 + 360) % 360;
        DrawCommand p = piece(s.command, {src.left, src.top + r, src.right, src.top + r + 1});
        p.x += static_cast<int>(std::trunc(std::cos(angle * M_PI / 180) * amplitude));
        if (t.params.effect == kEffectWaveIn)
            p.opacity = static_cast<int>(elapsed * 256 / duration);
        s.chain.push_back(p);
    }
}

// A small fixed hash: the scatter looks random but is the same every run.
uint32_t hashOf(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    return v ^ (v >> 16);
}

// Each tile flies in a fixed direction from its start.
constexpr int64_t kShrinkAfter = 2000;  // ms from the first move
constexpr int kFadePerFrame = 2;

void stepScatter(Sprite& s, int64_t elapsed) {
    Transition& t = *s.transition;
    const int size = t.params.tileSize;
    t.fade = std::max(t.fade - kFadePerFrame, 0);
    // After 2 s the tiles shrink linearly to one pixel by the end.
    int64_t scale = 1000;
    const int64_t shrinkTime = t.params.duration - kShrinkAfter;
    if (elapsed > kShrinkAfter && shrinkTime > 0) {
        const int64_t least = 1000 / size;
        scale = std::max<int64_t>(1000 - (1000 - least) * (elapsed - kShrinkAfter) / shrinkTime, 1);
    }
    s.chain.clear();
    for (int row = 0; row < t.rows; ++row) {
        for (int column = 0; column < t.columns; ++column) {
            const size_t i = static_cast<size_t>(row * t.columns + column) * 3;
            const int64_t travel = t.flight[i + 2] * elapsed;  // 1/1000 px
            DrawCommand p = piece(s.command, tile(s.command, size, column, row));
            p.x += static_cast<int>(t.flight[i] * travel / (1024 * 1000));
            p.y += static_cast<int>(t.flight[i + 1] * travel / (1024 * 1000));
            p.opacity = std::min(p.opacity, t.fade);
            p.scaleX = p.scaleY = static_cast<int32_t>(scale);
            // Shrinking about the tile's centre.
            p.pivotX = p.source.width() / 2;
            p.pivotY = p.source.height() / 2;
            s.chain.push_back(p);
        }
    }
}

}  // namespace

bool isTileEffect(int effect) {
    const int b = effect & ~kEffectDisappearing;
    return (b >= kEffectBlindsTop && b <= kEffectBlindsLeft) ||
           (b >= kEffectBlindsBottom && b <= kEffectSlideBottom) ||
           (b >= kEffectTilesLeft && b <= kEffectTilesBottomRight) || effect == kEffectScatter;
}

void startScatter(Sprite& s) {
    Transition& t = *s.transition;
    const Rect& src = s.command.source;
    const int size = t.params.tileSize;
    // Outwards from the centre, turned by up to ±0.35 rad, at 40 to 120
    // pixels a second times the speed factor.
    const double cx = (src.left + src.right) / 2.0, cy = (src.top + src.bottom) / 2.0;
    t.flight.clear();
    for (int row = 0; row < t.rows; ++row) {
        for (int column = 0; column < t.columns; ++column) {
            const uint32_t h = hashOf(static_cast<uint32_t>(row * t.columns + column) + 1);
            const Rect r = tile(s.command, size, column, row);
            const double dx = (r.left + r.right) / 2.0 - cx, dy = (r.top + r.bottom) / 2.0 - cy;
            double direction = dx == 0 && dy == 0 ? (h % 360) * M_PI / 180 : std::atan2(dy, dx);
            direction += (static_cast<int>((h >> 8) % 71) - 35) / 100.0;
            t.flight.push_back(static_cast<int32_t>(std::lround(std::cos(direction) * 1024)));
            t.flight.push_back(static_cast<int32_t>(std::lround(std::sin(direction) * 1024)));
            t.flight.push_back(
                static_cast<int32_t>((40 + (h >> 16) % 81) * std::max(t.params.speed, 1)));
        }
    }
    t.fade = s.command.opacity;
}

void stepTiles(Sprite& s, int64_t elapsed) {
    const int effect = s.transition->params.effect;
    if (effect == kEffectWave || effect == kEffectWaveIn) {
        stepWave(s, elapsed);
    } else if (effect == kEffectScatter) {
        stepScatter(s, elapsed);
    } else {
        stepGrid(s, elapsed);
    }
}

}  // namespace marlit
