// The message window as the text commands drive it: typing speed, the
// line-end rule, the speaker line, the page wait with clicks, skip and
// auto-advance, the text recall, and the choice screen.
#include <gtest/gtest.h>

#include <cstring>

#include "base/encoding.h"
#include "formats/mes_script.h"
#include "player/core/mode_screen.h"
#include "player/scenario/message_window.h"
#include "player/scenario/text_commands.h"
#include "tests/player/scenario/scenario_fixture.h"

namespace marlit::test {
namespace {

// Shown text as the script stores it.
std::string shown(std::string_view utf8) {
    return encodeShownText(utf8ToSjis(utf8).value()).value();
}

std::string repeat(std::string_view utf8, int times) {
    std::string s;
    for (int i = 0; i < times; ++i)
        s += utf8;
    return s;
}

class TextFlowTest : public ScenarioTest {
  public:
    TextFlowTest() : window(graphics, settings, nullptr) {
        installTextCommands(engine, window);
        engine.stopLockedSkip = [this] { settings.lockedSkip = 0; };
        std::memcpy(settings.name, "\x83\x8A\x83\x93", 5);  // リン
    }
    void click() { input.tap = 1; }
    // Steps until the engine leaves `position` or `limit` frames pass.
    void stepPast(uint32_t position, int limit = 200) {
        for (int i = 0; i < limit && state.position == position; ++i)
            step();
    }
    size_t glyphs() const { return window.page().size(); }

