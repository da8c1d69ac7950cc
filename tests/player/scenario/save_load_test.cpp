// A scene saved into a slot and put back: pictures, sprites, variables, the
// script position and the sound; slots that hold no save are refused.
#include <filesystem>
#include <fstream>

#include "base/encoding.h"
#include "base/files.h"
#include "formats/mes_script.h"
#include "player/persist/save_record.h"
#include "player/persist/save_slots.h"
#include "player/scenario/message_window.h"
#include "player/scenario/text_commands.h"
#include "tests/player/scenario/scenario_fixture.h"

namespace marlit::test {
namespace {

const std::vector<std::string> kPictures = {"AdvData\\grp\\BG\\umi_01.rbp",
                                            "AdvData\\grp\\CHR\\duzo_12.rbp",
                                            "AdvData\\grp\\CHR\\sela_12.rbp"};

class SaveLoad : public ScenarioTest {
  protected:
    explicit SaveLoad(int width = 320) : ScenarioTest(width) {}

    std::unique_ptr<SaveSlots> slotsIn(const std::string& folder, bool vga = false) {
        return std::make_unique<SaveSlots>(
            SaveSlots::Services{engine,
                                logs,
                                folder,
                                vga,
                                {},
                                [this] { return when; },
                                [this](const std::string& line) { reports.push_back(line); }});
    }
    // A scene: the background, two characters, a variable, then the wait.
    void playScene() {
        ScriptBuilder s;
        s.text('.', "BG\\umi_01")
            .text('3', "CHR\\duzo_12@")
            .text('F', "CHR\\sela_12")
            .quad('X', 0, 1, 1, 0)
            .word(7, 0, 0);
        play(s, kPictures);
        engine.vars.set(var::kMonth, 2);
        engine.vars.set(var::kDay, 26);
        engine.vars.set(var::kWeekday, 2);
        step();
        step();
        ASSERT_TRUE(engine.pictures.exists(25));
        sound.music = "m03";
        sound.looping = "se_rain.wav";
        engine.Snapshot();  // as the message command takes it
    }

    std::string folder() { return dir.path().string() + "/save/"; }

