// The commands of the menu as the window runs them: the settings with
// their check marks, the volumes reaching the sound, the redraws, the
// petals, the save items, return to title, and the marks of the settings
// as marlitpc.cfg gives them.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "base/files.h"
#include "formats/mlz_pack_writer.h"
#include "player/persist/config_cache.h"
#include "player/persist/settings_file.h"
#include "player/scenario/scenario_engine.h"
#include "player/shell/menu_commands.h"
#include "player/sound/sound_requests.h"
#include "tests/player/shell/menu/menu_rig.h"
#include "tests/support/played_sound.h"
#include "tests/support/temp_dir.h"

namespace marlit::test {
namespace {

class MenuCommands : public MenuRig {
  protected:
    bool checked(int id) { return menu().tree().find(id)->checked(); }
    bool enabled(int id) { return menu().tree().find(id)->enabled(); }
    bool run(int id) {
        ctx().dirtyRects->clear();
        return menu().runCommand(id);
    }
    // The ids of a group that are checked.
    std::vector<int> checkedOf(int first, int count) {
        std::vector<int> ids;
        for (int id = first; id < first + count; ++id) {
            if (checked(id))
                ids.push_back(id);
        }
        return ids;
    }
    bool wholeScreenMarked() {
        const DirtyRectList& d = *ctx().dirtyRects;
        for (size_t i = 0; i < d.count(); ++i) {
            const Rect& r = d.get(i);
            if (r.left <= 0 && r.top <= 0 && r.right >= 320 && r.bottom >= 240)
                return true;
        }
        return false;
    }
};

// Choosing "ｸｲｯｸｾｰﾌﾞ" when it is already the centre key's action changes
// nothing; another item moves the value and the mark.
TEST_F(MenuCommands, TheCentreKeyGroupIsARadioGroup) {
    ctx().settings.keyCenCtrl = kCentreKeyQuickSave;
    menu().showSettings();
    ctx().input.centreArmed = 1;
    const Settings before = ctx().settings;
    EXPECT_TRUE(run(kCommandCentreFirst + 4));
    EXPECT_EQ(ctx().settings.keyCenCtrl, kCentreKeyQuickSave);
    EXPECT_EQ(std::memcmp(&before, &ctx().settings, sizeof before), 0);
    EXPECT_EQ(checkedOf(kCommandCentreFirst, 6), std::vector<int>{kCommandCentreFirst + 4});
    EXPECT_EQ(ctx().input.centreArmed, 1);

    EXPECT_TRUE(run(kCommandCentreFirst + 3));
    EXPECT_EQ(ctx().settings.keyCenCtrl, kCentreKeyRecall);
    EXPECT_EQ(checkedOf(kCommandCentreFirst, 6), std::vector<int>{kCommandCentreFirst + 3});
}

TEST_F(MenuCommands, TogglesAndRadioGroupsStoreTheirValuesAndMarks) {
    Settings& st = ctx().settings;
    menu().showSettings();
    EXPECT_EQ(st.effectUse, 1);
    EXPECT_TRUE(checked(kCommandEffects));
    run(kCommandEffects);
    EXPECT_EQ(st.effectUse, 0);
    EXPECT_FALSE(checked(kCommandEffects));
    run(kCommandEffects);
    EXPECT_EQ(st.effectUse, 1);

    run(kCommandAutoFirst + 6);
    EXPECT_EQ(st.messageAuto, 6);
    EXPECT_EQ(checkedOf(kCommandAutoFirst, 7), std::vector<int>{kCommandAutoFirst + 6});
    run(kCommandSpeedFirst);
    EXPECT_EQ(st.messageSpeed, 0);
    run(kCommandSkipLock);
    EXPECT_EQ(st.lockSkip, 1);
    run(kCommandShadow);
    EXPECT_EQ(st.messageShadow, 1);
    run(kCommandSynopsis);
    EXPECT_EQ(st.textCutMode, 1);
    run(kCommandVoiceReplay);
    EXPECT_EQ(st.messageVoiceReplay, 0);
    run(kCommandDoublePress);
    EXPECT_EQ(st.ketDoubleClick, 1);
    run(kCommandMannerVoice);
    EXPECT_EQ(st.manaVoiceCut, 1);
    run(kCommandMannerFirst + 2);
    EXPECT_EQ(st.dispFreeMode, 2);
    run(kCommandMovieVolFirst + 9);
    EXPECT_EQ(st.movVol, 10);
    EXPECT_EQ(checkedOf(kCommandMovieVolFirst, 10), std::vector<int>{kCommandMovieVolFirst + 9});

    // Any other id does nothing.
    const Settings before = st;
    EXPECT_FALSE(run(40050));
    EXPECT_FALSE(run(40119));
    EXPECT_EQ(std::memcmp(&before, &st, sizeof before), 0);
}

// With "再生" of "ﾐｭｰｼﾞｯｸ" on (PCM 2), choosing it turns music off (1) and
// the music player takes the mode; PCM 0 greys the item.
TEST_F(MenuCommands, MusicPlayTogglesBetweenOnAndOff) {
    ctx().settings.pcm = 2;
    ctx().musicPlayer->setMode(2);
    menu().showSettings();
    EXPECT_TRUE(checked(kCommandMusicPlay));
    run(kCommandMusicPlay);
    EXPECT_EQ(ctx().settings.pcm, 1);
    EXPECT_EQ(ctx().musicPlayer->mode(), 1);
    EXPECT_FALSE(checked(kCommandMusicPlay));
    EXPECT_TRUE(enabled(kCommandMusicPlay));
    run(kCommandMusicPlay);
    EXPECT_EQ(ctx().settings.pcm, 2);
    EXPECT_EQ(ctx().musicPlayer->mode(), 2);

    ctx().settings.voicePlay = 0;
    menu().showSettings();
    EXPECT_FALSE(enabled(kCommandVoicePlay));
    run(kCommandEffectPlay);
    EXPECT_EQ(ctx().settings.sePlay, 2);
}

// "ｱﾝﾁｴｲﾘｱｽ" chosen again still redraws the whole screen; "ｳｨﾝﾄﾞｳ透過値"
// chosen again does nothing.
TEST_F(MenuCommands, AntialiasingRedrawsAlwaysTheWindowTransparencyOnlyWhenItChanges) {
    ctx().settings.transMode = 2;
    run(kCommandAntialiasFirst + 2);
    EXPECT_EQ(ctx().settings.transMode, 2);
    EXPECT_TRUE(wholeScreenMarked());

    ctx().settings.messageWinTrans = 3;
    run(kCommandWindowTransFirst + 3);
    EXPECT_EQ(ctx().dirtyRects->count(), 0u);
    run(kCommandWindowTransFirst + 4);
    EXPECT_EQ(ctx().settings.messageWinTrans, 4);
    EXPECT_TRUE(wholeScreenMarked());
    EXPECT_EQ(checkedOf(kCommandWindowTransFirst, 5),
              std::vector<int>{kCommandWindowTransFirst + 4});
}

TEST_F(MenuCommands, TheCursorModeClearsTheArmedDirectionsEvenWhenItStays) {
    ctx().settings.ketCurMode = kCursorFullSuppression;
    ctx().input.armed = {1, 1, 1, 1};
    run(kCommandCursorFirst + kCursorFullSuppression);
    EXPECT_EQ(ctx().input.armed, (std::array<int32_t, 4>{0, 0, 0, 0}));
    run(kCommandCursorFirst + kCursorNormal);
    EXPECT_EQ(ctx().settings.ketCurMode, kCursorNormal);
}

// Turning the petals off takes them away but keeps the scenario's request,
// so turning them on brings them back.
TEST_F(MenuCommands, ThePetalSettingPausesAndResumesTheRequestedPetals) {
    Petals& petals = ctx().scenarioEngine->petals;
    petals.record(1, 4);
    petals.start(0);
    ASSERT_TRUE(petals.active());
    run(kCommandPetals);
    EXPECT_EQ(ctx().settings.petalsAllowed, 0);
    EXPECT_FALSE(petals.active());
    EXPECT_EQ(petals.kind(), 1);
    EXPECT_EQ(petals.period(), 4);
    run(kCommandPetals);
    EXPECT_TRUE(petals.active());

    petals.stop();
    run(kCommandPetals);
    run(kCommandPetals);
    EXPECT_FALSE(petals.active());
}

TEST_F(MenuCommands, ReturnToTitleLeavesTheStoryForTheOpening) {
    ctx().scenario.mode = kModeScenario;
    ctx().scenario.subState = 3;
    run(kCommandReturnToTitle);
    EXPECT_EQ(ctx().scenario.mode, kModeOpening);
    EXPECT_EQ(ctx().scenario.subState, 0);
    run(kCommandExit);
    bool closing = false;
    while (auto e = rig.backend.events().poll())
        closing = closing || e->type == EventType::Close;
    EXPECT_TRUE(closing);
}

// Saving needs a story: not at the title, and not in a scene replay.
TEST_F(MenuCommands, TheSaveItemsFollowTheStory) {
    ctx().scenario.mode = kModeTitle;
    menu().open();
    EXPECT_FALSE(enabled(kCommandSaveFirst));
    menu().close();
    ctx().scenario.mode = kModeScenario;
    menu().open();
    EXPECT_TRUE(enabled(kCommandSaveFirst));
    EXPECT_TRUE(enabled(kCommandSaveFirst + 14));
    menu().close();
    menu().enableSaveItems(false);
    menu().open();
    EXPECT_FALSE(enabled(kCommandSaveFirst + 3));
}

class MenuVolumes : public MenuCommands {};

// "基準音量" 50 % with VOICE_VOL 80 puts the voice channels at 40.
TEST_F(MenuVolumes, TheMasterVolumeScalesThePlayingVoice) {
    TempDir dir;
    const std::string clip = encodeMp3(dir.path().string(), "clip.mp3",
                                       sineWave(22050, 1, 0.5, 440, 8000), {"-b", "32", "-m", "m"});
    ASSERT_FALSE(clip.empty()) << "lame could not encode the clip";
    auto bytes = readWhole(clip);
    ASSERT_TRUE(bytes);
    MlzPackWriter writer;
    ASSERT_TRUE(writer.open(dir.file("voice.mlz")));
    ASSERT_TRUE(writer.add("VOICE\\ab\\0001.mp3", *bytes, kMlzStored));
    ASSERT_TRUE(writer.finish());
    ctx().paths.voicePack = dir.file("voice.mlz");
    Settings& st = ctx().settings;
    st.voicePlay = 2;
    st.voiceVol = 80;
    st.masterVol = 100;
    ASSERT_TRUE(ctx().sound->playScriptVoice("VOICE\\ab\\0001.ogg"));
    EXPECT_EQ(ctx().soundMixer->volume(kVoiceSlot), 80);
    run(kCommandMasterVolFirst + 5);
    EXPECT_EQ(st.masterVol, 50);
    EXPECT_EQ(ctx().soundMixer->volume(kVoiceSlot), 40);
    EXPECT_EQ(checkedOf(kCommandMasterVolFirst, 10), std::vector<int>{kCommandMasterVolFirst + 5});
    run(kCommandVoiceVolFirst + 9);
    EXPECT_EQ(st.voiceVol, 10);
    EXPECT_EQ(ctx().soundMixer->volume(kVoiceSlot), 5);
}

// The marks show the settings that marlitpc.cfg gave, through the same
// rule of the key table (MASTER_VOL 5 is 100).
TEST_F(MenuCommands, TheSettingsReadFromTheFileAreShownByTheirMarks) {
    TempDir dir;
    const std::string path = dir.file("marlitpc.cfg");
    std::ofstream(path) << "[MUSIC_CONFIG]\r\nPCM=0\r\nMASTER_VOL=5\r\n"
                           "[MESSAGE_CONFIG]\r\nMESSAGE_SPEED=2\r\nMESSAGE_SADOW=7\r\n"
                           "[SYSTEM_CONFIG]\r\nKEY_CEN_CTRL=3\r\n";
    ConfigCache cache;
    ReadSettings(cache, path, ctx().settings,
                 [this](const ConfigKey& key) { menu().settingApplied(key); });
    EXPECT_FALSE(enabled(kCommandMusicPlay));
    EXPECT_EQ(checkedOf(kCommandMasterVolFirst, 10), std::vector<int>{kCommandMasterVolFirst});
    EXPECT_EQ(checkedOf(kCommandSpeedFirst, 3), std::vector<int>{kCommandSpeedFirst + 2});
    EXPECT_TRUE(checked(kCommandShadow));
    EXPECT_EQ(ctx().settings.messageShadow, 1);
    EXPECT_EQ(checkedOf(kCommandCentreFirst, 6), std::vector<int>{kCommandCentreFirst + 3});
}

}  // namespace
}  // namespace marlit::test
