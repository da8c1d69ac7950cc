#include "formats/rbp_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <random>

#include "base/bytes.h"
#include "base/files.h"
#include "formats/jbp_stream.h"
#include "formats/mlz_pack_writer.h"
#include "formats/mlz_reader.h"
#include "formats/rbp_image.h"
#include "tests/formats/synthetic_picture.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

struct Picture {
    int width, height, channels;
    std::vector<uint8_t> pixels;
    PictureView view() const {
        return {width, height, channels, pixels, width * 5 / 2, height * 5 / 2};
    }
};

Picture makePicture(int width, int height, int channels) {
    return {width, height, channels, test::syntheticPicture(width, height, channels)};
}

RbpHeader headerOf(const std::vector<uint8_t>& file) {
    return *parseRbpHeader(file);
}

// A file of the uncompressed kinds written by hand: RGB565 words (and alpha
// bytes) with the given kind and version.
std::vector<uint8_t> handMade(uint32_t kind, char version, const std::vector<uint16_t>& words,
                              const std::vector<uint8_t>& alpha = {}) {
    RbpHeader h;
    h.version = version;
    h.kind = kind;
    h.width = static_cast<uint32_t>(words.size());
    h.height = 1;
    ByteWriter out;
    out.bytes(encodeRbpHeader(h));
    for (size_t i = 0; i < words.size(); ++i) {
        out.u16(words[i]);
        if (!alpha.empty())
            out.u8(alpha[i]);
    }
    return out.take();
}

TEST(EncodeRbp, ChoosesTheKindTheConverterWrites) {
    struct Case {
        int width, height, channels, quality;
        uint32_t kind;
        char version;
    } cases[] = {
        {31, 200, 3, 2, kRbpOpaque, '5'},  // under 32 wide: uncompressed
        {200, 31, 4, 3, kRbpAlpha, '5'},   // under 32 high
        {32, 32, 3, 0, kRbpOpaque, '5'},   // quality 0
        {32, 32, 4, 0, kRbpAlpha, '5'},    {32, 32, 3, 1, kRbpJbp, '7'},
        {33, 47, 4, 2, kRbpJbpAlpha, '7'},
    };
    for (const Case& c : cases) {
        Picture p = makePicture(c.width, c.height, c.channels);
        auto file = EncodeRbp(p.view(), c.quality);
        ASSERT_TRUE(file);
        RbpHeader h = headerOf(*file);
        EXPECT_EQ(h.kind, c.kind) << c.width << "x" << c.height;
        EXPECT_EQ(h.version, c.version);
        EXPECT_EQ(std::string(h.signature, 3), "RBP");
        EXPECT_EQ(h.width, static_cast<uint32_t>(c.width));
        EXPECT_EQ(h.sourceWidth, c.width * 5 / 2);
        EXPECT_EQ(h.sourceHeight, c.height * 5 / 2);
        EXPECT_EQ(h.payloadOffset, kRbpHeaderSize);
        size_t pixels = static_cast<size_t>(c.width) * c.height;
        if (c.kind == kRbpJbp || c.kind == kRbpJbpAlpha) {
            auto jh = parseJbpHeader(std::span(*file).subspan(kRbpHeaderSize));
            ASSERT_TRUE(jh);
            EXPECT_EQ(jh->quality, (std::array<uint32_t, 4>{0, 100, 90, 80}[c.quality]));
            EXPECT_EQ(file->size(), kRbpHeaderSize + h.jbpSize + (c.channels == 4 ? pixels : 0));
        } else {
            EXPECT_EQ(h.jbpSize, 0u);
            EXPECT_EQ(file->size(), kRbpHeaderSize + pixels * (c.channels == 4 ? 3 : 2));
        }
    }
    Picture p = makePicture(40, 40, 3);
    EXPECT_FALSE(EncodeRbp(p.view(), 4));
    EXPECT_FALSE(EncodeRbp(p.view(), -1));
    PictureView tooBig = p.view();
    tooBig.sourceWidth = 40000;
    EXPECT_FALSE(EncodeRbp(tooBig, 0));
    PictureView cut = p.view();
    cut.pixels = cut.pixels.first(cut.pixels.size() - 1);
    EXPECT_FALSE(EncodeRbp(cut, 0));
}

TEST(EncodeRbp, KeyColourPacksToTheKey) {
    std::vector<uint8_t> px{255, 0, 255, 0, 0, 0, 255, 3, 255, 255, 255, 255};
    auto file = EncodeRbp({4, 1, 3, px, 4, 1}, 0);
    ASSERT_TRUE(file);
    ByteReader in(std::span<const uint8_t>(*file).subspan(kRbpHeaderSize));
    EXPECT_EQ(in.u16(), 0xF81F);
    EXPECT_EQ(in.u16(), 0x0000);
    EXPECT_EQ(in.u16(), 0xF81F);  // green 3 truncates away
    EXPECT_EQ(in.u16(), 0xFFFF);
}

