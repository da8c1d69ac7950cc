// The sample game's sound effects, synthesized: a train horn, footsteps,
// an alarm clock, waves, a shop bell, a gust of wind and gulls. The
// looping ones (footsteps, waves) join their end to their start.
#pragma once

#include "converter/platform/pcm_audio.h"

namespace marlit::sample {

// Effect 1-7 (catalogue.h); `shorter` halves the long ones for the small
// game. An unknown number gives silence of a tenth of a second.
PcmAudio synthesizeEffect(int number, bool shorter, uint32_t rate = 22050);

}  // namespace marlit::sample
