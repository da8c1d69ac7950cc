// The pieces loop without a click and the looping effects join their ends.
#include <gtest/gtest.h>

#include <cmath>

#include "tools/samplegame/effects.h"
#include "tools/samplegame/music.h"

namespace marlit::sample {
namespace {

// The jump from the last frame to the first, against the largest step
// between neighbouring frames inside the sound (channel 0).
void expectSeamless(const PcmAudio& a, const char* what) {
    const size_t frames = a.frames();
    ASSERT_GT(frames, 1000u) << what;
    const int ch = a.format.channels;
    int largest = 0;
    for (size_t i = 1; i < frames; ++i)
        largest = std::max(largest, std::abs(a.samples[i * ch] - a.samples[(i - 1) * ch]));
    const int seam = std::abs(a.samples[0] - a.samples[(frames - 1) * ch]);
    EXPECT_LE(seam, largest) << what;
}

TEST(Music, PiecesAreWholeBarsThatLoopCleanly) {
    for (int style = 0; style < 6; ++style) {
        Composition plan;
        plan.style = style;
        plan.seed = 3 + style;
        plan.seconds = 6;
        const PcmAudio a = composeMusic(plan);
        EXPECT_EQ(a.format.channels, 2);
        EXPECT_EQ(a.format.rate, 22050u);
        expectSeamless(a, ("style " + std::to_string(style)).c_str());
        // Audible, and not clipped.
        int peak = 0;
        for (int16_t s : a.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 16000);
        EXPECT_LT(peak, 32000);
    }
}

TEST(Music, TheSameCompositionGivesTheSameSamples) {
    Composition plan;
    plan.seed = 9;
    EXPECT_EQ(composeMusic(plan).samples, composeMusic(plan).samples);
    Composition other = plan;
    other.seed = 10;
    EXPECT_NE(composeMusic(plan).samples, composeMusic(other).samples);
}

TEST(Music, AFadedPieceEndsInSilence) {
    Composition plan;
    plan.seconds = 8;
    plan.fadeOut = 2;
    plan.channels = 1;
    const PcmAudio a = composeMusic(plan);
    EXPECT_EQ(a.format.channels, 1);
    EXPECT_LE(std::abs(a.samples.back()), 200);
}

TEST(Effects, LoopingEffectsJoinTheirEnds) {
    expectSeamless(synthesizeEffect(2, false), "footsteps");
    expectSeamless(synthesizeEffect(4, false), "waves");
    for (int n = 1; n <= 7; ++n)
        EXPECT_GT(synthesizeEffect(n, true).frames(), 2205u) << n;
}

}  // namespace
}  // namespace marlit::sample
