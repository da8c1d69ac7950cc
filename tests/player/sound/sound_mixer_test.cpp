#include "player/sound/sound_mixer.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/player/sound/mixer_fixture.h"

namespace marlit {
namespace {

using test::kFirstSoundFrame;
using test::kPeriodFrames;
using test::Pcm;

int16_t clamp16(int32_t v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

class SoundMixerTest : public test::MixerFixture {
  protected:
    // A stereo 22050 Hz tone and what the reference decoder makes of it.
    Pcm openReference(int slot, int volume, int amplitude = 12000) {
        std::string path = tone("ref.mp3", 22050, 2, 0.6, 440, amplitude);
        EXPECT_TRUE(mixer->openChannel(slot, "ref.mp3", folder(), volume, ChannelOptions{}));
        return test::decodeMp3(path, 22050, 2);
    }
    // Whether the device played `expected` from frame `at` on, sample for sample.
    static ::testing::AssertionResult playedAt(const Pcm& out, size_t at,
                                               const std::vector<int16_t>& expected) {
        if (out.samples.size() < at * 2 + expected.size()) {
            return ::testing::AssertionFailure() << "recording too short";
        }
        for (size_t i = 0; i < expected.size(); ++i) {
            if (out.samples[at * 2 + i] != expected[i]) {
                return ::testing::AssertionFailure()
                       << "sample " << i << " is " << out.samples[at * 2 + i] << ", expected "
                       << expected[i];
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST_F(SoundMixerTest, SilenceKeepsFlowingWithoutChannels) {
    advance(1000);
    // 22050 frames hold ten whole periods of 2048.
    EXPECT_EQ(mixer->buffersQueued(), 10u);
    Pcm out = played();
    EXPECT_GE(out.frames(), 22050u);
    EXPECT_FALSE(test::soundingSpan(test::leftChannel(out)).has_value());
}

// Volume 100 mixes the decoded sound unchanged, starting exactly when the
// buffer of its first period sounds; 99 scales each sample by 99/100,
// truncating toward zero.
TEST_F(SoundMixerTest, MixesAtFullVolumeUnscaledAndBelowTruncated) {
    Pcm reference = openReference(0, 100);
    std::string second = tone("quiet.mp3", 22050, 2, 0.6, 440, 12000);
    advance(2000);
    Pcm out = played();
    EXPECT_TRUE(playedAt(out, kFirstSoundFrame, reference.samples));
    auto sounding = test::soundingSpan(test::leftChannel(out));
    auto decoded = test::soundingSpan(test::leftChannel(reference));
    ASSERT_TRUE(sounding && decoded);
    EXPECT_EQ(sounding->first, kFirstSoundFrame + decoded->first);
    EXPECT_EQ(sounding->second, kFirstSoundFrame + decoded->second);

    start();
    ASSERT_TRUE(mixer->openChannel(0, "quiet.mp3", folder(), 99, ChannelOptions{}));
    advance(2000);
    Pcm scaled = played();
    std::vector<int16_t> expected;
    for (int16_t s : test::decodeMp3(second, 22050, 2).samples) {
        expected.push_back(static_cast<int16_t>(s * 99 / 100));
    }
    EXPECT_TRUE(playedAt(scaled, kFirstSoundFrame, expected));
}

TEST_F(SoundMixerTest, LoudChannelsSaturate) {
    Pcm reference = openReference(0, 100, 30000);
    ASSERT_TRUE(mixer->openChannel(1, "ref.mp3", folder(), 100, ChannelOptions{}));
    advance(2000);
    Pcm out = played();
    std::vector<int16_t> expected;
    for (int16_t s : reference.samples)
        expected.push_back(clamp16(2 * s));
    EXPECT_TRUE(playedAt(out, kFirstSoundFrame, expected));
    EXPECT_EQ(*std::max_element(out.samples.begin(), out.samples.end()), 32767);
    EXPECT_EQ(*std::min_element(out.samples.begin(), out.samples.end()), -32768);
}

// The play clock stays 0 while the first two periods of the sound wait in
// the queue, then counts from the moment its first buffer sounds; a sound
// that has ended reads -1 while its channel stays in the slot.
TEST_F(SoundMixerTest, PositionCountsFromTheFirstSoundingBuffer) {
    openReference(2, 100);
    EXPECT_EQ(mixer->position(2), 0);
    toPeriod(1);
    EXPECT_EQ(mixer->position(2), 0);
    toPeriod(2);
    EXPECT_EQ(mixer->position(2), 0);
    toPeriod(3);
    EXPECT_EQ(mixer->position(2), 0);
    advance(300);
    // The device has played (totalMs of frames) - the three periods before.
    uint64_t frames = totalMs * 22050 / 1000 - kFirstSoundFrame;
    EXPECT_EQ(mixer->position(2), static_cast<int32_t>(frames * 1000 / 22050));
    advance(1500);
    EXPECT_EQ(mixer->position(2), -1);
    EXPECT_TRUE(mixer->occupied(2));
    EXPECT_FALSE(mixer->playing(2));
    EXPECT_EQ(mixer->position(5), -1);
}

TEST_F(SoundMixerTest, ZeroLengthFades) {
    Pcm reference = openReference(0, 100);
    // A fade-in of 0 ms is at full level in the very first period.
    mixer->fadeIn(0, 0);
    advance(2000);
    EXPECT_TRUE(playedAt(played(), kFirstSoundFrame, reference.samples));

    start();
    openReference(0, 100);
    toPeriod(1);
    mixer->fadeOut(0, 0);
    EXPECT_TRUE(mixer->occupied(0));
    toPeriod(2);
    EXPECT_FALSE(mixer->occupied(0));
    // Only the one period mixed before the fade sounds.
    Pcm out = played();
    auto span = test::soundingSpan(test::leftChannel(out));
    ASSERT_TRUE(span.has_value());
    EXPECT_LE(span->second, kFirstSoundFrame + kPeriodFrames);
}

TEST_F(SoundMixerTest, FadeOutLowersEachPeriodThenStops) {
    tone("long.mp3", 22050, 1, 3.0, 440, 12000);
    ASSERT_TRUE(mixer->openChannel(0, "long.mp3", folder(), 100, ChannelOptions{}));
    toPeriod(5);
    mixer->fadeOut(0, 1000);
    advance(1200);
    EXPECT_FALSE(mixer->occupied(0));
    Pcm out = played();
    std::vector<int16_t> left = test::leftChannel(out);
    double previous = 0;
    // The period mixed at the start of the fade and the ten after it.
    for (uint32_t p = 8; p < 18; ++p) {
        double level = test::levelDb(left, p * kPeriodFrames, kPeriodFrames);
        if (p > 8) {
            EXPECT_LT(level, previous) << "period " << p;
        }
        previous = level;
    }
    auto span = test::soundingSpan(left, 0);
    ASSERT_TRUE(span) << "nothing sounded before the fade";
    EXPECT_LE(span->second, 20 * kPeriodFrames);
}

TEST_F(SoundMixerTest, VolumeOutsideTheRangeKeepsTheVolume) {
    Pcm reference = openReference(0, 50);
    mixer->setVolume(0, 101);
    EXPECT_EQ(mixer->volume(0), 50);
    mixer->setVolume(0, -1);
    EXPECT_EQ(mixer->volume(0), 50);
    advance(2000);
    std::vector<int16_t> expected;
    for (int16_t s : reference.samples)
        expected.push_back(static_cast<int16_t>(s * 50 / 100));
    EXPECT_TRUE(playedAt(played(), kFirstSoundFrame, expected));
}

TEST_F(SoundMixerTest, DeviceVolumeScalesTheOutput) {
    Pcm reference = openReference(0, 100);
    mixer->setDeviceVolume(0x12345);  // more than full: taken as full
    toPeriod(1);
    mixer->setDeviceVolume(0x8000);
    advance(2000);
    Pcm out = played();
    std::vector<int16_t> expected;
    for (int16_t s : reference.samples) {
        expected.push_back(static_cast<int16_t>(s * 0x8000 / 0xFFFF));
    }
    EXPECT_TRUE(playedAt(out, kFirstSoundFrame, expected));
}

// Stopping frees the channel at once under the mixer's lock: it needs no
// period to pass, so it cannot hang when the device is not running.
TEST_F(SoundMixerTest, StopReturnsAtOnceWithoutTheDevice) {
    openReference(4, 100);
    auto start = std::chrono::steady_clock::now();
    mixer->stop(4);
    mixer->stop(9);
    mixer->stop(-1);
    mixer->stopAll();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    EXPECT_FALSE(mixer->occupied(4));
    advance(1000);
    EXPECT_FALSE(test::soundingSpan(played().samples).has_value());
}

TEST_F(SoundMixerTest, PlayLeavesAPlayingChannelAlone) {
    openReference(0, 100);
    toPeriod(4);
    int32_t before = mixer->position(0);
    mixer->play(0, true);
    EXPECT_EQ(mixer->position(0), before);
    EXPECT_EQ(mixer->loopingName(0), "");
}

TEST(ConvertToDevice, HalvesAndWidensTheSource) {
    int16_t out[8] = {};
    // 44100 Hz: each half truncates toward zero before the two are added.
    const int16_t monoFast[] = {-3, -3, 5, 7, 32767, 32767};
    WaveFormat mono44{1, 1, 44100, 88200, 2, 16};
    ASSERT_EQ(convertToDevice(reinterpret_cast<const uint8_t*>(monoFast), sizeof monoFast, mono44,
                              out, 4),
              3u);
    EXPECT_EQ(std::vector<int16_t>(out, out + 6),
              (std::vector<int16_t>{-2, -2, 5, 5, 32766, 32766}));

    const int16_t stereoFast[] = {-1, 9, -1, 9, 100, -100, 3, -3};
    WaveFormat stereo44{1, 2, 44100, 176400, 4, 16};
    ASSERT_EQ(convertToDevice(reinterpret_cast<const uint8_t*>(stereoFast), sizeof stereoFast,
                              stereo44, out, 4),
              2u);
    EXPECT_EQ(std::vector<int16_t>(out, out + 4), (std::vector<int16_t>{0, 8, 51, -51}));

    // Other rates pass frame for frame; mono goes to both sides.
    const int16_t mono[] = {1, -2, 3};
    WaveFormat mono22{1, 1, 22050, 44100, 2, 16};
    ASSERT_EQ(convertToDevice(reinterpret_cast<const uint8_t*>(mono), sizeof mono, mono22, out, 2),
              2u);
    EXPECT_EQ(std::vector<int16_t>(out, out + 4), (std::vector<int16_t>{1, 1, -2, -2}));
}

TEST(SoundMixerSilent, WithoutADeviceNothingOpens) {
    SoundMixer mixer(nullptr);
    test::TempDir dir;
    std::string path = test::encodeMp3(dir.path().string(), "a.mp3",
                                       test::sineWave(22050, 1, 0.2, 440, 1000), {"-b", "32"});
    ASSERT_FALSE(path.empty());
    EXPECT_FALSE(mixer.openChannel(0, "a.mp3", dir.path().string() + "/", 100, ChannelOptions{}));
    EXPECT_EQ(mixer.position(0), -1);
    mixer.stopAll();
}

}  // namespace
}  // namespace marlit
