#include "autodigit/step_fields.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(StepFields, RulesBetweenFromToAndStep) {
    EXPECT_EQ(steps::toFor(600, 3, 1), 201);
    EXPECT_EQ(steps::stepFor(600, 1, 301), 2);
    EXPECT_EQ(steps::stepFor(100, 1, 800), 1) << "round(100 / 799) = 0 is stored as 1";
    EXPECT_EQ(steps::toFor(100, 1, 1), 101);
    EXPECT_EQ(steps::stepFor(100, 1, 101), 1);
    EXPECT_FALSE(steps::stepFor(100, 5, 5)) << "from = to has no step";
    EXPECT_EQ(steps::toFor(1000000, 1, 1), 100000) << "clamped to the largest row";
    EXPECT_EQ(steps::stepFor(100000, 1, 2), 500);
}

TEST(StepFields, GraphStep) {
    // A rectangle 500 pixels and 10 graph units wide, from 1.
    EXPECT_EQ(steps::toForGraphStep(10, 0.1, 1), 101);
    EXPECT_EQ(steps::stepFor(500, 1, 101), 5);
    EXPECT_EQ(steps::graphStepCaption("0", "10", 1, 101, '.'), QString("0.1"));
    EXPECT_EQ(steps::toForGraphStep(10, 0.3, 1), 34);
    EXPECT_EQ(steps::stepFor(500, 1, 34), 15);
    EXPECT_EQ(steps::graphStepCaption("0", "10", 1, 34, '.'), QString("0.303030303030303"));
    EXPECT_EQ(steps::graphStepCaption("0", "10", 1, 34, ','), QString("0,303030303030303"));
    EXPECT_FALSE(steps::graphStepCaption("-", "10", 1, 34, '.'));
    EXPECT_FALSE(steps::graphStepCaption("", "10", 1, 34, '.'));
    EXPECT_FALSE(steps::graphStepCaption("0", "10", 7, 7, '.'));
}
