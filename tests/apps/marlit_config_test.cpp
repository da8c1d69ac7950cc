// marlit and marlitpc.cfg as a user meets them: the file is written when
// the player ends, a pack named by GDATA is played instead of the folder
// "1", and a save folder that cannot be had is named once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "tests/apps/app_runs.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

using test::run;
using test::writePack;

TEST(MarlitConfig, APackNamedByGdataIsPlayedAndTheSettingsAreWrittenBack) {
    test::TempDir dir;
    const fs::path play = dir.path() / "play";
    fs::create_directories(play);
    writePack(dir.path() / "data" / "alt_v.mlz");
    std::ofstream(play / "marlitpc.cfg") << "[HXRT_INST_DIR]\nGDATA=..\\data\\alt.mlz\n"
                                            "[SYSTEM_CONFIG]\nKEY_CEN_CTRL=-3\n";
    auto r = run("marlit_vga", {"--dir", play.string(), "--headless", "--frames", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string written = test::readFileText((play / "marlitpc.cfg").string());
    EXPECT_EQ(written.rfind("[HXRT_INST_DIR]\r\nGDATA=..\\data\\alt.mlz\r\n[SYSTEM_CONFIG]\r\n", 0),
              0u)
        << written;
    EXPECT_NE(written.find("KEY_CEN_CTRL=-3\r\n"), std::string::npos) << written;

    // A GDATA that names nothing is said as such; the 320 x 240 build looks
    // for alt.mlz.
    r = run("marlit", {"--dir", play.string(), "--headless", "--frames", "3"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find((dir.path() / "data" / "alt.mlz").string() + " is missing: GDATA in " +
                         (play / "marlitpc.cfg").string()),
              std::string::npos)
        << r.err;
}

TEST(MarlitConfig, ASaveFolderThatCannotBeHadIsNamedOnce) {
    test::TempDir dir;
    writePack(dir.path() / "1" / "grpack.mlz");
    std::ofstream(dir.file("marlitpc.cfg"))
        << "[HXRT_INST_DIR]\r\nSAVEDATA=\\Storage Card\\save\\\r\n";
    const char* old = std::getenv("XDG_DATA_HOME");
    const std::string kept = old ? old : "";
    ::setenv("XDG_DATA_HOME", dir.file("xdg").c_str(), 1);
    auto r = run("marlit", {"--dir", dir.path().string(), "--headless", "--frames", "3"});
    if (kept.empty())
        ::unsetenv("XDG_DATA_HOME");
    else
        ::setenv("XDG_DATA_HOME", kept.c_str(), 1);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "marlit: the save folder /Storage Card/save does not exist; saving in " +
                         dir.file("xdg") + "/marlit/" + dir.path().filename().string() +
                         " instead (SAVEDATA in marlitpc.cfg names it)\n");
    EXPECT_TRUE(fs::is_directory(dir.file("xdg") + "/marlit/" + dir.path().filename().string()));
}

}  // namespace
}  // namespace marlit
