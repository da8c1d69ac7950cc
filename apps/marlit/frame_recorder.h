// Counts the frames of a run by the clock (one per 16 ms from the start of
// the message loop, which is exactly one game frame each on the virtual
// clock), writes the chosen frames as PNG files and ends the run after the
// last frame. Called after every turn of the frame tick.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "platform/device_frame_buffer.h"

namespace marlit {
class GameContext;
}

namespace marlit::app {

struct RecorderOptions {
    std::optional<uint64_t> frames;  // end after this frame
    std::string shots;               // folder, empty for none
    uint64_t shotEvery = 0;
    std::set<uint64_t> shotAt;
    bool deviceShots = false;
};

class FrameRecorder {
  public:
    FrameRecorder(const RecorderOptions& options, const DeviceFrameBuffer& device)
        : options_(options), device_(device) {}

    void afterTick(GameContext& context);
    // Empty unless a picture could not be written (the run was then ended).
    const std::string& error() const { return error_; }
    // The frames run so far, and the picture files written.
    uint64_t frames() const { return done_; }
    uint64_t picturesWritten() const { return written_; }

  private:
    bool wanted(uint64_t frame) const;
    void shoot(GameContext& context, uint64_t frame);

    RecorderOptions options_;
    const DeviceFrameBuffer& device_;
    std::optional<uint32_t> start_;
    uint64_t done_ = 0;
    uint64_t written_ = 0;
    bool ending_ = false;
    std::string error_;
};

}  // namespace marlit::app
