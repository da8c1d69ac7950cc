// marlit-tool rbp and jbp as a user runs them.
#include <gtest/gtest.h>
#include <zlib.h>

#include "base/bytes.h"
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

// A PNG of the synthetic picture (RGB or RGBA).
std::string writeSource(const test::TempDir& dir, int w, int h, int channels) {
    PngImage png{w, h, channels, test::syntheticPicture(w, h, channels)};
    for (size_t i = 0; i < png.pixels.size(); i += channels)
        std::swap(png.pixels[i], png.pixels[i + 2]);
    std::string path = dir.file(channels == 3 ? "rgb.png" : "rgba.png");
    EXPECT_TRUE(writePng(path, png));
    return path;
}

TEST(RbpCommand, EncodesInspectsAndDecodes) {
    test::TempDir dir;
    const std::string rgb = writeSource(dir, 40, 36, 3);
    const std::string rgba = writeSource(dir, 40, 36, 4);
    struct Case {
        const std::string& in;
        const char* quality;
        const char* kind;
    } cases[] = {{rgb, "0", "13"}, {rgb, "2", "30"}, {rgba, "0", "1"}, {rgba, "3", "31"}};
    for (const Case& c : cases) {
        std::string rbp = dir.file("out.rbp"), png = dir.file("out.png");
        auto r = tool({"rbp", "encode", c.in, rbp, "--quality", c.quality});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        r = tool({"rbp", "info", rbp});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_NE(r.out.find(std::string("kind ") + c.kind + "\n"), std::string::npos) << r.out;
        EXPECT_NE(r.out.find("size 40x36\nsource size 40x36\n"), std::string::npos) << r.out;
        r = tool({"rbp", "decode", rbp, png});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        auto back = readPng(png);
        auto source = readPng(c.in);
        ASSERT_TRUE(back && source);
        EXPECT_EQ(back->channels, 4);
        EXPECT_EQ(back->width, 40);
        EXPECT_EQ(back->height, 36);
        if (std::string(c.quality) == "0") {
            // Uncompressed: the source with each field's low bits cut.
            for (size_t i = 0, s = 0; i < back->pixels.size(); i += 4, s += source->channels) {
                ASSERT_EQ(back->pixels[i], source->pixels[s] & 0xF8);
                ASSERT_EQ(back->pixels[i + 1], source->pixels[s + 1] & 0xFC);
                ASSERT_EQ(back->pixels[i + 2], source->pixels[s + 2] & 0xF8);
            }
        }
    }
}

TEST(RbpCommand, KeyMakesMagentaTransparent) {
    test::TempDir dir;
    PngImage png{2, 1, 3, {255, 0, 255, 10, 20, 30}};
    std::string in = dir.file("key.png"), rbp = dir.file("key.rbp"), out = dir.file("out.png");
    ASSERT_TRUE(writePng(in, png));
    ASSERT_EQ(tool({"rbp", "encode", in, rbp, "--quality", "1"}).exitCode,
              0);  // small: uncompressed
    ASSERT_EQ(tool({"rbp", "decode", rbp, out}).exitCode, 0);
    EXPECT_EQ(readPng(out)->pixels, (std::vector<uint8_t>{248, 0, 248, 255, 8, 20, 24, 255}));
    ASSERT_EQ(tool({"rbp", "decode", rbp, out, "--key"}).exitCode, 0);
    EXPECT_EQ(readPng(out)->pixels, (std::vector<uint8_t>{248, 0, 248, 0, 8, 20, 24, 255}));
}

TEST(JbpCommand, DecodesThePaddedPictureAsPngOrRawWords) {
    test::TempDir dir;
    std::string rbp = dir.file("p.rbp");
    ASSERT_EQ(tool({"rbp", "encode", writeSource(dir, 40, 36, 3), rbp, "--quality", "2"}).exitCode,
              0);
    auto file = readWhole(rbp);
    ASSERT_TRUE(file);
    // The stream behind the 36-byte header.
    std::vector<uint8_t> stream(file->begin() + 36,
                                file->begin() + 36 + loadU32(file->data() + 28));
    std::string jbp = dir.file("p.jbp");
    ASSERT_TRUE(writeWholeAtomic(jbp, stream));

    ASSERT_EQ(tool({"jbp", "decode", jbp, dir.file("p.PNG")}).exitCode, 0);
    ASSERT_EQ(tool({"jbp", "decode", jbp, dir.file("p.raw")}).exitCode, 0);
    auto png = readPng(dir.file("p.PNG"));
    auto raw = readWhole(dir.file("p.raw"));
    ASSERT_TRUE(png && raw);
    EXPECT_EQ(png->channels, 3);
    EXPECT_EQ(png->width, 48);
    EXPECT_EQ(png->height, 48);
    ASSERT_EQ(raw->size(), 48u * 48 * 2);
    for (size_t i = 0; i < 48 * 48; ++i) {
        uint16_t v = loadU16(raw->data() + 2 * i);
        ASSERT_EQ(png->pixels[3 * i], (v >> 8) & 0xF8);
        ASSERT_EQ(png->pixels[3 * i + 1], (v >> 3) & 0xFC);
        ASSERT_EQ(png->pixels[3 * i + 2], (v & 0x1F) << 3);
    }
}

