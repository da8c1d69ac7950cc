// The MPEG audio decoder behind every stream: MPEG-1, 2 and 2.5 Layer III to
// interleaved 16-bit PCM, one whole frame per call, the bit reservoir kept
// from frame to frame. The calls follow the decoder overlay the player was
// written for: create from the first frame header, predecode a header (which
// gives the frame length), decode one frame, destroy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace marlit {

// The longest frame handed to `decode`, and the room `decode` needs for one
// frame of samples (1152 stereo sample frames).
constexpr size_t kMp3MaxFrameBytes = 2882;
constexpr size_t kMp3PcmBytes = 4614;

// What one four-byte frame header says.
struct Mp3Header {
    int version = 0;      // 1, 2, or 25 for MPEG 2.5
    int channels = 0;     // 1 or 2
    int sampleRate = 0;   // Hz
    int bitRate = 0;      // kbit/s
    int frameLength = 0;  // bytes, header included
};

// The header of a Layer III frame with a known bit rate, or none.
bool parseMp3Header(const uint8_t header[4], Mp3Header& out);

class Mp3Decoder {
  public:
    // The decoder for a sound whose first frame starts with `header`; none
    // when the header is not a Layer III frame or no decoder is available.
    static std::unique_ptr<Mp3Decoder> create(const uint8_t header[4]);
    ~Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;

    // 0 when a frame of this sound starts with `header`, which sets
    // `frameLength`; any other value when not.
    int predecode(const uint8_t header[4]);
    // Decodes the frame of `length` bytes (header included; the last frame
    // of a sound may be cut short) into `pcm`, which has room for
    // kMp3PcmBytes. The number of sample frames written, 0 when none.
    int decode(int16_t* pcm, const uint8_t* frame, size_t length);

    int channels() const { return first_.channels; }
    int sampleRate() const { return first_.sampleRate; }
    int frameLength() const { return current_.frameLength; }
    int bitRate() const { return current_.bitRate; }

  private:
    struct Handle;
    explicit Mp3Decoder(std::unique_ptr<Handle> handle, const Mp3Header& first);
    void restart();

    std::unique_ptr<Handle> handle_;
    Mp3Header first_;
    Mp3Header current_;
};

}  // namespace marlit
