// The LZ stream of CRX pictures: the match forms, the history's edges and
// streams that end or overrun.
#include "converter/crx_lz.h"

#include <gtest/gtest.h>

#include <random>

#include "tools/crx/crx_lz_writer.h"

namespace marlit {
namespace {

using crx::LzForm;
using crx::LzTokenWriter;

std::vector<uint8_t> decode(const std::vector<uint8_t>& stream, size_t outSize,
                            size_t* produced = nullptr) {
    std::vector<uint8_t> out(outSize, 0xEE);
    const size_t n = decodeCrxLz(stream, out);
    if (produced)
        *produced = n;
    out.resize(n);
    return out;
}

TEST(CrxLz, MatchOfNineteenAtDistanceOneRepeatsTheLastByte) {
    LzTokenWriter w;
    w.literal(7);
    w.literal(42);
    ASSERT_TRUE(w.match(LzForm::Near, 19, 1));
    auto stream = w.finish();
    // The match is the two bytes 0xFC 0x01.
    EXPECT_EQ(stream[stream.size() - 2], 0xFC);
    EXPECT_EQ(stream.back(), 0x01);
    std::vector<uint8_t> expected(21, 42);
    expected[0] = 7;
    EXPECT_EQ(decode(stream, 21), expected);
}

TEST(CrxLz, HistoryStartsZeroed) {
    LzTokenWriter w;
    w.literal(1);
    w.literal(2);
    // Reaches one byte before the start, then repeats what it wrote.
    ASSERT_TRUE(w.match(LzForm::Near, 4, 3));
    EXPECT_EQ(decode(w.finish(), 6), (std::vector<uint8_t>{1, 2, 0, 1, 2, 0}));

    LzTokenWriter far;
    ASSERT_TRUE(far.match(LzForm::Far, 5, 60000));
    far.literal(9);
    EXPECT_EQ(decode(far.finish(), 6), (std::vector<uint8_t>{0, 0, 0, 0, 0, 9}));
}

TEST(CrxLz, DistanceZeroReachesAFullHistoryBack) {
    LzTokenWriter w;
    for (int i = 0; i < 65536; ++i)
        w.literal(static_cast<uint8_t>(i * 7 + 3));
    ASSERT_TRUE(w.match(LzForm::Long, 5, 0));
    ASSERT_TRUE(w.match(LzForm::Short, 2, 0));  // distance byte 0
    auto out = decode(w.finish(), 65536 + 7);
    ASSERT_EQ(out.size(), 65536u + 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(out[65536 + i], out[i]) << i;
}

// The decoder against a model that keeps the 64 KiB ring the format
// describes, over random tokens of every form.
TEST(CrxLz, EveryFormAgreesWithARingModel) {
    std::mt19937 rng(5);
    LzTokenWriter w;
    std::vector<uint8_t> ring(65536, 0);
    std::vector<uint8_t> expected;
    size_t pos = 0;
    auto emit = [&](uint8_t b) {
        ring[pos++ & 0xFFFF] = b;
        expected.push_back(b);
    };
    auto copy = [&](size_t length, size_t distance) {
        for (size_t i = 0; i < length; ++i)
            emit(ring[(pos - distance) & 0xFFFF]);
    };
    const LzForm forms[] = {LzForm::Near, LzForm::Short, LzForm::Long, LzForm::Far};
    for (int token = 0; token < 4000; ++token) {
        if (rng() % 3 == 0) {
            const uint8_t b = static_cast<uint8_t>(rng());
            w.literal(b);
            emit(b);
            continue;
        }
        const LzForm form = forms[rng() % 4];
        size_t length = 0, distance = 0;
        switch (form) {
            case LzForm::Near:
                length = 4 + rng() % 16;
                distance = rng() % 1024;
                break;
            case LzForm::Short:
                length = 2 + rng() % 2;
                distance = rng() % 256;
                break;
            case LzForm::Long:
                length = 2 + rng() % 300;
                distance = rng() % 65536;
                break;
            case LzForm::Far:
                length = 4 + rng() % 127;
                distance = rng() % 65536;
                break;
        }
        ASSERT_TRUE(w.match(form, length, distance));
        copy(length, distance);
    }
    const auto counts = w.counts();
    EXPECT_GT(counts.nearMatches, 0u);
    EXPECT_GT(counts.shortMatches, 0u);
    EXPECT_GT(counts.longMatches, 0u);
    EXPECT_GT(counts.farMatches, 0u);
    EXPECT_EQ(decode(w.finish(), expected.size()), expected);
}

TEST(CrxLz, StopsAtTheEndOfOutputOrInput) {
    // A match running past the end of the output is cut there; the input
    // after it is never read.
    LzTokenWriter w;
    w.literal(5);
    ASSERT_TRUE(w.match(LzForm::Long, 1000, 1));
    w.literal(6);
    size_t produced = 0;
    auto out = decode(w.finish(), 10, &produced);
    EXPECT_EQ(produced, 10u);
    EXPECT_EQ(out, std::vector<uint8_t>(10, 5));

    // Input ending inside a match's bytes, or with flags announcing more,
    // produces what came before.
    LzTokenWriter cut;
    cut.literal(1);
    cut.literal(2);
    ASSERT_TRUE(cut.match(LzForm::Long, 50, 1));
    auto stream = cut.finish();
    for (size_t drop = 1; drop <= 5; ++drop) {
        std::vector<uint8_t> shorter(stream.begin(), stream.end() - drop);
        EXPECT_EQ(decode(shorter, 100), (std::vector<uint8_t>{1, 2})) << drop;
    }
    EXPECT_TRUE(decode({}, 100).empty());
}

TEST(CrxLz, TokenWriterRefusesWhatAFormCannotCarry) {
    LzTokenWriter w;
    EXPECT_FALSE(w.match(LzForm::Near, 20, 1));
    EXPECT_FALSE(w.match(LzForm::Near, 4, 1024));
    EXPECT_FALSE(w.match(LzForm::Short, 4, 1));
    EXPECT_FALSE(w.match(LzForm::Short, 2, 256));
    EXPECT_FALSE(w.match(LzForm::Far, 131, 1));
    EXPECT_FALSE(w.match(LzForm::Long, 65538, 1));
    EXPECT_TRUE(w.finish().empty());
}

TEST(CrxLz, CompressorRoundTripsAndUsesEveryForm) {
    // Noise, short repeats, rows repeated from far back and long runs.
    std::mt19937 rng(11);
    std::vector<uint8_t> data;
    for (int i = 0; i < 3000; ++i)
        data.push_back(static_cast<uint8_t>(rng()));
    for (int i = 0; i < 500; ++i) {
        const uint8_t a = static_cast<uint8_t>(rng() % 4);
        data.insert(data.end(), {a, static_cast<uint8_t>(a + 1), static_cast<uint8_t>(rng())});
    }
    const std::vector<uint8_t> block(data.begin() + 100, data.begin() + 200);
    data.insert(data.end(), block.begin(), block.end());
    data.insert(data.end(), 70000, 9);
    for (int i = 0; i < 2000; ++i)
        data.push_back(static_cast<uint8_t>(rng()));
    data.insert(data.end(), data.begin() + 1000, data.begin() + 1010);

    crx::LzFormCounts counts;
    auto stream = crx::lzCompress(data, &counts);
    EXPECT_EQ(decode(stream, data.size()), data);
    EXPECT_GT(counts.literals, 0u);
    EXPECT_GT(counts.nearMatches, 0u);
    EXPECT_GT(counts.shortMatches, 0u);
    EXPECT_GT(counts.longMatches, 0u);
    EXPECT_GT(counts.farMatches, 0u);
    EXPECT_LT(stream.size(), data.size() / 5);
}

}  // namespace
}  // namespace marlit
