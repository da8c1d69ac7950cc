#include "player/sound/sound_requests.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "formats/mlz_pack_writer.h"
#include "player/sound/music_player.h"
#include "tests/player/sound/mixer_fixture.h"

namespace marlit {
namespace {

class SoundRequestsTest : public test::MixerFixture {
  protected:
    void SetUp() override {
        test::MixerFixture::SetUp();
        music = std::make_unique<MusicPlayer>(*mixer);
        music->setMode(kSoundOn);
        settings.pcm = settings.voicePlay = settings.sePlay = kSoundOn;
        std::string clip = tone("clip.mp3", 22050, 1, 0.5, 440, 8000, {"-b", "32"});
        tone("03.mp3", 22050, 2, 2.0, 440, 8000);
        tone("04.mp3", 22050, 2, 2.0, 660, 8000);
        tone("007.mp3", 22050, 1, 0.5, 880, 8000, {"-b", "32"});
        auto bytes = readWhole(clip);
        ASSERT_TRUE(bytes.has_value());
        MlzPackWriter writer;
        ASSERT_TRUE(writer.open(pack()));
        for (const char* name :
             {"VOICE\\ab\\0001.mp3", "VOICE\\ab\\0002.mp3", "VOICE\\ti\\01.mp3"}) {
            ASSERT_TRUE(writer.add(name, *bytes, kMlzStored));
        }
        ASSERT_TRUE(writer.finish());
    }
    void TearDown() override {
        music.reset();
        test::MixerFixture::TearDown();
    }
    std::string pack() const { return dir.file("voice.mlz"); }

