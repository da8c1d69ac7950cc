// Reading a movie's frames ahead of the player: a thread of its own fills
// two buffers with the frames that follow the one the player asked for
// last, so that file reading runs beside decoding.
//
// Everything the thread and the player share sits behind one lock; a buffer
// being filled is marked and never read from. The player copies a frame out
// under the lock, so the thread may refill any buffer the player is not
// asking about.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "formats/jmv_file.h"
#include "player/movie/jmv_source.h"

namespace marlit {

class JmvReader {
  public:
    // A buffer takes up to two frames while they fit into this size; a
    // frame larger than it is read alone into a buffer of its own size.
    static constexpr uint32_t kBufferSize = 65536;
    // Movies whose frames are wider than this read four times as much.
    static constexpr uint32_t kWideFrameWidth = 639;
    // How long the player waits for one frame, and closing for the thread,
    // before giving up on a file that no longer answers.
    static constexpr uint32_t kFrameWaitMs = 5000;
    static constexpr uint32_t kCloseWaitMs = 2000;

    JmvReader() = default;
    ~JmvReader();
    JmvReader(const JmvReader&) = delete;
    JmvReader& operator=(const JmvReader&) = delete;

    // Reads the header and frame table and starts the thread. False, with
    // error() saying why, when the file is no playable movie. A table cut
    // at a frame whose data lies outside the file still opens, with the
    // frames before it and the reason in table().problem.
    bool open(std::unique_ptr<JmvSource> source, uint32_t bufferSize = kBufferSize);
    // Stops the thread. Waits at most `waitMs` for it; a thread stuck in a
    // read is left to end on its own (it owns what it still uses). True
    // when the thread ended in time (or none ran).
    bool close(uint32_t waitMs = kCloseWaitMs);

    bool isOpen() const { return shared_ != nullptr; }
    const JmvTable& table() const { return table_; }
    // Frames that can be played.
    uint32_t frameCount() const { return static_cast<uint32_t>(table_.frames.size()); }
    // The size a buffer fills up to (four times kBufferSize for wide frames).
    uint32_t bufferSize() const { return bufferSize_; }

    // Frame i's data copied into `out`, waiting for the thread when it has
    // not been read yet. False when i is not below frameCount(), or when the
    // file could not be read (error() says why).
    bool frameData(uint32_t i, std::vector<uint8_t>& out);
    std::string error() const;

  private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
    JmvTable table_;
    uint32_t bufferSize_ = 0;
    std::string openError_;
};

}  // namespace marlit
