// The whole sample game as a reader plays it, from the logo: the converted
// small game, the player headless with the reader's input of
// tools/samplegame/whole_story.txt (the one make demo plays), and the
// trace of the run. Checked: every screen comes in the order of the story,
// every command the player knows runs at least once, the scripts of 灯's
// route follow one another, the title afterwards knows what was seen, and
// the music is heard where the story plays it. Beside it: runs of the title
// with a given seed repeat themselves.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "formats/mes_script.h"
#include "tests/support/played_sound.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/samplegame/sample_folder.h"

namespace marlit {
namespace {

struct Trace {
    std::vector<std::pair<int, int>> modes;  // (frame, mode) as the game went into it
    std::set<std::string> commands;
    std::map<std::string, int> runs;   // "SCRIPT COMMAND": how often it ran
    std::vector<std::string> scripts;  // in the order they first ran
};

Trace readTrace(const std::string& text) {
    Trace t;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string frame, second, position, command;
        words >> frame >> second >> position;
        if (second == "mode") {
            t.modes.emplace_back(std::stoi(frame), std::stoi(position));
            continue;
        }
        words >> command;
        t.commands.insert(command);
        ++t.runs[second + " " + command];
        if (t.scripts.empty() || t.scripts.back() != second)
            t.scripts.push_back(second);
    }
    return t;
}

class WholeStory : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        run_ = new test::TempDir;
        auto r = test::runProgram(
            test::programPath("convMarlitPC"),
            {test::smallSampleFolder(), "--out", run_->file("1"), "--quality", "2"});
        ASSERT_EQ(r.exitCode, 0) << r.out << r.err;
        r = test::runProgram(
            test::programPath("marlit"),
            {"--headless", "--dir", run_->path().string(), "--input",
             std::string(MARLIT_SOURCE_DIR) + "/tools/samplegame/whole_story.txt", "--frames",
             "20000", "--trace", run_->file("trace.txt"), "--dump-state", run_->file("state.json"),
             "--audio-out", run_->file("run.wav")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        played_ = r.exitCode == 0;
    }
    static void TearDownTestSuite() {
        delete run_;
        run_ = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(played_);
        trace_ = readTrace(test::readFileText(run_->file("trace.txt")));
        ASSERT_FALSE(trace_.modes.empty());
    }
    // The frame at which the game went into `mode` for the `nth` time.
    int frameOf(int mode, int nth = 1) const {
        for (const auto& [frame, m] : trace_.modes) {
            if (m == mode && --nth == 0)
                return frame;
        }
        ADD_FAILURE() << "mode " << mode << " never came";
        return 0;
    }

    static test::TempDir* run_;
    static bool played_;
    Trace trace_;
};

test::TempDir* WholeStory::run_ = nullptr;
bool WholeStory::played_ = false;

TEST_F(WholeStory, EveryScreenComesInTheOrderOfTheStory) {
    // The logo, the title, the opening to the day-change screen, the
    // evening to the map, 灯's scene to her ending sequence, her epilogue,
    // the staff roll, the logo and the title again, then the three extras.
    std::vector<int> modes;
    for (const auto& entry : trace_.modes)
        modes.push_back(entry.second);
    EXPECT_EQ(modes,
              (std::vector<int>{0, 1, 99, 10, 99, 20, 99, 80, 99, 85, 0, 1, 50, 1, 40, 1, 30, 1}));
    EXPECT_EQ(trace_.scripts,
              (std::vector<std::string>{"0223a_f01", "0224a_f01", "0224d_f02", "0225a_f01",
                                        "0225c_n01", "0307a_f01", "0307b_n01", "0310a_ned"}));
    const std::string state = test::readFileText(run_->file("state.json"));
    // At the end the title's menu, with the routes 灯's ending marks as done.
    for (const char* part : {"\"mode\":1,", "\"25600\":1", "\"25612\":1", "\"music\":\"15.mp3\""})
        EXPECT_NE(state.find(part), std::string::npos) << part << "\n" << state;
    EXPECT_EQ(state.find("\"25601\""), std::string::npos) << "小夜's ending was not seen";
    // The day card of 7 March stood its three seconds (a frame each) before
    // the reader tapped on.
    EXPECT_GE(trace_.runs["0307a_f01 day_end"], 180);
}

TEST_F(WholeStory, EveryCommandThePlayerKnowsRunsAtLeastOnce) {
    // The commands named "op_" are those the player steps over.
    size_t known = 0;
    for (const CommandInfo& info : commandTable()) {
        if (info.name.starts_with("op_"))
            continue;
        ++known;
        EXPECT_TRUE(trace_.commands.contains(std::string(info.name))) << info.name;
    }
    EXPECT_GE(known, 30u);
}

TEST_F(WholeStory, TheMusicIsHeardWhereTheStoryPlaysIt) {
    auto wav = test::readWav(run_->file("run.wav"));
    ASSERT_TRUE(wav);
    const auto left = test::leftChannel(*wav);
    const auto levelAt = [&](int frame, double seconds) {
        const size_t begin = static_cast<size_t>(frame) * 16 * wav->rate / 1000;
        return test::levelDb(left, begin, static_cast<size_t>(seconds * wav->rate));
    };
    // The ending's piece, a second in; the staff roll's; the music room's
    // 「約束の桜」 from its tap three seconds in.
    EXPECT_GT(levelAt(frameOf(80) + 60, 3.0), -40.0);
    EXPECT_GT(levelAt(frameOf(85) + 60, 3.0), -40.0);
    EXPECT_GT(levelAt(frameOf(30) + 250, 3.0), -40.0);
    // The day-change screen's own piece.
    EXPECT_GT(levelAt(frameOf(10) + 60, 2.0), -40.0);
}

TEST_F(WholeStory, TheStateOfAnExtraScreenIsInTheDump) {
    // The same reader stopped in the music room, once 「約束の桜」 (piece 8)
    // has been tapped: the cursor on its item (the four buttons come first).
    const auto r = test::runProgram(
        test::programPath("marlit"),
        {"--headless", "--dir", run_->path().string(), "--input",
         std::string(MARLIT_SOURCE_DIR) + "/tools/samplegame/whole_story.txt", "--frames",
         std::to_string(frameOf(30) + 250), "--dump-state", run_->file("room.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string state = test::readFileText(run_->file("room.json"));
    EXPECT_NE(state.find("\"extras\":{\"mode\":30,\"cursor\":11,\"page\":0,\"chosen\":7}"),
              std::string::npos)
        << state;
}

TEST_F(WholeStory, TheSeedChoosesWhoSpeaksOnTheTitleAndTheSameSeedGivesTheSameRun) {
    // The logo and the title to its menu, with the title's greetings: the
    // random numbers choose whether 灯 or 小夜 says them.
    const auto sound = [&](int seed) {
        const std::string wav = run_->file("seed" + std::to_string(seed) + ".wav");
        const auto r =
            test::runProgram(test::programPath("marlit"),
                             {"--headless", "--dir", run_->path().string(), "--frames", "1300",
                              "--seed", std::to_string(seed), "--audio-out", wav});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return test::readFileText(wav);
    };
    std::set<std::string> heard;
    for (int seed = 1; seed <= 6; ++seed) {
        heard.insert(sound(seed));
        ASSERT_GT(heard.rbegin()->size(), 100'000u);
    }
    EXPECT_GE(heard.size(), 2u) << "six seeds, and always the same voice";
    EXPECT_EQ(sound(4), sound(4));
}

}  // namespace
}  // namespace marlit
