// Writes PCM to a RIFF WAVE file as it comes. The file is written beside its
// place and appears under its name only on commit, with its header sizes
// final; a recording that is not committed (a run that failed, a full disk)
// leaves nothing behind.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/wave_out.h"

namespace marlit {

class AtomicFile;

class WavWriter {
  public:
    WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;
    ~WavWriter();

    // `path` is a host path; an existing file is replaced on commit. False
    // when the file cannot be made; error() says why.
    bool open(const std::string& path, const WaveFormat& format);
    bool isOpen() const { return file_ != nullptr; }
    void write(const uint8_t* pcm, size_t bytes);
    void writeSilence(uint64_t bytes);
    // Completes the header and puts the file in place; false when any write
    // failed, and then nothing is left.
    bool commit();
    // Drops the recording.
    void discard();
    // The reason of the first failure, as the system tells it.
    const std::string& error() const { return error_; }

  private:
    void fail();

    std::unique_ptr<AtomicFile> file_;
    WaveFormat format_;
    uint64_t dataBytes_ = 0;
    std::string error_;
};

}  // namespace marlit
