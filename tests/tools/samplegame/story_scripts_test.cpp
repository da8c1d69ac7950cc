// The story's scripts (tools/samplegame/scripts/): they survive the trip
// through the text form, use every command the player runs, and name only
// pictures, sounds and voices that mksample writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#include "converter/voice_archive.h"
#include "tests/support/file_bytes.h"
#include "tests/support/run_program.h"
#include "tests/tools/samplegame/sample_folder.h"
#include "tools/mes/mes_text_form.h"
#include "tools/samplegame/catalogue.h"
#include "tools/samplegame/story_scripts.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

std::map<std::string, MesScript> storyScripts() {
    std::vector<sample::AssembledScript> assembled;
    std::string error;
    EXPECT_TRUE(sample::assembleStory(assembled, &error)) << error;
    std::map<std::string, MesScript> out;
    for (auto& a : assembled)
        out.emplace(a.label, *MesScript::parse(a.bytes));
    return out;
}

// Calls f(position, opcode) for every command of a script.
template <typename F>
void eachCommand(const MesScript& script, F f) {
    uint32_t position = 0;
    while (position < script.stream().size()) {
        auto next = script.nextCommand(position);
        ASSERT_TRUE(next);
        f(position, script.byteAt(position));
        position = *next;
    }
}

TEST(StoryScripts, SurviveTheTripThroughTheTextForm) {
    const auto scripts = storyScripts();
    ASSERT_FALSE(scripts.empty());
    for (const auto& [label, script] : scripts) {
        const Disassembly text = disassembleScript(script, false);
        ASSERT_FALSE(text.fault) << label << ": " << text.fault->what;
        AssemblyError why;
        auto again = assembleScript(text.text, &why);
        ASSERT_TRUE(again) << label << " line " << why.line << ": " << why.what;
        const auto file = script.fileBytes();
        EXPECT_TRUE(std::equal(again->begin(), again->end(), file.begin(), file.end())) << label;
    }
    // Every scene the story plan, the galleries and the schedule name.
    std::set<std::string> wanted = {
        "0223a_f01", "0224a_f01", "0224d_f02", "0225a_f01", "0225c_n01", "0225c_s01", "0225c_ns01",
        "0225c_x01", "0307a_f01", "0307b_n01", "0307b_s01", "0310a_ned", "all_end"};
    for (int h = 0; h < 2; ++h) {
        for (const auto& scene : sample::scenesOf(h))
            wanted.insert(scene.script);
    }
    for (const std::string& label : wanted)
        EXPECT_TRUE(scripts.count(label)) << label << " has no script";
}

TEST(StoryScripts, UseEveryCommandThePlayerRuns) {
    std::set<int> opcodes;
    std::set<int> windows;
    std::set<std::string> jumps;
    bool playerSpeaker = false;
    bool loopingEffect = false;
    bool effectStop = false;
    std::set<int> selectors;
    std::set<int> petalKinds;
    for (const auto& [label, script] : storyScripts()) {
        eachCommand(script, [&](uint32_t at, uint8_t op) {
            opcodes.insert(op);
            const uint8_t b1 = script.byteAt(at + 1);
            if (op == 13)
                windows.insert(b1);
            if (op == 4)
                selectors.insert(b1);
            if (op == '+')
                petalKinds.insert(b1);
            if (op == 5) {
                loopingEffect |= b1 != 255 && script.byteAt(at + 2) != 0;
                effectStop |= b1 == 255;
            }
            if (op == 'K')
                playerSpeaker |= b1 == 0x04;
            if (op == '6')
                jumps.insert(std::string(script.stringOperand(at)));
        });
    }
    for (int op : std::initializer_list<int>{2,   3,   4,   5,   6,   7,   8,   9,   13,  17,
                                             27,  31,  '+', '.', '2', '3', '4', '5', '6', ';',
                                             'E', 'F', 'K', 'L', 'M', 'X', 'Y', '[', '^', '`'}) {
        EXPECT_TRUE(opcodes.count(op)) << "opcode " << op << " is not used";
    }
    EXPECT_EQ(windows, (std::set<int>{0, 1, 4, 6}));
    EXPECT_TRUE(playerSpeaker);
    EXPECT_TRUE(loopingEffect);
    EXPECT_TRUE(effectStop);
    // The map (below 9) and the day-change screen (9).
    EXPECT_TRUE(selectors.count(0) && selectors.count(9));
    EXPECT_EQ(petalKinds, (std::set<int>{0, 1, 4}));
    for (const char* special : {"roll_n", "roll_s", "staff", "main"})
        EXPECT_TRUE(jumps.count(special)) << special;
}

TEST(StoryScripts, NameOnlyWhatTheGameHas) {
    const std::string& game = test::smallSampleFolder();
    std::string error;
    auto archive = VoiceArchive::open(game + "/voice.dat", &error);
    ASSERT_TRUE(archive) << error;
    std::set<std::string> clips;
    for (const VoiceClip& c : archive->clips())
        clips.insert(c.name);
    const std::string places =
        test::readFileText(std::string(MARLIT_SOURCE_DIR) + "/data/places.txt");
    std::vector<sample::AssembledScript> assembled;
    ASSERT_TRUE(sample::assembleStory(assembled, &error)) << error;
    size_t checked = 0;
    for (const auto& a : assembled) {
        // The script as mksample wrote it.
        EXPECT_EQ(test::readFileBytes(game + "/AdvData/mes/" + a.label + ".mes"), a.bytes)
            << a.label;
        const MesScript script = *MesScript::parse(a.bytes);
        eachCommand(script, [&](uint32_t at, uint8_t op) {
            std::string name(script.stringOperand(at));
            std::string file;
            char number[16];
            if ((op == '.' || op == '3' || op == '4' || op == 'F') && name != "-" &&
                !name.empty()) {
                std::replace(name.begin(), name.end(), '\\', '/');
                file = game + "/AdvData/GRP/" + name + ".crx";
            } else if (op == 6 && script.byteAt(at + 1) != 255) {
                std::snprintf(number, sizeof number, "%02d", script.byteAt(at + 1));
                file = game + "/AdvData/BGM/" + number + ".pcm";
            } else if (op == 5 && script.byteAt(at + 1) != 255) {
                std::snprintf(number, sizeof number, "%03d", script.byteAt(at + 1));
                file = game + "/AdvData/SE/" + number + ".pcm";
            } else if (op == '5') {
                // "VOICE\DUZ\duz0001" is the clip "DUZ\duz0001.pcm".
                ASSERT_EQ(name.rfind("VOICE\\", 0), 0u) << a.label << ": " << name;
                EXPECT_TRUE(clips.count(name.substr(6) + ".pcm")) << a.label << ": " << name;
                ++checked;
                return;
            } else {
                return;
            }
            EXPECT_TRUE(fs::exists(file)) << a.label << " at " << at << ": " << file;
            ++checked;
            // A place's background has its caption row.
            if (op == '.') {
                for (const auto& place : sample::places()) {
                    if (name == std::string("BG/") + place.background) {
                        EXPECT_NE(places.find("AdvData\\GRP\\BG\\" + std::string(place.background) +
                                              ".rbp"),
                                  std::string::npos)
                            << place.background;
                    }
                }
            }
        });
    }
    EXPECT_GT(checked, 90u);
}

}  // namespace
}  // namespace marlit
