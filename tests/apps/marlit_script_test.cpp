// marlit --script, --trace and --dump-state as a user runs them: a new game
// started in a script of the picture pack, one trace line per command run,
// the state as JSON at the end, and a script that cannot run.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "formats/mlz_pack_writer.h"
#include "formats/picture_view.h"
#include "formats/rbp_codec.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> grey(int w, int h) {
    std::vector<uint8_t> bgr(static_cast<size_t>(w) * h * 3, 0x70);
    PictureView v;
    v.width = w;
    v.height = h;
    v.pixels = bgr;
    v.sourceWidth = w;
    v.sourceHeight = h;
    return EncodeRbp(v, 0).value();
}

std::vector<uint8_t> script(std::vector<uint8_t> stream) {
    std::vector<uint8_t> bytes = {0, 0, 0, 0};
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    return bytes;
}

std::vector<uint8_t> text(uint8_t op, const std::string& s) {
    std::vector<uint8_t> out = {op};
    out.insert(out.end(), s.begin(), s.end());
    out.push_back(0);
    return out;
}

std::vector<uint8_t> join(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

class MarlitScript : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir.path() / "1");
        MlzPackWriter w;
        ASSERT_TRUE(w.open((dir.path() / "1" / "grpack.mlz").string()));
        // Background (place 5 of the shipped place table), a variable, then
        // a scroll to where it is: 3 s of waiting.
        ASSERT_TRUE(
            w.add("AdvData\\mes\\0226b_s01.mes", script(join({text('.', "BG\\umi_01"),
                                                              {'X', 0, 0, 1, 0, 0xFF, 0xFF, 0, 0},
                                                              {'^', 0, 0, 0, 0, 0, 0, 0, 0}}))));
        ASSERT_TRUE(
            w.add("AdvData\\mes\\broken.mes", script(join({{'X', 0, 0, 1, 0, 7, 0, 0, 0}, {1}}))));
        ASSERT_TRUE(w.add("AdvData\\grp\\BG\\umi_01.rbp", grey(320, 240)));
        ASSERT_TRUE(w.finish());
    }
    test::ProgramResult marlit(const std::string& label, const std::string& frames) {
        return test::runProgram(
            test::programPath("marlit"),
            {"--headless", "--dir", dir.path().string(), "--script", label, "--frames", frames,
             "--trace", dir.file("trace.txt"), "--dump-state", dir.file("state.json")});
    }
    test::TempDir dir;
};

TEST_F(MarlitScript, StartsInTheScriptAndDumpsTheState) {
    auto r = marlit("0226b_s01", "5");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string state = test::readFileText(dir.file("state.json"));
    for (const char* key :
         {"\"frames\":5", "\"mode\":99", "\"script\":\"0226b_s01\"", "\"position\":20",
          "\"repeat\":5", "\"vars\":{\"1\":-1,\"2304\":2,\"2305\":26,\"2306\":2}",
          "\"slots\":{\"28\":\"AdvData\\\\grp\\\\BG\\\\umi_01.rbp\"", "\"layer\":32",
          "\"caption\":{\"place\":5", "\"music\":\"\"", "\"voice\":\"\""}) {
        EXPECT_NE(state.find(key), std::string::npos) << key << "\n" << state;
    }
    const std::string trace = test::readFileText(dir.file("trace.txt"));
    EXPECT_EQ(
        trace.rfind("0 mode 99\n"
                    "1 0226b_s01 0 background \"BG\\\\umi_01\"\n1 0226b_s01 11 var 0 1 65535 0\n"
                    "1 0226b_s01 20 bg_scroll 0 0 0 0\n2 0226b_s01 20 bg_scroll",
                    0),
        0u)
        << trace;
}

TEST_F(MarlitScript, ABrokenScriptReturnsToTheTitleWithOneLine) {
    auto r = marlit("broken", "3");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("marlit: script broken at position 9: byte 0x01 is not an opcode"),
              std::string::npos)
        << r.err;
    const std::string state = test::readFileText(dir.file("state.json"));
    EXPECT_NE(state.find("\"mode\":0"), std::string::npos) << state;
    EXPECT_NE(state.find("\"script\":\"\""), std::string::npos) << state;
    EXPECT_NE(state.find("\"1\":7"), std::string::npos) << state;
}

TEST_F(MarlitScript, AScriptThatIsNotInThePackIsNamed) {
    auto r = marlit("0301a_x01", "3");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("--script 0301a_x01: AdvData\\mes\\0301a_x01.mes is not in the picture "
                         "pack"),
              std::string::npos)
        << r.err;
}

}  // namespace
}  // namespace marlit
