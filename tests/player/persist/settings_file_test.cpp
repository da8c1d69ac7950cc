// The settings keys of marlitpc.cfg: their rules, and the file the player
// reads and writes.
#include "player/persist/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "base/files.h"
#include "player/persist/config_cache.h"
#include "player/persist/config_keys.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

struct Rig {
    test::TempDir dir;
    std::string path = dir.file("marlitpc.cfg");
    ConfigCache cache;
    Settings settings;

    void write(const std::string& text) {
        ASSERT_TRUE(writeHostFileAtomic(
            path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
        cache.clear();
    }
    void read(const std::string& text) {
        write(text);
        ReadSettings(cache, path, settings);
    }
};

TEST(SettingsFile, VolumesOutsideTenToHundredAreFull) {
    const std::pair<const char*, int> cases[] = {
        {"5", 100}, {"10", 10}, {"100", 100}, {"101", 100}, {"9", 100}, {"55", 55}, {"-50", 100},
    };
    for (auto [text, want] : cases) {
        Rig r;
        r.read(std::string("[MUSIC_CONFIG]\r\nMASTER_VOL=") + text + "\r\nMUSIC_VOL=" + text +
               "\r\n[MOV_CONFIG]\r\nMOV_VOL=" + text + "\r\n");
        EXPECT_EQ(r.settings.masterVol, want) << text;
        EXPECT_EQ(r.settings.musicVol, want) << text;
        EXPECT_EQ(r.settings.movVol, want) << text;
    }
}

TEST(SettingsFile, NegativePlayModesAreIgnoredOtherValuesStoredAsRead) {
    Rig r;
    r.settings.pcm = 2;  // what start-up gave
    r.read(
        "[MUSIC_CONFIG]\r\nPCM=-1\r\n[VOICE_CONFIG]\r\nVOICE_PLAY=-2\r\n[SE_CONFIG]\r\n"
        "SE_PLAY=2\r\n[MESSAGE_CONFIG]\r\nMESSAGE_SADOW=5\r\nTEXT_CUT_MODE=-7\r\n"
        "MESSAGE_WIN_TRANS=9\r\n[SYSTEM_CONFIG]\r\nKEY_CEN_CTRL=-3\r\n");
    EXPECT_EQ(r.settings.pcm, 2);
    EXPECT_EQ(r.settings.voicePlay, 1);
    EXPECT_EQ(r.settings.sePlay, 2);
    EXPECT_EQ(r.settings.messageShadow, 1) << "non-zero is stored as 1";
    EXPECT_EQ(r.settings.textCutMode, 1);
    EXPECT_EQ(r.settings.messageWinTrans, 9) << "out of range but stored as read";
    EXPECT_EQ(r.settings.keyCenCtrl, -3);

    // Written back with the value in use, sign and all.
    WriteSettings(r.cache, r.path, r.settings);
    ASSERT_TRUE(r.cache.Flush());
    EXPECT_EQ(r.cache.ReadInt("SYSTEM_CONFIG", "KEY_CEN_CTRL", 0, r.path), -3);
    EXPECT_NE(test::readFileText(r.path).find("KEY_CEN_CTRL=-3\r\n"), std::string::npos);
    EXPECT_EQ(r.cache.ReadInt("MUSIC_CONFIG", "PCM", 0, r.path), 2);
}

TEST(SettingsFile, AbsentKeysGiveTheDefaultsAndNameItsDataSetName) {
    Rig r;
    r.settings.masterVol = 40;
    r.settings.keyCenCtrl = 4;
    r.read("");
    EXPECT_EQ(r.settings.masterVol, 100);
    EXPECT_EQ(r.settings.keyCenCtrl, kCentreKeyShowMenu);
    EXPECT_EQ(r.settings.deviceVol, 0xFFFF);
    EXPECT_EQ(r.settings.messageWinTrans, 2);
    EXPECT_STREQ(r.settings.name, "\x82\xe4\x82\xa4");

    r.read("[NAME_CONFIG]\r\nNAME=\x8f\x74\x8e\x71\x8e\x71x\r\n");  // 7 bytes fit
    EXPECT_STREQ(r.settings.name, "\x8f\x74\x8e\x71\x8e\x71x");
    r.read("[NAME_CONFIG]\r\nNAME=abcdefgh\r\n");
    EXPECT_STREQ(r.settings.name, "\x82\xe4\x82\xa4") << "8 bytes do not fit";
}

TEST(SettingsFile, AFreshProgramFolderStartsWithSoundOnAnExistingFileIsLeftAlone) {
    Rig r;
    ASSERT_TRUE(seedInstalledSettings(r.cache, r.path));
    ReadSettings(r.cache, r.path, r.settings);
    EXPECT_EQ(r.settings.pcm, 2);
    EXPECT_EQ(r.settings.voicePlay, 2);
    EXPECT_EQ(r.settings.sePlay, 2);
    ASSERT_TRUE(r.cache.Flush());

    Rig existing;
    existing.write("[SE_CONFIG]\r\nSE_VOL=50\r\n");
    EXPECT_FALSE(seedInstalledSettings(existing.cache, existing.path));
    ReadSettings(existing.cache, existing.path, existing.settings);
    EXPECT_EQ(existing.settings.pcm, 0) << "an absent key keeps its default";
    EXPECT_EQ(existing.settings.sePlay, 1);
}

TEST(SettingsFile, WritesOnlyTheKeysItOwnsInItsOrderAndReadsThemBack) {
    Rig r;
    r.write("[MUSIC_CONFIG]\r\nDEVICE_VOL=300\r\nMEM_STREAM=1\r\n[NAME_CONFIG]\r\nNAME=abc\r\n");
    ReadSettings(r.cache, r.path, r.settings);
    r.settings.masterVol = 70;
    r.settings.messageSpeed = 2;
    r.settings.dispFreeMode = 1;
    const Settings before = r.settings;
    WriteSettings(r.cache, r.path, r.settings);
    ASSERT_TRUE(r.cache.Flush());
    const std::string text = test::readFileText(r.path);
    // The read-only keys stay as installed; new keys go right after their
    // header, so one section's keys end up in reverse order of writing.
    EXPECT_EQ(text.rfind(
                  "[MUSIC_CONFIG]\r\nMUSIC_VOL=100\r\nMASTER_VOL=70\r\nPCM=0\r\nDEVICE_VOL=300\r\n"
                  "MEM_STREAM=1\r\n[NAME_CONFIG]\r\nNAME=abc\r\n[VOICE_CONFIG]\r\nVOICE_VOL=100\r\n"
                  "VOICE_PLAY=1\r\n[SE_CONFIG]\r\nSE_VOL=100\r\nSE_PLAY=1\r\n[MOV_CONFIG]\r\n"
                  "MOV_VOL=100\r\n[MESSAGE_CONFIG]\r\n",
                  0),
              0u)
        << text;
    EXPECT_NE(text.find("[SYSTEM_CONFIG]\r\nMANA_VOICE_CUT=0\r\nDISP_FREE_MODE=1\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    Settings again;
    ReadSettings(r.cache, r.path, again);
    for (const ConfigKey& key : configKeys())
        EXPECT_EQ(again.*key.field, before.*key.field) << key.key;
}

TEST(SettingsFile, TheMenusSettersFollowTheSameRules) {
    Settings s;
    const ConfigKey* vol = findConfigKey("music_config", "master_vol");
    ASSERT_NE(vol, nullptr);
    EXPECT_TRUE(setSetting(s, *vol, 5));
    EXPECT_EQ(s.masterVol, 100);
    const ConfigKey* pcm = findConfigKey("MUSIC_CONFIG", "PCM");
    ASSERT_NE(pcm, nullptr);
    s.pcm = 2;
    EXPECT_FALSE(setSetting(s, *pcm, -1));
    EXPECT_EQ(s.pcm, 2);
    EXPECT_EQ(findConfigKey("MUSIC_CONFIG", "NAME"), nullptr);
}

}  // namespace
}  // namespace marlit