TEST(RbpCommand, RefusesBadUsageAndBadFiles) {
    test::TempDir dir;
    std::string rgb = writeSource(dir, 40, 36, 3);
    EXPECT_EQ(tool({"rbp", "encode", rgb, dir.file("o.rbp")}).exitCode, 2);
    EXPECT_EQ(tool({"rbp", "encode", rgb, dir.file("o.rbp"), "--quality", "4"}).exitCode, 2);
    EXPECT_EQ(tool({"rbp", "info"}).exitCode, 2);
    EXPECT_EQ(tool({"jbp", "decode", rgb}).exitCode, 2);

    std::string junk = dir.file("junk");
    ASSERT_TRUE(writeWholeAtomic(junk, std::vector<uint8_t>(50, 0xEE)));
    for (auto args : std::vector<std::vector<std::string>>{
             {"rbp", "decode", junk, dir.file("o.png")},
             {"jbp", "decode", junk, dir.file("o.raw")},
             {"rbp", "info", dir.file("missing")},
             {"rbp", "encode", junk, dir.file("o.rbp"), "--quality", "0"}}) {
        auto r = tool(args);
        EXPECT_EQ(r.exitCode, 1) << args[1] << " " << args[2];
        EXPECT_NE(r.err.find("marlit-tool:"), std::string::npos);
    }
    EXPECT_FALSE(fileExists(dir.file("o.png")));
}

// Garbage is no picture: info fails and shows the version byte escaped,
// never as a raw control byte.
TEST(RbpCommand, InfoOnGarbageFailsAndPrintsNoControlBytes) {
    test::TempDir dir;
    std::vector<uint8_t> junk(50, 0x01);
    std::string path = dir.file("junk.rbp");
    ASSERT_TRUE(writeWholeAtomic(path, junk));
    auto r = tool({"rbp", "info", path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.out.find("version \\x01\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("kind 16843009 is none of"), std::string::npos) << r.err;
    storeU32(junk.data() + 4, 13);     // a kind pictures have
    storeU32(junk.data() + 16, 5000);  // data past the end
    ASSERT_TRUE(writeWholeAtomic(path, junk));
    r = tool({"rbp", "info", path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("start at byte 5000 of 50"), std::string::npos) << r.err;
}

// A PNG of a few bytes that declares 32768 x 32768 is refused at once, with
// the tool's ordinary message.
TEST(RbpCommand, HugeDeclaredPngIsRefusedBeforeAllocating) {
    test::TempDir dir;
    PngImage small{1, 1, 4, {1, 2, 3, 4}};
    std::string path = dir.file("huge.png");
    ASSERT_TRUE(writePng(path, small));
    auto bytes = readWhole(path);
    ASSERT_TRUE(bytes);
    // Width and height in the header (big-endian at 16 and 20), with the
    // header's CRC renewed.
    for (size_t at : {16u, 20u})
        (*bytes)[at + 2] = 0x80, (*bytes)[at + 3] = 0;
    const uLong crc = crc32(0, bytes->data() + 12, 17);
    for (int i = 0; i < 4; ++i)
        (*bytes)[29 + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    ASSERT_TRUE(writeWholeAtomic(path, *bytes));
    for (auto args : std::vector<std::vector<std::string>>{
             {"rbp", "encode", path, dir.file("o.rbp"), "--quality", "1"},
             {"scale", path, dir.file("o.png"), "--percent", "40", "--variant", "alpha"}}) {
        auto r = tool(args);
        EXPECT_EQ(r.exitCode, 1) << args[0];
        EXPECT_NE(r.err.find("32768 x 32768 is larger than the 64 MiB allowed"), std::string::npos)
            << r.err;
    }
}

}  // namespace
}  // namespace marlit
