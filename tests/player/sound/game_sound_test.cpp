// A headless run of the game's sound services on a GameContext: music, a
// looping effect, two voice lines and a fade-out, on the virtual clock. The
// recording is read back as numbers: when each tone starts and stops, and
// how loud it is.
#include "player/sound/game_sound.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "base/files.h"
#include "formats/mlz_pack_writer.h"
#include "platform/headless/headless_platform.h"
#include "player/shell/game_context.h"
#include "tests/support/played_sound.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

constexpr int kRate = 22050;
constexpr size_t kHop = kRate / 100;  // 10 ms

struct Source {
    const char* what;
    double hz;
    int volume;  // the channel's volume
};

// Level of a tone at `hz` from `ms` on, over 20 ms, or over a longer span,
// which keeps the other tones out better.
double levelAt(const std::vector<int16_t>& left, uint32_t ms, double hz, uint32_t spanMs = 20) {
    return test::toneDb(left, size_t{ms} * kRate / 1000, spanMs * kHop / 10, kRate, hz);
}

// The first and last 10 ms step at which the tone is within 6 dB of `full`
// (ms from the start of the recording), scanning [from, to).
std::pair<int, int> soundingMs(const std::vector<int16_t>& left, double hz, double full,
                               uint32_t from, uint32_t to) {
    int first = -1, last = -1;
    for (uint32_t ms = from; ms < to; ms += 10) {
        if (levelAt(left, ms, hz) > full - 6) {
            if (first < 0)
                first = static_cast<int>(ms);
            last = static_cast<int>(ms);
        }
    }
    return {first, last};
}

double fullDb(int amplitude, int volume) {
    return 20 * std::log10(amplitude * volume / 100.0 / std::sqrt(2.0) / 32768.0);
}

class GameSoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "1");
        data = dir.path().string() + "/1/";
        makeTone("01.mp3", 440, 4.0, 2);
        makeTone("005.mp3", 1000, 0.3, 2);
        MlzPackWriter voices;
        ASSERT_TRUE(voices.open(data + "voice.mlz"));
        addVoice(voices, "VOICE\\a\\0001.mp3", 660);
        addVoice(voices, "VOICE\\a\\0002.mp3", 880);
        ASSERT_TRUE(voices.finish());
    }
    void makeTone(const std::string& name, double hz, double seconds, int channels) {
        std::string path =
            test::encodeMp3(data.substr(0, data.size() - 1), name,
                            test::sineWave(kRate, channels, seconds, hz, kAmplitude), {"-b", "64"});
        ASSERT_FALSE(path.empty());
    }
    void addVoice(MlzPackWriter& pack, const std::string& name, double hz) {
        std::string path =
            test::encodeMp3(dir.path().string(), "clip.mp3",
                            test::sineWave(kRate, 1, 0.5, hz, kAmplitude), {"-b", "32", "-m", "m"});
        auto bytes = readWhole(path);
        ASSERT_TRUE(bytes.has_value());
        ASSERT_TRUE(pack.add(name, *bytes, kMlzStored));
    }

    static constexpr int kAmplitude = 8000;
    test::TempDir dir;
    std::string data;
};

