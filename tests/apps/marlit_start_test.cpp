// What marlit and marlit_vga tell a user before and after a run: the data
// set they look for and where, a folder that is no folder, no display, the
// version, wrong options, and the last line of a headless run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "base/version.h"
#include "tests/apps/app_runs.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

using test::run;
using test::writePack;

size_t lines(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

// Sets an environment variable for one scope and puts the old value back.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(MarlitStart, AFolderWithoutTheDataSetNamesWhatWasLookedFor) {
    test::TempDir dir;
    const std::string root = dir.path().string();
    for (auto [program, pack] :
         {std::pair{"marlit", "grpack.mlz"}, {"marlit_vga", "grpack_v.mlz"}}) {
        SCOPED_TRACE(program);
        auto r = run(program, {"--dir", root, "--headless", "--frames", "5"});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err.rfind(std::string(program) + ": no data set in " + root, 0), 0u) << r.err;
        EXPECT_NE(r.err.find(root + "/1/" + pack + " is missing"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--out " + root + "/1"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    // Without --headless the data set is checked first, display or not.
    auto r = run("marlit", {"--dir", root});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no data set"), std::string::npos) << r.err;
}

TEST(MarlitStart, ADataSetOneLevelOffIsNamed) {
    test::TempDir dir;
    const fs::path root = dir.path();
    // Converted straight into the program folder.
    writePack(root / "up" / "grpack.mlz");
    auto r = run("marlit", {"--dir", (root / "up").string(), "--headless", "--frames", "5"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find((root / "up" / "grpack.mlz").string() + " is there"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("move the converted files into " + (root / "up" / "1").string()),
              std::string::npos)
        << r.err;

    // --dir names the data folder itself.
    writePack(root / "game" / "1" / "grpack.mlz");
    r = run("marlit",
            {"--dir", (root / "game" / "1").string() + "/", "--headless", "--frames", "5"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("run with --dir " + (root / "game").string()), std::string::npos) << r.err;

    // The other screen size's data set.
    r = run("marlit_vga", {"--dir", (root / "game").string(), "--headless", "--frames", "5"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("that is the 320x240 data set, which marlit plays"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("--screen 640x480"), std::string::npos) << r.err;
}

TEST(MarlitStart, APackThatIsNoPackIsRefused) {
    test::TempDir dir;
    fs::create_directories(dir.path() / "1");
    std::ofstream(dir.file("1/grpack.mlz")) << "not a pack";
    auto r = run("marlit", {"--dir", dir.path().string(), "--headless", "--frames", "5"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(dir.file("1/grpack.mlz") + " is not a readable pack"), std::string::npos)
        << r.err;
}

TEST(MarlitStart, AHeadlessRunEndsWithWhatItRanAndWrote) {
    test::TempDir dir;
    writePack(dir.path() / "1" / "grpack.mlz");
    auto r = run("marlit", {"--dir", dir.path().string(), "--headless", "--frames", "30", "--shots",
                            dir.file("shots"), "--shot-at", "10,20", "--device-shots"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "ran 30 frames headless (0.48 s); wrote 4 pictures into " + dir.file("shots") + "\n");
    EXPECT_TRUE(fs::exists(dir.file("shots/device_000020.png")));

    r = run("marlit", {"--dir", dir.path().string(), "--headless", "--frames", "7", "--audio-out",
                       dir.file("a.wav")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "ran 7 frames headless (0.11 s); wrote the sound into " + dir.file("a.wav") + "\n");
    EXPECT_TRUE(fs::exists(dir.file("a.wav")));

    std::ofstream(dir.file("quit.txt")) << "100 quit\n";
    r = run("marlit",
            {"--dir", dir.path().string(), "--headless", "--input", dir.file("quit.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("ran 6 frames headless", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("wrote nothing"), std::string::npos) << r.out;
}

TEST(MarlitStart, NoDisplayWithoutHeadlessFails) {
    test::TempDir dir;
    writePack(dir.path() / "1" / "grpack.mlz");
    writePack(dir.path() / "1" / "grpack_v.mlz");
    ScopedEnv display("DISPLAY", nullptr);
    ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    for (const char* program : {"marlit", "marlit_vga"}) {
        auto r = run(program, {"--dir", dir.path().string()});
        EXPECT_EQ(r.exitCode, 1) << program;
        // Our line is the last; the system's libraries may say more before it.
        std::string last = r.err.substr(r.err.rfind('\n', r.err.size() - 2) + 1);
        EXPECT_EQ(last.rfind(std::string(program) + ": no display to open a window on", 0), 0u)
            << r.err;
        EXPECT_NE(r.err.find("run with --headless"), std::string::npos) << r.err;
    }
}

TEST(MarlitStart, FoldersVersionsAndWrongOptions) {
    test::TempDir dir;
    std::ofstream(dir.file("file.txt")) << "x";
    auto r = run("marlit_vga", {"--dir", dir.file("file.txt"), "--headless", "--frames", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err.rfind("marlit_vga: " + dir.file("file.txt") + " is a file, not a folder", 0),
              0u)
        << r.err;
    r = run("marlit", {"--dir", dir.file("nowhere"), "--headless", "--frames", "1"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("no such folder"), std::string::npos) << r.err;

    for (const char* program : {"marlit", "marlit_vga"}) {
        r = run(program, {"--version"});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.out, std::string(program) + " " + std::string(projectVersion()) + "\n");

        // One line that points to --help, not the whole usage.
        r = run(program, {"--bogus"});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.err,
                  std::string(program) + ": unknown option --bogus (see " + program + " --help)\n");
        r = run(program, {"--headless", "--dir", dir.path().string()});
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(lines(r.err), 1u) << r.err;
        EXPECT_NE(r.err.find("needs --frames"), std::string::npos) << r.err;
    }
}

TEST(MarlitStart, TheSeedIsAWholeNumber) {
    test::TempDir dir;
    for (const char* bad : {"x", "-1", "4294967296"}) {
        auto r = run("marlit", {"--headless", "--frames", "1", "--seed", bad});
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_NE(r.err.find("--seed takes a whole number"), std::string::npos) << r.err;
    }
    auto r = run("marlit", {"--help"});
    EXPECT_NE(r.out.find("--seed N"), std::string::npos);
}

}  // namespace
}  // namespace marlit
