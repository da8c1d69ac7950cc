#include "player/shell/frame_timer.h"

namespace marlit {

namespace {

// a >= b for times that may lie on either side of the 32-bit wrap.
bool notBefore(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) >= 0;
}

}  // namespace

void FrameTimer::start(uint32_t interval) {
    now_ = clock_.now();
    nextDue_ = now_ + interval;
    secondEnd_ = now_ + kSecond;
    interval_ = interval;
    secondLength_ = kSecond;
}

void FrameTimer::setInterval(uint32_t interval) {
    previousInterval_ = interval_;
    interval_ = interval;
}

bool FrameTimer::frameDue() {
    now_ = clock_.now();
    while (notBefore(now_, secondEnd_)) {
        framesLastSecond_ = framesThisSecond_;
        framesThisSecond_ = 0;
        secondEnd_ += secondLength_;
    }
    bool due = false;
    if (interval_ == 0)
        return false;
    while (notBefore(now_, nextDue_)) {
        nextDue_ += interval_;
        if (notBefore(nextDue_, now_)) {
            ++framesThisSecond_;
            due = true;
        }
    }
    return due;
}

}  // namespace marlit
