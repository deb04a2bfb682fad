#include "engine/envelope.h"
#include <gtest/gtest.h>

namespace {

class EnvelopeTest : public ::testing::Test {
protected:
    CEnvelope env{44100};

    // Triggers with the given times and runs the two steps of a zero attack.
    void startWithInstantAttack(const EnvelopeTimes& times) {
        env.setTimes(times);
        env.trigger();
        env.tick();
        env.tick();
    }

    // Ticks until the stage changes; returns the number of ticks.
    int ticksUntilStageLeaves(int stage) {
        int n = 0;
        while (env.stage() == stage && n < 10000000) {
            env.tick();
            ++n;
        }
        return n;
    }
};

TEST_F(EnvelopeTest, StartsIdle) {
    EXPECT_EQ(env.stage(), kEnvIdle);
}

TEST_F(EnvelopeTest, OneSecondAttackTakesTheFloatStepCount) {
    // Accumulate 1/44101 in single precision the way a linear ramp does.
    const float step = 1.0f / (44100.0f * 1.0f + 1.0f);
    float v = 0.0f;
    int expected = 0;
    while (v < 1.0f) {
        v += step;
        ++expected;
    }
    EXPECT_GT(expected, 44101);
    EXPECT_LT(expected, 44200);

    env.setTimes({1.0f, 0.0f, 0.5f, 0.0f});
    env.trigger();
    EXPECT_EQ(ticksUntilStageLeaves(kEnvAttack), expected);
    EXPECT_EQ(env.value(), 1.0f);
    EXPECT_EQ(env.stage(), kEnvDecay);
}

TEST_F(EnvelopeTest, ZeroTimesRunThroughOneStepPerStage) {
    env.setTimes({0.0f, 0.0f, 0.99f, 0.0f});
    env.trigger();
    EXPECT_EQ(env.tick(), 1.0f);
    EXPECT_EQ(env.tick(), 0.99f);
    EXPECT_EQ(env.stage(), kEnvSustain);
    EXPECT_EQ(env.tick(), 0.99f);
    env.release();
    EXPECT_EQ(env.tick(), 0.0f);
    EXPECT_EQ(env.stage(), kEnvIdle);
}

TEST_F(EnvelopeTest, ZeroSustainHoldsAReleasedValue) {
    startWithInstantAttack({0.0f, 1.0f, 0.0f, 1.0f});
    env.release();
    const float held = env.value();
    ASSERT_GT(held, 0.0f);
    for (int n = 0; n < 100; ++n) {
        EXPECT_EQ(env.tick(), held);
    }
    EXPECT_EQ(env.stage(), kEnvRelease);
}

TEST_F(EnvelopeTest, ReleaseFromIdleReturnsToIdle) {
    env.setTimes({0.0f, 0.0f, 0.5f, 1.0f});
    env.release();
    EXPECT_EQ(env.stage(), kEnvRelease);
    EXPECT_EQ(env.tick(), 0.0f);
    EXPECT_EQ(env.stage(), kEnvIdle);
}

TEST_F(EnvelopeTest, ReleaseFromSustainLastsTheReleaseTime) {
    startWithInstantAttack({0.0f, 0.0f, 0.5f, 0.01f});
    env.release();
    const int n = ticksUntilStageLeaves(kEnvRelease);
    EXPECT_NEAR(n, 442, 2);
}

TEST_F(EnvelopeTest, SetSustainJumpsAndRescalesTheRelease) {
    startWithInstantAttack({0.0f, 0.0f, 0.5f, 0.01f});
    env.setSustain(0.25f);
    EXPECT_EQ(env.value(), 0.25f);
    EXPECT_EQ(env.getTimes().sustain, 0.25f);
    EXPECT_EQ(env.getTimes().release, 0.01f);
    EXPECT_FLOAT_EQ(env.getReleaseStep(), 0.25f / (441.0f + 1.0f));
    EXPECT_EQ(env.tick(), 0.25f);
    EXPECT_EQ(env.stage(), kEnvSustain);
}

TEST_F(EnvelopeTest, NegativeTimesActLikeZero) {
    env.setTimes({-3.0f, -1.0f, 0.5f, -2.0f});
    env.trigger();
    EXPECT_EQ(env.tick(), 1.0f);
    EXPECT_EQ(env.tick(), 0.5f);
    env.release();
    EXPECT_EQ(env.tick(), 0.0f);
    EXPECT_EQ(env.getTimes().attack, -3.0f);
}

} // namespace
