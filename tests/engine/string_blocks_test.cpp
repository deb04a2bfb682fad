#include "engine/peak_follower.h"
#include "engine/string_blocks.h"
#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(PeakFollower, SilenceReadsItsOwnAlternatingOffset) {
    CPeakFollower follower;
    for (int n = 0; n < 10; ++n) {
        const float level = follower.tick(0.0f);
        EXPECT_EQ(level, n % 2 == 0 ? 1e-12f : 1e-12f * 0.9999f) << n;
    }
}

TEST(PeakFollower, NeverReadsBelowTheFloor) {
    CPeakFollower follower;
    follower.setRelease(0.0f);
    follower.tick(0.0f);
    EXPECT_EQ(follower.tick(0.0f), 1e-13f);
    EXPECT_EQ(follower.level(), 1e-13f);
}

TEST(PeakFollower, JumpsToAPeakAndFallsByTheRelease) {
    CPeakFollower follower;
    EXPECT_EQ(follower.tick(0.5f), 0.5f);
    float expected = 0.5f;
    for (int n = 0; n < 1000; ++n) {
        expected = expected * 0.9999f;
        ASSERT_EQ(follower.tick(0.0f), expected) << n;
    }
    follower.clear();
    EXPECT_EQ(follower.level(), 0.0f);
}

TEST(PeakFollower, AttackSmoothsTheRise) {
    CPeakFollower follower;
    follower.setAttack(0.5f);
    EXPECT_FLOAT_EQ(follower.tick(1.0f), 0.5f);
    EXPECT_FLOAT_EQ(follower.tick(1.0f), 0.75f);
}

TEST(StringBlocks, Saturation) {
    struct Case {
        float x, amount, expected;
    } cases[] = {{3.0f, 0.0f, 3.0f},   {-2.5f, -1.0f, -2.5f},  {1.0f, 1.0f, 1.0f},
                 {0.5f, 1.0f, 0.875f}, {-0.5f, 1.0f, -0.875f}, {2.0f, 1.0f, -4.0f}};
    for (const Case& c : cases) {
        EXPECT_EQ(saturate(c.x, c.amount), c.expected) << c.x << " " << c.amount;
    }
}

TEST(StringBlocks, LossFilterPassesWithoutLossAndKeepsUnityDcGain) {
    float state = 0.0f;
    EXPECT_EQ(lossFilter(state, 0.3f, 0.0f), 0.3f);
    state = 0.0f;
    float y = 0.0f;
    for (int n = 0; n < 2000; ++n) {
        y = lossFilter(state, 0.8f, 0.95f);
    }
    EXPECT_NEAR(y, 0.8f, 1e-6f);
}

TEST(StringBlocks, LimiterActsOnlyAboveItsThreshold) {
    CPeakFollower quiet;
    EXPECT_EQ(leakLimit(quiet, 0.6f), 0.6f);
    CPeakFollower loud;
    EXPECT_NEAR(leakLimit(loud, 0.7f), 0.7 * std::exp(-2.0), 1e-6);
}

TEST(StringBlocks, DcBlockerRemovesAConstant) {
    float state = 0.0f;
    for (int n = 1; n <= 200; ++n) {
        EXPECT_NEAR(dcBlock(state, 1.0f), std::pow(0.97, n), 1e-5) << n;
    }
}

TEST(StringBlocks, LeakClamp) {
    EXPECT_EQ(clampLeak(0.7f), 0.5f);
    EXPECT_EQ(clampLeak(-3.0f), -0.5f);
    EXPECT_EQ(clampLeak(0.25f), 0.25f);
}

} // namespace
