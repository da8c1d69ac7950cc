#include "converter/voice_archive.h"

#include "base/bytes.h"
#include "base/files.h"
#include "base/sjis.h"

namespace marlit {

namespace {

constexpr size_t kPackNameLimit = 63;

}  // namespace

std::optional<VoiceArchive> VoiceArchive::parse(std::span<const uint8_t> head, uint64_t fileSize,
                                                std::string* why) {
    ByteReader r(head);
    const uint32_t count = r.u32();
    const uint64_t tableEnd = 4 + uint64_t{kVoiceRecordSize} * count;
    if (!r.ok() || tableEnd > fileSize || tableEnd > head.size()) {
        if (why) *why = "the voice archive's clip count does not fit the file";
        return std::nullopt;
    }
    VoiceArchive archive;
    archive.clips_.resize(count);
    std::vector<uint64_t> offsets(count);
    for (uint32_t i = 0; i < count; ++i) {
        archive.clips_[i].name = r.fixedText(kVoiceNameSize);
        offsets[i] = r.u32();
    }
    for (uint32_t i = 0; i < count; ++i) {
        VoiceClip& clip = archive.clips_[i];
        const uint64_t end = i + 1 < count ? offsets[i + 1] : fileSize;
        clip.offset = offsets[i];
        clip.valid = clip.offset <= end && end <= fileSize;
        clip.length = clip.valid ? end - clip.offset : 0;
    }
    return archive;
}

std::optional<VoiceArchive> VoiceArchive::open(std::string_view path, std::string* why) {
    const int64_t size = fileSize(path);
    uint8_t countBytes[4];
    if (size < 4 || readPart(path, countBytes, SeekOrigin::Begin, 0, 4) != 4) {
        if (why) *why = "the voice archive cannot be read";
        return std::nullopt;
    }
    const uint64_t tableEnd = 4 + uint64_t{kVoiceRecordSize} * loadU32(countBytes);
    if (tableEnd > static_cast<uint64_t>(size)) {
        if (why) *why = "the voice archive's clip count does not fit the file";
        return std::nullopt;
    }
    std::vector<uint8_t> head(static_cast<size_t>(tableEnd));
    if (readPart(path, head.data(), SeekOrigin::Begin, 0, head.size()) != head.size()) {
        if (why) *why = "the voice archive cannot be read";
        return std::nullopt;
    }
    auto archive = parse(head, static_cast<uint64_t>(size), why);
    if (archive) archive->path_ = std::string(path);
    return archive;
}

std::optional<std::vector<uint8_t>> VoiceArchive::readClip(size_t index) const {
    if (index >= clips_.size() || !clips_[index].valid) return std::nullopt;
    const VoiceClip& clip = clips_[index];
    std::vector<uint8_t> bytes(static_cast<size_t>(clip.length));
    if (readPart(path_, bytes.data(), SeekOrigin::Begin, static_cast<int64_t>(clip.offset),
                 bytes.size()) != bytes.size()) {
        return std::nullopt;
    }
    return bytes;
}

bool hasPcmExtension(std::string_view name) {
    auto dot = findLast(name, '.');
    return dot && sameText(name.substr(*dot), ".pcm");
}

bool isOmakeClip(std::string_view name) { return name.starts_with("OMAKE"); }

std::optional<std::string> voicePackName(std::string_view clipName) {
    auto dot = findLast(clipName, '.');
    std::string name = "VOICE\\";
    name += clipName.substr(0, dot.value_or(clipName.size()));
    name += ".mp3";
    if (name.size() > kPackNameLimit) return std::nullopt;
    return name;
}

}  // namespace marlit