TEST(Rbp, EveryKindRoundTripsFromConverterToPlayer) {
    for (auto [w, h] : {std::pair{33, 17}, {45, 37}, {64, 32}, {5, 3}}) {
        for (int channels : {3, 4}) {
            for (int quality = 0; quality < kRbpQualityCount; ++quality) {
                Picture p = makePicture(w, h, channels);
                auto file = EncodeRbp(p.view(), quality);
                ASSERT_TRUE(file);
                auto pic = decodeRbp(*file, false);
                ASSERT_TRUE(pic) << w << "x" << h << " q" << quality;
                ASSERT_EQ(pic->width, w);
                ASSERT_EQ(pic->height, h);
                EXPECT_EQ(pic->sourceWidth, w * 5 / 2);
                ASSERT_EQ(pic->pixels.size(), static_cast<size_t>(w) * h * 4);
                const bool jbp = headerOf(*file).kind >= kRbpJbp;
                double error = 0;
                for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
                    const uint8_t* s = &p.pixels[i * channels];
                    const uint8_t* d = &pic->pixels[i * 4];
                    if (!jbp) {
                        // Uncompressed: exactly the truncated fields.
                        ASSERT_EQ(d[0], s[0] & 0xF8);
                        ASSERT_EQ(d[1], s[1] & 0xFC);
                        ASSERT_EQ(d[2], s[2] & 0xF8);
                    }
                    for (int c = 0; c < 3; ++c)
                        error += std::pow(d[c] - s[c], 2);
                    uint8_t alpha = channels == 3 ? 255 : jbp ? s[3] : s[3] == 0 ? 0 : s[3] | 3;
                    ASSERT_EQ(d[3], alpha) << i;
                }
                double psnr = 10 * std::log10(255.0 * 255 * w * h * 3 / error);
                EXPECT_GT(psnr, 28) << w << "x" << h << " q" << quality;
            }
        }
    }
}

TEST(Rbp, ColourKeyOnlyWhenAsked) {
    auto file = handMade(kRbpOpaque, '5', {0xF81F, 0xF81E, 0x001F});
    auto plain = decodeRbp(file, false);
    auto keyed = decodeRbp(file, true);
    ASSERT_TRUE(plain && keyed);
    EXPECT_EQ(plain->pixels,
              (std::vector<uint8_t>{0xF8, 0, 0xF8, 255, 0xF0, 0, 0xF8, 255, 0xF8, 0, 0, 255}));
    EXPECT_EQ(keyed->pixels[3], 0);
    EXPECT_EQ(keyed->pixels[7], 255);
    EXPECT_EQ(plain->marker, 0u);
    EXPECT_EQ(keyed->marker, kWorkingPictureKeyed);
    // The key belongs to the uncompressed opaque kind only.
    auto alpha = decodeRbp(handMade(kRbpAlpha, '5', {0xF81F}, {255}), true);
    EXPECT_EQ(alpha->pixels[3], 255);
}

TEST(Rbp, AlphaScalesByVersion) {
    const std::vector<uint8_t> stored{0, 1, 63, 64, 128, 255};
    const std::vector<uint16_t> words(stored.size(), 0x1234);
    auto six = decodeRbp(handMade(kRbpAlpha, '1', words, stored), false);
    auto eight = decodeRbp(handMade(kRbpAlphaOld, '5', words, stored), false);
    ASSERT_TRUE(six && eight);
    // '1': 6-bit alpha, a * 4 + 3, which from 64 on would pass 255.
    const uint8_t sixExpected[] = {0, 7, 255, 255, 255, 255};
    const uint8_t eightExpected[] = {0, 3, 63, 67, 131, 255};
    for (size_t i = 0; i < stored.size(); ++i) {
        EXPECT_EQ(six->pixels[i * 4 + 3], sixExpected[i]) << int(stored[i]);
        EXPECT_EQ(eight->pixels[i * 4 + 3], eightExpected[i]) << int(stored[i]);
        EXPECT_EQ(six->pixels[i * 4 + 2], 0x10);  // red of 0x1234
        EXPECT_EQ(six->pixels[i * 4 + 1], 0x44);
        EXPECT_EQ(six->pixels[i * 4 + 0], 0xA0);
    }
}

TEST(Rbp, UnknownKindGivesAClearPicture) {
    auto file = handMade(12, '5', {0xFFFF, 0xFFFF});
    auto pic = decodeRbp(file, false);
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->width, 2);
    EXPECT_EQ(pic->pixels, std::vector<uint8_t>(8, 0));
}

