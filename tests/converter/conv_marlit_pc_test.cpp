// convMarlitPC as a user runs it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/converter/game_folder.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

test::ProgramResult convert(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("convMarlitPC"), args);
}

bool emptyFolder(const fs::path& p) {
    return !fs::exists(p) || fs::is_empty(p);
}

TEST(ConvMarlitPC, RefusesWhatIsNoGameFolderAndWritesNothing) {
    test::TempDir dir;
    test::GameFolder game((dir.path() / "game").string());
    game.addPictures();
    fs::path out = dir.path() / "out";

    auto r = convert({"--out", out.string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("usage"), std::string::npos);

    r = convert({game.root() + "/", "--out", out.string(), "--no-sound", "--no-voice"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("『Ｈ．Ｘ．Ｒ．Ｔ．』のフォルダを指定して下さい。"), std::string::npos);
    EXPECT_TRUE(emptyFolder(out));

    r = convert({game.root(), "--quality", "7"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("--quality"), std::string::npos);
}

TEST(ConvMarlitPC, ConvertsAndListsWhatFailed) {
    test::TempDir dir;
    test::GameFolder game((dir.path() / "game").string());
    game.addProgram();
    game.addPictures();
    game.put("AdvData/GRP/BG/broken.crx", {9, 9, 9});
    fs::path out = dir.path() / "out";
    auto r = convert({game.root() + "/", "--out", out.string(), "--no-sound", "--no-voice",
                      "--screen", "640x480", "--jobs", "2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(fs::exists(out / "grpack_v.mlz"));
    EXPECT_NE(r.out.find("grpack_v.mlz"), std::string::npos);
    EXPECT_NE(r.out.find("AdvData/GRP/BG/broken.crx"), std::string::npos);
    // Not a terminal: plain status lines, never carriage returns.
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
}

TEST(ConvMarlitPC, MissingEncoderStopsSoundConversionBeforeAnything) {
    test::TempDir dir;
    test::GameFolder game((dir.path() / "game").string());
    game.addProgram();
    game.addPictures();
    fs::path out = dir.path() / "out";
    ::setenv("MARLIT_LAME_LIBRARY", "libmarlit-no-such-encoder.so", 1);
    auto r = convert({game.root(), "--out", out.string()});
    auto version = convert({"--version"});
    auto picturesOnly = convert({game.root(), "--out", out.string(), "--no-sound", "--no-voice"});
    ::unsetenv("MARLIT_LAME_LIBRARY");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("<< libmp3lame >>が見つかりませんでした。"), std::string::npos);
    EXPECT_EQ(version.exitCode, 1);
    EXPECT_EQ(picturesOnly.exitCode, 0);
    EXPECT_TRUE(fs::exists(out / "grpack.mlz"));

    auto withEncoder = convert({"--version"});
    EXPECT_EQ(withEncoder.exitCode, 0);
    EXPECT_EQ(withEncoder.out.rfind("LAME : ", 0), 0u);
}

}  // namespace
}  // namespace marlit
