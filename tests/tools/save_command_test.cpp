// marlit-tool save as a user (or another suite) runs it: a slot file's
// record as text and its thumbnail as a picture.
#include <gtest/gtest.h>

#include "base/encoding.h"
#include "base/files.h"
#include "base/png.h"
#include "player/persist/save_record.h"
#include "player/persist/save_thumbnail.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

std::vector<uint8_t> slotFile() {
    SaveRecord r;
    r.date = "2005-03-05 21:07:33";
    r.summary = *utf8ToSjis("2月26日(火)");
    r.label = "0226a_n01";
    r.mode = 99;
    r.position = 321;
    r.message = 4;
    r.storyVars[1] = 1;
    r.storyVars[9 * 256 + 2] = -2;
    auto bytes = encodeSaveRecord(r);
    std::vector<uint8_t> screen(320 * 240 * 3, 0);
    for (size_t i = 0; i < screen.size(); i += 3)
        screen[i + 1] = 255;  // green
    const auto thumb = makeThumbnail({screen.data(), 320, 240, 960}, {80, 60});
    bytes.insert(bytes.end(), thumb.begin(), thumb.end());
    return bytes;
}

TEST(SaveCommand, InfoPrintsTheRecord) {
    test::TempDir dir;
    const std::string file = dir.file("save001.dat");
    ASSERT_TRUE(writeHostFileAtomic(file, slotFile()));
    auto r = tool({"save", "info", file});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "magic: HXR1\ndate: 2005-03-05 21:07:33\nsummary: 2月26日(火)\nlabel: 0226a_n01\n"
              "mode: 99\nposition: 321\nmessage: 4\nvariables:\n0 1 1\n9 2 -2\n");

    auto bad = slotFile();
    bad[3] = '0';
    ASSERT_TRUE(writeHostFileAtomic(file, bad));
    r = tool({"save", "info", file});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(file + " is not a save"), std::string::npos) << r.err;
    EXPECT_EQ(tool({"save", "info"}).exitCode, 2);
}

TEST(SaveCommand, ThumbWritesThePicture) {
    test::TempDir dir;
    const std::string file = dir.file("save001.dat");
    ASSERT_TRUE(writeHostFileAtomic(file, slotFile()));
    auto r = tool({"save", "thumb", file, dir.file("t.png")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto png = readPng(dir.file("t.png"));
    ASSERT_TRUE(png);
    EXPECT_EQ(png->width, 80);
    EXPECT_EQ(png->height, 60);
    EXPECT_EQ(png->pixels[1], 255);
    EXPECT_EQ(png->pixels[0], 0);

    auto cut = slotFile();
    cut.resize(48180 + 100);
    ASSERT_TRUE(writeHostFileAtomic(file, cut));
    r = tool({"save", "thumb", file, dir.file("u.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("run past the end"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace marlit
