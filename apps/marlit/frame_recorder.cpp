#include "apps/marlit/frame_recorder.h"

#include <cstdio>

#include "platform/headless/frame_dump.h"
#include "player/shell/game_context.h"

namespace marlit::app {

namespace {

constexpr uint32_t kFrameLength = 16;

std::string numbered(const std::string& folder, const char* stem, uint64_t frame) {
    char name[48];
    std::snprintf(name, sizeof name, "/%s_%06llu.png", stem,
                  static_cast<unsigned long long>(frame));
    return folder + name;
}

}  // namespace

bool FrameRecorder::wanted(uint64_t frame) const {
    if (options_.shots.empty())
        return false;
    if (options_.shotEvery != 0 && frame % options_.shotEvery == 0)
        return true;
    return options_.shotAt.count(frame) != 0;
}

void FrameRecorder::shoot(GameContext& ctx, uint64_t frame) {
    const Display& d = *ctx.display;
    std::string problem;
    bool ok = dumpBackBuffer(numbered(options_.shots, "frame", frame), d.backBuffer(), d.width(),
                             d.height(), d.pitch(), &problem);
    written_ += ok;
    if (ok && options_.deviceShots) {
        ok = dumpFrameBuffer(numbered(options_.shots, "device", frame), device_, &problem);
        written_ += ok;
    }
    if (!ok && error_.empty())
        error_ = problem;
}

void FrameRecorder::afterTick(GameContext& ctx) {
    if (ending_)
        return;
    // The time at which this tick began: a tick that only slept has not yet
    // run the frame that its sleep made due.
    if (!start_)
        start_ = ctx.tickTime;
    uint64_t frame = static_cast<uint32_t>(ctx.tickTime - *start_) / kFrameLength;
    if (options_.frames && frame > *options_.frames)
        frame = *options_.frames;
    for (uint64_t f = done_ + 1; f <= frame && error_.empty(); ++f) {
        if (wanted(f))
            shoot(ctx, f);
    }
    done_ = std::max(done_, frame);
    if (!error_.empty() || (options_.frames && done_ >= *options_.frames)) {
        ending_ = true;
        ctx.platform.events.post(Event{EventType::Close, 0, 0, 0});
    }
}

}  // namespace marlit::app