    std::tm when = [] {
        std::tm t{};
        t.tm_year = 105;
        t.tm_mon = 2;
        t.tm_mday = 5;
        t.tm_hour = 21;
        t.tm_min = 7;
        t.tm_sec = 33;
        return t;
    }();
    PlayerLogs logs{dir.path().string() + "/save/", engine.readLog, engine.seen, engine.vars};
    void SetUp() override { std::filesystem::create_directories(folder()); }
};

TEST_F(SaveLoad, ALoadPutsTheSceneBackAsItWasSaved) {
    playScene();
    const uint32_t position = state.position;
    const DesignPoint left = *engine.pictures.position(24);
    const int layer = compositor.sprite(25)->layer;
    engine.readLog.markRead("test", 3);
    auto slots = slotsIn(folder());
    ASSERT_TRUE(slots->Save(2));
    EXPECT_TRUE(std::filesystem::exists(folder() + "save003.dat"));
    EXPECT_EQ(slots->items()[2].text, *utf8ToSjis("05-03-05 21:07:33 -2月26日(火)-"));
    EXPECT_EQ(slots->items()[2].thumbnail.size(), 9654u);

    // Another scene, then the load.
    engine.ReturnToTitle();
    engine.vars.set(0, 1, 42);
    sound.calls.clear();
    ASSERT_TRUE(slots->Load(2));
    EXPECT_EQ(state.mode, 99);
    EXPECT_EQ(state.scriptName, "test");
    EXPECT_EQ(state.position, position);
    EXPECT_EQ(engine.vars.get(0, 1), 1);
    EXPECT_EQ(engine.pictures.path(24), "AdvData\\grp\\CHR\\duzo_12.rbp");
    EXPECT_EQ(engine.pictures.path(25), "AdvData\\grp\\CHR\\sela_12.rbp");
    ASSERT_TRUE(engine.pictures.exists(24));
    ASSERT_TRUE(engine.pictures.exists(25));
    EXPECT_EQ(engine.pictures.position(24)->x, left.x);
    EXPECT_EQ(compositor.sprite(25)->layer, layer);
    EXPECT_TRUE(sound.saw("restore music m03"));
    EXPECT_TRUE(sound.saw("restore effect se_rain.wav"));
    // The script goes on from the saved position.
    step();
    EXPECT_EQ(state.position, position);

    // The logs went with the save.
    ReadLog read;
    SeenLists seen;
    ScenarioVars vars;
    PlayerLogs again(folder(), read, seen, vars);
    again.ReadLogs();
    EXPECT_TRUE(read.isRead("test", 3));
    EXPECT_TRUE(seen.seen("test"));
    EXPECT_TRUE(seen.isSeen(SeenLists::kPictures, "duzo_12.rbp"));
    EXPECT_EQ(std::filesystem::file_size(folder() + "save000.dat"), 105472u);
}

TEST_F(SaveLoad, TwoSavesOfOneMessageDifferInDateSummaryAndThumbnailOnly) {
    playScene();
    auto slots = slotsIn(folder());
    ASSERT_TRUE(slots->Save(0));
    // The message goes on: the screen changes, the record does not.
    step();
    engine.vars.set(var::kDay, 27);
    when.tm_sec = 59;
    ASSERT_TRUE(slots->Save(1));
    auto a = readHostFile(slots->slotPath(0));
    auto b = readHostFile(slots->slotPath(1));
    ASSERT_TRUE(a && b);
    ASSERT_EQ(a->size(), b->size());
    for (size_t i = 0; i < 48180; ++i) {
        if (i >= 8 && i < 92)
            continue;
        ASSERT_EQ((*a)[i], (*b)[i]) << "byte " << i;
    }
    EXPECT_NE(std::string(a->begin() + 8, a->begin() + 28),
              std::string(b->begin() + 8, b->begin() + 28));
}

TEST_F(SaveLoad, SlotsThatHoldNoSaveAreRefusedAndShownUndefined) {
    playScene();
    auto slots = slotsIn(folder());
    ASSERT_TRUE(slots->Save(0));
    auto good = *readHostFile(slots->slotPath(0));
    auto put = [&](int slot, std::vector<uint8_t> bytes) {
        std::ofstream(slots->slotPath(slot), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    };
    auto zero = good;
    zero[3] = '0';
    put(1, zero);
    put(2, std::vector<uint8_t>(good.begin(), good.begin() + 48179));
    slots->ListSlots();
    EXPECT_TRUE(slots->items()[0].present);
    for (int slot : {1, 2, 3}) {
        EXPECT_FALSE(slots->items()[static_cast<size_t>(slot)].present) << slot;
        EXPECT_EQ(slots->items()[static_cast<size_t>(slot)].text, emptySlotText());
    }

    engine.ReturnToTitle();
    const int before = state.mode;
    reports.clear();
    for (int slot : {1, 2, 3}) {
        EXPECT_FALSE(slots->Load(slot)) << slot;
        EXPECT_EQ(state.mode, before) << "the scene stays";
    }
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_NE(reports[0].find("save002.dat"), std::string::npos) << reports[0];
    EXPECT_NE(reports[0].find("HXR1"), std::string::npos) << reports[0];
    EXPECT_NE(reports[1].find("shorter"), std::string::npos) << reports[1];
    EXPECT_NE(reports[2].find("no save in this slot"), std::string::npos) << reports[2];
}

TEST_F(SaveLoad, QuickSaveAndQuickLoadUseSlotOne) {
    playScene();
    auto slots = slotsIn(folder());
    EXPECT_FALSE(slots->quickLoad()) << "nothing saved yet";
    ASSERT_TRUE(slots->quickSave());
    EXPECT_TRUE(std::filesystem::exists(folder() + "save001.dat"));
    engine.vars.set(0, 1, 5);
    ASSERT_TRUE(slots->quickLoad());
    EXPECT_EQ(engine.vars.get(0, 1), 1);
}

TEST_F(SaveLoad, ALoadedPageHoldsItsSpeakerAndEarlierLinesAndTypesTheMessageAgain) {
    MessageWindow window(graphics, settings, nullptr);
    installTextCommands(engine, window);
    const auto shown = [](std::string_view utf8) {
        return encodeShownText(utf8ToSjis(utf8).value()).value();
    };
    ScriptBuilder s;
    s.text('K', shown("灯"))
        .text('L', shown("一行目"))
        .text('L', shown("二行目の言葉"))
        .word(7, 0, 0);
    play(s);
    window.build();
    for (int i = 0; i < 100 && !window.pageMarkShown(); ++i)
        step(100);
    ASSERT_TRUE(window.pageMarkShown());
    const std::string page = window.pageText();
    const size_t glyphs = window.page().size();
    ASSERT_EQ(glyphs, 10u);  // the speaker and both lines
    auto slots = slotsIn(folder());
    ASSERT_TRUE(slots->Save(0));

    window.resetPage();
    ASSERT_TRUE(slots->Load(0));
    // The page as the second message found it: the speaker and line one.
    EXPECT_EQ(window.page().size(), 4u);
    EXPECT_EQ(window.speaker(), utf8ToSjis("灯").value());
    for (int i = 0; i < 100 && !window.pageMarkShown(); ++i)
        step(100);
    EXPECT_EQ(window.page().size(), glyphs);
    EXPECT_EQ(window.pageText(), page);
}

TEST_F(SaveLoad, ADamagedPageKeepsItsGlyphsAndPenOnTheScreen) {
    MessageWindow window(graphics, settings, nullptr);
    window.build();
    MessagePage page;
    page.penX = 1000000000;
    page.penY = -5;
    page.lineStartX = 1000000000;
    page.glyphs.push_back({kGlyphDrawn, 0x8882, 16, 0xFFFFFF, {40, 180, 56, 196}});
    page.glyphs.push_back({kGlyphDrawn, 0x8884, 16, 0xFFFFFF, {100000, 180, 100016, 196}});
    window.restorePage(page);
    ASSERT_EQ(window.page().size(), 1u) << "the glyph off the screen is left out";
    window.startText(utf8ToSjis("あ").value());
    window.typeText(true);
    ASSERT_EQ(window.page().size(), 2u);
    const Rect typed = window.page().records()[1].cell;
    EXPECT_GE(typed.left, 0);
    EXPECT_GE(typed.top, 0);
    EXPECT_LE(typed.right, 320);
    EXPECT_LE(typed.bottom, 240);
}

TEST(MessagePageCodec, ReadsBackWhatItWroteAndRefusesAnOverlongPage) {
    MessagePage page;
    page.speaker = "\x93\x94";
    page.penX = 40;
    page.penY = 180;
    page.lines = 2;
    page.glyphs.push_back({kGlyphDrawn, 0x8882, 16, 0xCCCCCC, {40, 180, 56, 196}});
    const std::vector<uint8_t> bytes = encodeMessagePage(page);
    auto back = decodeMessagePage(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->speaker, page.speaker);
    EXPECT_EQ(back->penY, 180);
    ASSERT_EQ(back->glyphs.size(), 1u);
    EXPECT_EQ(back->glyphs[0].character, 0x8882);
    EXPECT_EQ(back->glyphs[0].cell, (Rect{40, 180, 56, 196}));

    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
    EXPECT_FALSE(decodeMessagePage(cut));
    std::vector<uint8_t> overlong = bytes;
    overlong[SaveLayout::kTextField + 24] = 0xFF;  // the glyph count
    overlong[SaveLayout::kTextField + 25] = 0xFF;
    EXPECT_FALSE(decodeMessagePage(overlong));
}

class SaveLoadVga : public SaveLoad {
  protected:
    SaveLoadVga() : SaveLoad(640) {}
};

TEST_F(SaveLoadVga, TheWideBuildKeepsItsOwnSlots) {
    playScene();
    auto narrow = slotsIn(folder(), false);
    ASSERT_TRUE(narrow->Save(0));
    auto wide = slotsIn(folder(), true);
    wide->ListSlots();
    EXPECT_FALSE(wide->items()[0].present) << "the 320 build's save001.dat is not listed";
    ASSERT_TRUE(wide->Save(0));
    EXPECT_TRUE(std::filesystem::exists(folder() + "save001_v.dat"));
    EXPECT_EQ(wide->items()[0].thumbnail.size(), 38454u);
}

}  // namespace
}  // namespace marlit::test
