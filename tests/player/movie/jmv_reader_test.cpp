#include "player/movie/jmv_reader.h"

#include <gtest/gtest.h>

#include "base/bytes.h"
#include "tests/player/movie/movie_fixture.h"

namespace marlit {
namespace {

using test::MemorySource;

// Frames of distinct bytes, `sizes[i]` long.
std::vector<std::vector<uint8_t>> patternFrames(const std::vector<size_t>& sizes) {
    std::vector<std::vector<uint8_t>> frames;
    for (size_t i = 0; i < sizes.size(); ++i) {
        std::vector<uint8_t> f(sizes[i]);
        for (size_t k = 0; k < f.size(); ++k)
            f[k] = static_cast<uint8_t>(i * 31 + k);
        frames.push_back(std::move(f));
    }
    return frames;
}

TEST(JmvReader, HandsOutEveryFrameInOrderAndWhenThePlayerJumpsAhead) {
    auto frames = patternFrames({300, 500, 200, 700, 100, 400, 300, 600});
    JmvReader reader;
    // Buffers of 1000 bytes: mostly two frames per buffer, sometimes one.
    ASSERT_TRUE(
        reader.open(std::make_unique<MemorySource>(test::movieFile(15, 320, 240, frames)), 1000));
    EXPECT_EQ(reader.frameCount(), 8u);
    std::vector<uint8_t> out;
    for (uint32_t i : {0, 1, 2, 3, 6, 7, 7, 2}) {
        ASSERT_TRUE(reader.frameData(i, out)) << i << " " << reader.error();
        EXPECT_EQ(out, frames[i]) << "frame " << i;
    }
    EXPECT_FALSE(reader.frameData(8, out)) << "past the last frame";
    EXPECT_TRUE(reader.close());
}

TEST(JmvReader, ReadsAFrameLargerThanItsBuffersAlone) {
    auto frames = patternFrames({100, 2500, 100, 100});
    auto source = std::make_unique<MemorySource>(test::movieFile(15, 320, 240, frames));
    JmvReader reader;
    ASSERT_TRUE(reader.open(std::move(source), 1000));
    std::vector<uint8_t> out;
    for (uint32_t i = 0; i < 4; ++i) {
        ASSERT_TRUE(reader.frameData(i, out)) << i << " " << reader.error();
        EXPECT_EQ(out, frames[i]);
    }
}

TEST(JmvReader, WideFramesGetBuffersFourTimesAsLarge) {
    auto frames = patternFrames({10});
    JmvReader narrow, wide;
    ASSERT_TRUE(narrow.open(std::make_unique<MemorySource>(test::movieFile(15, 639, 480, frames))));
    ASSERT_TRUE(wide.open(std::make_unique<MemorySource>(test::movieFile(15, 640, 480, frames))));
    EXPECT_EQ(narrow.bufferSize(), 65536u);
    EXPECT_EQ(wide.bufferSize(), 262144u);
}

TEST(JmvReader, FramesStoredOutOfOrderInTheFileAreReadFromTheirOwnPositions) {
    auto frames = patternFrames({50, 60, 70});
    auto file = test::movieFile(15, 320, 240, frames);
    // Swap where frames 0 and 1 say their data is, and swap the data too.
    const size_t data = 48 + 3 * 24;
    std::vector<uint8_t> swapped(file.begin(), file.begin() + data);
    swapped.insert(swapped.end(), frames[1].begin(), frames[1].end());
    swapped.insert(swapped.end(), frames[0].begin(), frames[0].end());
    swapped.insert(swapped.end(), frames[2].begin(), frames[2].end());
    storeU32(&swapped[48 + 16], 60);
    storeU32(&swapped[48 + 24 + 16], 0);
    JmvReader reader;
    ASSERT_TRUE(reader.open(std::make_unique<MemorySource>(swapped), 1000));
    std::vector<uint8_t> out;
    for (uint32_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(reader.frameData(i, out));
        EXPECT_EQ(out, frames[i]) << "frame " << i;
    }
}

TEST(JmvReader, AFileThatStopsAnsweringEndsWithAReason) {
    auto frames = patternFrames({100, 100, 100, 100, 100, 100});
    auto source = std::make_unique<MemorySource>(test::movieFile(15, 320, 240, frames));
    // Reads reaching into frame 3 fail (which one fails first depends on how
    // far the thread has read ahead).
    source->failFrom(48 + 6 * 24 + 300);
    JmvReader reader;
    ASSERT_TRUE(reader.open(std::move(source), 250));
    std::vector<uint8_t> out;
    EXPECT_TRUE(reader.frameData(0, out));
    EXPECT_TRUE(reader.frameData(1, out));
    EXPECT_FALSE(reader.frameData(4, out));
    EXPECT_NE(reader.error().find(" could not be read; the file changed"), std::string::npos)
        << reader.error();
    EXPECT_TRUE(reader.close());
}

TEST(JmvReader, ClosingDoesNotWaitForAReadThatNeverReturns) {
    auto frames = patternFrames({100, 100, 100});
    auto source = std::make_unique<MemorySource>(test::movieFile(15, 320, 240, frames));
    MemorySource* raw = source.get();
    // Opening reads the header and the table; the thread's first read hangs.
    raw->holdFromRead(3);
    JmvReader reader;
    ASSERT_TRUE(reader.open(std::move(source), 250));
    raw->waitForReads(3);
    EXPECT_FALSE(reader.close(50)) << "the thread is stuck in its read";
    EXPECT_FALSE(reader.isOpen());
    // The thread owns the source; released, its read returns and it ends.
    raw->release();
}

TEST(JmvReader, RefusesWhatIsNoPlayableMovie) {
    JmvReader reader;
    EXPECT_FALSE(reader.open(nullptr));
    EXPECT_EQ(reader.error(), "the file cannot be opened");
    EXPECT_FALSE(reader.open(std::make_unique<MemorySource>(std::vector<uint8_t>(20))));
    EXPECT_NE(reader.error().find("shorter than the 48-byte"), std::string::npos);
    // Every frame lies outside the file: nothing can play.
    auto file = test::movieFile(15, 320, 240, patternFrames({100, 100}));
    file.resize(48 + 2 * 24 + 50);
    EXPECT_FALSE(reader.open(std::make_unique<MemorySource>(file)));
    EXPECT_NE(reader.error().find("frame 0 of 2"), std::string::npos) << reader.error();
}

}  // namespace
}  // namespace marlit