    MessageWindow window;
};

TEST_F(TextFlowTest, TypingFollowsMessageSpeedAndAClickLaysOutTheRest) {
    ScriptBuilder s;
    s.text('L', shown(repeat("あ", 30))).word(7, 0, 0);
    play(s);
    settings.messageSpeed = 1;
    step();  // first entry: the clock starts
    EXPECT_EQ(glyphs(), 0u);
    step(300);
    EXPECT_EQ(glyphs(), 15u);
    step(280);
    EXPECT_EQ(glyphs(), 29u);
    step(20);
    EXPECT_EQ(glyphs(), 30u);
    EXPECT_TRUE(window.shown());

    ScriptBuilder slow;
    slow.text('L', shown(repeat("い", 30))).word(7, 0, 0);
    play(slow);
    settings.messageSpeed = 2;
    step();
    step(400);
    EXPECT_EQ(glyphs(), 10u);
    click();
    step(16);
    EXPECT_EQ(glyphs(), 30u) << "a tap lays out the rest in the same frame";
}

TEST_F(TextFlowTest, LockedSkipLaysTextOutAtOnce) {
    ScriptBuilder s;
    s.text('L', shown(repeat("う", 20))).word(7, 0, 0);
    play(s);
    settings.messageSpeed = 2;
    settings.lockedSkip = 1;
    step();
    EXPECT_EQ(glyphs(), 20u);
}

TEST_F(TextFlowTest, TheTwentyFifthCharacterRule) {
    ScriptBuilder s;
    s.text('L', shown(repeat("あ", 24) + "。")).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    step();
    ASSERT_EQ(glyphs(), 25u);
    EXPECT_EQ(window.page().records()[24].cell.top, window.page().records()[0].cell.top);

    ScriptBuilder other;
    other.text('L', shown(repeat("あ", 24) + "い")).word(7, 0, 0);
    play(other);
    step();
    ASSERT_EQ(glyphs(), 25u);
    const auto& r = window.page().records();
    EXPECT_GT(r[24].cell.top, r[0].cell.top);
    EXPECT_EQ(r[24].cell.left, r[0].cell.left);
}

TEST_F(TextFlowTest, SpeakerLineAndThePlayerName) {
    ScriptBuilder s;
    s.text('K', shown("美咲さ")).text('L', shown("$nだ/よ")).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    step();
    const auto& r = window.page().records();
    ASSERT_EQ(glyphs(), 3u + 2u + 2u);
    // A 6-byte name starts at 128 - 48 + 20 = 100 design pixels.
    EXPECT_EQ(r[0].cell.left, graphics.toScreen(100));
    // "$n" gives the two characters of the name, then the text; "/" breaks.
    EXPECT_EQ(r[3].character, 0x8A83);
    EXPECT_EQ(r[4].character, 0x9383);
    EXPECT_EQ(r[6].cell.left, r[3].cell.left);
    EXPECT_GT(r[6].cell.top, r[5].cell.top);
    EXPECT_EQ(window.pageText(), "美咲さ\nリンだ\nよ");

    // The four-byte form names the player.
    ScriptBuilder four;
    four.raw({'K', 0x04, 0, 0}).text('L', shown("ね")).word(7, 0, 0);
    play(four);
    step();
    EXPECT_EQ(window.speaker(), "\x83\x8A\x83\x93");
    EXPECT_EQ(window.pageText(), "リン\nね");
}

TEST_F(TextFlowTest, TypingPausesWhileTheReaderHidesTheWindow) {
    ScriptBuilder s;
    s.text('L', shown("あい")).word(7, 0, 0).text('L', shown(repeat("か", 10))).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 0;
    step();
    click();
    step();
    step();                    // the page wait's first frame
    input.press[kPressA] = 1;  // no page recorded yet: A hides the window
    step();
    ASSERT_TRUE(window.hiddenByUser());
    click();
    step();
    EXPECT_FALSE(window.hiddenByUser());
    click();
    step();     // advance
    step(100);  // the second message starts
    step(100);
    const size_t before = glyphs();
    EXPECT_GT(before, 0u);
    window.hideByUser();
    step(500);
    EXPECT_EQ(glyphs(), before);
    window.showAgain();
    step(20);
    EXPECT_EQ(glyphs(), before + 1) << "typing goes on where it stopped";
}

TEST_F(TextFlowTest, PageWaitAdvancesOnAClickAndRecordsThePage) {
    ScriptBuilder s;
    s.text('L', shown("一"));
    const uint32_t wait = s.here();
    s.word(7, 0, 0);
    const uint32_t second = s.here();
    s.text('L', shown("二")).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    step();
    settings.lockedSkip = 0;
    step();
    EXPECT_TRUE(window.pageMarkShown());
    step();
    step();
    EXPECT_EQ(state.position, wait) << "the page waits for the reader";
    click();
    step();
    EXPECT_EQ(state.position, second);
    EXPECT_EQ(window.backlogSize(), 1u);
    EXPECT_EQ(glyphs(), 0u);
    EXPECT_FALSE(window.pageMarkShown());
}

TEST_F(TextFlowTest, TheCentreKeyQuickSavesAndLoadsButNotOnTheFirstFrameOfAPageWait) {
    int saves = 0;
    int loads = 0;
    engine.quickSave = [&] { return ++saves > 0; };
    engine.quickLoad = [&] { return ++loads > 0; };
    ScriptBuilder s;
    s.text('L', shown("一"));
    const uint32_t wait = s.here();
    s.word(7, 0, 0).text('L', shown("二")).word(7, 0, 0);
    play(s);
    settings.keyCenCtrl = kCentreKeyQuickSave;
    settings.lockedSkip = 1;
    step();
    settings.lockedSkip = 0;
    input.press[kPressStart] = 1;  // held as the typing ends
    step();
    ASSERT_EQ(state.position, wait);
    EXPECT_EQ(saves, 0) << "the first frame of the wait ignores the centre key";
    input.press[kPressStart] = 1;
    step();
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(state.position, wait) << "saving does not advance the page";
    step();
    EXPECT_EQ(saves, 1) << "one press, one save";

    settings.keyCenCtrl = kCentreKeyQuickLoad;
    input.press[kPressStart] = 1;
    step();
    EXPECT_EQ(loads, 1);
    EXPECT_EQ(saves, 1);
}

TEST_F(TextFlowTest, ThePageWaitAfterANewlyReadMessageWritesTheLogs) {
    int writes = 0;
    engine.writeLogs = [&] { ++writes; };
    ScriptBuilder s;
    s.wordW(3, 1).text('L', shown("一")).word(7, 0, 0);
    s.wordW(3, 2).text('L', shown("二")).word(7, 0, 0);
    s.wordW(3, 3).text('L', shown("三")).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;  // every page laid out and passed at once
    for (int i = 0; i < 40; ++i)
        step();
    // Message 0 is marked when message 1 begins, 1 when 2 begins, and so on:
    // each of the three waits follows a newly read message.
    EXPECT_EQ(writes, 3);

    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("test"));
    for (int i = 0; i < 40; ++i)
        step();
    EXPECT_EQ(writes, 3) << "read again, nothing is new";
}

TEST_F(TextFlowTest, ReadSkipStopsAtTheFirstUnreadPageAndEndsTheLockedSkip) {
    ScriptBuilder s;
    s.wordW(3, 1).text('L', shown("読")).word(7, 0, 0);
    s.wordW(3, 2).text('L', shown("未")).word(7, 0, 0);
    const uint32_t end = s.here();
    s.word(7, 0, 0);
    play(s);
    engine.readLog.markRead("test", 1);
    settings.readSkip = 1;
    settings.lockedSkip = 1;
    for (int i = 0; i < 10; ++i)
        step();
    EXPECT_NE(state.position, end) << "message 2 has not been read";
    EXPECT_EQ(state.message, 2);
    EXPECT_EQ(settings.lockedSkip, 0);
    EXPECT_EQ(window.backlogSize(), 1u) << "the read page passed by itself";
    const uint32_t held = state.position;
    input.press[kPressLeft] = 5;  // the skip key held
    for (int i = 0; i < 5; ++i)
        step();
    EXPECT_EQ(state.position, held) << "the held skip key stops at unread text too";
}

TEST_F(TextFlowTest, AutoAdvanceWaitsForTheVoice) {
    ScriptBuilder s;
    s.text('L', shown("声")).word(7, 0, 0);
    const uint32_t next = s.here();
    s.word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    step();
    settings.lockedSkip = 0;
    settings.messageAuto = 1;
    sound.voiceOn = true;
    for (int i = 0; i < 20; ++i)
        step(100);
    EXPECT_NE(state.position, next) << "the voice still plays";
    sound.voiceOn = false;
    step();
    EXPECT_EQ(state.position, next) << "the first frame after the voice";

    play(s);
    settings.lockedSkip = 1;
    step();
    settings.lockedSkip = 0;
    settings.messageAuto = 6;
    sound.voiceOn = true;
    step(100);
    sound.voiceOn = false;
    step(2000);
    EXPECT_NE(state.position, next);
    step(499);
    EXPECT_NE(state.position, next);
    step(1);
    EXPECT_EQ(state.position, next) << "2.5 s after the voice";
}

TEST_F(TextFlowTest, RecallPagesBackAndForthAndCloses) {
    ScriptBuilder s;
    for (const char* page : {"壱", "弐", "参", "四"})
        s.text('L', shown(page)).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    settings.voicePlay = 2;
    engine.voiceName = "v1.mp3";
    for (int i = 0; i < 6; ++i)
        step();
    settings.lockedSkip = 0;
    step();
    click();
    step();
    step();
    ASSERT_EQ(window.backlogSize(), 3u);
    ASSERT_EQ(window.pageText(), "四");

    input.press[kPressUp] = 1;
    step();
    ASSERT_TRUE(window.recallOpen());
    EXPECT_EQ(window.recallIndex(), 0u);
    for (int i = 0; i < 3; ++i) {
        input.press[kPressUp] = 1;
        step();
    }
    EXPECT_EQ(window.recallIndex(), 2u) << "up on the oldest page does nothing";
    EXPECT_TRUE(sound.saw("voice v1.mp3")) << "the oldest page's voice is replayed";
    input.press[kPressDown] = 1;
    step();
    input.press[kPressDown] = 1;
    step();
    EXPECT_EQ(window.recallIndex(), 0u);
    input.press[kPressDown] = 1;
    step();
    EXPECT_FALSE(window.recallOpen()) << "down on the newest closes";
    EXPECT_EQ(window.pageText(), "四");
}

TEST_F(TextFlowTest, TheTextLogHasOneLinePerMessage) {
    std::vector<std::string> lines;
    engine.textLog = [&lines](const std::string& line) { lines.push_back(line); };
    ScriptBuilder s;
    s.wordW(3, 7).text('K', shown("美咲")).text('5', "v01.ogg").text('L', shown("海へ/行く"));
    s.word(7, 0, 0).text('L', shown("次")).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    for (int i = 0; i < 4; ++i)
        step();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "test\t7\t美咲\tv01.mp3\t海へ 行く");
    EXPECT_EQ(lines[1], "test\t7\t\t\t次") << "the page wait took the speaker and the voice";
}

