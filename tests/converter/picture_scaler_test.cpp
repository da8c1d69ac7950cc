// The box-filter scaler: sizes, the truncation order, the three variants'
// handling of the magenta key, and the choice of variant.
#include "converter/picture_scaler.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "converter/key_list.h"

namespace marlit {
namespace {

Bitmap filled(int w, int h, std::vector<uint8_t> pixel) {
    Bitmap b = makeBitmap(w, h, static_cast<int>(pixel.size()));
    for (size_t i = 0; i < b.pixels.size(); ++i)
        b.pixels[i] = pixel[i % pixel.size()];
    return b;
}

void setPixel(Bitmap& b, int x, int y, std::vector<uint8_t> pixel) {
    std::copy(pixel.begin(), pixel.end(), b.row(y) + x * b.bytesPerPixel);
}

std::vector<uint8_t> pixelAt(const Bitmap& b, int x, int y) {
    const uint8_t* p = b.row(y) + x * b.bytesPerPixel;
    return {p, p + b.bytesPerPixel};
}

const std::vector<uint8_t> kKey = {255, 0, 255};
const std::vector<uint8_t> kWhite = {255, 255, 255};

TEST(ScalePicture, ScreenSizesFromTheGameGeometry) {
    const Bitmap source = filled(800, 600, {200, 100, 48});
    for (auto [percent, w, h] : {std::tuple{40, 320, 240}, std::tuple{80, 640, 480}}) {
        for (ScaleVariant v : {ScaleVariant::Opaque, ScaleVariant::Key, ScaleVariant::Alpha}) {
            auto out = ScalePicture(source, percent, v);
            ASSERT_TRUE(out);
            EXPECT_EQ(out->width, w);
            EXPECT_EQ(out->height, h);
            EXPECT_EQ(out->bytesPerPixel, v == ScaleVariant::Opaque ? 3 : 4);
            EXPECT_EQ(out->sourceWidth, 800);
            EXPECT_EQ(out->sourceHeight, 600);
            EXPECT_TRUE(out->view().valid());
            // The boxes tile the source: a flat picture stays flat.
            EXPECT_EQ(pixelAt(*out, w - 1, h - 1)[0], 200);
            EXPECT_EQ(pixelAt(*out, w / 2, 0)[2], 48);
        }
    }
}

TEST(ScalePicture, EveryTapIsTruncatedOnItsOwn) {
    // Five pixels to two: boxes of 2.5 pixels. The bright pixel falls half
    // into each box: 255 * 512 / 1024 = 127 (not 127.5), so each box gives
    // 127 * 1024 / 2560 = 50, where an exact average would give 51.
    Bitmap b = filled(5, 5, {0, 0, 0});
    for (int y = 0; y < 5; ++y)
        setPixel(b, 2, y, {255, 255, 255});
    auto out = ScalePicture(b, 40, ScaleVariant::Opaque);
    ASSERT_TRUE(out);
    ASSERT_EQ(out->width, 2);
    ASSERT_EQ(out->height, 2);
    EXPECT_EQ(out->pixels, std::vector<uint8_t>(12, 50));

    // For the same reason full white, and the key variant's full alpha,
    // come out as 254 at 40 %: 255 + 255 + 127 over 2.5 pixels.
    auto white = ScalePicture(filled(800, 600, kWhite), 40, ScaleVariant::Key);
    EXPECT_EQ(pixelAt(*white, 100, 100), (std::vector<uint8_t>{254, 254, 254, 254}));
}

TEST(ScalePicture, ExactAveragesStayExact) {
    // 49 pixels into one: a box total of 49 * 1024, whose reciprocal is
    // inexact; a flat picture must still keep its values.
    for (ScaleVariant v : {ScaleVariant::Opaque, ScaleVariant::Key, ScaleVariant::Alpha}) {
        auto out = ScalePicture(filled(49, 49, {1, 2, 3, 255}), 3, v);
        ASSERT_TRUE(out);
        EXPECT_EQ(pixelAt(*out, 0, 0)[0], 1);
        EXPECT_EQ(pixelAt(*out, 0, 0)[1], 2);
        EXPECT_EQ(pixelAt(*out, 0, 0)[2], 3);
    }
}

TEST(ScalePicture, OpaqueVariantKeepsTheKeyCrisp) {
    Bitmap allKey = filled(2, 2, kKey);
    EXPECT_EQ(ScalePicture(allKey, 50, ScaleVariant::Opaque)->pixels, kKey);

    Bitmap mixed = filled(2, 2, kWhite);
    setPixel(mixed, 0, 0, kKey);
    EXPECT_EQ(ScalePicture(mixed, 50, ScaleVariant::Opaque)->pixels, kWhite);

    // Only exact magenta is the key: blue 255, green 0, red equal to blue.
    Bitmap nearKey = filled(2, 2, {255, 0, 254});
    EXPECT_EQ(ScalePicture(nearKey, 50, ScaleVariant::Opaque)->pixels,
              (std::vector<uint8_t>{255, 0, 254}));
}

TEST(ScalePicture, KeyVariantTurnsTheKeyIntoAlpha) {
    Bitmap mixed = filled(2, 2, kWhite);
    setPixel(mixed, 0, 0, kKey);
    // Row 0: 255 * 1024 / 2048 = 127 per channel and alpha; row 1: 255;
    // then (127 + 255) / 2 = 191.
    EXPECT_EQ(ScalePicture(mixed, 50, ScaleVariant::Key)->pixels,
              (std::vector<uint8_t>{191, 191, 191, 191}));
    Bitmap allKey = filled(2, 2, kKey);
    EXPECT_EQ(ScalePicture(allKey, 50, ScaleVariant::Key)->pixels,
              (std::vector<uint8_t>{0, 0, 0, 0}));
    Bitmap white = filled(4, 2, kWhite);
    EXPECT_EQ(ScalePicture(white, 50, ScaleVariant::Key)->pixels,
              (std::vector<uint8_t>{255, 255, 255, 255, 255, 255, 255, 255}));
}

TEST(ScalePicture, AlphaVariantClearsTransparentKeyPixels) {
    // (255, 0, 255, 0) adds its weight and nothing else.
    Bitmap b = filled(2, 2, {255, 255, 255, 255});
    setPixel(b, 0, 0, {255, 0, 255, 0});
    EXPECT_EQ(ScalePicture(b, 50, ScaleVariant::Alpha)->pixels,
              (std::vector<uint8_t>{191, 191, 191, 191}));
    // An opaque key pixel keeps its colour.
    Bitmap opaqueKey = filled(2, 2, {255, 0, 255, 255});
    EXPECT_EQ(ScalePicture(opaqueKey, 50, ScaleVariant::Alpha)->pixels,
              (std::vector<uint8_t>{255, 0, 255, 255}));
    // A half-transparent key pixel is cleared, colour and all.
    Bitmap half = filled(2, 2, {10, 20, 30, 255});
    setPixel(half, 1, 1, {255, 0, 255, 128});
    EXPECT_EQ(ScalePicture(half, 50, ScaleVariant::Alpha)->pixels,
              (std::vector<uint8_t>{7, 15, 22, 191}));
}

TEST(ScalePicture, ConvertsChannelsTheVariantDoesNotTake) {
    // Three bytes into the alpha variant are opaque; four into the opaque
    // variant lose their alpha.
    auto a = ScalePicture(filled(2, 2, {1, 2, 3}), 50, ScaleVariant::Alpha);
    EXPECT_EQ(a->pixels, (std::vector<uint8_t>{1, 2, 3, 255}));
    auto o = ScalePicture(filled(2, 2, {1, 2, 3, 0}), 50, ScaleVariant::Opaque);
    EXPECT_EQ(o->pixels, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(ScalePicture, RefusesAnEmptyResult) {
    // Two pixels at 40 % would be 0 wide: no step to divide by.
    EXPECT_FALSE(ScalePicture(filled(2, 100, kWhite), 40, ScaleVariant::Opaque));
    EXPECT_FALSE(ScalePicture(filled(100, 2, kWhite), 40, ScaleVariant::Key));
    EXPECT_TRUE(ScalePicture(filled(3, 3, kWhite), 40, ScaleVariant::Alpha));
    EXPECT_FALSE(ScalePicture(filled(10, 10, kWhite), 0, ScaleVariant::Opaque));
    EXPECT_FALSE(ScalePicture(Bitmap{}, 40, ScaleVariant::Opaque));
    // The box filter only shrinks.
    EXPECT_FALSE(ScalePicture(filled(10, 10, kWhite), 101, ScaleVariant::Opaque));
    EXPECT_TRUE(ScalePicture(filled(10, 10, kWhite), 100, ScaleVariant::Opaque));
}

TEST(ScaleVariantChoice, AlphaThenKeyListThenOpaque) {
    const KeyList keys = KeyList::parse("Messwin.crx\nsam_duzo.CRX\n");
    EXPECT_EQ(chooseScaleVariant(PixelKind::Alpha, "Messwin.crx", keys), ScaleVariant::Alpha);
    EXPECT_EQ(chooseScaleVariant(PixelKind::Opaque, "MESSWIN.CRX", keys), ScaleVariant::Key);
    EXPECT_EQ(chooseScaleVariant(PixelKind::Opaque, "sam_duzo.crx", keys), ScaleVariant::Key);
    EXPECT_EQ(chooseScaleVariant(PixelKind::Opaque, "a09b.crx", keys), ScaleVariant::Opaque);
    for (ScaleVariant v : {ScaleVariant::Opaque, ScaleVariant::Key, ScaleVariant::Alpha}) {
        EXPECT_EQ(variantFromName(variantName(v)), v);
    }
    EXPECT_FALSE(variantFromName("Opaque"));
}

// The scaler's steps written out plainly, one output pixel at a time, with
// integer division: the fast paths must agree with it byte for byte.
struct Reference {
    int srcLen, dstLen;
    uint32_t e;
    Reference(int src, int dst)
        : srcLen(src), dstLen(dst), e(static_cast<uint32_t>(uint64_t(src) * 1024 / dst)) {}
    template <class Add>
    void box(int x, Add add) const {
        const uint64_t position = uint64_t(x) * e;
        const uint32_t taps = (e >> 10) + ((e & 1023) ? 1 : 0);
        uint32_t j = static_cast<uint32_t>(position >> 10), f = position & 1023, r = e;
        for (uint32_t t = 0; t < taps; ++t) {
            if (j + t >= uint32_t(srcLen))
                continue;
            uint32_t w = std::min<uint32_t>(t == 0 ? 1024 - f : 1024, r);
            r -= w;
            add(j + t, w);
        }
    }
};

// One pass of the alpha variant over 4-byte pixels (key pixels cleared first).
Bitmap referencePass(const Bitmap& in, int outLen, bool alongRows) {
    const int w = alongRows ? outLen : in.width, h = alongRows ? in.height : outLen;
    Bitmap out = makeBitmap(w, h, 4);
    const Reference ref(alongRows ? in.width : in.height, outLen);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint64_t sum[4] = {}, total = 0;
            ref.box(alongRows ? x : y, [&](uint32_t s, uint32_t weight) {
                std::vector<uint8_t> p = alongRows ? pixelAt(in, s, y) : pixelAt(in, x, s);
                if (p[0] == 255 && p[1] == 0 && p[2] == 255 && p[3] != 255)
                    p = {0, 0, 0, 0};
                for (int c = 0; c < 4; ++c)
                    sum[c] += weight * p[c] / 1024;
                total += weight;
            });
            for (int c = 0; c < 4; ++c) {
                out.row(y)[4 * x + c] = static_cast<uint8_t>(total ? sum[c] * 1024 / total : 0);
            }
        }
    }
    return out;
}

TEST(ScalePicture, FastPathsMatchThePlainSteps) {
    std::mt19937 rng(17);
    for (auto [w, h, percent] : {std::tuple{97, 61, 40}, std::tuple{50, 33, 80},
                                 std::tuple{23, 41, 57}, std::tuple{9, 12, 33}}) {
        Bitmap in = makeBitmap(w, h, 4);
        for (auto& b : in.pixels)
            b = static_cast<uint8_t>(rng() % 3 == 0 ? 255 : rng());
        for (int i = 0; i < w * h / 4; ++i) {
            setPixel(in, rng() % w, rng() % h,
                     {255, 0, 255, static_cast<uint8_t>(rng() % 2 * 255)});
        }
        const Bitmap expected =
            referencePass(referencePass(in, w * percent / 100, true), h * percent / 100, false);
        auto out = ScalePicture(in, percent, ScaleVariant::Alpha);
        ASSERT_TRUE(out);
        EXPECT_EQ(out->pixels, expected.pixels) << w << "x" << h << " at " << percent;
    }
}

}  // namespace
}  // namespace marlit
