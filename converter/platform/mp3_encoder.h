// MP3 encoding through LAME, loaded at run time: a machine without the
// library still converts pictures, and its sounds are reported as not
// converted.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "converter/platform/pcm_audio.h"

namespace marlit {

inline constexpr const char* kLameLibrary = "libmp3lame.so.0";

// The library Mp3Encoder::shared() loads: kLameLibrary, or the one that
// MARLIT_LAME_LIBRARY names.
const char* mp3EncoderLibrary();

class Mp3Encoder {
  public:
    // Loads the library by name; none when it or one of its entry points
    // is missing.
    static std::unique_ptr<Mp3Encoder> load(const char* libraryName, std::string* why = nullptr);
    // The encoder of kLameLibrary, loaded once for the whole process; null
    // when it is not available.
    static const Mp3Encoder* shared();

    ~Mp3Encoder();
    Mp3Encoder(const Mp3Encoder&) = delete;
    Mp3Encoder& operator=(const Mp3Encoder&) = delete;

    // The library's own version text.
    std::string version() const;

    // Constant bit rate MP3 at the sound's own rate: one channel is mono,
    // two are joint stereo; no tag frames. LAME moves a bit rate that the
    // MPEG version of the rate lacks to the nearest one it has. Safe to
    // call from several threads at once.
    std::optional<std::vector<uint8_t>> encode(const PcmAudio& pcm, int kbps,
                                               std::string* why = nullptr) const;

  private:
    struct Api;
    Mp3Encoder(void* handle, std::unique_ptr<Api> api);

    void* handle_;
    std::unique_ptr<Api> api_;
};

// Encodes with the shared encoder; fails with a reason when it is missing.
std::optional<std::vector<uint8_t>> EncodeMp3(const PcmAudio& pcm, int kbps,
                                              std::string* why = nullptr);

// The shared encoder's version text, or none when it is not available.
std::optional<std::string> mp3EncoderVersion();

}  // namespace marlit
