#include "converter/voice_pack.h"

#include <optional>

#include "base/encoding.h"
#include "converter/ordered_work.h"
#include "converter/voice_archive.h"
#include "converter/voice_clip.h"
#include "formats/mlz_pack_writer.h"

namespace marlit {

namespace {

struct ClipResult {
    std::string packName;  // empty for clips that are not voices
    std::optional<std::vector<uint8_t>> mp3;
    std::string why;  // set when a voice did not convert
};

ClipResult convertClip(const VoiceArchive& archive, size_t index, const Mp3Settings& voice) {
    const VoiceClip& clip = archive.clips()[index];
    ClipResult result;
    if (!hasPcmExtension(clip.name))
        return result;
    auto packName = voicePackName(clip.name);
    if (!packName) {
        result.why = "the clip's name is too long for the voice pack";
        return result;
    }
    result.packName = *packName;
    if (isOmakeClip(clip.name))
        return result;
    if (!clip.valid) {
        result.why = "the clip's offsets lie outside the archive";
        return result;
    }
    auto bytes = archive.readClip(index);
    if (!bytes) {
        result.why = "the clip cannot be read";
        return result;
    }
    auto audio = decodeVoiceClip(*bytes, &result.why);
    if (!audio)
        return result;
    result.mp3 = encodeSound(*audio, voice, &result.why);
    return result;
}

}  // namespace

bool WriteVoicePack(const std::string& archivePath, const std::string& outputFolder,
                    const Mp3Settings& voiceSettings, int jobs, const GroupProgress& progress,
                    std::vector<ConvertFailure>& failures) {
    std::string why;
    auto archive = VoiceArchive::open(archivePath, &why);
    if (!archive) {
        failures.push_back({archivePath, why});
        return false;
    }
    const std::string packPath = outputFolder + "/" + kVoicePackName;
    MlzPackWriter writer;
    if (!writer.openHost(packPath, archive->clips().size())) {
        failures.push_back({packPath, "the voice pack cannot be created: " + writer.error()});
        return false;
    }
    const size_t count = archive->clips().size();
    progress.total += static_cast<int>(count);
    Mp3Settings voice = voiceSettings;
    voice.stereo = false;
    size_t consumed = runOrdered<ClipResult>(
        count, jobs,
        [&](size_t i) {
            progress.started(sjisToUtf8(archive->clips()[i].name));
            return convertClip(*archive, i, voice);
        },
        [&](size_t i, ClipResult&& result) {
            if (result.mp3 && !writer.add(result.packName, *result.mp3, kMlzStored)) {
                result.mp3.reset();
                result.why = "the MP3 could not be added to the voice pack";
            }
            if (!result.mp3)
                writer.addEmpty(result.packName);
            if (!result.why.empty()) {
                failures.push_back({sjisToUtf8(archive->clips()[i].name), result.why});
            }
            ++progress.done;
        },
        progress.cancel);
    if (consumed < count)
        return false;  // cancelled: no pack is put in place
    if (!writer.finish()) {
        const std::string& cause = writer.error();
        failures.push_back(
            {packPath, "the voice pack cannot be written" + (cause.empty() ? "" : ": " + cause)});
        return false;
    }
    return true;
}

}  // namespace marlit
