// One MP3 sound as a flow of 16-bit PCM on demand. The compressed bytes come
// from a memory block (owned by the caller) or from a file mapped into
// memory; ID3 tags are skipped, the data is cut into frames, each frame is
// decoded whole, and exactly the bytes asked for are handed out, the rest of
// the last frame being kept for the next request.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/wave_out.h"
#include "player/sound/mapped_file.h"
#include "player/sound/mp3_decoder.h"

namespace marlit {

class Mp3Stream {
  public:
    static constexpr uint32_t kCarryBytes = 40960;

    Mp3Stream() = default;
    Mp3Stream(const Mp3Stream&) = delete;
    Mp3Stream& operator=(const Mp3Stream&) = delete;
    ~Mp3Stream() { close(); }

    // Both opens fail when the first frame cannot be decoded; `data` must
    // outlive the stream.
    bool openMemory(const uint8_t* data, size_t size);
    // Maps the file at a system path; size 0 means up to the file's end.
    bool openMapped(std::string_view path, uint32_t offset = 0, uint32_t size = 0);

    // Writes up to `wanted` PCM bytes to `out` and returns how many. `out`
    // needs room for wanted + kMp3PcmBytes. With `loop`, the sound starts
    // again at its first frame whenever a frame cannot be decoded, which is
    // also how its end is met.
    uint32_t read(uint8_t* out, uint32_t wanted, bool loop);

    bool finished() const { return finished_; }
    bool isOpen() const { return decoder_ != nullptr; }
    const WaveFormat& format() const { return format_; }
    void rewind();
    void close();

  private:
    // Where the audio lies in [begin, begin + size) of data_: after a
    // leading ID3v2 tag and before an ID3v1 trailer.
    void findAudio(uint32_t begin, uint32_t size);
    bool startDecoder();

    std::unique_ptr<Mp3Decoder> decoder_;
    MappedFile mapped_;
    const uint8_t* data_ = nullptr;
    bool finished_ = false;
    uint32_t start_ = 0;
    uint32_t current_ = 0;
    uint32_t end_ = 0;
    WaveFormat format_;
    std::array<uint8_t, kCarryBytes> carry_{};
    uint32_t carryPos_ = 0;
    uint32_t carryEnd_ = 0;
    std::array<uint8_t, kMp3MaxFrameBytes> frame_{};
    std::array<int16_t, kMp3PcmBytes / 2> pcm_{};
};

}  // namespace marlit
