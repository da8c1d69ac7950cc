// The save record's fixed offsets, its round trip through the one walk, the
// files it refuses, the summary line and the thumbnail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/bytes.h"
#include "base/encoding.h"
#include "player/persist/save_record.h"
#include "player/persist/save_summary.h"
#include "player/persist/save_thumbnail.h"
#include "player/persist/save_titles_table.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

std::string sj(std::string_view utf8) {
    return utf8ToSjis(utf8).value();
}

std::string textAt(const std::vector<uint8_t>& b, size_t at) {
    return std::string(reinterpret_cast<const char*>(b.data() + at));
}

SaveRecord sampleRecord() {
    SaveRecord r;
    r.date = "2005-03-05 21:07:33";
    r.summary = sj("2月26日(火)");
    r.caller = 7;
    r.petalPeriod = 300;
    r.dayEndSelector = 0xBEEF;
    r.label = "0226a_n01";
    r.music = "m05";
    for (int i = 0; i < kSavedSprites; ++i)
        r.pictures[static_cast<size_t>(i)] = "AdvData\\GRP\\p" + std::to_string(i) + ".rbp";
    r.loopingEffect = "se_rain.wav";
    r.mode = 99;
    r.subState = 3;
    r.stateWord3 = 4;
    r.message = 17;
    r.position = 1234;
    r.repeat = 2;
    r.pageMarkShown = 1;
    r.windowShown = 1;
    r.backgroundX = -160;
    r.backgroundY = 12;
    r.scrollTargetX = -320;
    r.scrollTargetY = 24;
    r.petalKind = 2;
    r.brightness = 200;
    r.storyVars[0] = -5;
    r.storyVars[9 * 256 + 1] = 26;
    r.storyVars[49 * 256 + 255] = 0x7FFF;
    r.choice.pending = 1;
    r.choice.count = 2;
    r.choice.texts = {"yes", "no", "", ""};
    r.choice.labels = {"0301a", "0301b", "", ""};
    r.window.exists = true;
    r.window.shown = true;
    r.window.message = 17;
    r.window.voice = "duz0001";
    r.window.stateLayout = 3;
    r.window.windowState = {1, 2, 3, 4, 5};
    r.sprites[1].present = true;
    RecordedSprite& s = r.sprites[1].sprite;
    s.id = 25;
    s.x = 200;
    s.y = -4;
    s.layer = 28;
    s.command.picture = 25;
    s.command.opacity = 128;
    s.command.source = {0, 0, 64, 120};
    s.screenX = 260000;
    s.frames = {{25, 0, 0, 10, 10, 1, 2, 100, 1}, {25, 10, 0, 10, 10, 0, 0, 100, 0}};
    s.frame = 1;
    return r;
}

TEST(SaveRecordLayout, EveryFieldSitsAtItsOffset) {
    const auto b = encodeSaveRecord(sampleRecord());
    ASSERT_EQ(b.size(), 48180u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "HXR1");
    EXPECT_EQ(loadU32(&b[4]), 48180u);
    EXPECT_EQ(textAt(b, 8), "2005-03-05 21:07:33");
    EXPECT_EQ(textAt(b, 28), sj("2月26日(火)"));
    EXPECT_EQ(loadU32(&b[92]), 7u);
    for (size_t at = 96; at < 112; ++at)
        EXPECT_EQ(b[at], 0) << at;
    EXPECT_EQ(loadU32(&b[112]), 300u);
    EXPECT_EQ(loadU32(&b[116]), 0xBEEFu) << "the selector is zero-extended";
    EXPECT_EQ(textAt(b, 120), "0226a_n01");
    EXPECT_EQ(textAt(b, 184), "m05");
    EXPECT_EQ(textAt(b, 248), "AdvData\\GRP\\p0.rbp");
    EXPECT_EQ(textAt(b, 248 + 5 * 64), "AdvData\\GRP\\p5.rbp");
    EXPECT_EQ(textAt(b, 632), "se_rain.wav");
    EXPECT_EQ(loadU32(&b[696]), 99u);
    EXPECT_EQ(loadU32(&b[700]), 3u);
    EXPECT_EQ(loadU32(&b[704]), 4u);
    EXPECT_EQ(loadU32(&b[708]), 17u);
    EXPECT_EQ(loadU32(&b[712]), 1234u);
    EXPECT_EQ(loadU32(&b[716]), 2u);
    EXPECT_EQ(loadU32(&b[720]), 1u);
    EXPECT_EQ(loadU32(&b[724]), 1u);
    EXPECT_EQ(static_cast<int16_t>(loadU16(&b[728])), -160);
    EXPECT_EQ(static_cast<int16_t>(loadU16(&b[732])), -320);
    EXPECT_EQ(loadU32(&b[736]), 2u);
    EXPECT_EQ(loadU32(&b[740]), 200u);
    EXPECT_EQ(static_cast<int16_t>(loadU16(&b[752])), -5);
    EXPECT_EQ(loadU16(&b[752 + 2 * (9 * 256 + 1)]), 26u);
    EXPECT_EQ(loadU16(&b[752 + 25600 - 2]), 0x7FFFu);
    EXPECT_EQ(loadU32(&b[26352]), 1u);
    EXPECT_EQ(loadU32(&b[26356]), 2u);
    EXPECT_EQ(textAt(b, 26360 + 48), "no");
    EXPECT_EQ(textAt(b, 26360 + 192 + 24), "0301b");
    EXPECT_EQ(loadU32(&b[26648]), 1u) << "a window existed";
    EXPECT_EQ(loadU32(&b[36828]), 0u) << "sprite 24 is all zero";
    EXPECT_EQ(loadU32(&b[36828 + 1892]), 1u) << "sprite 25 is present";
    EXPECT_EQ(loadU32(&b[36828 + 1892 + 8]), 25u);
}

