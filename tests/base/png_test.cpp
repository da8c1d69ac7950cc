#include "base/png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "base/files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

TEST(Png, RoundTripsRgbAndRgba) {
    test::TempDir dir;
    for (int channels : {3, 4}) {
        PngImage img{3, 2, channels, {}};
        for (int i = 0; i < 3 * 2 * channels; ++i)
            img.pixels.push_back(static_cast<uint8_t>(i * 11));
        std::string path = dir.file("p.png");
        ASSERT_TRUE(writePng(path, img));
        auto back = readPng(path);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->channels, channels);
        EXPECT_EQ(back->width, 3);
        EXPECT_EQ(back->pixels, img.pixels);
    }
}

// A PNG file built by hand: IHDR, optional extra chunks, one IDAT.
std::vector<uint8_t> handMadePng(
    uint32_t width, uint32_t height, uint8_t depth, uint8_t colour, const std::vector<uint8_t>& raw,
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& extra = {}) {
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto be32 = [](std::vector<uint8_t>& v, uint32_t x) {
        for (int s = 24; s >= 0; s -= 8)
            v.push_back(static_cast<uint8_t>(x >> s));
    };
    auto chunk = [&](const std::string& type, const std::vector<uint8_t>& body) {
        be32(file, static_cast<uint32_t>(body.size()));
        std::vector<uint8_t> crcd(type.begin(), type.end());
        crcd.insert(crcd.end(), body.begin(), body.end());
        file.insert(file.end(), crcd.begin(), crcd.end());
        be32(file, static_cast<uint32_t>(crc32(0, crcd.data(), static_cast<uInt>(crcd.size()))));
    };
    std::vector<uint8_t> ihdr;
    be32(ihdr, width);
    be32(ihdr, height);
    ihdr.insert(ihdr.end(), {depth, colour, 0, 0, 0});
    chunk("IHDR", ihdr);
    for (const auto& [type, body] : extra)
        chunk(type, body);
    std::vector<uint8_t> packed(compressBound(static_cast<uLong>(raw.size())));
    uLongf size = static_cast<uLongf>(packed.size());
    compress(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(size);
    chunk("IDAT", packed);
    chunk("IEND", {});
    return file;
}

TEST(Png, ReadsSamplesWithoutGammaConversion) {
    test::TempDir dir;
    const std::string path = dir.file("g.png");
    const std::vector<uint8_t> grey = {0, 64, 128, 255};
    // 16-bit RGB: each sample v * 257 reads back as v, not gamma-encoded.
    std::vector<uint8_t> raw = {0};
    for (uint8_t v : grey)
        for (int c = 0; c < 3; ++c)
            raw.insert(raw.end(), {v, v});
    writeWholeAtomic(path, handMadePng(4, 1, 16, 2, raw));
    auto back = readPng(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->channels, 3);
    EXPECT_EQ(back->pixels,
              (std::vector<uint8_t>{0, 0, 0, 64, 64, 64, 128, 128, 128, 255, 255, 255}));
    // 8-bit RGB marked with gamma 1.0.
    raw = {0};
    for (uint8_t v : grey)
        raw.insert(raw.end(), {v, v, v});
    writeWholeAtomic(path, handMadePng(4, 1, 8, 2, raw, {{"gAMA", {0, 1, 0x86, 0xA0}}}));
    back = readPng(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->pixels,
              (std::vector<uint8_t>{0, 0, 0, 64, 64, 64, 128, 128, 128, 255, 255, 255}));
    // Grey with alpha becomes RGBA.
    raw = {0, 64, 10, 255, 20};
    writeWholeAtomic(path, handMadePng(2, 1, 8, 4, raw));
    back = readPng(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->channels, 4);
    EXPECT_EQ(back->pixels, (std::vector<uint8_t>{64, 64, 64, 10, 255, 255, 255, 20}));
    // A file cut inside its pixels is refused.
    auto whole = handMadePng(4, 1, 8, 2, raw);
    whole.resize(whole.size() - 20);
    writeWholeAtomic(path, whole);
    EXPECT_FALSE(readPng(path));
}

TEST(Png, RefusesWhatIsNotAPng) {
    test::TempDir dir;
    std::string path = dir.file("bad.png");
    writeWholeAtomic(path, std::vector<uint8_t>{1, 2, 3, 4});
    std::string error;
    EXPECT_FALSE(readPng(path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(readPng(dir.file("none.png")));
    EXPECT_FALSE(encodePng(PngImage{2, 2, 3, {1, 2, 3}}));  // too few pixels
}

// A few bytes may declare a huge picture: it is refused for its size before
// anything is allocated, and a file too short for the size it declares
// likewise, while a large picture that packs well still reads.
TEST(Png, SizeIsCheckedBeforeThePixelsAreAllocated) {
    test::TempDir dir;
    const std::string path = dir.file("big.png");
    std::string error;
    // 8192 x 8192 RGBA: 256 MiB, over the 64 MiB allowed.
    writeWholeAtomic(path, handMadePng(8192, 8192, 8, 6, {0, 1, 2, 3, 4}));
    EXPECT_FALSE(readPng(path, &error));
    EXPECT_NE(error.find("8192 x 8192 is larger than the 64 MiB"), std::string::npos) << error;
    // 4096 x 4096 RGB fits, but not in a file of a few dozen bytes.
    writeWholeAtomic(path, handMadePng(4096, 4096, 8, 2, {0, 1, 2, 3}));
    EXPECT_FALSE(readPng(path, &error));
    EXPECT_NE(error.find("too short for the size it declares"), std::string::npos) << error;

    PngImage black{2048, 2048, 3, std::vector<uint8_t>(size_t{2048} * 2048 * 3, 0)};
    ASSERT_TRUE(writePng(path, black));
    auto back = readPng(path, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->pixels, black.pixels);
}

TEST(Png, WriteFailuresSayWhy) {
    test::TempDir dir;
    std::string error;
    EXPECT_FALSE(writePng(dir.file("empty.png"), PngImage{0, 0, 3, {}}, &error));
    EXPECT_NE(error.find("0 x 0 pixels"), std::string::npos) << error;
    EXPECT_FALSE(writePng(dir.file("no/folder.png"), PngImage{1, 1, 3, {1, 2, 3}}, &error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
    EXPECT_FALSE(readPng(dir.file("none.png"), &error));
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

}  // namespace
}  // namespace marlit