TEST_F(GameSoundTest, HeadlessRunThroughTheServices) {
    std::string wav = dir.file("run.wav");
    {
        HeadlessPlatform backend(320, 240, {}, wav);
        PlayerOptions options;
        GameContext game(backend.platform(), options);
        game.paths.musicFolder = data;
        game.paths.soundEffectFolder = data;
        game.paths.voicePack = data + "voice.mlz";
        Settings& s = game.settings;
        s.pcm = s.voicePlay = s.sePlay = kSoundOn;
        s.masterVol = 80;
        s.musicVol = 50;
        s.seVol = 100;
        s.voiceVol = 100;
        game.sound->applySettings();
        // The player's loop: one 16 ms frame after another.
        uint32_t t = 0;
        auto runTo = [&](uint32_t ms) {
            for (; t < ms; t += 16)
                backend.clock().sleep(16);
        };
        game.sound->playMusic("01.mp3", 0, true);
        runTo(496);
        EXPECT_TRUE(game.sound->playScriptEffect(5, true));
        runTo(1008);
        EXPECT_TRUE(game.sound->playScriptVoice("VOICE\\a\\0001.wav"));
        runTo(2000);
        EXPECT_EQ(game.soundMixer->position(kVoiceSlot), -1);
        EXPECT_TRUE(game.sound->playScriptVoice("VOICE\\a\\0002"));
        runTo(3008);
        EXPECT_GT(game.sound->musicPosition(), 2500);
        game.sound->fadeOutMusic(1000);
        runTo(3504);
        game.sound->playScriptEffect(kStopNumber, false);
        runTo(4800);
        ASSERT_TRUE(backend.waveOut().keepRecording());
    }
    auto recorded = test::readWav(wav);
    ASSERT_TRUE(recorded.has_value());
    ASSERT_GE(recorded->frames(), size_t{4800} * kRate / 1000);
    std::vector<int16_t> left = test::leftChannel(*recorded);

    // Each request sounds after the two buffers queued ahead of it (186 to
    // 279 ms), plus the encoder's silent start (about 76 ms at 22050 Hz).
    const double music = fullDb(kAmplitude, 40), effect = fullDb(kAmplitude, 80),
                 voice = fullDb(kAmplitude, 80);
    auto [musicOn, musicOff] = soundingMs(left, 440, music, 0, 4800);
    auto [effectOn, effectOff] = soundingMs(left, 1000, effect, 0, 4800);
    auto [voice1On, voice1Off] = soundingMs(left, 660, voice, 0, 2000);
    auto [voice2On, voice2Off] = soundingMs(left, 880, voice, 2000, 4800);
    auto startsAfter = [](int onset, int request) {
        return onset >= request + 186 && onset <= request + 279 + 100;
    };
    EXPECT_PRED2(startsAfter, musicOn, 0);
    EXPECT_PRED2(startsAfter, effectOn, 496);
    EXPECT_PRED2(startsAfter, voice1On, 1008);
    EXPECT_PRED2(startsAfter, voice2On, 2000);
    // Half a second of voice each.
    EXPECT_NEAR(voice1Off - voice1On, 500, 40);
    EXPECT_NEAR(voice2Off - voice2On, 500, 40);
    // The effect loops until it is stopped; the music fades over a second.
    EXPECT_GE(effectOff, 3504 + 186 - 40);
    EXPECT_LE(effectOff, 3504 + 279);
    EXPECT_GT(musicOff, 3008 + 186);
    EXPECT_LT(musicOff, 3008 + 279 + 500);
    EXPECT_LT(levelAt(left, 4300, 440), music - 40);
    EXPECT_LT(levelAt(left, 4000, 1000), effect - 40);

    // Levels per second where each plays steadily, within 1 dB of the
    // volume rule (master 80 x music 50, effects and voices 80).
    EXPECT_NEAR(levelAt(left, 400, 440, 100), music, 1.0);
    EXPECT_NEAR(levelAt(left, 2900, 440, 100), music, 1.0);
    EXPECT_NEAR(levelAt(left, 1400, 660, 100), voice, 1.0);
    EXPECT_NEAR(levelAt(left, 2400, 880, 100), voice, 1.0);
    // Halfway through the fade (its periods sound about 230 ms late).
    EXPECT_NEAR(levelAt(left, 3008 + 500 + 230, 440), music - 6, 2.0);
    double loopLevel = -200;
    for (uint32_t ms = 900; ms < 1200; ms += 10)
        loopLevel = std::max(loopLevel, levelAt(left, ms, 1000));
    EXPECT_NEAR(loopLevel, effect, 1.0);
    // The music keeps its level while the voices play over it.
    EXPECT_NEAR(levelAt(left, 1400, 440, 100), music, 1.0);
}

}  // namespace
}  // namespace marlit