TEST(SaveRecordLayout, ReadsBackWhatItWrote) {
    const SaveRecord in = sampleRecord();
    const auto back = decodeSaveRecord(encodeSaveRecord(in));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->magic, "HXR1");
    EXPECT_EQ(back->summary, in.summary);
    EXPECT_EQ(back->dayEndSelector, 0xBEEFu);
    EXPECT_EQ(back->pictures, in.pictures);
    EXPECT_EQ(back->loopingEffect, "se_rain.wav");
    EXPECT_EQ(back->scrollTargetY, 24);
    EXPECT_EQ(back->storyVars, in.storyVars);
    EXPECT_EQ(back->choice.texts, in.choice.texts);
    EXPECT_EQ(back->choice.labels, in.choice.labels);
    EXPECT_EQ(back->window.voice, "duz0001");
    EXPECT_EQ(back->window.stateLayout, 3u);
    EXPECT_EQ(back->window.windowState, in.window.windowState);
    EXPECT_FALSE(back->sprites[0].present);
    ASSERT_TRUE(back->sprites[1].present);
    const RecordedSprite& s = back->sprites[1].sprite;
    EXPECT_EQ(s.x, 200);
    EXPECT_EQ(s.command.opacity, 128);
    EXPECT_EQ(s.command.source.bottom, 120);
    EXPECT_EQ(s.screenX, 260000);
    ASSERT_EQ(s.frames.size(), 2u);
    EXPECT_EQ(s.frames[0].offsetY, 2);
    EXPECT_EQ(s.frames[1].next, 0);
    EXPECT_EQ(s.frame, 1);
    // The walk is the same both ways: writing what was read gives the bytes.
    EXPECT_EQ(encodeSaveRecord(*back), encodeSaveRecord(in));
}

TEST(SaveRecordLayout, FilesThatAreNoSaveAreRefused) {
    auto b = encodeSaveRecord(sampleRecord());
    std::string why;
    EXPECT_FALSE(decodeSaveRecord(std::span(b).first(48179), &why));
    EXPECT_NE(why.find("48179 bytes"), std::string::npos) << why;
    for (const char* magic : {"HXR0", "HXQ1", "hxr1", "HXR:"}) {
        auto bad = b;
        std::copy(magic, magic + 4, bad.begin());
        EXPECT_FALSE(saveVersion(bad)) << magic;
        EXPECT_FALSE(decodeSaveRecord(bad)) << magic;
    }
    auto later = b;
    later[3] = '7';
    EXPECT_EQ(saveVersion(later), 7) << "a slot of any layout counts as present";
    EXPECT_FALSE(decodeSaveRecord(later, &why)) << "but this build reads layout 1 only";
    auto frames = b;
    storeU32(&frames[36828 + 1892 + 164], 48);  // one frame more than fits
    EXPECT_FALSE(decodeSaveRecord(frames));
    auto window = b;
    storeU32(&window[26648 + 84], 10093);
    EXPECT_FALSE(decodeSaveRecord(window));
}

