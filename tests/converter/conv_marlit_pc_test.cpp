// convMarlitPC as a user runs it.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "base/version.h"
#include "tests/apps/child_process.h"
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

    auto r = convert({});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("usage: convMarlitPC [SOURCE]", 0), 0u) << r.err;
    r = convert({"--out", out.string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "convMarlitPC: no game folder given: convMarlitPC SOURCE [options] (see "
              "convMarlitPC --help)\n");

    // The dialog's message as it stands, then what was checked.
    r = convert({game.root() + "/", "--out", out.string(), "--no-sound", "--no-voice"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "convMarlitPC: 『Ｈ．Ｘ．Ｒ．Ｔ．』のフォルダを指定して下さい。\n"
              "convMarlitPC: " +
                  game.root() +
                  "/ holds neither ZERIVAD.exe nor ZUDOVI.exe; SOURCE is the folder where "
                  "the PC game is installed\n");
    EXPECT_TRUE(emptyFolder(out));
    r = convert({dir.file("nowhere"), "--no-sound", "--no-voice"});
    EXPECT_NE(r.err.find(dir.file("nowhere") + ": no such folder"), std::string::npos) << r.err;

    // A wrong value: one line that points to --help.
    r = convert({game.root(), "--quality", "7"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err,
              "convMarlitPC: option --quality takes 0..3, not '7' (see convMarlitPC "
              "--help)\n");
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
    // Not a terminal: plain status lines, never carriage returns, the last
    // one the final count.
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    const std::string status = "変換データ数：";
    size_t last = r.out.rfind(status);
    ASSERT_NE(last, std::string::npos) << r.out;
    std::string line = r.out.substr(last, r.out.find('\n', last) - last);
    int done = -1, total = -2;
    ASSERT_EQ(std::sscanf(line.c_str() + status.size(), "%d / %d", &done, &total), 2) << line;
    EXPECT_EQ(done, total) << line;
    EXPECT_GT(total, 0);
    EXPECT_EQ(line, status + std::to_string(done) + " / " + std::to_string(total));
    // And how to play what was written.
    EXPECT_NE(r.out.find("move these files into " + (out / "1").string() +
                         ", then play: marlit_vga --dir " + out.string()),
              std::string::npos)
        << r.out;
}

// Ctrl-C or SIGTERM in the middle of the picture pack keeps the old pack
// and leaves no temporary one behind.
TEST(ConvMarlitPC, InterruptedConversionLeavesNoTemporaryPack) {
    test::TempDir dir;
    test::GameFolder game((dir.path() / "game").string());
    game.addProgram();
    for (int i = 0; i < 40; ++i)
        game.put("AdvData/GRP/BG/bg" + std::to_string(i) + ".crx",
                 test::crxPicture(800, 600, i, false, false));
    const fs::path out = dir.path() / "out";
    fs::create_directories(out);
    std::ofstream(out / "grpack.mlz") << "the old pack";
    auto temporaries = [&] {
        int n = 0;
        for (const auto& e : fs::directory_iterator(out))
            n += e.path().filename().string().starts_with("grpack.mlz.tmp-");
        return n;
    };
    // Bytes written into the temporary pack: once there are some, the
    // converter is well past making the file (a signal sent the instant
    // the file appears could land before the converter has noted it).
    auto temporaryBytes = [&] {
        std::error_code ec;
        uintmax_t bytes = 0;
        for (const auto& e : fs::directory_iterator(out)) {
            if (e.path().filename().string().starts_with("grpack.mlz.tmp-"))
                bytes += fs::file_size(e.path(), ec);
        }
        return bytes;
    };
    for (int sig : {SIGINT, SIGTERM}) {
        test::ChildProcess converter({test::programPath("convMarlitPC"), game.root(), "--out",
                                      out.string(), "--no-sound", "--no-voice", "--jobs", "1"});
        ASSERT_TRUE(converter.started());
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while ((temporaries() == 0 || temporaryBytes() == 0) && converter.running() &&
               std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(temporaries(), 1) << "the pack was not being written";
        converter.signal(sig);
        EXPECT_EQ(converter.wait(20000), 128 + sig);
        EXPECT_EQ(temporaries(), 0);
        EXPECT_EQ(test::readFileText((out / "grpack.mlz").string()), "the old pack");
    }
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
    EXPECT_EQ(r.err.rfind("convMarlitPC: << libmp3lame >>が見つかりませんでした。\n"
                          "convMarlitPC: the MP3 encoder libmarlit-no-such-encoder.so cannot be "
                          "loaded",
                          0),
              0u)
        << r.err;
    EXPECT_NE(r.err.find("--no-sound --no-voice"), std::string::npos);
    EXPECT_EQ(version.exitCode, 1);
    EXPECT_NE(version.out.find("LAME : not available (libmarlit-no-such-encoder.so"),
              std::string::npos)
        << version.out;
    EXPECT_EQ(picturesOnly.exitCode, 0);
    EXPECT_TRUE(fs::exists(out / "grpack.mlz"));

    auto withEncoder = convert({"--version"});
    EXPECT_EQ(withEncoder.exitCode, 0);
    const std::string first = "convMarlitPC " + std::string(projectVersion()) + "\nLAME : ";
    EXPECT_EQ(withEncoder.out.rfind(first, 0), 0u) << withEncoder.out;
    EXPECT_GT(withEncoder.out.size(), first.size() + 1);
}

TEST(ConvMarlitPC, ConvertedIntoAFolderOneTellsHowToPlay) {
    test::TempDir dir;
    test::GameFolder game((dir.path() / "game").string());
    game.addProgram();
    game.addPictures();
    fs::path out = dir.path() / "play" / "1";
    auto r = convert({game.root(), "--out", out.string(), "--no-sound", "--no-voice"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("\nplay it: marlit --dir " + (dir.path() / "play").string() + "\n"),
              std::string::npos)
        << r.out;
}

}  // namespace
}  // namespace marlit
