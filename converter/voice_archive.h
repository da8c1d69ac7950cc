// The game's voice archive ("voice.dat"): every spoken line in one file.
//
// Layout, little-endian:
//   0         4   clip count K
//   4 + 64i   60  clip name, NUL-terminated Shift-JIS ("speaker\file.pcm")
//   64 + 64i  4   file offset of the clip's data
// Clip i runs from its offset to the next clip's offset, the last clip to
// the end of the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

struct VoiceClip {
    std::string name;  // Shift-JIS
    uint64_t offset = 0;
    uint64_t length = 0;
    // False when the clip's offsets run backwards or past the end of the
    // file; such a clip has length 0.
    bool valid = false;
};

inline constexpr size_t kVoiceNameSize = 60;
inline constexpr size_t kVoiceRecordSize = 64;

class VoiceArchive {
  public:
    // The clip table from the archive's first bytes (which must hold the
    // whole table) and the archive's size. None (and why) when the count
    // does not fit the file.
    static std::optional<VoiceArchive> parse(std::span<const uint8_t> head, uint64_t fileSize,
                                             std::string* why = nullptr);
    // Opens the archive at a host path and reads its table; the file stays
    // open for readClip.
    static std::optional<VoiceArchive> open(const std::string& hostPath,
                                            std::string* why = nullptr);

    const std::vector<VoiceClip>& clips() const { return clips_; }
    // The bytes of a valid clip of an opened archive (at most its first
    // `limit`); none when they cannot be read. Safe to call from several
    // threads at once.
    std::optional<std::vector<uint8_t>> readClip(size_t index, size_t limit = SIZE_MAX) const;

  private:
    struct File;
    std::shared_ptr<File> file_;
    std::vector<VoiceClip> clips_;
};

// True when the name's extension (from its last ".") is ".pcm" in any case.
bool hasPcmExtension(std::string_view name);
// Clips whose names begin with "OMAKE" (exactly so) are not converted.
bool isOmakeClip(std::string_view name);
// "VOICE\" + the name with its extension replaced by ".mp3"; none when that
// does not fit the 63 bytes of a pack name.
std::optional<std::string> voicePackName(std::string_view clipName);

}  // namespace marlit
