#include "converter/source_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/converter/game_folder.h"
#include "tests/support/child_run.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

// Links back to the game folder or above it must not send the scan round
// for ever (the child has 20 seconds), nor list a file twice; FIFOs are no
// files to convert.
TEST(SourceScan, LinksIntoLoopsAreEnteredOnce) {
    test::TempDir dir;
    test::GameFolder game((dir.path() / "game").string());
    game.addSound("bgm/01.pcm");
    game.putText("AdvData/SCRIPT/a.mes", "x");
    const fs::path root = game.root();
    fs::create_directory_symlink(".", root / "a");
    fs::create_directory_symlink(".", root / "b");
    fs::create_directory_symlink("..", root / "bgm" / "up");
    ASSERT_EQ(::mkfifo((root / "bgm" / "02.pcm").c_str(), 0600), 0);
    const int code = test::inChild([&] {
        ::alarm(20);
        ScanCounts counts;
        auto files = ScanFolder(game.root(), counts);
        if (files.size() != 2 || counts.sounds != 1 || counts.scenarios != 1)
            return 1;
        return files[0].folder == "AdvData\\SCRIPT" && files[1].folder == "bgm" ? 0 : 2;
    });
    EXPECT_EQ(code, 0) << "128 + 14: the scan went round in a loop";
}

TEST(SourceScan, UnreadableFoldersAreReportedWithTheReason) {
    test::TempDir dir;
    ScanCounts counts;
    std::vector<UnreadableFolder> unreadable;
    EXPECT_TRUE(ScanFolder(dir.file("none"), counts, &unreadable).empty());
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_EQ(unreadable[0].folder, ".");
    EXPECT_EQ(unreadable[0].why, "No such file or directory");
}

}  // namespace
}  // namespace marlit
