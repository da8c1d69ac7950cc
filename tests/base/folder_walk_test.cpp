#include "base/folder_walk.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

namespace fs = std::filesystem;

void touch(const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
}

struct Seen {
    std::vector<std::string> files;
    std::vector<std::string> unreadable;
};

Seen walk(const fs::path& root, bool* listed = nullptr) {
    Seen seen;
    FolderVisitor v;
    v.file = [&](const std::string& folder, const std::string& name) {
        seen.files.push_back(folder.empty() ? name : folder + "/" + name);
    };
    v.unreadable = [&](const std::string& folder, const std::string& why) {
        seen.unreadable.push_back(folder + ": " + why);
    };
    const bool ok = walkFolder(root.string(), v);
    if (listed)
        *listed = ok;
    return seen;
}

// Files of a folder come before its sub-folders, each sorted by name.
TEST(FolderWalk, ListsRegularFilesInAFixedOrder) {
    test::TempDir dir;
    touch(dir.path() / "b" / "2");
    touch(dir.path() / "b" / "1");
    touch(dir.path() / "a" / "x");
    touch(dir.path() / "z");
    touch(dir.path() / "c");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(walk(dir.path()).files, (std::vector<std::string>{"c", "z", "a/x", "b/1", "b/2"}));
}

// Links to folders are followed, but no folder is entered twice: links to
// the folder itself or to one above end instead of going round for ever.
TEST(FolderWalk, NeverEntersAFolderTwice) {
    test::TempDir dir;
    const fs::path game = dir.path() / "game";
    touch(game / "bgm" / "01.pcm");
    touch(dir.path() / "outside" / "o.txt");
    fs::create_directory_symlink(".", game / "a");
    fs::create_directory_symlink(".", game / "b");
    fs::create_directory_symlink("..", game / "bgm" / "up");
    fs::create_directory_symlink("../outside", game / "more");
    fs::create_directory_symlink("bgm", game / "same");
    bool listed = false;
    const Seen seen = walk(game, &listed);
    EXPECT_TRUE(listed);
    EXPECT_EQ(seen.files, (std::vector<std::string>{"bgm/01.pcm", "more/o.txt"}));
}

TEST(FolderWalk, ReportsWhatCannotBeListed) {
    test::TempDir dir;
    bool listed = true;
    const Seen seen = walk(dir.path() / "none", &listed);
    EXPECT_FALSE(listed);
    EXPECT_EQ(seen.unreadable, (std::vector<std::string>{".: No such file or directory"}));
}

}  // namespace
}  // namespace marlit