TEST_F(TextFlowTest, WindowCommandHidesAndShowsAndTheSkipKeyPassesReadPages) {
    ScriptBuilder s;
    s.text('L', shown("一")).word(7, 0, 0).wordW(13, 0);
    const uint32_t hidden = s.here();
    s.word(7, 0, 0).wordW(13, 1).text('L', shown("二")).word(7, 0, 0);
    pack({{"test", s}}, {"AdvData\\grp\\system\\Messwin.rbp"});
    engine.StartNewGame();
    ASSERT_TRUE(engine.LoadScript("test"));
    ASSERT_NE(compositor.sprite(1), nullptr);
    input.press[kPressLeft] = 3;  // the skip key held
    for (int i = 0; i < 4 && window.backlogSize() == 0; ++i)
        step();
    ASSERT_EQ(window.backlogSize(), 1u) << "the held skip key passes the page";
    input.press[kPressLeft] = 0;
    step();
    ASSERT_EQ(state.position, hidden);
    EXPECT_FALSE(window.shown());
    EXPECT_FALSE(compositor.sprite(1)->visible);
    click();
    for (int i = 0; i < 4; ++i)
        step();
    EXPECT_TRUE(window.shown());
    EXPECT_TRUE(compositor.sprite(1)->visible);
    EXPECT_EQ(window.pageText(), "二");
}

