// Spoken lines from Debian's espeak-ng speech synthesizer in its Japanese
// voice (it reads kana; a line's reading is given in hiragana).
#pragma once

#include <optional>
#include <string>

#include "converter/platform/pcm_audio.h"

namespace marlit::sample {

struct Speaker {
    const char* variant;  // espeak-ng voice variant, e.g. "ja+f3"
    int pitch;            // 0-99
    int speed;            // words per minute
};

// The speaker of heroine 0 or 1.
Speaker speakerOf(int heroine);

// The line as 16-bit mono PCM at 22050 Hz, silence trimmed and the level
// evened out; none, with `error` saying why (and what to install), when
// espeak-ng cannot be run.
std::optional<PcmAudio> speak(const std::string& kana, const Speaker& speaker, std::string* error);

}  // namespace marlit::sample
