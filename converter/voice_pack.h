// The voice group of a conversion: every clip of the voice archive becomes a
// mono MP3 record of the voice pack "voice.mlz", one record per clip in
// archive order, so that the player finds a clip by "VOICE\" + its name with
// ".mp3".
#pragma once

#include <string>
#include <vector>

#include "converter/convert_progress.h"
#include "converter/sound_convert.h"

namespace marlit {

inline constexpr const char* kVoicePackName = "voice.mlz";

// Writes outputFolder/voice.mlz (host paths) from the archive with the
// voice bit-rate and rate indexes (always mono), converting on up to `jobs`
// threads; the pack is the same whatever the job count. Records:
//   - ".pcm" clips (any case): their pack name with the MP3, or size 0 when
//     the clip does not convert (listed in failures);
//   - ".pcm" clips whose names begin with "OMAKE": their pack name, size 0;
//   - ".pcm" clips whose pack name would pass 63 bytes: an empty name and
//     size 0 (listed in failures: a cut name could point at another clip);
//   - any other clip: an empty name, size 0.
// Adds the clip count to progress.total when the archive is open and 1 to
// progress.done per clip. False (with the reason in failures) when the
// archive cannot be read or the pack cannot be written, and false (without
// a failure) when the group was cancelled; then no pack is put in place.
bool WriteVoicePack(const std::string& archivePath, const std::string& outputFolder,
                    const Mp3Settings& voice, int jobs, const GroupProgress& progress,
                    std::vector<ConvertFailure>& failures);

}  // namespace marlit