TEST(BacklogListTest, KeepsSixtyFourPagesDroppingTheOldest) {
    BacklogList list;
    GlyphPage page;
    for (int i = 0; i < 65; ++i) {
        page.clear();
        page.add(GlyphRecord{kGlyphToDraw, static_cast<uint16_t>(i), 12, kTextWhite, {}});
        list.record(page, "");
    }
    EXPECT_EQ(list.size(), 64u);
    EXPECT_EQ(list.fromNewest(63)->glyphs.records()[0].character, 1);
    EXPECT_EQ(list.fromNewest(0)->glyphs.records()[0].character, 64);
    EXPECT_EQ(list.fromNewest(64), nullptr);
}

class ChoiceTest : public TextFlowTest {
  public:
    // Three choices jumping to "a", "b" and "c", each setting variable 10.
    ScriptBuilder script(std::string_view second = "b") {
        ScriptBuilder s;
        s.word(8, 0, 0);
        s.text('E', "a").text('M', shown("右へ"));
        s.text('E', second).text('M', shown("左へ"));
        s.text('E', "c").text('M', shown("帰る"));
        s.word(9, 0, 0);
        for (int i = 0; i < 3; ++i) {
            s.label(std::string(1, static_cast<char>('a' + i)));
            s.quad('X', 0, 10, static_cast<uint16_t>(i + 1), 0).word(7, 0, 0);
        }
        return s;
    }
};

TEST_F(ChoiceTest, KeysWrapAndAClickJumps) {
    play(script());
    step();
    EXPECT_EQ(state.choice.count, 3);
    input.press[kPressUp] = 1;  // from none to the last
    step();
    EXPECT_EQ(engine.choiceCursor, 2);
    input.press[kPressDown] = 1;  // from the last to the first
    step();
    EXPECT_EQ(engine.choiceCursor, 0);
    input.press[kPressDown] = 1;
    step();
    input.press[kPressC] = 1;  // a click that is not a tap
    step();
    step();
    EXPECT_EQ(engine.vars.get(10), 2);
    EXPECT_EQ(state.choice.last, 1);
    EXPECT_EQ(state.choice.pending, 0);
    EXPECT_EQ(compositor.sprite(64), nullptr) << "the boxes go";
}

TEST_F(ChoiceTest, ATapPicksTheBoxUnderTheStylusAndNothingBetweenBoxes) {
    play(script());
    step();
    input.tap = 1;  // between the first and the second box
    input.stylusX = graphics.toScreen(300);
    input.stylusY = graphics.toScreen(248);
    step();
    EXPECT_EQ(engine.choiceCursor, 100);
    EXPECT_EQ(state.choice.pending, 1);
    input.tap = 1;
    input.stylusY = graphics.toScreen(312 + 20);
    step();
    step();
    EXPECT_EQ(engine.vars.get(10), 3);
}

TEST_F(ChoiceTest, AMissingTargetStopsTheScenarioWithOneLine) {
    play(script("nowhere"));
    step();
    input.press[kPressDown] = 1;
    step();
    input.press[kPressDown] = 1;
    step();
    input.press[kPressC] = 1;
    step();
    EXPECT_NE(state.mode, kModeScenario);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("nowhere"), std::string::npos) << reports[0];
}

TEST_F(TextFlowTest, OverlongInputIsCutSafely) {
    ScriptBuilder s;
    s.word(8, 0, 0);
    for (int i = 0; i < 6; ++i)
        s.text('E', "target_label_much_longer_than_its_field").text('M', shown(repeat("長", 30)));
    s.text('L', shown(repeat("字", 300))).word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    step();
    EXPECT_EQ(state.choice.count, 4);
    EXPECT_EQ(state.choice.texts[3].size(), 46u) << "cut at a character boundary";
    EXPECT_EQ(state.choice.labels[0].size(), ChoiceSet::kLabelBytes);
    EXPECT_EQ(reports.size(), 6u + 6u) << "one line for each fault";
    // 300 characters: the page starts again after 256.
    EXPECT_EQ(glyphs(), 300u - 256u);
    EXPECT_EQ(state.mode, kModeScenario);
}

TEST_F(TextFlowTest, ALongSpeakerAndALoneLeadByteAreLaidOutWithinTheirText) {
    ScriptBuilder s;
    s.text('K', shown(repeat("名", 100)));
    // A message ending in a lone lead byte (0x82, stored as 0x62).
    s.text('L', shown("あ") + "\x62").word(7, 0, 0);
    play(s);
    settings.lockedSkip = 1;
    step();
    EXPECT_EQ(state.mode, kModeScenario);
    ASSERT_EQ(glyphs(), 100u + 2u);
    EXPECT_EQ(window.page().records()[101].character, 0x82)
        << "the lone byte is a glyph of its own";
    EXPECT_LT(window.page().records()[0].cell.left, 0)
        << "a 200-byte name starts left of the screen";
    EXPECT_TRUE(window.typingDone());
}

}  // namespace
}  // namespace marlit::test
