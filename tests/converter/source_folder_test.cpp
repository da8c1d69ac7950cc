// The game folder is recognised by its program files, however the folder
// and the file names are spelt.
#include "converter/source_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/converter/game_folder.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

TEST(SourceFolder, FoundByEitherProgramInAnyCaseWithOrWithoutSeparator) {
    test::TempDir dir;
    test::GameFolder first((dir.path() / "first").string());
    first.put("ZERIVAD.exe", {});
    test::GameFolder second((dir.path() / "second").string());
    second.put("zudovi.EXE", {});
    EXPECT_TRUE(isGameFolder(first.root()));
    EXPECT_TRUE(isGameFolder(first.root() + "/"));
    EXPECT_TRUE(isGameFolder(second.root() + "//"));
}

TEST(SourceFolder, OtherFoldersAreNotTheGame) {
    test::TempDir dir;
    test::GameFolder folderNamedLikeTheProgram((dir.path() / "a").string());
    fs::create_directories(fs::path(folderNamedLikeTheProgram.root()) / "ZERIVAD.exe");
    test::GameFolder elsewhere((dir.path() / "b").string());
    elsewhere.put("sub/ZUDOVI.exe", {});
    EXPECT_FALSE(isGameFolder(folderNamedLikeTheProgram.root()));
    EXPECT_FALSE(isGameFolder(elsewhere.root()));
    EXPECT_FALSE(isGameFolder((dir.path() / "missing").string()));
    // An empty folder is not taken for the current one.
    std::error_code ec;
    auto here = fs::current_path(ec);
    fs::current_path(fs::path(elsewhere.root()) / "sub", ec);
    EXPECT_FALSE(isGameFolder(""));
    fs::current_path(here, ec);
}

TEST(SourceFolder, ShownWithoutTrailingSeparators) {
    EXPECT_EQ(withoutTrailingSeparator("/games/hxrt/"), "/games/hxrt");
    EXPECT_EQ(withoutTrailingSeparator("/games/hxrt//"), "/games/hxrt");
    EXPECT_EQ(withoutTrailingSeparator("/games/hxrt"), "/games/hxrt");
    EXPECT_EQ(withoutTrailingSeparator("/"), "/");
    EXPECT_EQ(withoutTrailingSeparator(""), "");
}

}  // namespace
}  // namespace marlit