TEST(Rbp, BadFilesAreRefused) {
    Picture p = makePicture(48, 40, 4);
    for (int quality : {0, 2}) {
        const auto file = *EncodeRbp(p.view(), quality);
        // Cut short anywhere: nothing is loaded.
        for (size_t cut = 0; cut < file.size(); cut += 37) {
            EXPECT_FALSE(decodeRbp(std::span(file).first(cut), false)) << quality << " " << cut;
        }
        auto lie = [&](size_t offset, uint32_t value) {
            auto f = file;
            storeU32(f.data() + offset, value);
            return decodeRbp(f, false).has_value();
        };
        EXPECT_FALSE(lie(8, 0x10000));                                  // wider than the data
        EXPECT_FALSE(lie(8, 0xFFFFFFFF));                               // and than any picture
        EXPECT_FALSE(lie(16, static_cast<uint32_t>(file.size()) + 1));  // payload offset
        if (quality != 0) {
            EXPECT_FALSE(lie(28, static_cast<uint32_t>(file.size())));
        }
    }
    // A stream smaller than the picture header says is refused.
    Picture small = makePicture(32, 32, 3);
    auto file = *EncodeRbp(small.view(), 1);
    storeU32(file.data() + 8, 33);
    EXPECT_FALSE(decodeRbp(file, false));
}

TEST(Rbp, ChipPictureIsMbp1) {
    Picture p = makePicture(128, 128, 3);
    auto file = encodeChipRbp(p.view());
    ASSERT_TRUE(file);
    EXPECT_EQ(std::string(file->begin(), file->begin() + 4), "MBP1");
    RbpHeader h = headerOf(*file);
    EXPECT_EQ(h.kind, kRbpOpaque);
    EXPECT_EQ(h.sourceWidth, 128);
    EXPECT_EQ(h.sourceHeight, 128);
    EXPECT_EQ(file->size(), kRbpHeaderSize + 128 * 128 * 2);
    EXPECT_TRUE(decodeRbp(*file, true));
}

TEST(LoadRbp, LookupNamesKeepTheFieldLimit) {
    EXPECT_EQ(rbpLookupName("AdvData\\grp\\bg\\a01.crx"), "AdvData\\grp\\bg\\a01.rbp");
    EXPECT_EQ(rbpLookupName("a.b.c"), "a.b.rbp");
    EXPECT_EQ(rbpLookupName("dir.d\\name"), "dir.d\\name.rbp");
    EXPECT_EQ(rbpLookupName("name"), "name.rbp");
    // "\x83\x5C" is one double-byte character whose second byte is "\".
    EXPECT_EQ(rbpLookupName("\x83\x5C.crx"), "\x83\x5C.rbp");
    const std::string base(59, 'a');
    EXPECT_EQ(rbpLookupName(base + ".crx"), base + ".rbp");  // 63 bytes
    EXPECT_FALSE(rbpLookupName(base + "a.crx"));             // 64 bytes
    // A short extension grows: 62 bytes in, 64 out.
    EXPECT_FALSE(rbpLookupName(base + "a.b"));
    EXPECT_EQ(rbpLookupName(base + ".b"), base + ".rbp");
}

TEST(LoadRbp, ReadsFromAPackOrALooseFolder) {
    test::TempDir dir;
    Picture p = makePicture(40, 36, 3);
    auto file = *EncodeRbp(p.view(), 2);
    MlzPackWriter writer;
    std::string pack = dir.file("grpack.mlz");
    ASSERT_TRUE(writer.open(pack));
    ASSERT_TRUE(writer.add("AdvData\\grp\\bg\\a01.rbp", file));
    ASSERT_TRUE(writer.finish());
    std::filesystem::create_directories(dir.path() / "loose" / "AdvData" / "grp" / "bg");
    ASSERT_TRUE(writeWholeAtomic(dir.file("loose/AdvData/grp/bg/a01.rbp"), file));

    MlzReader reader;
    auto fromPack = LoadRbp("ADVDATA\\grp\\bg\\a01.crx", pack, true, reader);
    ASSERT_TRUE(fromPack);
    EXPECT_EQ(fromPack->name, "ADVDATA\\grp\\bg\\a01.rbp");
    EXPECT_EQ(fromPack->marker, kWorkingPictureKeyed);
    EXPECT_EQ(fromPack->pixels, decodeRbp(file, true)->pixels);

    auto loose = LoadRbp("AdvData\\grp\\bg\\a01.bmp", dir.file("loose") + "\\", false, reader);
    ASSERT_TRUE(loose);
    EXPECT_EQ(loose->pixels, fromPack->pixels);

    EXPECT_FALSE(LoadRbp("AdvData\\grp\\bg\\a02.crx", pack, false, reader));
    EXPECT_FALSE(LoadRbp("AdvData\\grp\\bg\\a01.crx", dir.file("none.mlz"), false, reader));
    EXPECT_FALSE(LoadRbp(std::string(64, 'a'), pack, false, reader));
}

}  // namespace
}  // namespace marlit
