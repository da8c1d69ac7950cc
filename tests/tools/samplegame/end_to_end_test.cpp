// The whole chain as a user runs it: mksample --small, convMarlitPC at
// 320 x 240, then the player headless from the opening script, with taps
// where a reader would tap. Checked: the trace of the opening, the state
// where the player stops at the day-change screen, the sound of the run,
// the map of 25 February and the scenes chosen there by keys and by a tap,
// the day card of 7 March, the ending sequences with the epilogue or the
// staff roll and the way back to the logo, and the sky scroll on its way.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/png.h"
#include "tests/support/played_sound.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/samplegame/sample_folder.h"

namespace marlit {
namespace {

class SampleGameEndToEnd : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        data_ = new test::TempDir;
        const auto r = test::runProgram(
            test::programPath("convMarlitPC"),
            {test::smallSampleFolder(), "--out", data_->file("1"), "--quality", "2"});
        converted_ = r.exitCode == 0;
        EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    }
    static void TearDownTestSuite() {
        delete data_;
        data_ = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(converted_); }

    // Plays from `label` for `frames` frames; the dump and the trace are
    // then in dump() and trace().
    void play(const std::string& label, int frames, const std::string& input = "") {
        std::vector<std::string> args = {"--headless",
                                         "--dir",
                                         data_->path().string(),
                                         "--script",
                                         label,
                                         "--frames",
                                         std::to_string(frames),
                                         "--trace",
                                         run.file("trace.txt"),
                                         "--dump-state",
                                         run.file("state.json"),
                                         "--audio-out",
                                         run.file("run.wav")};
        if (!input.empty()) {
            std::ofstream(run.file("input.txt")) << input;
            args.insert(args.end(), {"--input", run.file("input.txt")});
        }
        const auto r = test::runProgram(test::programPath("marlit"), args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        dump_ = test::readFileText(run.file("state.json"));
        trace_ = test::readFileText(run.file("trace.txt"));
        ASSERT_FALSE(dump_.empty());
    }
    void expectInDump(std::initializer_list<const char*> parts) {
        for (const char* part : parts)
            EXPECT_NE(dump_.find(part), std::string::npos) << part << "\n" << dump_;
    }

    static test::TempDir* data_;
    static bool converted_;
    test::TempDir run;
    std::string dump_;
    std::string trace_;
};

test::TempDir* SampleGameEndToEnd::data_ = nullptr;
bool SampleGameEndToEnd::converted_ = false;

// A tap on the third choice's bar every quarter second once the opening
// scroll is over: it turns the pages and picks 「桜を見てから帰ろうと誘う」.
std::string tapsOnTheThirdChoice() {
    std::string input;
    for (int ms = 3500; ms < 40000; ms += 250) {
        input += std::to_string(ms) + " tap 160 132\n";
        input += std::to_string(ms + 50) + " release\n";
    }
    return input;
}

TEST_F(SampleGameEndToEnd, TheOpeningPlaysToTheDayChangeScreen) {
    play("0223a_f01", 2600, tapsOnTheThirdChoice());
    // The opening's commands in the order a reader meets them.
    size_t at = 0;
    for (const char* line : {"0223a_f01 0 bgm 6 0",
                             "background \"BG\\\\sora_01\"",
                             "bg_scroll 0 -600 0 0",
                             "background \"BG\\\\eki_01\"",
                             "char_left \"CHR\\\\duzo_12\"",
                             "voice \"VOICE\\\\DUZ\\\\duz0001\"",
                             "window 4",
                             "char_left \"CHR\\\\duzo_13\"",
                             "label \"K_SAKURA\"",
                             "background \"BG\\\\sakura_01\"",
                             "petals 1 2",
                             "voice \"VOICE\\\\DUZ\\\\duz0005\"",
                             "petals 0 0",
                             "label \"K_END\"",
                             "jump \"0224a_f01\"",
                             "0224a_f01 0 background \"BG\\\\room_01\"",
                             "background \"BG\\\\umi_01\"",
                             "speaker player 0 0",
                             "char_right \"bsteff01\"",
                             "window 6",
                             "overlay_left \"CHR\\\\ov_splash\"",
                             "bgm_stop 0 0",
                             "day_end 0"}) {
        const size_t found = trace_.find(line, at);
        ASSERT_NE(found, std::string::npos) << line << " (after position " << at << ")";
        at = found;
    }
    EXPECT_EQ(trace_.find(" label \"K_HALF\""), std::string::npos);
    EXPECT_EQ(trace_.find(" label \"K_ALL\""), std::string::npos);

    // The day end handed over to the day-change screen on 24 February, a
    // Sunday (weekday 0 is not listed), with the sakura choice counted. The
    // screen has cleared the scene and shows its own picture and choices
    // over its own music.
    expectInDump({"\"mode\":10", "\"script\":\"0224a_f01\"", "\"day_end_selector\":9",
                  "\"vars\":{\"0\":2,\"2304\":2,\"2305\":24}", "\"music\":\"12.mp3\"",
                  "\"caption\":{\"place\":-1", "{\"id\":10,\"slot\":10,",
                  "\"month\":2,\"day\":24,\"weekday\":0"});
    for (const char* scene : {"\"id\":24,", "\"id\":25,", "\"id\":27,", "\"id\":28,"})
        EXPECT_EQ(dump_.find(scene), std::string::npos) << scene << "\n" << dump_;

    // The music of the opening sounds from the start, and the day-change
    // screen's music at the end.
    auto wav = test::readWav(run.file("run.wav"));
    ASSERT_TRUE(wav);
    const auto left = test::leftChannel(*wav);
    const size_t second = static_cast<size_t>(wav->rate);
    ASSERT_GT(left.size(), 10 * second);
    EXPECT_GT(test::levelDb(left, 0, 2 * second), -30.0);
    EXPECT_GT(test::levelDb(left, left.size() - second, second), -40.0);
}

// Taps every quarter second from `from` to `to` ms (pages turned), at a
// point that is no button of the map.
std::string tapsBetween(int from, int to) {
    std::string input;
    for (int ms = from; ms < to; ms += 250) {
        input += std::to_string(ms) + " tap 300 20\n";
        input += std::to_string(ms + 50) + " release\n";
    }
    return input;
}

TEST_F(SampleGameEndToEnd, TheDayEndsOnTheEveningMapOf25February) {
    play("0225a_f01", 500, tapsBetween(500, 5000));
    // The first visit: the half-day flag becomes 1, the evening map and
    // row 1 of the schedule, nothing selected; its music and the date.
    expectInDump({"\"mode\":20", "\"substate\":2", "\"music\":\"09.mp3\"",
                  "\"map\":{\"half_day\":1,\"row\":1,\"variant\":1,\"selection\":100}"});
}

TEST_F(SampleGameEndToEnd, KeysOnTheMapChooseTheLighthouse) {
    // Down four times from none: place 3, the lighthouse, with 小夜's scene.
    std::string input = tapsBetween(500, 5000);
    for (int ms : {6000, 6200, 6400, 6600})
        input += std::to_string(ms) + " press down\n";
    input += "7000 press c\n";
    play("0225a_f01", 700, input);
    expectInDump({"\"mode\":99", "\"script\":\"0225c_s01\"",
                  "\"map\":{\"half_day\":1,\"row\":1,\"variant\":1,\"selection\":3}"});
    EXPECT_NE(trace_.find("0225c_s01 0 "), std::string::npos);
}

TEST_F(SampleGameEndToEnd, ATapOnTheMapChoosesTheBakery) {
    // The button of place 8 at (40, 472) is (16, 188) on the 320 x 240 screen.
    std::string input = tapsBetween(500, 5000);
    input += "6000 tap 40 196\n6050 release\n";
    play("0225a_f01", 600, input);
    expectInDump({"\"mode\":99", "\"script\":\"0225c_n01\"", "\"selection\":8}"});
}

TEST_F(SampleGameEndToEnd, AsEndingRunsToTheStaffRollAndATapEndsItAtTheLogo) {
    // 小夜's ending (route 1) has no follow-up: the sequence (18 s of its
    // music) then the roll, cut short by a tap, then the logo.
    // The pages are turned by 1.3 s; no tap may fall into the sequence.
    std::string input = tapsBetween(500, 1300);
    input += "29000 tap 160 120\n29050 release\n";
    play("0307b_s01", 1500, input);
    expectInDump({"\"mode\":85", "\"music\":\"27.mp3\""});
    EXPECT_NE(trace_.find("jump \"roll_s\""), std::string::npos);
    play("0307b_s01", 1900, input);
    expectInDump({"\"mode\":0", "\"music\":\"\""});
}

TEST_F(SampleGameEndToEnd, ATapInAkarisEndingGoesStraightToHerEpilogue) {
    std::string input = tapsBetween(500, 1300);
    input += "8000 tap 160 120\n8050 release\n";
    play("0307b_n01", 560, input);
    expectInDump({"\"mode\":99", "\"script\":\"0310a_ned\""});
}

TEST_F(SampleGameEndToEnd, SeventhMarchShowsTheDayCardOfTheLeadingHeroine) {
    play("0307a_f01", 120);
    // 灯 leads when no route has points: her card with 3月7日(木) on its
    // date line at y 400; the card has stopped the music.
    expectInDump({"\"mode\":99", "\"script\":\"0307a_f01\"",
                  "\"10\":\"AdvData\\\\grp\\\\bg\\\\i_duzo.rbp\"",
                  "\"11\":\"AdvData\\\\grp\\\\system\\\\iday.rbp\"",
                  "\"vars\":{\"2304\":3,\"2305\":7,\"2306\":4,\"2307\":1}", "\"music\":\"\""});
    for (const char* cell : {"\"id\":11,\"slot\":11,\"picture\":\"AdvData\\\\grp\\\\system\\\\iday."
                             "rbp\",\"x\":592,\"y\":400,\"layer\":20",
                             "\"id\":12,\"slot\":11,\"picture\":\"AdvData\\\\grp\\\\system\\\\iday."
                             "rbp\",\"x\":608,\"y\":400",
                             "\"id\":14,\"slot\":11,\"picture\":\"AdvData\\\\grp\\\\system\\\\iday."
                             "rbp\",\"x\":640,\"y\":400",
                             "\"id\":16,\"slot\":11,\"picture\":\"AdvData\\\\grp\\\\system\\\\iday."
                             "rbp\",\"x\":672,\"y\":400"}) {
        EXPECT_NE(dump_.find(cell), std::string::npos) << cell << "\n" << dump_;
    }
    EXPECT_EQ(dump_.find("\"id\":13,"), std::string::npos) << "day 7 has no tens digit";
}

TEST_F(SampleGameEndToEnd, TheOpeningSkyScrollsDownToTheTown) {
    play("0223a_f01", 100);
    expectInDump({"\"mode\":99", "\"script\":\"0223a_f01\"", "\"music\":\"06.mp3\"",
                  "\"background\":[0,0]"});
    // A third of the way through the three seconds: the sky picture has
    // moved up, but not yet by the whole 600.
    const std::string sky = "\"picture\":\"AdvData\\\\grp\\\\BG\\\\sora_01.rbp\",\"x\":0,\"y\":";
    const size_t at = dump_.find(sky);
    ASSERT_NE(at, std::string::npos) << dump_;
    const int y = std::stoi(dump_.substr(at + sky.size()));
    EXPECT_LT(y, -250);
    EXPECT_GT(y, -400);
    EXPECT_EQ(dump_.find("CHR"), std::string::npos) << "nobody stands there yet";
}

TEST_F(SampleGameEndToEnd, TheConvertedGameLacksNothingItsScriptsAndTablesName) {
    const auto r =
        test::runProgram(test::programPath("marlit-tool"), {"verify", data_->path().string()});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("13 scripts, 449 names looked up: nothing missing"), std::string::npos)
        << r.out;
    // The shipped tables also hold the PC game's rows, which the sample's
    // story never leads to: notes, each with the reason. The morning map of
    // 25 February (row 0, nine cells): the sample passes the map once, on
    // its first visit, which shows row 1. Its other day changes (eight) and
    // the epilogues of routes 2-13 (ten).
    size_t notes = 0;
    for (const char* why : {"which shows row 1)", "on the day-change screen)",
                            "no script jumps to the ending of route"}) {
        for (size_t at = r.out.find(why); at != std::string::npos; at = r.out.find(why, at + 1))
            ++notes;
    }
    EXPECT_EQ(notes, 27u) << r.out;
}

