// Where the folder keys of marlitpc.cfg point, and where saves go when the
// save folder cannot take them.
#include "player/persist/data_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "base/files.h"
#include "player/persist/config_cache.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

constexpr const char* P = "\\Program Files\\marlit\\";

TEST(DataPath, RelativeValuesHangFromTheProgramFolder) {
    EXPECT_EQ(ResolveDataPath("", P), P);
    EXPECT_EQ(ResolveDataPath("1\\grpack.mlz", P), "\\Program Files\\marlit\\1\\grpack.mlz");
    EXPECT_EQ(ResolveDataPath(".\\1\\", P), "\\Program Files\\marlit\\1\\");
    EXPECT_EQ(ResolveDataPath("..\\data\\grpack.mlz", P), "\\Program Files\\data\\grpack.mlz");
    EXPECT_EQ(ResolveDataPath("a\\..\\..\\b\\", P), "\\Program Files\\b\\");
    EXPECT_EQ(ResolveDataPath("..", P), "\\Program Files\\");
    // Never above the root.
    EXPECT_EQ(ResolveDataPath("..\\..\\..\\..\\x.mlz", P), "\\x.mlz");
    // "/" is a separator too on this system.
    EXPECT_EQ(ResolveDataPath("../data/grpack.mlz", P), "\\Program Files\\data\\grpack.mlz");
    // A "\" that is the second byte of a double-byte character (表 is
    // 0x95 0x5C) is no separator: ".." after it is part of the name.
    EXPECT_EQ(ResolveDataPath("\x95\x5c..\\x", P), "\\Program Files\\marlit\\\x95\x5c..\\x");
}

TEST(DataPath, AbsoluteValuesStandAsTheyAre) {
    EXPECT_EQ(ResolveDataPath("\\Storage Card\\save\\", P), "\\Storage Card\\save\\");
    EXPECT_EQ(ResolveDataPath("\\a\\..\\b", P), "\\a\\..\\b");
    EXPECT_EQ(ResolveDataPath("/media/card/grpack.mlz", P), "\\media\\card\\grpack.mlz");
    // A drive names the root.
    EXPECT_EQ(ResolveDataPath("C:\\data\\voice.mlz", P), "\\data\\voice.mlz");
    EXPECT_EQ(ResolveDataPath("C:save", P), "\\save");
}

TEST(DataPath, TheLargeScreenPackNameChangesOnlyTheFileName) {
    EXPECT_EQ(vgaPackPath("\\g\\1\\grpack.mlz"), "\\g\\1\\grpack_v.mlz");
    EXPECT_EQ(vgaPackPath("\\g.v2\\pack"), "\\g.v2\\pack_v.mlz");
    EXPECT_EQ(vgaPackPath("\\g\\a.b.mlz"), "\\g\\a.b_v.mlz");
    EXPECT_EQ(vgaPackPath("grpack"), "grpack_v.mlz");
    EXPECT_EQ(vgaPackPath("\\g\\loose\\"), "\\g\\loose\\") << "a folder of loose pictures";
}

struct PathRig {
    test::TempDir dir;
    std::string cfg = dir.file("marlitpc.cfg");
    ConfigCache cache;

    DataPaths read(const std::string& text, bool vga) {
        EXPECT_TRUE(writeHostFileAtomic(
            cfg, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())));
        cache.clear();
        DataPaths paths = DataPaths::defaults(P, vga);
        readDataPaths(cache, cfg, P, vga, paths);
        return paths;
    }
};

TEST(DataPath, FolderKeysReplaceTheStartUpPlaces) {
    PathRig r;
    DataPaths p = r.read(
        "[HXRT_INST_DIR]\r\nGDATA=1\\grpack.mlz\r\nVDATA=..\\v\\voice.mlz\r\nSEDATA=se\r\n"
        "MDATA=\\music\\\r\nSAVEDATA=\\Storage Card\\save\\\r\nMOVDATA=\r\n",
        true);
    EXPECT_EQ(p.picturePack, "\\Program Files\\marlit\\1\\grpack_v.mlz");
    EXPECT_EQ(p.picturePack2, p.picturePack);
    EXPECT_EQ(p.voicePack, "\\Program Files\\v\\voice.mlz");
    EXPECT_EQ(p.soundEffectFolder, "\\Program Files\\marlit\\se\\") << "a folder ends with \\";
    EXPECT_EQ(p.musicFolder, "\\music\\");
    EXPECT_EQ(p.saveFolder, "\\Storage Card\\save\\");
    EXPECT_EQ(p.movieFolder, P) << "an empty value keeps the start-up place";

    p = r.read("[HXRT_INST_DIR]\r\nGDATA=1\\grpack.mlz\r\n", false);
    EXPECT_EQ(p.picturePack, "\\Program Files\\marlit\\1\\grpack.mlz");
}

