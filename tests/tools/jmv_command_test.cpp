// marlit-tool jmv as a user runs it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/files.h"
#include "base/png.h"
#include "tests/formats/synthetic_picture.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

// An RGB PNG of a synthetic picture; the seed makes frames differ.
std::string writeFrame(const test::TempDir& dir, const std::string& name, int w, int h,
                       uint32_t seed) {
    PngImage png{w, h, 3, test::syntheticPicture(w, h, 3, seed)};
    std::string path = dir.file(name);
    EXPECT_TRUE(writePng(path, png));
    return path;
}

TEST(JmvCommand, EncodesFramesThatInfoListsAndExtractGivesBack) {
    test::TempDir dir;
    std::vector<std::string> pngs;
    for (uint32_t i = 0; i < 3; ++i)
        pngs.push_back(writeFrame(dir, "f" + std::to_string(i) + ".png", 72, 40, i + 1));
    const std::string movie = dir.file("op.jmv");
    std::vector<std::string> args = {"jmv", "encode", movie, "--fps", "12", "--quality", "100"};
    args.insert(args.end(), pngs.begin(), pngs.end());
    auto r = tool(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;

    r = tool({"jmv", "info", movie});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind("frames 3\nrate 12\nsize 72x40\nframe 0: ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("frame 2: "), std::string::npos);

    r = tool({"jmv", "extract", movie, dir.file("out")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (int i = 0; i < 3; ++i) {
        auto back = readPng(dir.file("out/frame000" + std::to_string(i) + ".png"));
        auto source = readPng(pngs[i]);
        ASSERT_TRUE(back && source) << i;
        ASSERT_EQ(back->width, 72);
        ASSERT_EQ(back->height, 40);
        // Quality 100 keeps every channel close to its frame's source.
        double error = 0;
        for (size_t k = 0; k < back->pixels.size(); ++k)
            error += std::abs(back->pixels[k] - source->pixels[k]);
        EXPECT_LT(error / back->pixels.size(), 6.0) << "frame " << i;
    }
}

TEST(JmvCommand, SaysWhatIsWrongWithFramesAndFiles) {
    test::TempDir dir;
    const std::string a = writeFrame(dir, "a.png", 64, 48, 1);
    const std::string b = writeFrame(dir, "b.png", 48, 48, 2);
    const std::string tiny = writeFrame(dir, "tiny.png", 16, 48, 3);
    const std::string movie = dir.file("m.jmv");

    auto r = tool({"jmv", "encode", movie, "--fps", "15", a, b});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("b.png is 48x48 but the first frame is 64x48"), std::string::npos)
        << r.err;
    r = tool({"jmv", "encode", movie, "--fps", "15", tiny});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("32 to 65535 pixels"), std::string::npos) << r.err;
    r = tool({"jmv", "encode", movie, a});
    EXPECT_EQ(r.exitCode, 2) << "--fps is required";
    r = tool({"jmv", "encode", movie, "--fps", "15", "--quality", "85", a});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(fileExists(movie));

    // A movie cut inside its second frame.
    ASSERT_EQ(tool({"jmv", "encode", movie, "--fps", "15", a, a}).exitCode, 0);
    auto bytes = readHostFile(movie);
    ASSERT_TRUE(bytes);
    bytes->resize(bytes->size() - 1);
    ASSERT_TRUE(writeHostFileAtomic(movie, *bytes));
    r = tool({"jmv", "info", movie});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("frame 0: "), std::string::npos);
    EXPECT_EQ(r.out.find("frame 1: "), std::string::npos);
    EXPECT_NE(r.err.find("frame 1 of 2"), std::string::npos) << r.err;
    r = tool({"jmv", "extract", movie, dir.file("cut")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(fileExists(dir.file("cut/frame0000.png")));

    r = tool({"jmv", "info", a});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("a.png: "), std::string::npos) << r.err;
}

}  // namespace
}  // namespace marlit
