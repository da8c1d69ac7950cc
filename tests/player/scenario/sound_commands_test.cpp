// What the sound commands ask of the channels, and when they ask nothing.
#include "tests/player/scenario/scenario_fixture.h"

namespace marlit::test {
namespace {

using SoundCommands = ScenarioTest;

TEST_F(SoundCommands, EffectsPlayStopAndKeepQuietWhileSkipping) {
    ScriptBuilder s;
    s.word(5, 12, 1).word(5, 255, 0).word(5, 3, 0).word(7, 0, 0);
    play(s);
    sound.calls.clear();
    step();
    EXPECT_EQ(sound.calls, (std::vector<std::string>{"effect 12 loop", "stop effect", "effect 3"}));

    // Effect 255 stops even while effects are off or skipping; nothing else plays.
    for (int variant = 0; variant < 3; ++variant) {
        settings.sePlay = variant == 0 ? 1 : 2;
        settings.lockedSkip = variant == 1 ? 1 : 0;
        input.press[kPressLeft] = variant == 2 ? 3 : 0;
        play(s);
        sound.calls.clear();
        step();
        EXPECT_EQ(sound.calls, (std::vector<std::string>{"stop effect"})) << variant;
    }
}

TEST_F(SoundCommands, MusicPlaysAndStops) {
    ScriptBuilder s;
    s.word(6, 4, 0).word(6, 255, 0).word(6, 7, 1).word(17, 0, 0).word(7, 0, 0);
    play(s);
    sound.calls.clear();
    step();
    EXPECT_EQ(sound.calls,
              (std::vector<std::string>{"music 4", "stop music", "music 7", "stop music"}));
}

TEST_F(SoundCommands, VoicesFollowTheirSettings) {
    ScriptBuilder s;
    s.text('5', "VOICE\\DUZ\\duz0001.ogg").text('5', "VOICE\\SEL\\sel0002").word(7, 0, 0);
    play(s);
    sound.calls.clear();
    step();
    EXPECT_EQ(sound.calls, (std::vector<std::string>{"voice VOICE\\DUZ\\duz0001.mp3",
                                                     "voice VOICE\\SEL\\sel0002.mp3"}));
    EXPECT_EQ(engine.voiceName, "VOICE\\SEL\\sel0002.mp3");

    auto voicesPlayed = [&]() {
        play(s);
        sound.calls.clear();
        step();
        return sound.calls.size();
    };
    // VOICE_PLAY off or unavailable: no voice, the name is still kept.
    for (int mode : {0, 1}) {
        settings.voicePlay = mode;
        engine.voiceName.clear();
        EXPECT_EQ(voicesPlayed(), 0u) << mode;
        EXPECT_EQ(engine.voiceName, "VOICE\\SEL\\sel0002.mp3");
    }
    settings.voicePlay = 2;
    // Skipping silences read lines; with READ_SKIP an unread line still speaks.
    settings.lockedSkip = 1;
    EXPECT_EQ(voicesPlayed(), 0u);
    settings.readSkip = 1;
    EXPECT_EQ(voicesPlayed(), 2u);
    engine.readLog.markRead("test", 0);
    EXPECT_EQ(voicesPlayed(), 0u);
    settings.lockedSkip = 0;
    settings.readSkip = 0;
    // The manner setting may cut voices while a background is hidden.
    settings.manaVoiceCut = 1;
    state.mannerHidden = 1;
    EXPECT_EQ(voicesPlayed(), 0u);
    state.mannerHidden = 0;
    EXPECT_EQ(voicesPlayed(), 2u);
}

TEST_F(SoundCommands, MessageNumbersMarkTheLastOneRead) {
    ScriptBuilder s;
    s.wordW(3, 5).wordW(3, 511).wordW(3, 512).wordW(3, 9).word(7, 0, 0);
    play(s);
    step();
    EXPECT_TRUE(engine.readLog.isRead("test", 0));
    EXPECT_TRUE(engine.readLog.isRead("test", 5));
    EXPECT_TRUE(engine.readLog.isRead("TEST", 511));
    EXPECT_FALSE(engine.readLog.isRead("test", 512));
    EXPECT_FALSE(engine.readLog.isRead("test", 9));
    EXPECT_EQ(state.message, 9);
}

}  // namespace
}  // namespace marlit::test
