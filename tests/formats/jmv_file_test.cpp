#include "formats/jmv_file.h"

#include <gtest/gtest.h>

#include "base/bytes.h"

namespace marlit {
namespace {

std::vector<std::vector<uint8_t>> threeFrames() {
    return {std::vector<uint8_t>(10, 0xA1), std::vector<uint8_t>(7, 0xB2),
            std::vector<uint8_t>(12, 0xC3)};
}

std::vector<uint8_t> threeFrameMovie() {
    auto frames = threeFrames();
    return *writeJmv(15, 320, 240, frames);
}

TEST(JmvFile, WritesTheLayoutThePlayerReadsWithZerosInTheBytesItSkips) {
    auto file = threeFrameMovie();
    ASSERT_EQ(file.size(), 48 + 3 * 24 + 29u);
    EXPECT_EQ(loadU32(&file[8]), 3u);
    EXPECT_EQ(loadU32(&file[12]), 15u);
    EXPECT_EQ(loadU32(&file[20]), 320u);
    EXPECT_EQ(loadU32(&file[24]), 240u);
    for (size_t at : {0, 4, 16, 28, 32, 36, 40, 44})
        EXPECT_EQ(loadU32(&file[at]), 0u) << "header byte " << at;
    const uint32_t sizes[] = {10, 7, 12}, positions[] = {0, 10, 17};
    for (int i = 0; i < 3; ++i) {
        const uint8_t* e = &file[48 + 24 * i];
        EXPECT_EQ(loadU32(e + 4), sizes[i]);
        EXPECT_EQ(loadU32(e + 16), positions[i]);
        for (size_t at : {0, 8, 12, 20})
            EXPECT_EQ(loadU32(e + at), 0u) << "entry " << i << " byte " << at;
        EXPECT_EQ(file[48 + 72 + positions[i]], 0xA1 + 0x11 * i);
    }

    std::string error;
    auto table = parseJmvTable(file, file.size(), &error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(table->header.framesPerSecond, 15u);
    ASSERT_EQ(table->frames.size(), 3u);
    EXPECT_TRUE(table->problem.empty());
    EXPECT_EQ(table->fileOffset(2), 48 + 72 + 17u);
    EXPECT_EQ(table->frames[2].size, 12u);
}

TEST(JmvFile, RefusesHeadersThatCannotPlay) {
    auto good = threeFrameMovie();
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
        const char* says;
    } cases[] = {
        {"zero rate", 12, 0, "0 frames per second"},
        {"zero width", 20, 0, "frame size 0x240"},
        {"height past 16 bits", 24, 70000, "frame size 320x70000"},
        {"count past the file", 8, 1000, "needs 24048 bytes but the file has 149"},
        {"count that overflows 32 bits", 8, 0xFFFFFFFF, "the file has 149"},
    };
    for (const Case& c : cases) {
        auto file = good;
        storeU32(&file[c.at], c.value);
        std::string error;
        EXPECT_FALSE(parseJmvTable(file, file.size(), &error)) << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
    }
    std::string error;
    auto huge = good;
    storeU32(&huge[20], 9000);
    storeU32(&huge[24], 9000);
    EXPECT_FALSE(parseJmvHeader(huge, &error)) << "a picture the decoder refuses";
    EXPECT_NE(error.find("larger than a frame's picture stream"), std::string::npos) << error;
    EXPECT_FALSE(parseJmvHeader(std::span(good).first(47), &error));
    EXPECT_NE(error.find("shorter than the 48-byte movie header"), std::string::npos);
}

TEST(JmvFile, CutsTheTableAtTheFirstFrameWhoseDataLeavesTheFile) {
    auto file = threeFrameMovie();
    // Frame 1 grows past the end; frame 2 would still fit but comes after.
    storeU32(&file[48 + 24 + 4], 500);
    std::string error;
    auto table = parseJmvTable(file, file.size(), &error);
    ASSERT_TRUE(table) << error;
    EXPECT_EQ(table->frames.size(), 1u);
    EXPECT_NE(table->problem.find("frame 1 of 3"), std::string::npos) << table->problem;

    // A position far out, and one whose sum with the size wraps 32 bits.
    file = threeFrameMovie();
    storeU32(&file[48 + 16], 0xFFFFFFF0);
    table = parseJmvTable(file, file.size(), &error);
    ASSERT_TRUE(table);
    EXPECT_TRUE(table->frames.empty());
    EXPECT_NE(table->problem.find("frame 0 of 3"), std::string::npos);

    // The same file cut short by its last byte.
    file = threeFrameMovie();
    table = parseJmvTable(file, file.size() - 1, &error);
    ASSERT_TRUE(table);
    EXPECT_EQ(table->frames.size(), 2u);
}

}  // namespace
}  // namespace marlit
