// The trace lines and the state dump.
#include "player/scenario/scenario_report.h"

#include "formats/mes_command_text.h"
#include "tests/player/scenario/scenario_fixture.h"

namespace marlit::test {
namespace {

using Report = ScenarioTest;

TEST_F(Report, TraceLinesComeFromTheCommandTable) {
    std::vector<std::string> lines;
    engine.trace = [&](const TraceEntry& e) { lines.push_back(traceLine(e)); };
    ScriptBuilder s;
    s.word(5, 12, 1)
        .quad('X', 1, 2, 65535, 4)
        .text('.', "BG\\umi\x01")
        .raw({'K', 4, 0, 0})
        .word(7, 0, 0);
    play(s);
    frame = 41;
    step();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "42 test 0 se 12 1");
    EXPECT_EQ(lines[1], "42 test 3 var 1 2 65535 4");
    // Every line is the command as the disassembler prints it.
    auto parsed = MesScript::parse(s.bytes());
    ASSERT_TRUE(parsed);
    const uint32_t positions[] = {0, 3, 12, 21, 25};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(lines[i], "42 test " + std::to_string(positions[i]) + " " +
                                commandText(*parsed, positions[i]));
    }
    EXPECT_NE(lines[2].find("background"), std::string::npos) << lines[2];
    EXPECT_NE(lines[3].find("speaker player"), std::string::npos) << lines[3];
}

TEST_F(Report, TheStateDumpHoldsTheAgreedKeys) {
    ScriptBuilder s;
    s.text('.', "BG\\umi_01")
        .text('3', "CHR\\duzo_12")
        .quad('X', 0, 3, 65535, 0)
        .quad('X', 200, 1, 7, 0)
        .word(6, 4, 0)
        .text('5', "VOICE\\a.x")
        .word(7, 0, 0);
    play(s, {"AdvData\\grp\\BG\\umi_01.rbp", "AdvData\\grp\\CHR\\duzo_12.rbp"});
    step();
    step();
    const std::string json = scenarioStateJson(engine, 77);
    for (const char* key :
         {"\"frames\":77",
          "\"mode\":99",
          "\"substate\":0",
          "\"script\":\"test\"",
          "\"position\":",
          "\"repeat\":",
          "\"condition\":0",
          "\"message\":0",
          "\"day_end_selector\":0",
          "\"ending\":0",
          "\"3\":-1",
          "\"51201\":7",
          "\"2304\":2",
          "\"background\":[0,0]",
          "\"shake\":[0,0]",
          "\"petals\":{\"kind\":0,\"period\":20,\"alive\":0}",
          "\"caption\":{\"place\":5",
          "\"choice\":{\"pending\":0,\"count\":0,\"last\":0",
          "\"texts\":[\"\",\"\",\"\",\"\"]",
          "\"labels\":[",
          "\"slots\":{\"24\":",
          "\"28\":\"AdvData\\\\grp\\\\BG\\\\umi_01.rbp\"",
          "{\"id\":24,\"slot\":24,\"picture\":\"AdvData\\\\grp\\\\CHR\\\\duzo_12.rbp\",\"x\":0,"
          "\"y\":0,\"layer\":28,\"alpha\":256,\"visible\":true}",
          "\"music\":\"4\"",
          "\"voice\":\"VOICE\\\\a.mp3\""}) {
        EXPECT_NE(json.find(key), std::string::npos) << key << "\n" << json;
    }
    // Sprites in slot order.
    EXPECT_LT(json.find("\"id\":24"), json.find("\"id\":28"));
}

}  // namespace
}  // namespace marlit::test
