// Writes PCM to a RIFF WAVE file as it comes; the sizes in the header are
// filled in when the file is closed.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/wave_out.h"

namespace marlit {

class WavWriter {
  public:
    WavWriter() = default;
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;
    ~WavWriter() { close(); }

    // `path` is a host path. Replaces an existing file.
    bool open(const std::string& path, const WaveFormat& format);
    bool isOpen() const { return file_ != nullptr; }
    void write(const uint8_t* pcm, size_t bytes);
    void writeSilence(uint64_t bytes);
    // Completes the header; false when any write failed.
    bool close();

  private:
    std::FILE* file_ = nullptr;
    WaveFormat format_;
    uint64_t dataBytes_ = 0;
    bool failed_ = false;
};

}  // namespace marlit
