#include "player/scenario/shake.h"

namespace marlit {

void Shake::start(bool horizontal, int screenWidth, uint32_t now) {
    const int32_t amplitude = screenWidth > 639 ? 16 : 8;
    x_ = horizontal ? amplitude : 0;
    y_ = horizontal ? 0 : amplitude;
    stepTime_ = now;
    counter_ = kPhases;
}

bool Shake::update(uint32_t now) {
    if (counter_ <= 0)
        return true;
    if (now - stepTime_ <= kPhaseMs)
        return false;
    if (--counter_ == 0) {
        x_ = 0;
        y_ = 0;
        return true;
    }
    x_ = -x_;
    y_ = -y_;
    stepTime_ = now;
    return false;
}

void Shake::reset() {
    counter_ = 0;
    x_ = 0;
    y_ = 0;
}

}  // namespace marlit
