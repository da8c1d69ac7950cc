// Set-up, ending and the whole-picture programs (opacity and brightness
// fades); the tile and row programs are in transition_tiles.cpp.
#include "player/graphics/transition.h"

#include <algorithm>

#include "player/graphics/sprite.h"
#include "player/graphics/sprite_update.h"
#include "player/graphics/transition_tiles.h"

namespace marlit {

namespace {

int base(int effect) {
    return effect & ~kEffectDisappearing;
}

// Tile grids are kept to at most this many tiles a side: a tiny tile size
// over a large picture would give a command per pixel.
constexpr int kMaxTilesPerSide = 64;

int tileSizeFor(const TransitionParams& params, const Rect& source) {
    const int longest = std::max(source.width(), source.height());
    const int least = (longest + kMaxTilesPerSide - 1) / kMaxTilesPerSide;
    return std::max({params.tileSize, least, 1});
}

// elapsed × 256 ÷ duration, the share of the duration passed in 256ths.
int share(int64_t elapsed, int duration) {
    return static_cast<int>(elapsed * 256 / duration);
}

void endTransition(Sprite& s, int32_t& globalBrightness) {
    const Transition& t = *s.transition;
    const int effect = t.params.effect;
    if (effect == kEffectFadeIn) {
        globalBrightness = 256;
        // Left as it is, the brightness command would keep the last step's
        // level; it goes back to neutral with the global brightness.
        s.command.brightness = 256;
        s.command.fill = 0;
    } else if (effect == kEffectFadeOut) {
        globalBrightness = t.params.white ? 512 : 0;
    }
    if (t.disappearing) {
        s.finished = true;
    } else {
        s.command.opacity = t.savedOpacity;
    }
    s.chain.clear();
    s.transition.reset();
    s.recordMove();
}

}  // namespace

bool knownEffect(int effect) {
    const int b = base(effect);
    if (effect < 0 || effect > 255)
        return false;
    if (b == kEffectOpacity || b == kEffectFadeIn || effect == kEffectOpacityRise ||
        effect == kEffectWave || effect == kEffectWaveIn || effect == kEffectScatter) {
        return true;
    }
    return isTileEffect(effect);
}

bool startTransition(Sprite& s, const TransitionParams& params, uint32_t now) {
    if (!knownEffect(params.effect))
        return false;
    auto t = std::make_unique<Transition>();
    t->params = params;
    t->params.spread = std::max(params.spread, 1);
    t->params.steps = std::max(params.steps, 1);
    t->start = now;
    t->disappearing = (params.effect & kEffectDisappearing) != 0;
    t->savedOpacity = s.command.opacity;
    s.chain.clear();
    if (isTileEffect(params.effect)) {
        t->params.tileSize = tileSizeFor(params, s.command.source);
        const int size = t->params.tileSize;
        t->columns = (s.command.source.width() + size - 1) / size;
        t->rows = (s.command.source.height() + size - 1) / size;
    }
    s.transition = std::move(t);
    if (params.effect == kEffectScatter)
        startScatter(s);
    return true;
}

void stepTransition(Sprite& s, uint32_t now, int32_t& globalBrightness) {
    Transition& t = *s.transition;
    const int64_t elapsed = std::max<int32_t>(static_cast<int32_t>(now - t.start), 0);
    const int duration = t.params.duration;
    if (elapsed >= duration) {
        endTransition(s, globalBrightness);
        return;
    }
    const int effect = t.params.effect;
    const int passed = share(elapsed, duration);
    if (effect == kEffectOpacity || effect == kEffectOpacityRise) {
        s.command.opacity = std::clamp(passed, 0, 256);
    } else if (effect == kEffectOpacityFall) {
        s.command.opacity = std::clamp(256 - passed, 0, 256);
    } else if (effect == kEffectFadeIn) {
        s.command.brightness = t.params.white ? std::max(512 - passed, 256) : std::min(passed, 256);
        s.command.fill = t.params.fill;
    } else if (effect == kEffectFadeOut) {
        s.command.brightness =
            t.params.white ? std::min(256 + passed, 512) : std::max(256 - passed, 0);
        s.command.fill = t.params.fill;
    } else {
        stepTiles(s, elapsed);
    }
    s.recordMove();
}

}  // namespace marlit
