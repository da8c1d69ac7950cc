// Short synthesized pieces for the sample game: a melody over a chord
// progression with bass and accompaniment, a whole number of bars long and
// rendered so that the end runs seamlessly into the start (notes that ring
// past the end sound on at the beginning), so the piece loops cleanly.
#pragma once

#include <cstdint>

#include "converter/platform/pcm_audio.h"

namespace marlit::sample {

struct Composition {
    int style = 0;       // 0-5: waltz, march, calm, minor, music box, ballad
    uint32_t seed = 1;   // the melody's and the key's choices
    float seconds = 16;  // rounded to whole bars
    uint32_t rate = 22050;
    uint16_t channels = 2;
    // Fade out over the last seconds instead of looping (for pieces the
    // player plays once, as the ending and the staff roll do).
    float fadeOut = 0;
};

PcmAudio composeMusic(const Composition& plan);

}  // namespace marlit::sample