TEST(SaveSummary, TheDateOrTheTitleTheSceneNames) {
    SaveTitles titles;
    for (int r = 0; r < SaveTitles::kRoutes; ++r)
        titles.epilogues[static_cast<size_t>(r)] = "E" + std::to_string(r);
    titles.game = "GAME";
    EXPECT_EQ(saveSummary("0226a_n01", 2, 26, 2, titles), sj("2月26日(火)"));
    EXPECT_EQ(saveMenuText("2005-03-05 21:07:33", sj("2月26日(火)")),
              sj("05-03-05 21:07:33 -2月26日(火)-"));
    EXPECT_EQ(saveSummary("0315a_r07", 2, 26, 2, titles), "E12");
    EXPECT_EQ(saveSummary("0315A_R07", 12, 1, 0, titles), "E12") << "names compare without case";
    EXPECT_EQ(saveSummary("0429a_ned2", 3, 1, 0, titles), "E0");
    EXPECT_EQ(saveSummary("all_end", 3, 1, 0, titles), "GAME");
    EXPECT_EQ(saveSummary("x", 3, 1, 0, titles), sj("3月1日(日)"));
    EXPECT_EQ(saveSummary("x", 3, 1, 7, titles), sj("3月1日()")) << "no weekday past Saturday";
    EXPECT_EQ(emptySlotText(), sj("---- 未定義 ----"));
    EXPECT_EQ(saveSummary("0315a_r07", 2, 26, 2, SaveTitles{}), sj("2月26日(火)"))
        << "no title known: the date";
}

TEST(SaveTitlesTable, TheDataSetsOwnTableWinsAndABadLineIsNamed) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "set");
    std::ofstream(dir.path() / "set" / "save_titles.txt")
        << "# titles\r\nr 灯 の エピローグ\r\nq nobody\r\ngame\r\n";
    TableReport report;
    SaveTitles titles = loadSaveTitles({dir.file("set"), dir.file("program")}, report);
    EXPECT_EQ(titles.epilogues[12], sj("灯 の エピローグ")) << "the fields join with spaces";
    EXPECT_EQ(titles.game, "");
    ASSERT_EQ(report.warnings.size(), 2u);
    EXPECT_NE(report.warnings[0].find("save_titles.txt:3: \"q\" is no route letter"),
              std::string::npos)
        << report.warnings[0];
    EXPECT_NE(report.warnings[1].find("save_titles.txt:4: expected"), std::string::npos)
        << report.warnings[1];

    // Without the data set's own, the program's; without either, dates.
    std::filesystem::create_directories(dir.path() / "program");
    std::ofstream(dir.path() / "program" / "save_titles.txt") << "game はるまちの岬\n";
    report = {};
    titles = loadSaveTitles({dir.file("none"), dir.file("program")}, report);
    EXPECT_EQ(titles.game, sj("はるまちの岬"));
    EXPECT_TRUE(report.warnings.empty());
    titles = loadSaveTitles({dir.file("none")}, report);
    EXPECT_EQ(titles.game, "");
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_NE(report.warnings[0].find("save_titles.txt is in none of the data folders"),
              std::string::npos);
}

TEST(SaveThumbnail, BoxAveragesPackedFiveSixFive) {
    std::vector<uint8_t> pixels(320 * 240 * 3, 0);
    Surface screen{pixels.data(), 320, 240, 320 * 3};
    // The top-left box (4 x 4 pixels): half of it red, half black.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x)
            pixels[static_cast<size_t>(y * 320 + x) * 3 + 2] = 255;
    // The bottom-right box: white.
    for (int y = 236; y < 240; ++y)
        for (int x = 316; x < 320; ++x)
            for (int c = 0; c < 3; ++c)
                pixels[static_cast<size_t>(y * 320 + x) * 3 + static_cast<size_t>(c)] = 255;
    const auto bmp = makeThumbnail(screen, ThumbnailSize::forScreen(320));
    ASSERT_EQ(bmp.size(), 9654u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(loadU32(&bmp[2]), 9654u);
    EXPECT_EQ(loadU32(&bmp[10]), 54u);
    EXPECT_EQ(loadU32(&bmp[18]), 80u);
    EXPECT_EQ(loadU32(&bmp[22]), 60u);
    EXPECT_EQ(loadU16(&bmp[28]), 16u);
    // Rows bottom-up: the top-left pixel is in the last row.
    EXPECT_EQ(loadU16(&bmp[54 + 59 * 160]), (127u >> 3) << 11);
    EXPECT_EQ(loadU16(&bmp[54 + 79 * 2]), 0xFFFFu);
    const auto back = readThumbnail(bmp);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rgb[0], 123) << "127 in five bits, widened again";
    EXPECT_EQ(ThumbnailSize::forScreen(640).fileBytes(), 38454u);
    EXPECT_FALSE(readThumbnail(std::span(bmp).first(9000)));
}

}  // namespace
}  // namespace marlit
