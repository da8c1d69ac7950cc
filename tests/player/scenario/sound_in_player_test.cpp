// The sound commands through the player's own channels: the effect and the
// music files of the data folders start, and effect 255 stops the effect.
#include <gtest/gtest.h>

#include "player/scenario/scenario_engine.h"
#include "player/sound/sound_mixer.h"
#include "player/sound/sound_requests.h"
#include "tests/player/graphics/headless_game.h"
#include "tests/player/scenario/script_builder.h"
#include "tests/support/played_sound.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

TEST(ScenarioSoundInThePlayer, EffectAndMusicPlayAndEffect255Stops) {
    TempDir dir;
    const std::string folder = dir.path().string() + "\\";
    ASSERT_FALSE(encodeMp3(dir.path().string(), "001.mp3", sineWave(22050, 1, 2.0, 440, 8000),
                           {"-b", "32", "-m", "m"})
                     .empty());
    ASSERT_FALSE(encodeMp3(dir.path().string(), "03.mp3", sineWave(22050, 2, 2.0, 330, 8000),
                           {"-b", "64", "-m", "s"})
                     .empty());
    ScriptBuilder s;
    s.word(5, 1, 1).word(6, 3, 0).label("wait").word(13, 4, 0).word(5, 255, 0).text(';', "wait");
    ASSERT_TRUE(writePack(dir.file("grpack.mlz"), {{"AdvData\\mes\\s.mes", s.bytes()}}));

    HeadlessGame game;
    GameContext& ctx = game.ctx();
    ctx.paths.picturePack = dir.file("grpack.mlz");
    ctx.paths.soundEffectFolder = folder;
    ctx.paths.musicFolder = folder;
    ctx.settings.pcm = kSoundOn;
    ctx.settings.sePlay = kSoundOn;
    ctx.sound->applySettings();
    ctx.scenarioEngine->StartNewGame();
    ASSERT_TRUE(ctx.scenarioEngine->LoadScript("s"));
    game.frame();
    EXPECT_TRUE(ctx.soundMixer->playing(kEffectSlot));
    EXPECT_TRUE(ctx.soundMixer->playing(kMusicSlot));
    EXPECT_EQ(ctx.scenarioSound->musicName(), "03.mp3");
    // The shake ends, effect 255 stops the looping effect, the music plays on.
    for (int i = 0; i < 40 && ctx.scenario.position == 12; ++i)
        game.frame();
    game.frame();
    EXPECT_FALSE(ctx.soundMixer->playing(kEffectSlot));
    EXPECT_TRUE(ctx.soundMixer->playing(kMusicSlot));
    // Loading a script stops the effect channel too; the music goes on.
    ctx.scenarioEngine->LoadScript("s");
    game.frame();
    EXPECT_TRUE(ctx.soundMixer->playing(kEffectSlot));
    ASSERT_TRUE(ctx.scenarioEngine->LoadScript("s"));
    EXPECT_FALSE(ctx.soundMixer->playing(kEffectSlot));
    EXPECT_TRUE(ctx.soundMixer->playing(kMusicSlot));
}

}  // namespace
}  // namespace marlit::test
