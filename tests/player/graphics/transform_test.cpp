#include "player/graphics/transform.h"

#include <gtest/gtest.h>

namespace marlit {
namespace {

DrawCommand picture(int x, int y, int w, int h) {
    DrawCommand c;
    c.x = x;
    c.y = y;
    c.source = {0, 0, w, h};
    return c;
}

TEST(Transform, QuarterTurnBoxIsTheTurnedSquareAroundThePivot) {
    DrawCommand c = picture(100, 100, 100, 50);
    c.angle = 90;
    c.pivotX = 50;
    c.pivotY = 25;
    auto t = setUpTransform(c);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->box, (Rect{100, 75, 201, 176}));
    // The factors truncate sin and cos of the single-precision pi: 1023, not 1024.
    EXPECT_EQ(t->sampling.uStepX, 0);
    EXPECT_EQ(t->sampling.vStepX, -1023);
    EXPECT_EQ(t->sampling.uStepY, 1023);
    EXPECT_EQ(t->sampling.vStepY, 0);
    EXPECT_EQ(t->sampling.uStart, 50);
    EXPECT_EQ(t->sampling.vStart, 76750);
    // The box centre samples the picture centre.
    EXPECT_EQ((t->sampling.uStart + 50 * t->sampling.uStepY) >> 10, 50);
    EXPECT_EQ((t->sampling.vStart + 50 * t->sampling.vStepX) >> 10, 25);
}

TEST(Transform, MeanScaleShrinksTheTurnedBoxAboutThePivot) {
    DrawCommand c = picture(100, 100, 100, 50);
    c.angle = 90;
    c.pivotX = 50;
    c.pivotY = 25;
    c.scaleX = 400;
    c.scaleY = 600;  // rotation uses the mean, 500
    auto t = setUpTransform(c);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->box, (Rect{125, 100, 176, 151}));
    EXPECT_EQ(t->sampling.vStepX, -2046);
}

TEST(Transform, ScaleOnlyStepsAndBox) {
    DrawCommand c = picture(10, 20, 40, 30);
    c.scaleX = 999;
    auto t = setUpTransform(c);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->sampling.uStepX, 1025);
    EXPECT_EQ(t->sampling.vStepY, 1024);
    EXPECT_EQ(t->box, (Rect{10, 20, 49, 50}));
    // Doubled about a pivot at the picture's centre.
    c.scaleX = c.scaleY = 2000;
    c.pivotX = 20;
    c.pivotY = 15;
    t = setUpTransform(c);
    EXPECT_EQ(t->box, (Rect{-10, 5, 70, 65}));
    EXPECT_EQ(t->sampling.uStepX, 512);
}

TEST(Transform, DegenerateScalesDrawNothing) {
    DrawCommand c = picture(0, 0, 10, 10);
    c.scaleX = 0;
    EXPECT_FALSE(setUpTransform(c));
    c.scaleX = -1000;
    EXPECT_FALSE(setUpTransform(c));
    c.angle = 30;
    c.scaleY = 1000;  // mean 0
    EXPECT_FALSE(setUpTransform(c));
}

TEST(Transform, BoxWhollyOffTheTopLeftStaysWhereItIs) {
    // A bounding box whose maximum started at 0 would stretch to the screen
    // edge and shift the picture it samples.
    DrawCommand c = picture(-300, -200, 20, 20);
    c.angle = 90;
    c.pivotX = 10;
    c.pivotY = 10;
    auto t = setUpTransform(c);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->box, (Rect{-300, -200, -279, -179}));
}

}  // namespace
}  // namespace marlit
