#include "player/core/dirty_rect_list.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

class DirtyRectListTest : public ::testing::Test {
  protected:
    void SetUp() override { list.setBounds(320, 240); }
    DirtyRectList list;
};

TEST_F(DirtyRectListTest, MergingFoldsOverlapsAndDropsWhatIsCovered) {
    EXPECT_EQ(list.add(10, 10, 20, 20, 1), 1);
    EXPECT_EQ(list.add(15, 15, 30, 30, 1), 1);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.get(0), (Rect{10, 10, 30, 30}));

    EXPECT_EQ(list.add(12, 12, 20, 20, 1), 0) << "inside an existing rectangle";
    EXPECT_EQ(list.count(), 1u);

    EXPECT_EQ(list.add(100, 100, 110, 110, 1), 1) << "disjoint";
    EXPECT_EQ(list.add(0, 0, 50, 50, 1), 1) << "covers the first";
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.get(0), (Rect{100, 100, 110, 110}));
    EXPECT_EQ(list.get(1), (Rect{0, 0, 50, 50}));
}

TEST_F(DirtyRectListTest, TouchingEdgesCountAsOverlap) {
    list.add(0, 0, 10, 10, 1);
    list.add(10, 0, 20, 10, 1);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.get(0), (Rect{0, 0, 20, 10}));
}

TEST_F(DirtyRectListTest, OneWalkDoesNotRecheckNodesAlreadyPassed) {
    list.add(0, 0, 10, 10, 1);
    list.add(5, 20, 30, 30, 1);
    // Disjoint from the first node when it is passed, then grown by the
    // second into a rectangle that overlaps the first: both stay.
    list.add(12, 5, 25, 25, 1);
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.get(0), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(list.get(1), (Rect{5, 5, 30, 30}));
}

TEST_F(DirtyRectListTest, ClampsToTheScreenAndRejectsWhatIsWhollyOff) {
    EXPECT_EQ(list.add(-5, -5, 10, 10, 1), 1);
    EXPECT_EQ(list.get(0), (Rect{0, 0, 10, 10}));
    EXPECT_EQ(list.add(300, 200, 400, 300, 1), 1);
    EXPECT_EQ(list.get(1), (Rect{300, 200, 320, 240}));
    EXPECT_EQ(list.add(-20, 0, -1, 10, 1), 0);
    EXPECT_EQ(list.add(0, -20, 10, -1, 1), 0);
    EXPECT_EQ(list.add(321, 0, 330, 10, 1), 0);
    EXPECT_EQ(list.add(0, 241, 10, 250, 1), 0);
    EXPECT_EQ(list.count(), 2u);
}

TEST_F(DirtyRectListTest, UnmergedRectanglesAreAppendedAsTheyAre) {
    list.add(0, 0, 100, 100, 1);
    EXPECT_EQ(list.add(10, 10, 20, 20, 0), 1);
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.merge(1), 0);
    // A merged rectangle inside an unmerged one is still absorbed by it.
    EXPECT_EQ(list.add(12, 12, 14, 14, 1), 0);
}

TEST_F(DirtyRectListTest, OverlapsMarkedLooksOnlyAtMergedNodes) {
    list.add(0, 0, 10, 10, 0);
    EXPECT_EQ(list.overlapsMarked(5, 5, 6, 6), 0);
    list.add(50, 50, 60, 60, 1);
    EXPECT_EQ(list.overlapsMarked(60, 60, 70, 70), 1) << "edges touching";
    EXPECT_EQ(list.overlapsMarked(61, 61, 70, 70), 0);
    list.clear();
    EXPECT_EQ(list.count(), 0u);
}

}  // namespace
}  // namespace marlit