TEST(DataPath, AbsentKeysKeepTheStartUpPlaces) {
    for (bool vga : {false, true}) {
        PathRig r;
        const DataPaths p = r.read("[HXRT_INST_DIR]\r\nMDATA=m\\\r\n", vga);
        const DataPaths defaults = DataPaths::defaults(P, vga);
        EXPECT_EQ(p.picturePack, defaults.picturePack) << "not renamed a second time";
        EXPECT_EQ(p.voicePack, defaults.voicePack);
        EXPECT_EQ(p.soundEffectFolder, defaults.soundEffectFolder);
        EXPECT_EQ(p.saveFolder, defaults.saveFolder);
        EXPECT_EQ(p.movieFolder, defaults.movieFolder);
        EXPECT_EQ(p.musicFolder, "\\Program Files\\marlit\\m\\");
    }
    // A value too long for its place keeps the start-up place too.
    PathRig r;
    const DataPaths p = r.read("[HXRT_INST_DIR]\r\nVDATA=" + std::string(128, 'v') + "\r\n", false);
    EXPECT_EQ(p.voicePack, DataPaths::defaults(P, false).voicePack);
}

// The host folder as the player's system path ("\" between the parts).
std::string systemFolder(const std::filesystem::path& host) {
    std::string s = host.string();
    for (char& c : s) {
        if (c == '/')
            c = '\\';
    }
    return s + "\\";
}

TEST(DataPath, SavesGoToThePerUserFolderWhenTheSaveFolderCannotTakeThem) {
    test::TempDir dir;
    const std::string home = dir.file("xdg");
    const char* oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string keptXdg = oldXdg ? oldXdg : "";
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    std::filesystem::create_directories(dir.path() / "game");
    const std::string program = systemFolder(dir.path() / "game");

    std::vector<std::string> said;
    auto report = [&said](const std::string& text) { said.push_back(text); };
    DataPaths paths = DataPaths::defaults(program, false);
    EXPECT_TRUE(settleSaveFolder(paths, program, report));
    EXPECT_TRUE(said.empty()) << "the program folder can be written";
    EXPECT_EQ(paths.saveFolder, program);

    paths.saveFolder = "\\Storage Card\\save\\";
    EXPECT_TRUE(settleSaveFolder(paths, program, report));
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("the save folder /Storage Card/save does not exist"), std::string::npos)
        << said[0];
    EXPECT_NE(said[0].find(home + "/marlit/game instead"), std::string::npos) << said[0];
    EXPECT_EQ(paths.saveFolder, systemFolder(std::filesystem::path(home) / "marlit" / "game"));
    EXPECT_TRUE(std::filesystem::is_directory(home + "/marlit/game"));

    // A file where the folder should be; and without XDG_DATA_HOME, HOME.
    ::unsetenv("XDG_DATA_HOME");
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", dir.path().c_str(), 1);
    ASSERT_TRUE(writeHostFileAtomic(dir.file("afile"), std::vector<uint8_t>{1}));
    paths.saveFolder = systemFolder(dir.path() / "afile");
    said.clear();
    EXPECT_TRUE(settleSaveFolder(paths, program, report));
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("is not a folder"), std::string::npos) << said[0];
    EXPECT_EQ(paths.saveFolder, systemFolder(dir.path() / ".local" / "share" / "marlit" / "game"));
    ::setenv("HOME", oldHome.c_str(), 1);
    if (!keptXdg.empty())
        ::setenv("XDG_DATA_HOME", keptXdg.c_str(), 1);
}

}  // namespace
}  // namespace marlit