// The share of pixels that differ between two PNG shots of the same size,
// from row `top` down.
double differingShare(const std::string& a, const std::string& b, int top) {
    auto pa = readPng(a), pb = readPng(b);
    EXPECT_TRUE(pa && pb) << a << " " << b;
    if (!pa || !pb || pa->pixels.size() != pb->pixels.size())
        return 1.0;
    size_t differ = 0;
    const size_t start = static_cast<size_t>(top) * pa->width * pa->channels;
    for (size_t i = start; i + 2 < pa->pixels.size(); i += static_cast<size_t>(pa->channels)) {
        if (std::abs(pa->pixels[i] - pb->pixels[i]) +
                std::abs(pa->pixels[i + 1] - pb->pixels[i + 1]) +
                std::abs(pa->pixels[i + 2] - pb->pixels[i + 2]) >
            24)
            ++differ;
    }
    return static_cast<double>(differ) /
           static_cast<double>((pa->pixels.size() - start) / pa->channels);
}

TEST_F(SampleGameEndToEnd, AQuickSaveLoadedInALaterRunBringsBackTheSceneItsPageAndItsMusic) {
    // Each run has a program folder of its own around the converted data:
    // its settings (the centre key saves, then loads) and its saves.
    std::filesystem::create_directory_symlink(data_->file("1"), run.file("1"));
    const auto settings = [&](int centreKey) {
        std::ofstream(run.file("marlitpc.cfg"))
            << "[SYSTEM_CONFIG]\r\nKEY_CEN_CTRL=" << centreKey
            << "\r\n[MUSIC_CONFIG]\r\nPCM=2\r\n[VOICE_CONFIG]\r\nVOICE_PLAY=2\r\n"
               "[SE_CONFIG]\r\nSE_PLAY=2\r\n";
    };
    const auto playHere = [&](const std::string& label, int frames, const std::string& input,
                              int shotAt, const std::string& name) {
        std::ofstream(run.file("input.txt")) << input;
        const auto r = test::runProgram(
            test::programPath("marlit"),
            {"--headless", "--dir", run.path().string(), "--script", label, "--frames",
             std::to_string(frames), "--input", run.file("input.txt"), "--shots", run.file(name),
             "--shot-at", std::to_string(shotAt), "--dump-state", run.file(name + ".json"),
             "--audio-out", run.file(name + ".wav")});
        EXPECT_EQ(r.exitCode, 0) << r.err;
    };
    // The first run reads on to 小夜's first line at the beach (music 04,
    // the waves looping) and saves at its page wait.
    settings(4);
    playHere("0224a_f01", 560,
             "2000 tap 160 120\n2050 release\n4000 tap 160 120\n4050 release\n"
             "7000 press start\n8500 quit\n",
             400, "saved");
    ASSERT_TRUE(std::filesystem::exists(run.file("save001.dat")));
    const std::string saved = test::readFileText(run.file("saved.json"));
    EXPECT_NE(saved.find("\"music\":\"04.mp3\""), std::string::npos) << saved;

    // The second run starts a new game (music 06, the sky) and loads the
    // save at its first page wait.
    settings(5);
    playHere("0223a_f01", 700, "6000 press start\n11000 quit\n", 650, "loaded");
    const std::string loaded = test::readFileText(run.file("loaded.json"));
    for (const char* part :
         {"\"script\":\"0224a_f01\"", "\"music\":\"04.mp3\"", "\"speaker\":\"小夜\"",
          "\"text\":\"小夜\\n「……こんにちは。\\nこのあたりの人じゃ、ないですよね」\""}) {
        EXPECT_NE(loaded.find(part), std::string::npos) << part << "\n" << loaded;
    }
    // The screen a reader sees after the load is the one of the save: the
    // window with the page, the characters, the beach. Only the place
    // caption at the top, which a load does not show again, and the
    // page-wait mark's blink may differ.
    EXPECT_LT(
        differingShare(run.file("saved/frame_000400.png"), run.file("loaded/frame_000650.png"), 24),
        0.01);
    // And the beach is heard again: music after the load, as loud as it was.
    auto before = test::readWav(run.file("saved.wav"));
    auto after = test::readWav(run.file("loaded.wav"));
    ASSERT_TRUE(before && after);
    const auto rms = [](const test::Pcm& pcm, double from, double to) {
        const auto left = test::leftChannel(pcm);
        double sum = 0;
        size_t n = 0;
        for (size_t i = static_cast<size_t>(from * pcm.rate);
             i < static_cast<size_t>(to * pcm.rate) && i < left.size(); ++i, ++n)
            sum += static_cast<double>(left[i]) * left[i];
        return n ? std::sqrt(sum / static_cast<double>(n)) : 0.0;
    };
    const double savedLevel = rms(*before, 5.0, 6.5);
    const double loadedLevel = rms(*after, 8.0, 9.5);
    EXPECT_GT(savedLevel, 300);
    EXPECT_NEAR(loadedLevel, savedLevel, savedLevel * 0.5);
}

}  // namespace
}  // namespace marlit