    Settings settings;
    std::unique_ptr<MusicPlayer> music;
};

// Every sound plays at its category volume times the master volume / 100,
// and a changed volume reaches the slots of its category only.
TEST_F(SoundRequestsTest, VolumesFollowTheCategoryAndTheMaster) {
    settings.masterVol = 50;
    settings.voiceVol = 80;
    settings.seVol = 100;
    settings.musicVol = 60;
    ASSERT_TRUE(playScriptVoice(*mixer, settings, pack(), "VOICE\\ab\\0001.ogg"));
    ASSERT_TRUE(playTitleVoice(*mixer, settings, pack(), "VOICE\\ti\\01.mp3"));
    ASSERT_TRUE(playScriptEffect(*mixer, settings, folder(), 7, true));
    playScriptMusic(*music, settings, folder(), 3, 0);
    EXPECT_EQ(mixer->volume(kVoiceSlot), 40);
    EXPECT_EQ(mixer->volume(kTitleVoiceSlot), 40);
    EXPECT_EQ(mixer->volume(kEffectSlot), 50);
    EXPECT_EQ(mixer->volume(kMusicSlot), 30);

    settings.masterVol = 30;
    applyVolume(*mixer, *music, settings, VolumeKind::Master, 30, false);
    EXPECT_EQ(mixer->volume(kEffectSlot), 30);
    EXPECT_EQ(mixer->volume(kVoiceSlot), 24);
    EXPECT_EQ(mixer->volume(kMusicSlot), 18);
    EXPECT_EQ(mixer->volume(kTitleVoiceSlot), 40);

    settings.voiceVol = 10;
    applyVolume(*mixer, *music, settings, VolumeKind::Voice, 10, false);
    EXPECT_EQ(mixer->volume(kVoiceSlot), 3);
    settings.musicVol = 100;
    applyVolume(*mixer, *music, settings, VolumeKind::Music, 100, false);
    EXPECT_EQ(mixer->volume(kMusicSlot), 30);
    // While a movie plays, slot 0 carries its sound at the movie volume.
    settings.movVol = 50;
    applyVolume(*mixer, *music, settings, VolumeKind::Music, 20, true);
    EXPECT_EQ(mixer->volume(kMusicSlot), 30);
    applyVolume(*mixer, *music, settings, VolumeKind::Movie, 50, true);
    EXPECT_EQ(mixer->volume(kMusicSlot), 15);
    applyVolume(*mixer, *music, settings, VolumeKind::Master, 100, true);
    EXPECT_EQ(mixer->volume(kMusicSlot), 50);
    applyVolume(*mixer, *music, settings, VolumeKind::Movie, 80, false);
    EXPECT_EQ(mixer->volume(kMusicSlot), 50);
}

// Asking again for the piece asked for last does nothing: it goes on
// playing where it is; another piece starts from its beginning.
TEST_F(SoundRequestsTest, TheSameMusicTwiceOpensOnce) {
    playMusic(*music, settings, folder(), "03.mp3", 0, true);
    advance(1000);
    int32_t before = music->position();
    ASSERT_GT(before, 500);
    playMusic(*music, settings, folder(), "03.mp3", 0, true);
    EXPECT_GE(music->position(), before);
    playMusic(*music, settings, folder(), "04.mp3", 0, true);
    EXPECT_EQ(music->position(), 0);
    EXPECT_EQ(music->currentName(), "04.mp3");
    playScriptMusic(*music, settings, folder(), kStopNumber, 0);
    EXPECT_EQ(music->currentName(), "");
    EXPECT_FALSE(mixer->occupied(kMusicSlot));
    playScriptMusic(*music, settings, folder(), 4, 0);
    EXPECT_EQ(music->currentName(), "04.mp3");
    EXPECT_EQ(mixer->loopingName(kMusicSlot), "04.mp3");
}

TEST_F(SoundRequestsTest, EffectsPlayOnlyWhenOnAnd255Stops) {
    settings.sePlay = 1;
    EXPECT_FALSE(playScriptEffect(*mixer, settings, folder(), 7, false));
    EXPECT_FALSE(mixer->occupied(kEffectSlot));
    settings.sePlay = kSoundOn;
    EXPECT_TRUE(playScriptEffect(*mixer, settings, folder(), 7, true));
    EXPECT_EQ(mixer->loopingName(kEffectSlot), "007.mp3");
    EXPECT_FALSE(playScriptEffect(*mixer, settings, folder(), kStopNumber, false));
    EXPECT_FALSE(mixer->occupied(kEffectSlot));
    // A load brings a saved looping effect back, looping.
    EXPECT_TRUE(restoreLoopingEffect(*mixer, settings, folder(), "007.mp3"));
    EXPECT_EQ(mixer->loopingName(kEffectSlot), "007.mp3");
    EXPECT_FALSE(restoreLoopingEffect(*mixer, settings, folder(), ""));
}

TEST_F(SoundRequestsTest, VoicesFollowTheirConditions) {
    EXPECT_EQ(voiceFileName("VOICE\\ab\\0001.ogg"), "VOICE\\ab\\0001.mp3");
    EXPECT_EQ(voiceFileName("VOICE\\ab\\0001"), "VOICE\\ab\\0001.mp3");
    EXPECT_EQ(voiceFileName("v.1\\ab"), "v.1\\ab.mp3");

    ASSERT_TRUE(playScriptVoice(*mixer, settings, pack(), "VOICE\\ab\\0001"));
    toPeriod(3);
    // A new line replaces the one before from its start.
    ASSERT_TRUE(playCrowdVoice(*mixer, settings, pack(), "VOICE\\ab\\0002.mp3"));
    EXPECT_EQ(mixer->position(kVoiceSlot), 0);
    settings.messageVoiceReplay = 0;
    EXPECT_FALSE(replayVoice(*mixer, settings, pack(), "VOICE\\ab\\0001.mp3"));
    settings.messageVoiceReplay = 1;
    EXPECT_TRUE(replayVoice(*mixer, settings, pack(), "VOICE\\ab\\0001.mp3"));
    EXPECT_FALSE(replayVoice(*mixer, settings, pack(), ""));
    stopVoices(*mixer);
    EXPECT_FALSE(mixer->occupied(kVoiceSlot));

    settings.voicePlay = 1;
    EXPECT_FALSE(playScriptVoice(*mixer, settings, pack(), "VOICE\\ab\\0001"));
    EXPECT_FALSE(playTitleVoice(*mixer, settings, pack(), "VOICE\\ti\\01.mp3"));
    EXPECT_FALSE(mixer->occupied(kTitleVoiceSlot));
}

TEST_F(SoundRequestsTest, MovieSoundPlaysOnceInTheMusicSlot) {
    std::string path = folder() + "007.mp3";
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    EXPECT_TRUE(playMovieSound(*mixer, path, 70, true));
    EXPECT_EQ(mixer->volume(kMusicSlot), 70);
    EXPECT_EQ(mixer->loopingName(kMusicSlot), "");
    EXPECT_FALSE(playMovieSound(*mixer, folder() + "none.mp3", 70, false));
}

}  // namespace
}  // namespace marlit
