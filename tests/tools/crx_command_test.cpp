// marlit-tool crx decode|encode and scale as a user runs them.
#include <gtest/gtest.h>

#include "base/files.h"
#include "base/png.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

test::ProgramResult tool(const std::vector<std::string>& args) {
    return test::runProgram(test::programPath("marlit-tool"), args);
}

// A picture with few colours (so it can be indexed), runs and steps.
PngImage makePng(int w, int h, int channels) {
    PngImage img{w, h, channels, {}};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            img.pixels.push_back(static_cast<uint8_t>((x / 3) * 40));
            img.pixels.push_back(static_cast<uint8_t>((y / 4) * 40));
            img.pixels.push_back(static_cast<uint8_t>((x + y) % 2 ? 255 : 0));
            if (channels == 4)
                img.pixels.push_back(static_cast<uint8_t>(x * 6));
        }
    }
    return img;
}

TEST(CrxCommand, EncodeAndDecodeRoundTrip) {
    test::TempDir dir;
    const std::string rgb = dir.file("in.png"), rgba = dir.file("in4.png");
    const PngImage source = makePng(37, 21, 3);
    ASSERT_TRUE(writePng(rgb, source));
    ASSERT_TRUE(writePng(rgba, makePng(37, 21, 4)));
    const std::vector<std::vector<std::string>> forms = {{"--type", "lz"},
                                                         {"--type", "zlib"},
                                                         {"--type", "zlib", "--filter", "4"},
                                                         {"--type", "lz", "--indexed"},
                                                         {"--type", "zlib", "--indexed"}};
    for (const auto& form : forms) {
        std::vector<std::string> args = {"crx", "encode", rgb, dir.file("p.crx")};
        args.insert(args.end(), form.begin(), form.end());
        auto r = tool(args);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        r = tool({"crx", "decode", dir.file("p.crx"), dir.file("out.png")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        auto back = readPng(dir.file("out.png"));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->channels, 3);
        EXPECT_EQ(back->pixels, source.pixels) << form[1];
    }
    // Alpha survives only the zlib type's 32-bit pictures.
    auto r = tool({"crx", "encode", rgba, dir.file("a.crx"), "--type", "zlib"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(tool({"crx", "decode", dir.file("a.crx"), dir.file("a.png")}).exitCode, 0);
    auto back = readPng(dir.file("a.png"));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->channels, 4);
    EXPECT_EQ(back->pixels, makePng(37, 21, 4).pixels);
    r = tool({"crx", "encode", rgba, dir.file("b.crx"), "--type", "lz"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("transparent"), std::string::npos);
    EXPECT_FALSE(fileExists(dir.file("b.crx")));
}

TEST(CrxCommand, ReportsBadInputAndUsage) {
    test::TempDir dir;
    const std::string png = dir.file("in.png");
    ASSERT_TRUE(writePng(png, makePng(4, 4, 3)));
    const std::string out = dir.file("o.crx");
    EXPECT_EQ(tool({"crx", "encode", png, out}).exitCode, 2);
    EXPECT_EQ(tool({"crx", "encode", png, out, "--type", "rle"}).exitCode, 2);
    EXPECT_EQ(tool({"crx", "encode", png, out, "--type", "zlib", "--filter", "5"}).exitCode, 2);
    EXPECT_EQ(tool({"crx", "encode", png, out, "--type", "lz", "--filter", "1"}).exitCode, 2);
    EXPECT_EQ(tool({"crx", "encode", png, "--type", "lz"}).exitCode, 2);
    EXPECT_EQ(tool({"crx", "decode", png}).exitCode, 2);

    // A file too short for a header, and one with a zero width.
    ASSERT_TRUE(writeWholeAtomic(dir.file("short.crx"), std::vector<uint8_t>(10, 0)));
    auto r = tool({"crx", "decode", dir.file("short.crx"), dir.file("x.png")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("short.crx"), std::string::npos);
    ASSERT_TRUE(writeWholeAtomic(dir.file("zero.crx"), std::vector<uint8_t>(40, 0)));
    EXPECT_EQ(tool({"crx", "decode", dir.file("zero.crx"), dir.file("x.png")}).exitCode, 1);
    EXPECT_EQ(tool({"crx", "decode", dir.file("none.crx"), dir.file("x.png")}).exitCode, 1);
    EXPECT_FALSE(fileExists(dir.file("x.png")));
}

TEST(ScaleCommand, ScalesWithEachVariant) {
    test::TempDir dir;
    const std::string in = dir.file("in.png");
    // 4x2 of magenta with one white pixel in the left 2x2 block.
    PngImage img{4, 2, 3, {}};
    for (int i = 0; i < 8; ++i)
        img.pixels.insert(img.pixels.end(), {255, 0, 255});
    img.pixels[0] = img.pixels[1] = img.pixels[2] = 255;
    ASSERT_TRUE(writePng(in, img));
    const std::string out = dir.file("out.png");

    auto r = tool({"scale", in, out, "--percent", "50", "--variant", "opaque"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto p = readPng(out);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->channels, 3);
    EXPECT_EQ(p->pixels, (std::vector<uint8_t>{255, 255, 255, 255, 0, 255}));

    ASSERT_EQ(tool({"scale", in, out, "--percent", "50", "--variant", "key"}).exitCode, 0);
    p = readPng(out);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->channels, 4);
    // One white pixel of four: 255 * 1024 / 2048 = 127, then halved again.
    EXPECT_EQ(p->pixels, (std::vector<uint8_t>{63, 63, 63, 63, 0, 0, 0, 0}));

    ASSERT_EQ(tool({"scale", in, out, "--percent", "50", "--variant", "alpha"}).exitCode, 0);
    p = readPng(out);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->channels, 4);
    EXPECT_EQ(p->width, 2);
    EXPECT_EQ(p->height, 1);
}

TEST(ScaleCommand, RefusesNothingToScaleToAndBadOptions) {
    test::TempDir dir;
    const std::string in = dir.file("in.png");
    ASSERT_TRUE(writePng(in, makePng(2, 2, 3)));
    const std::string out = dir.file("out.png");
    auto r = tool({"scale", in, out, "--percent", "40", "--variant", "opaque"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("2x2"), std::string::npos);
    EXPECT_FALSE(fileExists(out));
    EXPECT_EQ(tool({"scale", in, out, "--percent", "40", "--variant", "soft"}).exitCode, 2);
    EXPECT_EQ(tool({"scale", in, out, "--variant", "key"}).exitCode, 2);
    EXPECT_EQ(tool({"scale", in, out, "--percent", "0", "--variant", "key"}).exitCode, 2);
    EXPECT_EQ(tool({"scale", in, "--percent", "50", "--variant", "key"}).exitCode, 2);
    EXPECT_EQ(
        tool({"scale", dir.file("none.png"), out, "--percent", "50", "--variant", "key"}).exitCode,
        1);
}

}  // namespace
}  // namespace marlit
