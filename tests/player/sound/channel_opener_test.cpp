#include <gtest/gtest.h>

#include <cmath>

#include "base/files.h"
#include "formats/mlz_pack_writer.h"
#include "player/sound/music_player.h"
#include "player/sound/sound_mixer.h"
#include "tests/player/sound/mixer_fixture.h"

namespace marlit {
namespace {

class ChannelOpenerTest : public test::MixerFixture {};

// A sound comes from a pack entry, a file read whole or a mapped file, and
// each plays the same; whatever cannot be opened leaves the slot empty,
// even when something played there before.
TEST_F(ChannelOpenerTest, OpensFromPacksAndFolders) {
    std::string path = tone("a.mp3", 22050, 1, 0.3, 440, 8000, {"-b", "32"});
    auto bytes = readWhole(path);
    ASSERT_TRUE(bytes.has_value());
    std::string pack = dir.file("voice.mlz");
    MlzPackWriter writer;
    ASSERT_TRUE(writer.open(pack));
    ASSERT_TRUE(writer.add("VOICE\\ab\\a.mp3", *bytes, kMlzStored));
    ASSERT_TRUE(writer.add("VOICE\\ab\\packed.mp3", *bytes, kMlzLzss));
    ASSERT_TRUE(writer.addEmpty("VOICE\\ab\\skipped.mp3"));
    ASSERT_TRUE(writer.finish());

    EXPECT_TRUE(
        mixer->openChannel(2, "voice\\AB\\A.MP3", pack, 100, ChannelOptions{.playNow = false}));
    EXPECT_TRUE(mixer->openChannel(3, "VOICE\\ab\\packed.mp3", pack, 100,
                                   ChannelOptions{.playNow = false}));
    EXPECT_TRUE(
        mixer->openChannel(4, "a.mp3", folder(), 100,
                           ChannelOptions{.loop = true, .playNow = false, .readWhole = true}));
    EXPECT_TRUE(mixer->openChannel(5, "a.mp3", folder(), 100,
                                   ChannelOptions{.loop = true, .playNow = false}));
    for (int slot : {2, 3, 4, 5})
        EXPECT_FALSE(mixer->playing(slot)) << slot;
    EXPECT_EQ(mixer->loopingName(4), "a.mp3");
    EXPECT_EQ(mixer->loopingName(2), "");

    EXPECT_FALSE(mixer->openChannel(2, "VOICE\\ab\\skipped.mp3", pack, 100, ChannelOptions{}));
    EXPECT_FALSE(mixer->occupied(2));
    EXPECT_FALSE(mixer->openChannel(3, "missing.mp3", pack, 100, ChannelOptions{}));
    EXPECT_FALSE(
        mixer->openChannel(4, "missing.mp3", folder(), 100, ChannelOptions{.readWhole = true}));
    EXPECT_FALSE(mixer->openChannel(5, "missing.mp3", folder(), 100, ChannelOptions{}));
    EXPECT_FALSE(mixer->openChannel(6, "a.mp3", dir.file("nopack.mlz"), 100, ChannelOptions{}));
    std::string longName(64, 'x');
    EXPECT_FALSE(mixer->openChannel(7, longName, folder(), 100, ChannelOptions{}));
    ASSERT_TRUE(writeWholeAtomic(dir.file("junk.mp3"), std::vector<uint8_t>(500, 0x20)));
    EXPECT_FALSE(mixer->openChannel(8, "junk.mp3", folder(), 100, ChannelOptions{}));
    for (int slot = 0; slot < SoundMixer::kSlots; ++slot)
        EXPECT_FALSE(mixer->occupied(slot)) << slot;
}

TEST_F(ChannelOpenerTest, AppliesVolumeAndFadeIn) {
    tone("a.mp3", 22050, 1, 1.5, 440, 8000, {"-b", "32"});
    ASSERT_TRUE(mixer->openChannel(0, "a.mp3", folder(), 40,
                                   ChannelOptions{.fadeInMs = 500, .loop = true}));
    EXPECT_EQ(mixer->volume(0), 40);
    advance(1500);
    test::Pcm out = played();
    std::vector<int16_t> left = test::leftChannel(out);
    // The fade rises period by period to the channel's 40 %.
    double early = test::levelDb(left, test::kFirstSoundFrame + 2048, 2048);
    double late = test::levelDb(left, test::kFirstSoundFrame + 8 * 2048, 2048);
    double full = 20 * std::log10(8000 * 0.4 / std::sqrt(2.0) / 32768.0);
    EXPECT_LT(early, full - 6);
    EXPECT_NEAR(late, full, 0.5);
}

class MusicPlayerTest : public test::MixerFixture {
  protected:
    void SetUp() override {
        test::MixerFixture::SetUp();
        tone("01.mp3", 22050, 2, 0.5, 440, 8000);
        tone("02.mp3", 22050, 2, 0.5, 660, 8000);
    }
};

TEST_F(MusicPlayerTest, PlaysOnlyWhenTheModeAllows) {
    MusicPlayer music(*mixer);
    music.setMode(2);
    music.play(folder(), "01.mp3", 70, 0, false);
    EXPECT_TRUE(mixer->playing(0));
    EXPECT_EQ(mixer->volume(0), 70);
    EXPECT_EQ(music.currentName(), "01.mp3");
    // Switching music off and on stops the piece and keeps its name.
    music.setMode(1);
    EXPECT_FALSE(mixer->occupied(0));
    EXPECT_EQ(music.currentName(), "01.mp3");
    EXPECT_TRUE(music.playing());
    music.play(folder(), "02.mp3", 70, 0, false);
    EXPECT_TRUE(mixer->playing(0));
    music.fadeOut(0);
    EXPECT_EQ(music.currentName(), "");
    advance(200);
    EXPECT_FALSE(mixer->occupied(0));
    EXPECT_EQ(music.position(), -1);
    // A piece that cannot be opened is still the piece asked for.
    music.play(folder(), "99.mp3", 70, 0, false);
    EXPECT_EQ(music.currentName(), "99.mp3");
    EXPECT_FALSE(mixer->occupied(0));
}

// With music unavailable nothing is opened, but the time since the request
// still counts and never reads as ended.
TEST_F(MusicPlayerTest, ModeZeroStillCountsTime) {
    MusicPlayer music(*mixer);
    music.play(folder(), "01.mp3", 100, 0, false);
    EXPECT_FALSE(mixer->occupied(0));
    advance(5000);
    EXPECT_EQ(music.position(), 5000);
    music.stop();
    advance(100);
    EXPECT_EQ(music.position(), 5100);
}

}  // namespace
}  // namespace marlit
